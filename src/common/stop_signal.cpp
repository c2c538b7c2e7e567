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
  const uint64_t one = 1;
  if (fd_ >= 0) [[maybe_unused]]
    const ssize_t n = ::write(fd_, &one, sizeof one);
}

void StopSignal::Drain() const {
  uint64_t count = 0;
  if (fd_ >= 0) [[maybe_unused]]
    const ssize_t n = ::read(fd_, &count, sizeof count);
}

void StopSignal::Clear() {
  // Forgotten before draining: a request that comes in between stays requested, and a read checks the
  // request before it polls, so it is not lost with the drained count.
  requested_.store(false);
  Drain();
}

}  // namespace ruvenset
