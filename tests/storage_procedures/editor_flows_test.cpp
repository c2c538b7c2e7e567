#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "storage/calibration_editor.h"
#include "storage/calibration_menu.h"
#include "storage/calibration_paths.h"
#include "storage_fixture.h"

namespace ruvenset::testing {
namespace {

using S = CalibrationSection;

class EditorFlows : public StorageFixture {
 protected:
  EditorEnd Edit(S section) { return RunCalibrationEditor(tools, section, folder.Path()); }
  std::string WorkingCopy() const { return folder.File(kWorkingCopyName); }
  std::string Message(const TextMessage& message) const {
    return "message " + Text(1164) + " | " + FormatTextMessage(message, state.texts);
  }
  bool Logged(const std::string& line) const {
    return std::find(technician.log.begin(), technician.log.end(), line) != technician.log.end();
  }
  static std::vector<std::string> ButtonTexts(const FulfillList& list) {
    std::vector<std::string> texts;
    for (const ListButton& b : list.buttons) texts.push_back(b.text);
    return texts;
  }
};

TEST_F(EditorFlows, AddedTosPointGetsTheDefaultTableAndTheWorkingCopyFollows) {
  state.calibration = DeviceImage();
  pages.lists = {{ListChoice::Add, 0}, {ListChoice::Close, 0}};
  technician.confirms = {true, true};
  // 65536 is refused in the first field; the technician types again.
  pages.entries = {ScriptedCalibrationPages::Typed{"65536", "20.5"},
                   ScriptedCalibrationPages::Typed{"65535", "20.5"}};
  pages.savePaths = {folder.File("edited.klb")};

  EXPECT_EQ(Edit(S::Pressure), EditorEnd::Saved);
  EXPECT_EQ(pages.refusedEntries, 1);
  const ConstChannelSection p = state.calibration.Channel(S::Pressure);
  ASSERT_EQ(p.TosCount(), 3);
  EXPECT_EQ(p.TosCode(2), 65535);
  EXPECT_FLOAT_EQ(p.TosValue(2), 20.5f);
  ASSERT_EQ(p.PointCount(2), 2);
  EXPECT_EQ(p.PointCode(2, 0), 0);
  EXPECT_FLOAT_EQ(p.PointValue(2, 0), 0.8564f);
  EXPECT_EQ(p.PointCode(2, 1), 8388607);
  EXPECT_FLOAT_EQ(p.PointValue(2, 1), 55.0f);
  // The working copy is kept after saving and holds what was saved.
  EXPECT_EQ(ReadBytes(WorkingCopy()), ReadBytes(folder.File("edited.klb")));
  EXPECT_EQ(ReadBytes(WorkingCopy()).size(), kCalibrationImageSize);
  EXPECT_EQ(pages.shownLists[0].buttons.size(), 4u);
  EXPECT_TRUE(pages.shownLists[0].editor);
}

TEST_F(EditorFlows, DeletingTheFirstOfThreeTosPointsMovesTheOthersUp) {
  state.calibration = DeviceImage();
  const CalibrationImage before = state.calibration;
  pages.lists = {{ListChoice::Delete, 0}, {ListChoice::Close, 0}};
  technician.confirms = {true, true};
  pages.savePaths = {std::nullopt};

  EXPECT_EQ(Edit(S::Temperature), EditorEnd::Discarded);
  const ConstChannelSection was = before.Channel(S::Temperature);
  const ConstChannelSection t = state.calibration.Channel(S::Temperature);
  ASSERT_EQ(t.TosCount(), 2);
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(t.TosCode(k), was.TosCode(k + 1));
    EXPECT_EQ(t.PointCount(k), was.PointCount(k + 1));
    for (int i = 0; i < t.PointCount(k); ++i) EXPECT_EQ(t.PointCode(k, i), was.PointCode(k + 1, i));
  }
  // Abandoning the edit deletes the working copy; the image keeps the change.
  EXPECT_FALSE(std::filesystem::exists(WorkingCopy()));
}

TEST_F(EditorFlows, FinishingWithEqualCodesReportsThePointAndSelectsItsTosPoint) {
  state.calibration = DeviceImage();
  const ChannelSection p = state.calibration.Channel(S::Pressure);
  p.SetPoint(1, 2, p.PointCode(1, 1), 5.0f);
  pages.lists = {{ListChoice::Close, 0}, {ListChoice::Delete, 1}, {ListChoice::Close, 0}};
  technician.confirms = {true, true, true};
  pages.savePaths = {std::nullopt};

  EXPECT_EQ(Edit(S::Pressure), EditorEnd::Discarded);
  EXPECT_TRUE(Logged(Message(
      {1160, {TextArgument::Text(2143), TextArgument::Of(int64_t{3}), TextArgument::Of(int64_t{2})}})))
      << ::testing::PrintToString(technician.log);
  ASSERT_GE(pages.shownLists.size(), 2u);
  EXPECT_EQ(pages.shownLists[1].selected, 1);
  EXPECT_EQ(state.calibration.Channel(S::Pressure).TosCount(), 1);
}

TEST_F(EditorFlows, AnExistingFileIsReplacedOnlyAfterTheQuestion) {
  state.calibration = DeviceImage();
  const std::string target = folder.File("existing.klb");
  WriteBytes(target, {1, 2, 3});
  pages.lists = {{ListChoice::Close, 0}};
  technician.confirms = {true, false, true};
  pages.savePaths = {target, target};

  EXPECT_EQ(Edit(S::Temperature), EditorEnd::Saved);
  EXPECT_EQ(technician.Count("confirm " + Text(2932) + " | " + state.texts.FormatText(1474, {target})), 2);
  CalibrationImage read;
  EXPECT_EQ(ReadCalibrationFile(target, {S::Temperature}, read), CalibrationFileStatus::Ok);
  EXPECT_EQ(ReadBytes(target), ReadBytes(WorkingCopy()));
  // The save dialog opens in the calibration folder, which it creates.
  ASSERT_FALSE(pages.dialogs.empty());
  EXPECT_EQ(pages.dialogs.back().folder, CalibrationDirectory(folder.Path()));
  EXPECT_EQ(pages.dialogs.back().title, Text(1186));
  EXPECT_TRUE(std::filesystem::is_directory(CalibrationDirectory(folder.Path())));
}

TEST_F(EditorFlows, PointLevelChangesAddsDeletesAndShiftsTheTable) {
  state.calibration = DeviceImage();
  const ChannelSection table = state.calibration.Channel(S::Pressure);
  for (int i = 0; i < 5; ++i) table.SetPoint(0, i, 100000 + 500000 * i, static_cast<float>(i + 1));
  pages.lists = {{ListChoice::Open, 0},   {ListChoice::Open, 1}, {ListChoice::Add, 0},
                 {ListChoice::Delete, 0}, {ListChoice::Ok, 0},   {ListChoice::Close, 0},
                 {ListChoice::Close, 0}};
  pages.entries = {ScriptedCalibrationPages::Typed{"600000", "2.5"},
                   ScriptedCalibrationPages::Typed{"9000000", "100"}};
  technician.confirms = {true, true, true, true};  // add, delete, shift, finish
  technician.choices = {2};                        // kPa
  technician.numbers = {9.80665f};
  pages.savePaths = {std::nullopt};

  EXPECT_EQ(Edit(S::Pressure), EditorEnd::Discarded);
  const ConstChannelSection p = state.calibration.Channel(S::Pressure);
  ASSERT_EQ(p.PointCount(0), 5);
  const int32_t codes[5] = {600000, 1100000, 1600000, 2100000, 9000000};
  const float values[5] = {2.6f, 3.1f, 4.1f, 5.1f, 100.1f};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(p.PointCode(0, i), codes[i]);
    EXPECT_NEAR(p.PointValue(0, i), values[i], 1e-4);
  }
  EXPECT_EQ(state.units.pressure, 2);
  EXPECT_EQ(technician.Count("number " + state.texts.FormatText(2658, {Text(2172)})), 1);
  // The point level of pressure offers the shift; its rows use the editor's format.
  ASSERT_GE(pages.shownLists.size(), 2u);
  const FulfillList& points = pages.shownLists[1];
  ASSERT_FALSE(points.rows.empty());
  ASSERT_FALSE(points.buttons.empty());
  EXPECT_EQ(points.rows[0], "   1        100000            1");
  EXPECT_EQ(points.buttons.back().modalResult, ListChoice::Ok);
}

