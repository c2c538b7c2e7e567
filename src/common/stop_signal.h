#pragma once
#include <atomic>

namespace ruvenset {

// A request to end the wait for an answer, from any thread or from a signal handler. It carries a
// wake-up descriptor (an eventfd) that a serial read polls beside the port, so the wait ends at once
// instead of at its time-out.
class StopSignal {
 public:
  StopSignal();
  ~StopSignal();
  StopSignal(const StopSignal&) = delete;
  StopSignal& operator=(const StopSignal&) = delete;

  // Safe in a signal handler: an atomic store and one write().
  void Request();
  bool requested() const { return requested_.load(); }
  // Forgets the request and drains the descriptor.
  void Clear();
  // Readable while a request may be pending; a reader that finds it readable without a request drains
  // it with Drain().
  int fd() const { return fd_; }
  void Drain() const;

 private:
  std::atomic<bool> requested_{false};
  int fd_;
};

}  // namespace ruvenset
