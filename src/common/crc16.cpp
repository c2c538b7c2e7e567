#include "common/crc16.h"

#include <array>

namespace ruvenset {
namespace {

constexpr std::array<uint16_t, 256> MakeTable() {
  std::array<uint16_t, 256> table{};
  for (unsigned i = 0; i < 256; ++i) {
    uint16_t crc = static_cast<uint16_t>(i);
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
    table[i] = crc;
  }
  return table;
}

constexpr auto kTable = MakeTable();

}  // namespace

uint16_t Crc16Modbus(const uint8_t* data, size_t size) {
  uint16_t crc = 0xFFFF;
  for (size_t i = 0; i < size; ++i) crc = static_cast<uint16_t>((crc >> 8) ^ kTable[(crc ^ data[i]) & 0xFF]);
  return crc;
}

void StoreCrc16(uint8_t* data, size_t size) {
  const uint16_t crc = Crc16Modbus(data, size);
  data[size] = static_cast<uint8_t>(crc & 0xFF);
  data[size + 1] = static_cast<uint8_t>(crc >> 8);
}

bool Crc16Matches(const uint8_t* data, size_t size) {
  const uint16_t crc = Crc16Modbus(data, size);
  return data[size] == (crc & 0xFF) && data[size + 1] == (crc >> 8);
}

}  // namespace ruvenset
