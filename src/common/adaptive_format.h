#pragma once
#include <string>

namespace ruvenset {

// printf format of a value by its magnitude: "%.0f" from 10000, "%.1f" from 1000, "%.2f" from 100,
// "%.3f" from 10, else "%.4f". A NaN counts as magnitude 0.
const char* AdaptiveFormat(float value);

// The value as the program displays it.
std::string FormatAdaptive(float value);

// The value rounded to its displayed precision: printed as above and read back.
float RoundToDisplayed(float value);

}  // namespace ruvenset
