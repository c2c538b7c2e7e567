#include "verification/wall_clock.h"

#include <chrono>
#include <cstdio>

namespace ruvenset {

void SystemWallClock::Now(std::time_t& seconds, int& milliseconds) {
  const auto now = std::chrono::system_clock::now();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  seconds = static_cast<std::time_t>(ms / 1000);
  milliseconds = static_cast<int>(ms % 1000);
}

std::string FormatReadingTime(std::time_t seconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%02d %02d:%02d:%02d", local.tm_mday, local.tm_mon + 1,
                local.tm_year % 100, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

}  // namespace ruvenset
