#include "common/adaptive_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ruvenset {

const char* AdaptiveFormat(float value) {
  const float m = std::isnan(value) ? 0.0f : std::fabs(value);
  if (m >= 10000.0f) return "%.0f";
  if (m >= 1000.0f) return "%.1f";
  if (m >= 100.0f) return "%.2f";
  if (m >= 10.0f) return "%.3f";
  return "%.4f";
}

std::string FormatAdaptive(float value) {
  char text[64];
  std::snprintf(text, sizeof text, AdaptiveFormat(value), static_cast<double>(value));
  return text;
}

float RoundToDisplayed(float value) {
  if (!std::isfinite(value)) return value;
  return std::strtof(FormatAdaptive(value).c_str(), nullptr);
}

}  // namespace ruvenset
