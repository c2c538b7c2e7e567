#include "link/frame.h"

#include "common/crc16.h"

namespace ruvenset {

void BuildRequest(uint8_t* frame, int writeRequest, int length, int command, int setFirstDataByte,
                  int firstDataByte, int address) {
  frame[0] = writeRequest ? kWriteStart : kReadStart;
  frame[1] = static_cast<uint8_t>(address);
  frame[2] = static_cast<uint8_t>(length);
  frame[3] = static_cast<uint8_t>(command);
  if (setFirstDataByte) frame[4] = static_cast<uint8_t>(firstDataByte);
  StoreCrc16(frame, static_cast<size_t>(length - 2));
}

bool ResponseChecksumValid(const uint8_t* response) {
  const int length = response[2];
  if (length < kMinFrameLength) return false;
  return Crc16Matches(response, static_cast<size_t>(length - 2));
}

}  // namespace ruvenset
