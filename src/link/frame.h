#pragma once
#include <cstddef>
#include <cstdint>

namespace ruvenset {

inline constexpr uint8_t kReadStart = 0xAA;
inline constexpr uint8_t kWriteStart = 0xBB;
inline constexpr uint8_t kResponseStartA = 0x55;
inline constexpr uint8_t kResponseStartB = 0x66;
inline constexpr int kMinFrameLength = 6;
inline constexpr int kMaxPreambles = 25;

// Builds a request frame in frame[0 .. length): start byte, address, length, command, the data bytes
// the caller already placed at 4 .. length-3 (with firstDataByte stored at 4 first when asked), and the
// CRC low byte then high byte. length must be 6..255.
void BuildRequest(uint8_t* frame, int writeRequest, int length, int command, int setFirstDataByte,
                  int firstDataByte, int address);

// True when a response frame (starting at its start byte, length taken from its byte 2) carries a
// matching CRC. A length byte below 6 cannot describe a frame and is never valid.
bool ResponseChecksumValid(const uint8_t* response);

}  // namespace ruvenset
