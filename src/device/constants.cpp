#include "device/constants.h"

#include <cstring>

namespace ruvenset {
namespace {

struct Layout {
  uint8_t bits;
  int offset;
};

Layout LayoutOf(ConstantChannel channel, uint8_t pipelineFlag) {
  switch (channel) {
    case ConstantChannel::Pressure:
      return {0x01, 6};
    case ConstantChannel::Temperature:
      return {0x02, 10};
    case ConstantChannel::DiffPressure:
      return {static_cast<uint8_t>(((pipelineFlag & 0x10) && !(pipelineFlag & 0x80)) ? 0x0C : 0x04), 2};
    case ConstantChannel::Density:
      return {0x10, 15};
  }
  return {0, 0};
}

}  // namespace

ConstantChoice ReadConstantChoice(const uint8_t* stateRecord, ConstantChannel channel) {
  const Layout l = LayoutOf(channel, 0);
  ConstantChoice c;
  c.measured = (stateRecord[1] & l.bits) != 0;
  std::memcpy(&c.constant, stateRecord + l.offset, 4);
  return c;
}

ConstantsChoices ReadConstantsChoices(const uint8_t* stateRecord, bool densityShown) {
  ConstantsChoices c;
  c.pressure = ReadConstantChoice(stateRecord, ConstantChannel::Pressure);
  c.temperature = ReadConstantChoice(stateRecord, ConstantChannel::Temperature);
  c.diffPressure = ReadConstantChoice(stateRecord, ConstantChannel::DiffPressure);
  c.density = ReadConstantChoice(stateRecord, ConstantChannel::Density);
  c.densityShown = densityShown;
  return c;
}

void ApplyConstantChoice(uint8_t* stateRecord, uint8_t pipelineFlag, ConstantChannel channel,
                         const ConstantChoice& choice) {
  const Layout l = LayoutOf(channel, pipelineFlag);
  if (choice.measured) {
    stateRecord[1] |= l.bits;
  } else {
    stateRecord[1] &= static_cast<uint8_t>(~l.bits);
    std::memcpy(stateRecord + l.offset, &choice.constant, 4);
  }
}

int ApplyConstants(uint8_t* stateRecord, const uint8_t* saved, uint8_t pipelineFlag, int mode,
                   const ConstantsChoices& choices, int channelKind, const ConstantChoice& single) {
  if (mode == 0) {
    ApplyConstantChoice(stateRecord, pipelineFlag, ConstantChannel::Pressure, choices.pressure);
    ApplyConstantChoice(stateRecord, pipelineFlag, ConstantChannel::Temperature, choices.temperature);
    ApplyConstantChoice(stateRecord, pipelineFlag, ConstantChannel::DiffPressure, choices.diffPressure);
    if (choices.densityShown)
      ApplyConstantChoice(stateRecord, pipelineFlag, ConstantChannel::Density, choices.density);
  } else if (mode == 1) {
    ApplyConstantChoice(stateRecord, pipelineFlag, ConstantChannel::DiffPressure, single);
  } else {
    const ConstantChannel channel = channelKind == 0   ? ConstantChannel::Pressure
                                    : channelKind == 1 ? ConstantChannel::Temperature
                                    : channelKind == 4 ? ConstantChannel::Density
                                                       : ConstantChannel::DiffPressure;
    ApplyConstantChoice(stateRecord, pipelineFlag, channel, single);
  }
  return std::memcmp(stateRecord, saved, kPipelineStateSize) != 0 ? 1 : 0;
}

}  // namespace ruvenset
