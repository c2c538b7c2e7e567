#include "common/permissible_error.h"

#include "common/decimal_text.h"
#include "common/plain_number.h"

namespace ruvenset {

std::optional<PermissibleError> MakePermissibleError(std::string_view number, bool percent) {
  const std::optional<float> value = ParseDecimal(number, DecimalSign::Unsigned);
  if (!value || !(*value > 0)) return std::nullopt;
  return PermissibleError{*value, percent};
}

std::optional<PermissibleError> ParsePermissibleError(std::string_view text) {
  const bool percent = !text.empty() && text.back() == '%';
  if (percent) {
    text.remove_suffix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  }
  return MakePermissibleError(text, percent);
}

std::string FormatPermissibleError(const PermissibleError& limit) {
  return PlainNumber(limit.value) + (limit.percent ? "%" : "");
}

std::optional<double> AbsoluteLimit(const PermissibleError& limit, double span) {
  if (!limit.percent) return limit.value;
  if (!(span > 0)) return std::nullopt;
  return static_cast<double>(limit.value) * span / 100.0;
}

}  // namespace ruvenset
