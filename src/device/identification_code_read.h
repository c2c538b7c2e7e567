#pragma once
#include <cstdint>
#include <optional>

#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// The flow computer's identification code: a 32-bit number at memory address 4320 that ties a
// calibration file to the flow computer it was taken on; the reports and protocols give it as the
// factory number.
inline constexpr uint16_t kIdentificationCodeAddress = 4320;

// Reads the code (command 0x13, the link-error and refusal questions on failure); nullopt when the
// technician gave up or the answer was short.
std::optional<uint32_t> ReadIdentificationCode(ProgramState& state, Technician& technician);

}  // namespace ruvenset
