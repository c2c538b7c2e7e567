#pragma once
#include <cstdint>

namespace ruvenset {

// Monotonic time for the transaction engine: the tick counter and the performance counter of the
// protocol are both read from here, so tests can run an exchange in virtual time.
class LinkClock {
 public:
  virtual ~LinkClock() = default;
  virtual int64_t NowNs() = 0;
  // Returns at the deadline or very shortly after it.
  virtual void WaitUntil(int64_t deadlineNs) = 0;
  // Waits at least this long; where lateness does not matter, this costs no processor time.
  virtual void SleepFor(int64_t ns) = 0;
};

// The machine's monotonic clock. Waits sleep until shortly before the deadline and spin only for the
// rest: the precision of a busy-wait at a fraction of its processor time.
class SteadyLinkClock final : public LinkClock {
 public:
  SteadyLinkClock();
  int64_t NowNs() override;
  void WaitUntil(int64_t deadlineNs) override;
  void SleepFor(int64_t ns) override;

 private:
  // How long before a deadline the sleep ends and the spin begins: what the system's timer may be late
  // by (on Windows learnt from the sleeps themselves, since it differs so much between systems).
  int64_t spinMarginNs_;
};

}  // namespace ruvenset
