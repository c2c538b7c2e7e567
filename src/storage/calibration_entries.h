#pragma once
#include <cstdint>

#include "session/program_state.h"
#include "storage/sch_entry.h"

namespace ruvenset {

// The entry windows of the editor, with their bounds, range labels and starting texts.

// A new Тос point: Тос ADC code 0..65535 and Тос value −43..63 °C, starting at 0 and 0.00.
SchEntry TosPointEntry(const ProgramState& state);
// A point of a channel's table: ADC code 0..16777215 and the value within the channel's range for its
// unit (pressure 0..110 or 0..11, temperature −45..85, differential pressure 0..26000 or 0..260).
SchEntry PointEntry(const ProgramState& state, CalibrationSection section, int32_t code, float value);
// A correction point: flow value 0..upperFlowLimit and multiplier 0.95..1.05.
SchEntry CorrectionEntry(const ProgramState& state, float upperFlowLimit, float flow, float multiplier);

}  // namespace ruvenset
