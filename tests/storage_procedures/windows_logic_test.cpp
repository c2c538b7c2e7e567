#include <gtest/gtest.h>

#include "storage/calibration_entries.h"
#include "storage/calibration_rows.h"
#include "storage/fulfill_list.h"
#include "storage_fixture.h"

namespace ruvenset::testing {
namespace {

using S = CalibrationSection;

TEST(FulfillListRules, SizesFollowTheRowsShown) {
  struct Case {
    int rows, visible;
    bool editor;
    int listHeight, formHeight;
  };
  for (const Case c : {Case{3, 14, false, 60, 172}, Case{3, 14, true, 60, 322}, Case{20, 14, false, 269, 381},
                       Case{0, 14, false, 22, 134}, Case{33, 13, true, 250, 512}}) {
    FulfillList list;
    list.rows.assign(static_cast<size_t>(c.rows), "row");
    list.visibleRows = c.visible;
    list.editor = c.editor;
    EXPECT_EQ(list.ListBoxHeight(), c.listHeight) << c.rows;
    EXPECT_EQ(list.FormHeight(), c.formHeight) << c.rows;
    EXPECT_EQ(list.ButtonRowTop(0), c.listHeight + 53);
    EXPECT_EQ(list.ButtonRowTop(1), c.listHeight + 88);
  }
  FulfillList list;
  EXPECT_EQ(list.FormKeyPress(23), ListChoice::Close);
  EXPECT_EQ(list.FormKeyPress('w'), std::nullopt);
  EXPECT_EQ(list.SelectedRow(), -1);
  list.rows = {"a", "b"};
  list.selected = 7;
  EXPECT_EQ(list.SelectedRow(), 1);
}

TEST(RowFormats, ExactLiterals) {
  EXPECT_EQ(ViewerPointRow(1, 8388607, 55.0f), "   1     8388607              55");
  EXPECT_EQ(EditorPointRow(12, 0, 0.8564f), "  12             0            0.8564");
  // A code read from a damaged file prints as the unsigned number it is, never a negative one.
  EXPECT_EQ(ViewerPointRow(2, -1, 1.5f), "   2    4294967295              1.5");
  EXPECT_EQ(CorrectionRow(3, 400.0f, 0.999f), "  3       400.00       0.9990");
  EXPECT_EQ(CorrectionRow(33, 1000.0f, 1.05f), " 33       1000.0       1.0500");
}

TEST(EntryWindow, KeyFilterPassesDigitsPointMinusAndBackspace) {
  for (char32_t key : {U'0', U'9', U'.', U'-', U'\b'}) EXPECT_TRUE(SchEntry::Edit1KeyPress(key));
  for (char32_t key : {U'e', U'+', U',', U' ', U'a', U'Ж'}) EXPECT_FALSE(SchEntry::Edit1KeyPress(key));
}

struct EntryCase {
  const char* name;
  SchEntry entry;
  std::string first, second;
  SchOutcome outcome;
};

class EntryBounds : public StorageFixture {};

TEST_F(EntryBounds, EachFieldKeepsItsRange) {
  state.calibration = DeviceImage();
  const SchEntry tos = TosPointEntry(state);
  const SchEntry pressure0 = PointEntry(state, S::Pressure, 0, 0.0f);
  state.calibration.pressureUnit = 1;
  state.calibration.differentialUnit = 1;
  const SchEntry pressure1 = PointEntry(state, S::Pressure, 0, 0.0f);
  const SchEntry temperature = PointEntry(state, S::Temperature, 0, 0.0f);
  const SchEntry differential1 = PointEntry(state, S::DifferentialPressure, 0, 0.0f);
  const SchEntry correction = CorrectionEntry(state, 1000.0f, 666.0f, 1.0f);

  const EntryCase cases[] = {
      {"tos max", tos, "65535", "0", SchOutcome::Accept},
      {"tos over", tos, "65536", "0", SchOutcome::FocusEdit1},
      {"tos negative", tos, "-1", "0", SchOutcome::FocusEdit1},
      {"tos value over", tos, "0", "63.01", SchOutcome::FocusEdit2},
      {"tos value low", tos, "0", "-43", SchOutcome::Accept},
      {"not a number", tos, "1.2.3", "0", SchOutcome::FocusEdit1},
      {"empty", tos, "", "0", SchOutcome::FocusEdit1},
      {"minus only", tos, "0", "-", SchOutcome::FocusEdit2},
      {"pressure unit 0", pressure0, "100", "11.5", SchOutcome::Accept},
      {"pressure unit 1", pressure1, "100", "11.5", SchOutcome::FocusEdit2},
      {"code 24 bits", pressure0, "16777215", "1", SchOutcome::Accept},
      {"code 25 bits", pressure0, "16777216", "1", SchOutcome::FocusEdit1},
      {"temperature low", temperature, "5", "-45", SchOutcome::Accept},
      {"temperature high", temperature, "5", "85.01", SchOutcome::FocusEdit2},
      {"dp unit 1", differential1, "5", "260", SchOutcome::Accept},
      {"dp unit 1 over", differential1, "5", "261", SchOutcome::FocusEdit2},
      {"flow limit", correction, "1000", "0.95", SchOutcome::Accept},
      {"flow over", correction, "1000.5", "1", SchOutcome::FocusEdit1},
      {"multiplier over", correction, "0", "1.051", SchOutcome::FocusEdit2},
  };
  for (const EntryCase& c : cases) {
    std::array<float, 2> values{};
    EXPECT_EQ(c.entry.BitBtn1Click(c.first, c.second, values), c.outcome) << c.name;
  }
  EXPECT_EQ(tos.fields[0].rangeText, "[0...65535]");
  EXPECT_EQ(tos.fields[1].rangeText, "[-43.00...63.00]");
  EXPECT_EQ(tos.fields[0].text, "0");
  EXPECT_EQ(tos.fields[1].text, "0.00");
  EXPECT_EQ(tos.fields[0].maxLength, 5);
  EXPECT_EQ(tos.fields[1].maxLength, 6);
  EXPECT_EQ(pressure0.fields[1].rangeText, "[0.0...110.0]");
  EXPECT_EQ(pressure1.fields[1].rangeText, "[0.0...11.0]");
  EXPECT_EQ(pressure1.fields[1].unitText, Text(2169));
  EXPECT_EQ(differential1.fields[1].rangeText, "[ 0.0 .... 260 ]");
  EXPECT_EQ(temperature.fields[1].rangeText, "[-45.00...85.00]");
  EXPECT_EQ(correction.fields[0].rangeText, "[ 0...1000 ]");
  EXPECT_EQ(correction.fields[1].rangeText, "[ 0.95...1.05 ]");
  EXPECT_EQ(correction.fields[0].text, "666");
  // A prefilled value longer than the field's length widens the field instead of being cut.
  EXPECT_EQ(PointEntry(state, S::Pressure, 0, 0.8564f).fields[1].maxLength, 6);
}

}  // namespace
}  // namespace ruvenset::testing
