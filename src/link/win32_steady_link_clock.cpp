#include <windows.h>

#include "common/precise_timers.h"
#include "link/link_clock.h"

namespace ruvenset {
namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// How long before a deadline the timer's wait ends and the spin begins, at first: a high-resolution
// timer wakes within a fraction of a millisecond, an ordinary one within the 1 ms timer period. The
// margin then follows how late the timer really wakes, between the bounds.
constexpr int64_t kHighResolutionMarginNs = 500'000;
constexpr int64_t kOrdinaryMarginNs = 2'000'000;
constexpr int64_t kLeastMarginNs = 100'000;
constexpr int64_t kMostMarginNs = 2'000'000;

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

SteadyLinkClock::SteadyLinkClock()
    : spinMarginNs_(HighResolutionTimers() ? kHighResolutionMarginNs : kOrdinaryMarginNs) {
  UsePreciseTimers();
}

int64_t SteadyLinkClock::NowNs() {
  static const int64_t frequency = CounterFrequency();
  LARGE_INTEGER c{};
  ::QueryPerformanceCounter(&c);
  return c.QuadPart / frequency * 1'000'000'000 + c.QuadPart % frequency * 1'000'000'000 / frequency;
}

void SteadyLinkClock::WaitUntil(int64_t deadlineNs) {
  // The timer sleeps for all but the margin; the spin covers the rest. A late wake widens the margin at
  // once, and an early one narrows it a sixteenth at a time, so a system whose timer is punctual (Wine
  // on Linux, a high-resolution timer) spins only briefly.
  const int64_t sleepUntil = deadlineNs - spinMarginNs_;
  const int64_t now = NowNs();
  if (now < sleepUntil) {
    SleepOnTimer(sleepUntil - now);
    const int64_t late = NowNs() - sleepUntil;
    const int64_t wanted = late + late / 2 + kLeastMarginNs;
    spinMarginNs_ = wanted > spinMarginNs_ ? wanted : spinMarginNs_ - (spinMarginNs_ - wanted) / 16;
    if (spinMarginNs_ < kLeastMarginNs) spinMarginNs_ = kLeastMarginNs;
    if (spinMarginNs_ > kMostMarginNs) spinMarginNs_ = kMostMarginNs;
  }
  while (NowNs() < deadlineNs) {
  }
}

void SteadyLinkClock::SleepFor(int64_t ns) {
  const int64_t until = NowNs() + ns;
  while (NowNs() < until) SleepOnTimer(until - NowNs());
}

}  // namespace ruvenset
