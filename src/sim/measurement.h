#pragma once
#include <cstdint>

#include "common/byte_order.h"
#include "sim/memory_map.h"

namespace ruvenset::sim {

struct ChannelReading {
  bool valid = false;
  float value = 0.0f;
};

// What the flow computer computes from an ADC code through the calibration tables in its memory: the
// value of every Tos point's table at the code, interpolated linearly between the two Tos points whose
// codes enclose the ambient code (extended along the outermost pair beyond them). Invalid when a table
// is missing or fails its check bytes.
ChannelReading MeasureSection(const uint8_t* memory, const ChannelSectionLayout& section, uint32_t code,
                              uint16_t tosCode, DeviceByteOrder order);

// The ambient temperature from the pressure section's Tos segments, or from the sensor's nominal
// characteristic when there are none.
ChannelReading MeasureAmbient(const uint8_t* memory, uint16_t tosCode, DeviceByteOrder order);

// The linear correction of the nominal characteristic: slope x value + offset, from the characteristic
// constants block when its check bytes hold.
float ApplyCharacteristic(const uint8_t* memory, bool differential, float value, DeviceByteOrder order);

}  // namespace ruvenset::sim
