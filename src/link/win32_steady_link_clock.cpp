#include <windows.h>

#include "common/precise_timers.h"
#include "link/link_clock.h"

namespace ruvenset {
namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// How long before a deadline the timer's wait ends and the spin begins: a high-resolution timer wakes
// within a fraction of a millisecond, an ordinary one within the 1 ms timer period.
constexpr int64_t kHighResolutionMarginNs = 500'000;
constexpr int64_t kOrdinaryMarginNs = 2'000'000;

int64_t CounterFrequency() {
  LARGE_INTEGER f{};
  ::QueryPerformanceFrequency(&f);
  return f.QuadPart;
}

HANDLE NewTimer(bool highResolution) {
  return highResolution ? ::CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                                   TIMER_ALL_ACCESS)
                        : ::CreateWaitableTimerW(nullptr, TRUE, nullptr);
}

// Whether this Windows has high-resolution timers (Windows 10 1803 and later).
bool HighResolutionTimers() {
  static const bool available = [] {
    HANDLE timer = NewTimer(true);
    if (timer == nullptr) return false;
    ::CloseHandle(timer);
    return true;
  }();
  return available;
}

// Sleeps on a waitable timer for about ns, never less.
void SleepOnTimer(int64_t ns) {
  HANDLE timer = NewTimer(HighResolutionTimers());
  LARGE_INTEGER due{};
  due.QuadPart = -((ns + 99) / 100);  // relative, in 100 ns units
  if (timer != nullptr && ::SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
    ::WaitForSingleObject(timer, INFINITE);
  } else {
    ::Sleep(static_cast<DWORD>((ns + 999'999) / 1'000'000));
  }
  if (timer != nullptr) ::CloseHandle(timer);
}

}  // namespace

SteadyLinkClock::SteadyLinkClock() {
  UsePreciseTimers();
}

int64_t SteadyLinkClock::NowNs() {
  static const int64_t frequency = CounterFrequency();
  LARGE_INTEGER c{};
  ::QueryPerformanceCounter(&c);
  return c.QuadPart / frequency * 1'000'000'000 + c.QuadPart % frequency * 1'000'000'000 / frequency;
}

void SteadyLinkClock::WaitUntil(int64_t deadlineNs) {
  // The timer sleeps for all but the margin of its kind; the spin covers the rest.
  const int64_t margin = HighResolutionTimers() ? kHighResolutionMarginNs : kOrdinaryMarginNs;
  const int64_t left = deadlineNs - NowNs() - margin;
  if (left > 0) SleepOnTimer(left);
  while (NowNs() < deadlineNs) {
  }
}

void SteadyLinkClock::SleepFor(int64_t ns) {
  const int64_t until = NowNs() + ns;
  while (NowNs() < until) SleepOnTimer(until - NowNs());
}

}  // namespace ruvenset
