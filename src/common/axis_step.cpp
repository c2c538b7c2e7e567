#include "common/axis_step.h"

#include <cmath>
#include <initializer_list>

namespace ruvenset {

double AxisStep(double low, double high, int count) {
  const double raw = (high - low) / count;
  if (!(raw > 0) || !std::isfinite(raw)) return 1.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0})
    if (raw <= m * power) return m * power;
  return 10.0 * power;
}

}  // namespace ruvenset
