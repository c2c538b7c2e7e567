#pragma once
#include <cstdint>
#include <string>

namespace ruvenset {

// Cell texts of the readings table and of the cursor readouts. A date outside the years 1..9999 (or
// not a number) gives empty date and time cells.
std::string FormatReadingDate(double oleDate);  // "dd.mm.yyyy"
std::string FormatReadingTime(double oleDate);  // "%02d:%02d:%02d:%03d"
std::string FormatChannelAdc(uint32_t code);    // "0x%06X"
std::string FormatReadingValue(float value);    // "%.6f"
std::string FormatAmbientAdc(uint16_t code);    // "0x%04X"
std::string FormatCursorTime(double oleDate);   // "%02d.%02d  %02d:%02d:%02d" day, month, time

}  // namespace ruvenset
