#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/byte_order.h"

namespace ruvenset::sim {

// How a segment header stores the start of each segment: 3-byte codes for ADC and Tos tables, float
// flow values for the meter correction table.
enum class SegmentStart { Code24, Float };

// A piecewise-linear table as the flow computer keeps it: segment j starts at starts[j] with
// values[j] and rises by slopes[j] per unit of the start quantity.
struct SegmentTable {
  std::vector<double> starts;
  std::vector<float> values;
  std::vector<float> slopes;
};

uint32_t LoadCode24(const uint8_t* p, DeviceByteOrder order);
void StoreCode24(uint8_t* p, uint32_t code, DeviceByteOrder order);

// Stores a data block and its check bytes (CRC low byte first) at memory[address].
void StoreCheckedBlock(uint8_t* memory, uint16_t address, const uint8_t* data, size_t size);

// Converts points (sorted by start, at least two) into a header at `header` and segment records from
// `records`, every part with its check bytes, values in the device's byte order.
void StoreSegments(uint8_t* memory, uint16_t header, uint16_t records, const std::vector<double>& starts,
                   const std::vector<float>& values, SegmentStart form, DeviceByteOrder order);
void StoreTosDirectory(uint8_t* memory, uint16_t address, const std::vector<uint16_t>& codes,
                       DeviceByteOrder order);

// Reads a segment table back; false when its count is 0 or above maxSegments or a check fails.
bool LoadSegments(const uint8_t* memory, uint16_t header, uint16_t records, int maxSegments,
                  SegmentStart form, DeviceByteOrder order, SegmentTable& table);
// Reads a Tos directory; false when its count is 0 or above maxPoints or its check fails.
bool LoadTosDirectory(const uint8_t* memory, uint16_t address, int maxPoints, DeviceByteOrder order,
                      std::vector<uint16_t>& codes);

// The value at x: the segment that starts at or below x (the first one below all starts), extended
// along its slope.
double EvaluateSegments(const SegmentTable& table, double x);

}  // namespace ruvenset::sim
