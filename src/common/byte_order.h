#pragma once
#include <cstdint>
#include <cstring>

namespace ruvenset {

// The flow computer sends multi-byte values most significant byte first unless its byte order flag
// (identification data byte 4, bit 3) says least significant byte first.
enum class DeviceByteOrder : uint8_t { MsbFirst = 0, LsbFirst = 1 };

// Puts 4 bytes of a device float into host order in place. Mode 0 only reorders; a nonzero mode
// quiets a NaN (sets mantissa bit 22), and mode 4 replaces a NaN by 99999.0. Infinities stay.
// Reordering is its own inverse, so mode 0 also turns a host value back into device order.
void DeviceFloatToHost(uint8_t* value, int mode, DeviceByteOrder order);

// Puts 2 bytes of a device word into host order in place (and back: the swap is its own inverse).
void DeviceWordToHost(uint8_t* value, DeviceByteOrder order);

// Reads a device float / word at p without changing the buffer.
float DeviceFloatAt(const uint8_t* p, DeviceByteOrder order, int mode = 0);
uint16_t DeviceWordAt(const uint8_t* p, DeviceByteOrder order);
// A 32-bit value of a flow computer's answer in its byte order.
uint32_t DeviceLongAt(const uint8_t* p, DeviceByteOrder order);
// Stores a host value at p in the device's byte order.
void StoreDeviceFloat(uint8_t* p, float value, DeviceByteOrder order);
void StoreDeviceWord(uint8_t* p, uint16_t value, DeviceByteOrder order);

// Little-endian fields of files (calibration files, verification data files), whatever the host.
inline uint16_t LoadLe16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t LoadLe32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline void StoreLe16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
inline void StoreLe32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline float LoadLeFloat(const uint8_t* p) {
  const uint32_t bits = LoadLe32(p);
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}
inline void StoreLeFloat(uint8_t* p, float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, 4);
  StoreLe32(p, bits);
}
inline double LoadLeDouble(const uint8_t* p) {
  const uint64_t bits = static_cast<uint64_t>(LoadLe32(p)) | (static_cast<uint64_t>(LoadLe32(p + 4)) << 32);
  double d;
  std::memcpy(&d, &bits, 8);
  return d;
}
inline void StoreLeDouble(uint8_t* p, double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, 8);
  StoreLe32(p, static_cast<uint32_t>(bits));
  StoreLe32(p + 4, static_cast<uint32_t>(bits >> 32));
}

}  // namespace ruvenset
