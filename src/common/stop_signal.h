#pragma once
#include <atomic>
#include <cstdint>

namespace ruvenset {

// A request to end the wait for an answer, from any thread, a signal handler or a console handler. It
// carries a wake-up object that a serial read waits on beside the port (an eventfd on Linux, an event
// object on Windows), so the wait ends at once instead of at its time-out.
class StopSignal {
 public:
  StopSignal();
  ~StopSignal();
  StopSignal(const StopSignal&) = delete;
  StopSignal& operator=(const StopSignal&) = delete;

  // Safe in a signal handler: an atomic store and one system call.
  void Request();
  bool requested() const { return requested_.load(); }
  // Forgets the request and drains the wake-up object.
  void Clear();
  // Waits until a stop is requested or ns have passed; true when a stop was requested.
  bool WaitFor(int64_t ns) const;
  // The wake-up object, for a read that waits on its port and the stop together: the eventfd (POSIX)
  // or the event handle (Windows). It may be signalled while no request is pending; a reader that finds
  // it so drains it with Drain().
  intptr_t wakeUp() const { return wakeUp_; }
  void Drain() const;

 private:
  std::atomic<bool> requested_{false};
  intptr_t wakeUp_;
};

}  // namespace ruvenset
