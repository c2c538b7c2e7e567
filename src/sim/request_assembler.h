#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ruvenset::sim {

// Picks the flow computer's request frames out of the bytes of the line: skips preambles and noise up
// to a start byte 0xAA or 0xBB, reads the frame by its length byte and keeps it when its check bytes
// hold; otherwise it looks for the next start byte one byte further on. A pause longer than the gap
// drops a frame that never finished.
class RequestAssembler {
 public:
  explicit RequestAssembler(int64_t gapNs) : gapNs_(gapNs) {}
  void Feed(const uint8_t* bytes, size_t size, int64_t nowNs, std::vector<std::vector<uint8_t>>& frames);
  void Reset() { buffer_.clear(); }

 private:
  std::vector<uint8_t> buffer_;
  int64_t gapNs_;
  int64_t lastNs_ = 0;
};

// The same for HART master requests: at least one preamble 0xFF, a delimiter 0x02 or 0x82, then the
// frame by its byte count. Frames are passed on whole; their parity is the transmitter's to check.
class HartRequestAssembler {
 public:
  explicit HartRequestAssembler(int64_t gapNs) : gapNs_(gapNs) {}
  void Feed(const uint8_t* bytes, size_t size, int64_t nowNs, std::vector<std::vector<uint8_t>>& frames);
  void Reset();

 private:
  std::vector<uint8_t> frame_;
  int preambles_ = 0;
  int64_t gapNs_;
  int64_t lastNs_ = 0;
};

}  // namespace ruvenset::sim
