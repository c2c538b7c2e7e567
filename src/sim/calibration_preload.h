#pragma once
#include <cstdint>

#include "common/byte_order.h"

namespace ruvenset::sim {

struct PreloadChoices {
  DeviceByteOrder order = DeviceByteOrder::MsbFirst;
  int model = 0;
  // The differential-pressure section at 4324 (a flow computer with a differential-pressure channel);
  // otherwise the same addresses hold the meter correction table.
  bool differentialSection = false;
  uint32_t identificationCode = 0;
};

// Fills a 64 KiB memory with a factory calibration that inverts the simulated sensors at three Tos
// points per channel, and the parameter blocks, every part with valid check bytes.
void PreloadMemory(uint8_t* memory, const PreloadChoices& choices);

}  // namespace ruvenset::sim
