#include "session/device_memory_mirror.h"

#include <algorithm>

#include "common/crc16.h"

namespace ruvenset {

void DeviceMemoryMirror::Store(uint32_t address, const uint8_t* data, size_t size) {
  if (address >= kSize) return;
  const size_t n = std::min(size, kSize - address);
  std::copy(data, data + n, bytes_.begin() + address);
  std::fill(known_.begin() + address, known_.begin() + address + n, uint8_t{1});
}

bool DeviceMemoryMirror::Known(uint32_t address, size_t size) const {
  if (address > kSize || size > kSize - address) return false;
  return std::all_of(known_.begin() + address, known_.begin() + address + size,
                     [](uint8_t k) { return k != 0; });
}

bool DeviceMemoryMirror::Load(uint32_t address, uint8_t* out, size_t size) const {
  if (!Known(address, size)) return false;
  std::copy(bytes_.begin() + address, bytes_.begin() + address + size, out);
  return true;
}

bool DeviceMemoryMirror::BlockIntact(uint32_t address, size_t dataSize) const {
  return Known(address, dataSize + 2) && Crc16Matches(bytes_.data() + address, dataSize);
}

void DeviceMemoryMirror::Forget() {
  std::fill(known_.begin(), known_.end(), uint8_t{0});
}

}  // namespace ruvenset
