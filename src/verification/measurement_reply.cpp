#include "verification/measurement_reply.h"

#include <cstring>

namespace ruvenset {
namespace {

uint32_t Word32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
         (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

float Float32(const uint8_t* p) {
  const uint32_t bits = Word32(p);
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

}  // namespace

bool ParseMeasurementReply(const uint8_t* data, int size, MeasurementReply& out) {
  if (size < kMeasurementReplySize) return false;
  out.channelAdc = Word32(data + 2);
  out.channelValid = data[6] != 0;
  out.temperatureAdc = Word32(data + 7);
  out.temperatureValid = data[11] != 0;
  out.replyWord = Word32(data + 12);
  out.ambientAdc = static_cast<uint16_t>((data[13] << 8) | data[14]);
  out.value = Float32(data + 17);
  out.temperature = Float32(data + 21);
  out.ambient = Float32(data + 25);
  return true;
}

ChannelReading ReadingOfKind(const MeasurementReply& reply, int channelKind) {
  if (channelKind == 1) return {reply.temperatureAdc, reply.temperatureValid, reply.temperature};
  return {reply.channelAdc, reply.channelValid, reply.value};
}

}  // namespace ruvenset
