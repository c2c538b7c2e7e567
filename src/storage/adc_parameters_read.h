#pragma once
#include "session/program_state.h"
#include "session/technician.h"
#include "storage/adc_parameters.h"

namespace ruvenset {

// Reads the ADC channel parameter blocks a channel's settings need (selector 0 pressure, 1 temperature,
// 2 differential pressure, 3 all) into the memory mirror and `blocks`: the main block unless the
// differential-pressure channel has a second block of its own, the second block where the model has
// one and the selector needs it (model 7 always). False when a read ended.
[[nodiscard]] bool ReadAdcBlocks(ProgramState& state, Technician& technician, int selector,
                                 AdcBlocks& blocks);

}  // namespace ruvenset
