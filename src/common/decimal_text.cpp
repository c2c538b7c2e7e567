#include "common/decimal_text.h"

#include <charconv>
#include <cmath>
#include <string>

namespace ruvenset {
namespace {

struct Shape {
  bool possible = false;  // only allowed characters, in an allowed order
  int digits = 0;
};

Shape ShapeOf(std::string_view text, DecimalSign sign) {
  Shape shape;
  size_t i = 0;
  if (sign == DecimalSign::Signed && i < text.size() && text[i] == '-') ++i;
  bool separator = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      ++shape.digits;
    } else if ((c == '.' || c == ',') && !separator) {
      separator = true;
    } else {
      return shape;
    }
  }
  shape.possible = true;
  return shape;
}

}  // namespace

bool DecimalTextPossible(std::string_view text, DecimalSign sign) {
  return ShapeOf(text, sign).possible;
}

std::optional<float> ParseDecimal(std::string_view text, DecimalSign sign) {
  const Shape shape = ShapeOf(text, sign);
  if (!shape.possible || shape.digits == 0) return std::nullopt;
  std::string plain(text);
  for (char& c : plain) {
    if (c == ',') c = '.';
  }
  float value = 0;
  const char* end = plain.data() + plain.size();
  const auto [at, error] = std::from_chars(plain.data(), end, value, std::chars_format::fixed);
  if (error != std::errc() || at != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace ruvenset
