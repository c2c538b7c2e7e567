#include "device/value_entry.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "common/adaptive_format.h"

namespace ruvenset {

bool NumberKeyAccepted(char32_t key, NumberFilter filter) {
  if ((key >= '0' && key <= '9') || key == kBackspace || filter == NumberFilter::None) return true;
  if (key == '.') return true;
  return key == '-' && filter == NumberFilter::DigitsPointMinus;
}

std::optional<float> AcceptNumber(const std::string& text, float lower, float upper) {
  if (text.empty()) return std::nullopt;
  errno = 0;
  char* end = nullptr;
  const float value = std::strtof(text.c_str(), &end);
  if (errno == ERANGE || *end != '\0' || !std::isfinite(value)) return std::nullopt;
  if (value < lower || value > upper) return std::nullopt;
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
