#include "viewer/time_scale.h"

#include <algorithm>
#include <cstdio>

namespace ruvenset {
namespace {

struct TimeStep {
  int seconds;
  const char* label;
};

constexpr TimeStep kSteps[kTimeStepCount] = {
    {1, "1 c"},       {2, "2 c"},       {5, "5 c"},     {10, "10 c"},   {20, "20 c"},
    {30, "30 c"},     {60, "1 мин"},    {120, "2 мин"}, {300, "5 мин"}, {600, "10 мин"},
    {1200, "20 мин"}, {1800, "30 мин"}, {3600, "1 ч"},  {7200, "2 ч"},  {18000, "5 ч"},
};

int Clamp(int step) {
  return std::clamp(step, 0, kTimeStepCount - 1);
}

int AxisUnitSeconds(int step) {
  const int seconds = TimeStepSeconds(step);
  if (seconds <= 20) return 1;
  if (seconds <= 1200) return 60;
  return 3600;
}

}  // namespace

int TimeStepSeconds(int step) {
  return kSteps[Clamp(step)].seconds;
}

const char* TimeStepLabel(int step) {
  return kSteps[Clamp(step)].label;
}

const char* TimeAxisUnit(int step) {
  switch (AxisUnitSeconds(step)) {
    case 1:
      return "с";
    case 60:
      return "мин";
  }
  return "ч";
}

std::string TimeAxisLabel(int step, int k) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f",
                2.0 * TimeStepSeconds(step) * k / static_cast<double>(AxisUnitSeconds(step)));
  return text;
}

}  // namespace ruvenset
