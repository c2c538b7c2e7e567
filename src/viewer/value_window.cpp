#include "viewer/value_window.h"

#include <algorithm>
#include <cmath>

namespace ruvenset {

AxisRange ScaledWindow(AxisRange base, int scale, int offset) {
  scale = std::clamp(scale, kScaleMin, kScaleMax);
  offset = std::clamp(offset, -kOffsetLimit, kOffsetLimit);
  const double full = base.hi - base.lo;
  const double span = full / std::exp2(scale / 4.0);
  const double centre = base.lo + full / 2.0 + full / 2.0 * offset / kOffsetLimit;
  const AxisRange window{centre - span / 2.0, centre + span / 2.0};
  if (!std::isfinite(window.lo) || !std::isfinite(window.hi) || !(window.hi > window.lo)) return base;
  return window;
}

}  // namespace ruvenset
