#pragma once
#include <cstdint>
#include <span>

namespace ruvenset {

// A good answer as the link received it: the command byte and exactly the data bytes its length byte
// announced. It looks into the link's own frame and holds until the next exchange.
class ResponseView {
 public:
  ResponseView() = default;
  // `frame` starts at the response start byte; its length byte has been checked.
  explicit ResponseView(const uint8_t* frame) : frame_(frame) {}

  bool empty() const { return frame_ == nullptr; }
  uint8_t command() const { return frame_ ? frame_[3] : 0; }
  // The frame from its start byte through its checksum.
  std::span<const uint8_t> frame() const {
    return frame_ ? std::span<const uint8_t>(frame_, frame_[2]) : std::span<const uint8_t>();
  }
  std::span<const uint8_t> data() const {
    return frame_ ? std::span<const uint8_t>(frame_ + 4, frame_[2] - 6u) : std::span<const uint8_t>();
  }
  int size() const { return static_cast<int>(data().size()); }
  // True when the answer echoes `command`: the flow computer refused a write.
  bool IsRefusalOf(int requestCommand) const { return frame_ && frame_[3] == requestCommand; }

 private:
  const uint8_t* frame_ = nullptr;
};

}  // namespace ruvenset
