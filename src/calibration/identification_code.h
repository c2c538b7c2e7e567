#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "calibration/calibration_pages.h"
#include "device/identification_code_read.h"
#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// A typed identification code: 1 to 10 decimal digits, 1 .. 4294967295; nothing else (no sign, no
// point, no blanks inside). Parsed as an integer, never through a float, which would lose digits.
std::optional<uint32_t> ParseIdentificationCode(std::string_view text);

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
