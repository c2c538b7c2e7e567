#pragma once
#include <cstddef>
#include <cstdint>

namespace ruvenset {

// The 512-byte exchange record: the request frame as sent at 0..255, the response frame from 256.
struct LinkFrame {
  static constexpr size_t kRequestStart = 0;
  static constexpr size_t kResponseStart = 256;  // response start byte 0x55 or 0x66
  static constexpr size_t kResponseAddress = 257;
  static constexpr size_t kResponseLength = 258;
  static constexpr size_t kResponseCommand = 259;
  static constexpr size_t kResponseData = 260;

  uint8_t bytes[512];

  uint8_t* request() { return bytes; }
  const uint8_t* request() const { return bytes; }
  // Request data byte k sits at request offset 4 + k.
  uint8_t* requestData() { return bytes + 4; }
  uint8_t* response() { return bytes + kResponseStart; }
  const uint8_t* response() const { return bytes + kResponseStart; }
  uint8_t responseLength() const { return bytes[kResponseLength]; }
  uint8_t responseCommand() const { return bytes[kResponseCommand]; }
  // Response data byte k sits at offset 260 + k.
  const uint8_t* responseData() const { return bytes + kResponseData; }
  uint8_t* responseData() { return bytes + kResponseData; }
};
static_assert(sizeof(LinkFrame) == 512);

}  // namespace ruvenset
