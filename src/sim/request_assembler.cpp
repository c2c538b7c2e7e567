#include "sim/request_assembler.h"

#include "link/frame.h"
#include "sim/hart_frame.h"

namespace ruvenset::sim {
namespace {

constexpr size_t kMaxBuffered = 1024;

}  // namespace

void RequestAssembler::Feed(const uint8_t* bytes, size_t size, int64_t nowNs,
                            std::vector<std::vector<uint8_t>>& frames) {
  if (!buffer_.empty() && nowNs - lastNs_ > gapNs_) buffer_.clear();
  lastNs_ = nowNs;
  buffer_.insert(buffer_.end(), bytes, bytes + size);
  size_t at = 0;
  while (at < buffer_.size()) {
    const uint8_t* f = buffer_.data() + at;
    const size_t left = buffer_.size() - at;
    if (f[0] != kReadStart && f[0] != kWriteStart) {
      ++at;
      continue;
    }
    if (left < 3) break;
    const size_t length = f[2];
    if (length < static_cast<size_t>(kMinFrameLength)) {
      ++at;
      continue;
    }
    if (left < length) break;
    if (ResponseChecksumValid(f)) {
      frames.emplace_back(f, f + length);
      at += length;
    } else {
      ++at;
    }
  }
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(at));
  if (buffer_.size() > kMaxBuffered) buffer_.clear();
}

void HartRequestAssembler::Reset() {
  frame_.clear();
  preambles_ = 0;
}

void HartRequestAssembler::Feed(const uint8_t* bytes, size_t size, int64_t nowNs,
                                std::vector<std::vector<uint8_t>>& frames) {
  if (nowNs - lastNs_ > gapNs_) Reset();
  lastNs_ = nowNs;
  for (size_t i = 0; i < size; ++i) {
    const uint8_t b = bytes[i];
    if (frame_.empty()) {
      if (b == 0xFF) {
        ++preambles_;
      } else if ((b == kHartShortRequest || b == kHartLongRequest) && preambles_ > 0) {
        frame_.push_back(b);
      } else {
        preambles_ = 0;
      }
      continue;
    }
    frame_.push_back(b);
    const int length = HartRequestLength(frame_.data(), frame_.size());
    if (length > 0 && frame_.size() >= static_cast<size_t>(length)) {
      frames.push_back(frame_);
      Reset();
    }
  }
}

}  // namespace ruvenset::sim
