#include "sim/hart_frame.h"

namespace ruvenset::sim {

uint8_t HartParity(const uint8_t* bytes, size_t size) {
  uint8_t x = 0;
  for (size_t i = 0; i < size; ++i) x ^= bytes[i];
  return x;
}

int HartRequestLength(const uint8_t* frame, size_t available) {
  if (available == 0) return 0;
  size_t countAt = 0;
  if (frame[0] == kHartShortRequest) {
    countAt = 3;
  } else if (frame[0] == kHartLongRequest) {
    countAt = 1 + kHartLongAddressSize + 1;
  } else {
    return -1;
  }
  if (available <= countAt) return 0;
  return static_cast<int>(countAt + 1 + frame[countAt] + 1);
}

bool ParseHartRequest(const uint8_t* frame, size_t size, HartRequest& request) {
  const int length = HartRequestLength(frame, size);
  if (length <= 0 || static_cast<size_t>(length) != size) return false;
  if (HartParity(frame, size) != 0) return false;
  request.longFrame = frame[0] == kHartLongRequest;
  request.address = frame + 1;
  const size_t commandAt = request.longFrame ? 1 + kHartLongAddressSize : 2;
  request.command = frame[commandAt];
  request.byteCount = frame[commandAt + 1];
  request.data = frame + commandAt + 2;
  return true;
}

}  // namespace ruvenset::sim
