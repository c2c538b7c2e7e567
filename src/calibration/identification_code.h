#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "calibration/calibration_pages.h"
#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// The flow computer's identification code: a 32-bit number at memory address 4320 that ties a
// calibration file to the flow computer it was taken on.
inline constexpr uint16_t kIdentificationCodeAddress = 4320;

// A typed identification code: 1 to 10 decimal digits, 1 .. 4294967295; nothing else (no sign, no
// point, no blanks inside). Parsed as an integer, never through a float, which would lose digits.
std::optional<uint32_t> ParseIdentificationCode(std::string_view text);

// Reads the code (command 0x13, the link-error and refusal questions on failure); nullopt when the
// technician gave up or the answer was short.
std::optional<uint32_t> ReadIdentificationCode(ProgramState& state, Technician& technician);

// Writes the code (command 0x14 with the write password); false when the technician gave up.
[[nodiscard]] bool WriteIdentificationCode(ProgramState& state, Technician& technician, uint32_t code);

enum class IdentificationResult { Done, Cancelled, Failed };

// The General menu item: reads the code and shows it.
[[nodiscard]] IdentificationResult ShowIdentificationCode(ProgramState& state, Technician& technician);

// The step of a new calibration: reads the code, lets the technician confirm or change it (a changed
// code is written to the flow computer) and stores it in the calibration image.
[[nodiscard]] IdentificationResult IdentificationCodeStep(ProgramState& state, Technician& technician,
                                                          CalibrationPages& pages);

}  // namespace ruvenset
