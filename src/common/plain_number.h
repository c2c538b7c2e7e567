#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace ruvenset {

// Numbers written for files that other programs read: a point as the decimal separator whatever the
// locale of the process (a Qt program takes the system's), no digit grouping.

// The shortest text without an exponent that reads back as the same single-precision value ("0.2",
// "20.25", "-0.00001"), so that the number rule reads it too.
std::string PlainNumber(float value);

// The text a PlainNumber wrote, or any decimal or exponent form of a finite number; nullopt for
// anything else (blanks, a comma, "nan", trailing characters).
std::optional<float> ParsePlainNumber(std::string_view text);

}  // namespace ruvenset
