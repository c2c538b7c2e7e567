#pragma once
#include <string>

namespace ruvenset {

// The time axis of a graph strip is 24 cells wide; the time per cell is one of 15 steps from 1 second
// to 5 hours.
inline constexpr int kTimeStepCount = 15;
inline constexpr int kGridCells = 24;

// Seconds per cell of step 0..14 (a step outside the list counts as the nearest end).
int TimeStepSeconds(int step);
// The step's name in the step list: "1 c" .. "30 c" (Latin c), "1 мин" .. "30 мин", "1 ч" .. "5 ч".
const char* TimeStepLabel(int step);
// The unit the axis labels of the step are written in: "с" up to 20 s, "мин" from 30 s to 20 min,
// "ч" from 30 min.
const char* TimeAxisUnit(int step);
// The label under the end of cell 2k (k = 1..12): 2 x step x k in the axis unit, "%.0f".
std::string TimeAxisLabel(int step, int k);

}  // namespace ruvenset
