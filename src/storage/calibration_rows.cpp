#include "storage/calibration_rows.h"

#include <cstdio>

#include "common/adaptive_format.h"

namespace ruvenset {
namespace {

constexpr int kChannelNameText = 2143;
constexpr int kColumnTitleText = 2150;
constexpr int kPressureUnitText = 2168;
constexpr int kDifferentialUnitText = 2155;
constexpr int kCelsiusText = 2189;

}  // namespace

ChannelLimits LimitsOf(CalibrationSection section) {
  switch (section) {
    case CalibrationSection::Pressure:
      return kPressureLimits;
    case CalibrationSection::Temperature:
      return kTemperatureLimits;
    case CalibrationSection::DifferentialPressure:
      return kDifferentialLimits;
    default:
      return {0, 0};
  }
}

std::string ChannelName(const ProgramState& state, CalibrationSection section) {
  return state.Text(kChannelNameText + static_cast<int>(section));
}

std::string ChannelUnitName(const ProgramState& state, const CalibrationImage& image,
                            CalibrationSection section) {
  // A unit code beyond 1 never passes the file checks; it still names a unit, never another text.
  const int unit = image.UnitCode(section) > 1 ? 0 : image.UnitCode(section);
  switch (section) {
    case CalibrationSection::Pressure:
      return state.Text(kPressureUnitText + unit);
    case CalibrationSection::DifferentialPressure:
      return state.Text(kDifferentialUnitText + unit);
    default:
      return state.Text(kCelsiusText);
  }
}

std::string TosRow(const ProgramState& state, ConstChannelSection channel, int k) {
  return state.texts.FormatText(2263, {channel.TosValue(k), static_cast<uint32_t>(channel.TosCode(k)),
                                       static_cast<int>(channel.PointCount(k))});
}

std::string ViewerPointRow(int number, int32_t code, float value) {
  char row[96];
  std::snprintf(row, sizeof row, "  %2d    %8lu              %.6g", number,
                static_cast<unsigned long>(static_cast<uint32_t>(code)), static_cast<double>(value));
  return row;
}

std::string EditorPointRow(int number, int32_t code, float value) {
  char row[96];
  std::snprintf(row, sizeof row, "  %2d      %8lu            %.6g", number,
                static_cast<unsigned long>(static_cast<uint32_t>(code)), static_cast<double>(value));
  return row;
}

std::string CorrectionRow(int number, float flow, float multiplier) {
  char row[96];
  std::snprintf(row, sizeof row, " %2d       %6s       %6s", number, FormatAdaptive(flow).c_str(),
                FormatAdaptive(multiplier).c_str());
  return row;
}

std::string PointHeader1(const ProgramState& state, ConstChannelSection channel, int k) {
  return state.texts.FormatText(2265, {channel.TosValue(k), state.Text(kCelsiusText)});
}

std::string PointHeader2(const ProgramState& state, const CalibrationImage& image,
                         CalibrationSection section) {
  return state.texts.FormatText(2266, {state.Text(kColumnTitleText + static_cast<int>(section)),
                                       ChannelUnitName(state, image, section)});
}

}  // namespace ruvenset
