#pragma once
#include <cstddef>
#include <cstdint>

namespace ruvenset::sim {

inline constexpr uint8_t kHartShortRequest = 0x02;
inline constexpr uint8_t kHartLongRequest = 0x82;
inline constexpr uint8_t kHartShortResponse = 0x06;
inline constexpr uint8_t kHartLongResponse = 0x86;
inline constexpr size_t kHartLongAddressSize = 5;

// The longitudinal parity of HART frames: the XOR of the bytes.
uint8_t HartParity(const uint8_t* bytes, size_t size);

// A HART master request, from its delimiter through its check byte.
struct HartRequest {
  bool longFrame = false;
  const uint8_t* address = nullptr;  // 1 byte (short) or 5 bytes (long)
  uint8_t command = 0;
  uint8_t byteCount = 0;
  const uint8_t* data = nullptr;
};

// The whole length of the frame that starts with `delimiter` once its header has arrived, or 0 while
// the byte count is not there yet (`available` bytes so far); -1 for a byte that starts no request.
int HartRequestLength(const uint8_t* frame, size_t available);

// False when the frame is not a request, its length disagrees with its byte count, or its parity fails.
bool ParseHartRequest(const uint8_t* frame, size_t size, HartRequest& request);

}  // namespace ruvenset::sim
