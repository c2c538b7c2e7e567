#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ruvenset {

// The program's copy of the flow computer's memory: byte a holds memory address a, in the flow
// computer's byte order. Each byte also records whether it is known (was read or written), so a
// block that was never read cannot be mistaken for zeros.
class DeviceMemoryMirror {
 public:
  static constexpr size_t kSize = 65536;

  DeviceMemoryMirror() : bytes_(kSize, 0), known_(kSize, 0) {}

  // Copies data to address onward and marks it known; bytes that would lie beyond the memory are dropped.
  void Store(uint32_t address, const uint8_t* data, size_t size);
  // Copies size bytes from address into out when all of them are known; false (out untouched) otherwise.
  bool Load(uint32_t address, uint8_t* out, size_t size) const;
  bool Known(uint32_t address, size_t size) const;
  // True when the block of dataSize bytes at address and its 2 check bytes are known and match.
  bool BlockIntact(uint32_t address, size_t dataSize) const;
  // Marks everything unknown (a new flow computer).
  void Forget();

 private:
  std::vector<uint8_t> bytes_;
  std::vector<uint8_t> known_;
};

}  // namespace ruvenset
