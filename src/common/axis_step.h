#pragma once

namespace ruvenset {

// A round step for the ticks of a chart's axis: 1, 2 or 5 times a power of ten, about `count` of them
// across [low, high]; 1 for an empty span.
double AxisStep(double low, double high, int count);

}  // namespace ruvenset
