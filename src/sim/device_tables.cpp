#include "sim/device_tables.h"

#include <cstring>

#include "common/crc16.h"
#include "sim/memory_map.h"

namespace ruvenset::sim {

uint32_t LoadCode24(const uint8_t* p, DeviceByteOrder order) {
  if (order == DeviceByteOrder::LsbFirst) return p[0] | (p[1] << 8) | (static_cast<uint32_t>(p[2]) << 16);
  return (static_cast<uint32_t>(p[0]) << 16) | (p[1] << 8) | p[2];
}

void StoreCode24(uint8_t* p, uint32_t code, DeviceByteOrder order) {
  const uint8_t high = static_cast<uint8_t>(code >> 16), mid = static_cast<uint8_t>(code >> 8),
                low = static_cast<uint8_t>(code);
  const bool lsb = order == DeviceByteOrder::LsbFirst;
  p[0] = lsb ? low : high;
  p[1] = mid;
  p[2] = lsb ? high : low;
}

void StoreCheckedBlock(uint8_t* memory, uint16_t address, const uint8_t* data, size_t size) {
  std::memmove(memory + address, data, size);
  StoreCrc16(memory + address, size);
}

void StoreSegments(uint8_t* memory, uint16_t header, uint16_t records, const std::vector<double>& starts,
                   const std::vector<float>& values, SegmentStart form, DeviceByteOrder order) {
  const size_t segments = starts.size() - 1;
  const size_t width = form == SegmentStart::Code24 ? 3 : 4;
  uint8_t* h = memory + header;
  h[0] = static_cast<uint8_t>(segments);
  for (size_t j = 0; j < segments; ++j) {
    uint8_t* at = h + 1 + width * j;
    if (form == SegmentStart::Code24) {
      StoreCode24(at, static_cast<uint32_t>(starts[j]), order);
    } else {
      StoreDeviceFloat(at, static_cast<float>(starts[j]), order);
    }
    uint8_t* r = memory + records + kSegmentRecordSize * j;
    const float slope = static_cast<float>((values[j + 1] - values[j]) / (starts[j + 1] - starts[j]));
    StoreDeviceFloat(r, values[j], order);
    StoreDeviceFloat(r + 4, slope, order);
    StoreCrc16(r, 8);
  }
  StoreCrc16(h, 1 + width * segments);
}

void StoreTosDirectory(uint8_t* memory, uint16_t address, const std::vector<uint16_t>& codes,
                       DeviceByteOrder order) {
  uint8_t* d = memory + address;
  d[0] = static_cast<uint8_t>(codes.size());
  for (size_t k = 0; k < codes.size(); ++k) StoreDeviceWord(d + 1 + 2 * k, codes[k], order);
  StoreCrc16(d, 1 + 2 * codes.size());
}

bool LoadSegments(const uint8_t* memory, uint16_t header, uint16_t records, int maxSegments,
                  SegmentStart form, DeviceByteOrder order, SegmentTable& table) {
  const uint8_t* h = memory + header;
  const int segments = h[0];
  if (segments == 0 || segments > maxSegments) return false;
  const size_t width = form == SegmentStart::Code24 ? 3 : 4;
  if (!Crc16Matches(h, 1 + width * static_cast<size_t>(segments))) return false;
  table.starts.resize(static_cast<size_t>(segments));
  table.values.resize(static_cast<size_t>(segments));
  table.slopes.resize(static_cast<size_t>(segments));
  for (size_t j = 0; j < static_cast<size_t>(segments); ++j) {
    const uint8_t* at = h + 1 + width * j;
    table.starts[j] = form == SegmentStart::Code24 ? LoadCode24(at, order) : DeviceFloatAt(at, order);
    const uint8_t* r = memory + records + kSegmentRecordSize * j;
    if (!Crc16Matches(r, 8)) return false;
    table.values[j] = DeviceFloatAt(r, order);
    table.slopes[j] = DeviceFloatAt(r + 4, order);
  }
  return true;
}

bool LoadTosDirectory(const uint8_t* memory, uint16_t address, int maxPoints, DeviceByteOrder order,
                      std::vector<uint16_t>& codes) {
  const uint8_t* d = memory + address;
  const int count = d[0];
  if (count == 0 || count > maxPoints) return false;
  if (!Crc16Matches(d, 1 + 2 * static_cast<size_t>(count))) return false;
  codes.resize(static_cast<size_t>(count));
  for (size_t k = 0; k < codes.size(); ++k) codes[k] = DeviceWordAt(d + 1 + 2 * k, order);
  return true;
}

double EvaluateSegments(const SegmentTable& table, double x) {
  size_t j = 0;
  for (size_t i = 1; i < table.starts.size(); ++i) {
    if (table.starts[i] <= x) j = i;
  }
  return table.values[j] + (x - table.starts[j]) * static_cast<double>(table.slopes[j]);
}

}  // namespace ruvenset::sim
