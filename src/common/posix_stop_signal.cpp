#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>

#include "common/stop_signal.h"

namespace ruvenset {

StopSignal::StopSignal() : wakeUp_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

StopSignal::~StopSignal() {
  if (wakeUp_ >= 0) ::close(static_cast<int>(wakeUp_));
}

void StopSignal::Request() {
  requested_.store(true);
  if (wakeUp_ < 0) return;
  // The count only wakes a waiting read; the request itself stands even if the write fails.
  const uint64_t one = 1;
  const ssize_t written = ::write(static_cast<int>(wakeUp_), &one, sizeof one);
  static_cast<void>(written);
}

void StopSignal::Drain() const {
  if (wakeUp_ < 0) return;
  uint64_t count = 0;
  const ssize_t read = ::read(static_cast<int>(wakeUp_), &count, sizeof count);
  static_cast<void>(read);
}

void StopSignal::Clear() {
  // Forgotten before draining: a request that comes in between stays requested, and a read checks the
  // request before it polls, so it is not lost with the drained count.
  requested_.store(false);
  Drain();
}

bool StopSignal::WaitFor(int64_t ns) const {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  const int64_t until = static_cast<int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec + ns;
  for (;;) {
    if (requested()) return true;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const int64_t left = until - (static_cast<int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec);
    if (left <= 0) return false;
    timespec wait{static_cast<time_t>(left / 1'000'000'000), static_cast<long>(left % 1'000'000'000)};
    pollfd pfd{static_cast<int>(wakeUp_), POLLIN, 0};
    const int ready = ::ppoll(&pfd, 1, &wait, nullptr);
    if (ready < 0 && errno != EINTR) return requested();
    if (ready > 0 && !requested()) Drain();
  }
}

}  // namespace ruvenset
