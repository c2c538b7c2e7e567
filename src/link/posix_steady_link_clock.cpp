#include <time.h>
#include <cerrno>

#include "common/precise_timers.h"
#include "link/link_clock.h"

namespace ruvenset {
namespace {

// How long before a deadline the sleep ends and the spin begins; covers the scheduler's wake-up lateness.
constexpr int64_t kSpinMarginNs = 100'000;

}  // namespace

SteadyLinkClock::SteadyLinkClock() : spinMarginNs_(kSpinMarginNs) {
  UsePreciseTimers();
}

int64_t SteadyLinkClock::NowNs() {
  timespec ts{};
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

void SteadyLinkClock::WaitUntil(int64_t deadlineNs) {
  const int64_t sleepUntil = deadlineNs - spinMarginNs_;
  if (NowNs() < sleepUntil) {
    timespec ts{static_cast<time_t>(sleepUntil / 1'000'000'000),
                static_cast<long>(sleepUntil % 1'000'000'000)};
    while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
  }
  while (NowNs() < deadlineNs) {
  }
}

void SteadyLinkClock::SleepFor(int64_t ns) {
  const int64_t until = NowNs() + ns;
  timespec ts{static_cast<time_t>(until / 1'000'000'000), static_cast<long>(until % 1'000'000'000)};
  while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
  }
}

}  // namespace ruvenset
