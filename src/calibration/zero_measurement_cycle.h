#pragma once
#include <cstdint>

#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// The outcome of one look at the flow computer's measurement cycle of a channel.
enum class CycleStep {
  Unchanged,      // the cycle counter has not moved: nothing new to read
  Measured,       // a new cycle was read; see CycleReading
  Abandoned,      // a link failure or refusal, and the technician declined to try again
  MarkerFailed,   // the cycle counter could not be read (reported, not asked)
  MeasureFailed,  // the measurement could not be read (reported, not asked)
  Refused,        // the flow computer refused the measurement (reported, not asked)
  Stopped,        // the technician stopped the exchange: neither asked about nor reported as a failure
};

struct CycleReading {
  uint32_t adc = 0;
  bool valid = false;
  float value = 0;          // the flow computer's measured value of the channel, in its unit
  uint8_t refusalCode = 0;  // with CycleStep::Refused
};

// Pause between seeing a new cycle and reading its measurement.
inline constexpr int64_t kCycleSettleNs = 350'000'000;

// Reads the cycle counter of the channel (command 0x1D, data byte 6 + selector); when it moved since
// `lastCounter`, remembers it, waits 350 ms and reads the measurement (command 0x0C for pipeline 1 and
// the selector). With `askOnFailure` a link failure or a refusal asks whether to try again (a stop
// gives Abandoned); without it the failure is returned for the window to show. An exchange ended by a
// stop (Stop, Escape) gives Stopped either way, never a link failure. An answer too short to hold what
// is read counts as a link failure.
[[nodiscard]] CycleStep ReadMeasurementCycle(ProgramState& state, Technician& technician, int selector,
                                             int& lastCounter, bool askOnFailure, CycleReading& out);

}  // namespace ruvenset
