#include "storage/calibration_entries.h"

#include <algorithm>
#include <cstdio>

#include "session/language_texts.h"
#include "storage/calibration_rows.h"

namespace ruvenset {
namespace {

constexpr float kTopCode = 16777215.0f;

std::string Number(const char* format, double value) {
  char text[48];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// A field's starting text is never cut by its length: the field grows to hold it.
SchField Field(std::string caption, std::string range, std::string unit, float lower, float upper,
               std::string text, int maxLength) {
  const int length = std::max<int>(maxLength, static_cast<int>(text.size()));
  return {std::move(caption), std::move(range), std::move(unit), lower, upper, std::move(text), length};
}

struct ValueRange {
  float upper;
  float lower;
  const char* label;
};

ValueRange PointValueRange(CalibrationSection section, uint8_t unit) {
  switch (section) {
    case CalibrationSection::Temperature:
      return {85.0f, -45.0f, "[-45.00...85.00]"};
    case CalibrationSection::DifferentialPressure:
      return unit == 1 ? ValueRange{260.0f, 0.0f, "[ 0.0 .... 260 ]"}
                       : ValueRange{26000.0f, 0.0f, "[ 0.0....26000 ]"};
    default:
      return unit == 1 ? ValueRange{11.0f, 0.0f, "[0.0...11.0]"} : ValueRange{110.0f, 0.0f, "[0.0...110.0]"};
  }
}

SchEntry Entry(const ProgramState& state, SchField first, SchField second) {
  SchEntry entry;
  entry.caption = state.Text(2247);
  entry.fields = {std::move(first), std::move(second)};
  entry.acceptText = state.Text(2613);
  return entry;
}

}  // namespace

SchEntry TosPointEntry(const ProgramState& state) {
  return Entry(
      state, Field(state.Bilingual("Код АЦП Тос", "Код АЦП Тд"), "[0...65535]", "", 0.0f, 65535.0f, "0", 5),
      Field(state.Bilingual("Тос", "Тд"), "[-43.00...63.00]", state.Text(2189), -43.0f, 63.0f, "0.00", 6));
}

SchEntry PointEntry(const ProgramState& state, CalibrationSection section, int32_t code, float value) {
  const CalibrationImage& image = state.calibration;
  const ValueRange range = PointValueRange(section, image.UnitCode(section));
  return Entry(
      state,
      Field(state.Bilingual("Код АЦП", "Код АЦП"), "[0...16777215]", "", 0.0f, kTopCode,
            Number("%.0f", static_cast<double>(static_cast<uint32_t>(code))), 8),
      Field(state.Text(2150 + static_cast<int>(section)), range.label, ChannelUnitName(state, image, section),
            range.lower, range.upper, Number("%.6g", static_cast<double>(value)), 5));
}

SchEntry CorrectionEntry(const ProgramState& state, float upperFlowLimit, float flow, float multiplier) {
  return Entry(state,
               Field(state.Bilingual("Расход", "Витрата"),
                     FormatTextArgs("[ 0...%g ]", {static_cast<double>(upperFlowLimit)}),
                     state.Bilingual("м3/ч", "м3/год"), 0.0f, upperFlowLimit,
                     Number("%.6g", static_cast<double>(flow)), 8),
               Field(state.Bilingual("Множитель", "Множник"), "[ 0.95...1.05 ]", "", 0.95f, 1.05f,
                     Number("%.6g", static_cast<double>(multiplier)), 6));
}

}  // namespace ruvenset
