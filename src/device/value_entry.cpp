#include "device/value_entry.h"

#include "common/adaptive_format.h"
#include "common/decimal_text.h"

namespace ruvenset {

bool NumberKeyAccepted(char32_t key, NumberFilter filter) {
  if ((key >= '0' && key <= '9') || key == kBackspace || filter == NumberFilter::None) return true;
  if (key == '.' || key == ',') return true;
  return key == '-' && filter == NumberFilter::DigitsPointMinus;
}

bool NumberTextPossible(const std::string& text, NumberFilter filter) {
  if (filter == NumberFilter::None) return true;
  return DecimalTextPossible(
      text, filter == NumberFilter::DigitsPointMinus ? DecimalSign::Signed : DecimalSign::Unsigned);
}

std::optional<float> AcceptNumber(const std::string& text, float lower, float upper) {
  const std::optional<float> value = ParseDecimal(text);
  if (!value || *value < lower || *value > upper) return std::nullopt;
  return value;
}

std::optional<int> AcceptPollingCycle(const std::string& text, int minimumCycle) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '9') return std::nullopt;
  const int value = text[0] - '0';
  if (value < minimumCycle || value > 6) return std::nullopt;
  return value;
}

std::string BoundText(float value) {
  return FormatAdaptive(value);
}

}  // namespace ruvenset
