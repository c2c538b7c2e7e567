#include "common/byte_order.h"

#include <bit>
#include <utility>

namespace ruvenset {
namespace {

// True when the device's byte order differs from the host's, so values must be reversed.
bool MustReverse(DeviceByteOrder order) {
  const bool deviceLittle = order == DeviceByteOrder::LsbFirst;
  return deviceLittle != (std::endian::native == std::endian::little);
}

}  // namespace

void DeviceFloatToHost(uint8_t* value, int mode, DeviceByteOrder order) {
  if (MustReverse(order)) {
    std::swap(value[0], value[3]);
    std::swap(value[1], value[2]);
  }
  if (mode == 0) return;
  uint32_t bits;
  std::memcpy(&bits, value, 4);
  const bool isNan = (bits & 0x7F800000u) == 0x7F800000u && (bits & 0x007FFFFFu) != 0;
  if (!isNan) return;
  if (mode == 4) {
    const float replacement = 99999.0f;
    std::memcpy(value, &replacement, 4);
  } else {
    bits |= 0x00400000u;
    std::memcpy(value, &bits, 4);
  }
}

void DeviceWordToHost(uint8_t* value, DeviceByteOrder order) {
  if (MustReverse(order)) std::swap(value[0], value[1]);
}

float DeviceFloatAt(const uint8_t* p, DeviceByteOrder order, int mode) {
  uint8_t b[4] = {p[0], p[1], p[2], p[3]};
  DeviceFloatToHost(b, mode, order);
  float f;
  std::memcpy(&f, b, 4);
  return f;
}

uint16_t DeviceWordAt(const uint8_t* p, DeviceByteOrder order) {
  uint8_t b[2] = {p[0], p[1]};
  DeviceWordToHost(b, order);
  uint16_t w;
  std::memcpy(&w, b, 2);
  return w;
}

uint32_t DeviceLongAt(const uint8_t* p, DeviceByteOrder order) {
  if (order == DeviceByteOrder::LsbFirst) return LoadLe32(p);
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
         static_cast<uint32_t>(p[2]) << 8 | p[3];
}

void StoreDeviceFloat(uint8_t* p, float value, DeviceByteOrder order) {
  std::memcpy(p, &value, 4);
  DeviceFloatToHost(p, 0, order);
}

void StoreDeviceWord(uint8_t* p, uint16_t value, DeviceByteOrder order) {
  std::memcpy(p, &value, 2);
  DeviceWordToHost(p, order);
}

}  // namespace ruvenset
