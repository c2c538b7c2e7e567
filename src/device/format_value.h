#pragma once
#include <string>

#include "session/program_state.h"

namespace ruvenset {

// Display text of a measured value with the adaptive precision; with `scale` the value is first
// converted from the flow computer's unit into the display unit the technician chose (kind 0 pressure,
// any other kind differential pressure).
std::string FormatValue(const ProgramState& state, int kind, float value, bool scale);

}  // namespace ruvenset
