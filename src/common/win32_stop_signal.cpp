#include <windows.h>

#include <chrono>

#include "common/stop_signal.h"

namespace ruvenset {
namespace {

HANDLE EventOf(intptr_t wakeUp) {
  return reinterpret_cast<HANDLE>(wakeUp);
}

}  // namespace

// A manual-reset event: it stays signalled until the request is cleared, so every wait sees it.
StopSignal::StopSignal()
    : wakeUp_(reinterpret_cast<intptr_t>(::CreateEventW(nullptr, TRUE, FALSE, nullptr))) {}

StopSignal::~StopSignal() {
  if (wakeUp_ != 0) ::CloseHandle(EventOf(wakeUp_));
}

void StopSignal::Request() {
  requested_.store(true);
  if (wakeUp_ != 0) ::SetEvent(EventOf(wakeUp_));
}

void StopSignal::Drain() const {
  if (wakeUp_ != 0) ::ResetEvent(EventOf(wakeUp_));
}

void StopSignal::Clear() {
  // Forgotten before the event is reset: a request that comes in between stays requested, and a read
  // checks the request before it waits, so it is not lost with the reset event.
  requested_.store(false);
  Drain();
}

bool StopSignal::WaitFor(int64_t ns) const {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point until = Clock::now() + std::chrono::nanoseconds(ns);
  for (;;) {
    if (requested()) return true;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now()).count();
    if (left <= 0) return false;
    if (::WaitForSingleObject(EventOf(wakeUp_), static_cast<DWORD>(left)) == WAIT_OBJECT_0 && !requested())
      Drain();
  }
}

}  // namespace ruvenset
