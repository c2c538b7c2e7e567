#pragma once
#include <optional>
#include <string_view>

namespace ruvenset {

// The one rule for a number a technician types, in a window or on the command line: an optional minus
// sign (where the field takes negative values), digits, and at most one decimal separator, a point or
// a comma (Russian and Ukrainian write decimals with a comma). Nothing else is a number.
enum class DecimalSign { Unsigned, Signed };

// Whether `text` is a number, or could become one by typing more: "", "-", "2," are on their way.
bool DecimalTextPossible(std::string_view text, DecimalSign sign);

// The number `text` holds in single precision, or nullopt when it is not a number by the rule above
// or does not fit a float.
std::optional<float> ParseDecimal(std::string_view text, DecimalSign sign = DecimalSign::Signed);

}  // namespace ruvenset
