#pragma once
#include <optional>
#include <string>
#include <vector>

#include "device/device_prompts.h"
#include "session/program_state.h"

namespace ruvenset {

// The unit lists of the unit window.
inline constexpr int kPressureUnitList = 0;
inline constexpr int kDiffPressureUnitList = 1;
inline constexpr int kAtmosphericUnitList = 2;

// Purposes of the unit window (they choose its caption).
inline constexpr int kUnitForVerification = 1;
inline constexpr int kUnitForCorrection = 2;
inline constexpr int kUnitForCalibration = 0;

// The request the unit window shows for a list: caption by purpose, the list's caption and items,
// the remembered choice preselected.
ChoiceRequest UnitChoiceRequest(const ProgramState& state, int list, int purpose);
// The name of unit `index` of a list.
std::string UnitName(const ProgramState& state, int list, int index);

// The unit window: true when cancelled (the remembered choice stays), false when a unit was chosen and
// stored as the list's remembered choice.
bool ChooseUnit(ProgramState& state, ValuePrompts& prompts, int list, int purpose);

// The atmospheric pressure of a gauge/absolute correction: its unit (list 2), then the value within
// that unit's admissible range, preset with `stored` (flow computer's unit) converted. Returns the
// value in the flow computer's pressure unit, or nullopt when either window was cancelled.
std::optional<float> AskAtmosphericPressure(ProgramState& state, ValuePrompts& prompts, float stored);

// The standard atmosphere in the flow computer's pressure unit (the preset before any entry).
float StandardAtmosphere(const ProgramState& state);

}  // namespace ruvenset
