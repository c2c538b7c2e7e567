#pragma once
#include <ctime>
#include <string>

namespace ruvenset {

// The time of day the readings are stamped with (the tests set it).
class WallClock {
 public:
  virtual ~WallClock() = default;
  virtual void Now(std::time_t& seconds, int& milliseconds) = 0;
};

class SystemWallClock final : public WallClock {
 public:
  void Now(std::time_t& seconds, int& milliseconds) override;
};

// "dd.mm.yy hh:mm:ss" in local time.
std::string FormatReadingTime(std::time_t seconds);

}  // namespace ruvenset
