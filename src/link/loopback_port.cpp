#include "link/loopback_port.h"

#include <algorithm>

namespace ruvenset {

void LoopbackPort::Deliver(const uint8_t* data, size_t size, int64_t delayNs, int64_t bytePeriodNs) {
  int64_t at = clock_.NowNs() + delayNs;
  if (!incoming_.empty()) at = std::max(at, incoming_.back().at);
  for (size_t i = 0; i < size; ++i)
    incoming_.push_back({data[i], at + static_cast<int64_t>(i) * bytePeriodNs});
}

void LoopbackPort::Purge() {
  // Only what has already arrived is dropped; bytes still on their way come in later.
  const int64_t now = clock_.NowNs();
  while (!incoming_.empty() && incoming_.front().at <= now) incoming_.pop_front();
}

void LoopbackPort::SetRts(bool on) {
  if (on && !rts_) ++rtsRaises_;
  if (!on && rts_) rtsDroppedAt_ = clock_.NowNs();
  rts_ = on;
}

bool LoopbackPort::Write(const uint8_t* data, size_t size) {
  if (failWrites_) return false;
  ++writeCount_;
  written_.insert(written_.end(), data, data + size);
  if (peer_) peer_(data, size);
  return true;
}

int LoopbackPort::Read(uint8_t* data, size_t size) {
  if (failReads_) return -1;
  const int64_t ms = 1'000'000;
  const int64_t total =
      clock_.NowNs() +
      (static_cast<int64_t>(timeouts_.perByteMs) * static_cast<int64_t>(size) + timeouts_.constantMs) * ms;
  size_t got = 0;
  int64_t lastByte = 0;
  while (got < size) {
    int64_t limit = total;
    if (got > 0 && timeouts_.intervalMs > 0) limit = std::min(limit, lastByte + timeouts_.intervalMs * ms);
    const bool waits = incoming_.empty() || incoming_.front().at > clock_.NowNs();
    if (waits && StopRequested()) break;
    if (incoming_.empty() || incoming_.front().at > limit) {
      clock_.WaitUntil(limit);
      break;
    }
    const Arrival next = incoming_.front();
    incoming_.pop_front();
    clock_.WaitUntil(next.at);
    data[got++] = next.byte;
    lastByte = std::max(next.at, clock_.NowNs());
  }
  return static_cast<int>(got);
}

}  // namespace ruvenset
