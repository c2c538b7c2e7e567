#include "common/plain_number.h"

#include <charconv>
#include <cmath>

namespace ruvenset {

std::string PlainNumber(float value) {
  char text[64];  // the largest float has 39 digits before the point
  const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  return error == std::errc() ? std::string(text, end) : std::string();
}

std::optional<float> ParsePlainNumber(std::string_view text) {
  float value = 0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || at != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace ruvenset
