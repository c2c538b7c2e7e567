#pragma once
#include <optional>
#include <string>

#include "device/device_prompts.h"

namespace ruvenset {

inline constexpr char32_t kBackspace = 0x08;

// Whether a numeric field takes the key: digits, backspace and the decimal separators "." and ","
// always, "-" by the filter.
bool NumberKeyAccepted(char32_t key, NumberFilter filter);

// Whether a numeric field may hold `text` while it is typed or pasted (see ParseDecimal).
bool NumberTextPossible(const std::string& text, NumberFilter filter);

// The entry of a numeric dialog read as a single-precision number (a decimal point or comma), when it
// lies within the bounds (both included); nullopt keeps the dialog open.
std::optional<float> AcceptNumber(const std::string& text, float lower, float upper);

// The polling-cycle entry: one digit, accepted from the minimum polling cycle up to 6 seconds.
std::optional<int> AcceptPollingCycle(const std::string& text, int minimumCycle);

// The bound of a numeric field as the dialog shows it: rounded to the display precision.
std::string BoundText(float value);

}  // namespace ruvenset
