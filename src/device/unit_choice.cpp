#include "device/unit_choice.h"

#include <cstdio>

#include "common/adaptive_format.h"
#include "common/unit_tables.h"

namespace ruvenset {
namespace {

constexpr int kPressureItems = 2170;
constexpr int kDiffPressureItems = 2157;

uint8_t& Remembered(ProgramState& state, int list) {
  return list == kPressureUnitList       ? state.units.pressure
         : list == kDiffPressureUnitList ? state.units.diffPressure
                                         : state.units.atmospheric;
}

int ItemCount(int list) {
  return list == kDiffPressureUnitList ? kDiffPressureUnitCount : kPressureUnitCount;
}

}  // namespace

std::string UnitName(const ProgramState& state, int list, int index) {
  if (index < 0 || index >= ItemCount(list)) return {};
  return state.Text((list == kDiffPressureUnitList ? kDiffPressureItems : kPressureItems) + index);
}

ChoiceRequest UnitChoiceRequest(const ProgramState& state, int list, int purpose) {
  ChoiceRequest r;
  r.caption = state.Text(purpose == kUnitForCorrection     ? 3059
                         : purpose == kUnitForVerification ? 2208
                                                           : 2238);
  r.title = state.Text(list == kPressureUnitList ? 2270 : list == kDiffPressureUnitList ? 2269 : 2271);
  for (int i = 0; i < ItemCount(list); ++i) r.items.push_back(UnitName(state, list, i));
  const int remembered = Remembered(const_cast<ProgramState&>(state), list);
  r.preselected = remembered < ItemCount(list) ? remembered : 0;
  r.columns = 3;
  r.acceptText = state.Text(2613);
  r.cancelText = state.Text(2614);
  return r;
}

bool ChooseUnit(ProgramState& state, ValuePrompts& prompts, int list, int purpose) {
  const std::optional<int> chosen = prompts.AskChoice(UnitChoiceRequest(state, list, purpose));
  if (!chosen || *chosen < 0 || *chosen >= ItemCount(list)) return true;
  Remembered(state, list) = static_cast<uint8_t>(*chosen);
  return false;
}

float StandardAtmosphere(const ProgramState& state) {
  return 1.0332f * PressureUnitFactor(0, state.record.pressureUnit());
}

std::optional<float> AskAtmosphericPressure(ProgramState& state, ValuePrompts& prompts, float stored) {
  if (ChooseUnit(state, prompts, kAtmosphericUnitList, kUnitForVerification)) return std::nullopt;
  const int unit = state.units.atmospheric;
  const float factor = PressureUnitFactor(state.record.pressureUnit(), unit);
  const ValueRange range = AtmosphericPressureRange(unit);
  char rangeText[64];
  std::snprintf(rangeText, sizeof rangeText, "[ %g ... %g ]", range.min, range.max);
  NumberRequest r;
  r.caption = state.Text(2271);
  r.prompt = std::string(state.Bilingual("Атмосферное давление, ", "Атмосферний тиск, ")) +
             UnitName(state, kAtmosphericUnitList, unit);
  r.rangeText = rangeText;
  r.lower = range.min;
  r.upper = range.max;
  r.proposed = FormatAdaptive(stored * factor);
  r.maxLength = 9;
  r.filter = NumberFilter::DigitsPoint;
  r.acceptText = state.Text(2613);
  r.cancelText = state.Text(2614);
  for (;;) {
    const std::optional<float> value = prompts.AskNumber(r);
    if (!value) return std::nullopt;
    if (*value >= range.min && *value <= range.max) return *value / factor;
  }
}

}  // namespace ruvenset
