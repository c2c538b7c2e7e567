#pragma once
#include <chrono>
#include <cstdint>

namespace ruvenset {

// Now on the steady clock, in nanoseconds: the time base of the serial ports' deadlines and of the
// simulator's answers.
inline int64_t SteadyNowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace ruvenset
