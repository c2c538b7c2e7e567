#include "common/stop_signal.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace ruvenset {

StopSignal::StopSignal() : fd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

StopSignal::~StopSignal() {
  if (fd_ >= 0) ::close(fd_);
}

void StopSignal::Request() {
  requested_.store(true);
  if (fd_ < 0) return;
  // The count only wakes a waiting read; the request itself stands even if the write fails.
  const uint64_t one = 1;
  const ssize_t written = ::write(fd_, &one, sizeof one);
  static_cast<void>(written);
}

void StopSignal::Drain() const {
  if (fd_ < 0) return;
  uint64_t count = 0;
  const ssize_t read = ::read(fd_, &count, sizeof count);
  static_cast<void>(read);
}

void StopSignal::Clear() {
  // Forgotten before draining: a request that comes in between stays requested, and a read checks the
  // request before it polls, so it is not lost with the drained count.
  requested_.store(false);
  Drain();
}

}  // namespace ruvenset