TEST_F(EditorFlows, CorrectionEditorKeepsBetweenTwoAndThirtyThreePoints) {
  CalibrationImage image = DeviceImage();
  image.SetCorrectionCount(33);
  for (int i = 0; i < 33; ++i) image.SetCorrectionPoint(i, 10.0f * static_cast<float>(i), 1.0f);
  state.calibration = image;
  pages.lists = {{ListChoice::Delete, 5}, {ListChoice::Ok, 0}, {ListChoice::Open, 0}, {ListChoice::Close, 0}};
  technician.confirms = {true, true, true};
  pages.entries = {ScriptedCalibrationPages::Typed{"55", "1.02"},
                   ScriptedCalibrationPages::Typed{"5", "1.051"},
                   ScriptedCalibrationPages::Typed{"5", "1.04"}};
  pages.savePaths = {folder.File("meter.klb")};

  EXPECT_EQ(Edit(S::CorrectionMultipliers), EditorEnd::Saved);
  // A full table offers no add button; after the deletion it does.
  const auto has = [&](const FulfillList& list, ListChoice result) {
    return std::any_of(list.buttons.begin(), list.buttons.end(),
                       [&](const ListButton& b) { return b.modalResult == result; });
  };
  EXPECT_FALSE(has(pages.shownLists[0], ListChoice::Ok));
  EXPECT_TRUE(has(pages.shownLists[1], ListChoice::Ok));
  EXPECT_EQ(pages.shownLists[0].visibleRows, 13);
  EXPECT_EQ(pages.refusedEntries, 1);
  CalibrationImage saved;
  ASSERT_EQ(ReadCalibrationFile(folder.File("meter.klb"), {S::CorrectionMultipliers}, saved),
            CalibrationFileStatus::Ok);
  ASSERT_EQ(saved.CorrectionCount(), 33);
  for (int i = 1; i < 33; ++i) EXPECT_LT(saved.CorrectionFlow(i - 1), saved.CorrectionFlow(i));
  EXPECT_FLOAT_EQ(saved.CorrectionFlow(0), 5.0f);
  EXPECT_FLOAT_EQ(saved.CorrectionMultiplier(0), 1.04f);
  EXPECT_FLOAT_EQ(saved.CorrectionFlow(5), 55.0f);
}

