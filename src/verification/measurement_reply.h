#pragma once
#include <cstdint>

namespace ruvenset {

// The data of a measurement reply (command 0x0C with a pipeline and a channel code); multi-byte
// values most significant byte first.
struct MeasurementReply {
  uint32_t channelAdc = 0;  // pressure or differential-pressure ADC code (data 2..5)
  bool channelValid = false;
  uint32_t temperatureAdc = 0;  // data 7..10
  bool temperatureValid = false;
  uint32_t replyWord = 0;   // data 12..15 as one word
  uint16_t ambientAdc = 0;  // data 13..14
  float value = 0;          // measured pressure or differential pressure (data 17..20)
  float temperature = 0;    // data 21..24
  float ambient = 0;        // ambient temperature (data 25..28)
};

// Data bytes a measurement reply must carry.
inline constexpr int kMeasurementReplySize = 29;

// False when the reply is too short to hold the fields.
bool ParseMeasurementReply(const uint8_t* data, int size, MeasurementReply& out);

// What a verification of a channel kind takes from a reply (kind 1 temperature, any other the
// pressure or differential-pressure channel).
struct ChannelReading {
  uint32_t adc;
  bool valid;
  float value;
};
ChannelReading ReadingOfKind(const MeasurementReply& reply, int channelKind);

}  // namespace ruvenset
