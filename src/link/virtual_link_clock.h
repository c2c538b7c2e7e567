#pragma once
#include "link/link_clock.h"

namespace ruvenset {

// Time that passes only when someone waits: exchanges over the loopback port run in no real time.
class VirtualLinkClock final : public LinkClock {
 public:
  int64_t NowNs() override { return now_; }
  void WaitUntil(int64_t deadlineNs) override {
    if (deadlineNs > now_) now_ = deadlineNs;
  }
  void SleepFor(int64_t ns) override { WaitUntil(now_ + ns); }

 private:
  int64_t now_ = 1'000'000'000;
};

}  // namespace ruvenset