TEST_F(EditorFlows, EditorChecksOfTheFileComeBeforeTheSectionChecks) {
  CalibrationImage image = DeviceImage(9);
  image.softwareVersion = 10;
  const std::string path = SaveImage(image, "model9.klb");
  const CalibrationImage untouched = state.calibration;
  for (const auto& [section, text] :
       {std::pair{S::DifferentialPressure, 1162}, std::pair{S::CorrectionMultipliers, 1228}}) {
    pages.openPaths = {path};
    technician.log.clear();
    EditCalibrationFromMenu(tools, section);
    EXPECT_TRUE(Logged(Message({text, {}}))) << text;
  }
  EXPECT_EQ(std::memcmp(untouched.Bytes(), state.calibration.Bytes(), kCalibrationImageSize), 0);
  EXPECT_TRUE(pages.shownLists.empty());
}

TEST_F(EditorFlows, AWorkingCopyThatCannotBeWrittenEndsTheEditor) {
  state.calibration = DeviceImage();
  EXPECT_EQ(RunCalibrationEditor(tools, S::Pressure, folder.File("missing-folder")),
            EditorEnd::WorkingCopyFailed);
  EXPECT_TRUE(Logged(Message({1244, {TextArgument::Of(std::string(kWorkingCopyName))}})));
  EXPECT_TRUE(pages.shownLists.empty());
}

}  // namespace
}  // namespace ruvenset::testing
