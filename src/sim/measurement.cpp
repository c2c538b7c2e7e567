#include "sim/measurement.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "common/crc16.h"
#include "sim/device_tables.h"
#include "sim/sensor_physics.h"

namespace ruvenset::sim {

ChannelReading MeasureSection(const uint8_t* memory, const ChannelSectionLayout& section, uint32_t code,
                              uint16_t tosCode, DeviceByteOrder order) {
  std::vector<uint16_t> tosCodes;
  if (!LoadTosDirectory(memory, section.tosDirectory, section.maxTosPoints, order, tosCodes)) return {};
  std::vector<std::pair<double, double>> points;  // (Tos code, value at the code)
  SegmentTable table;
  for (size_t k = 0; k < tosCodes.size(); ++k) {
    const uint16_t header = static_cast<uint16_t>(section.firstTable + section.tableStride * k);
    if (!LoadSegments(memory, header, static_cast<uint16_t>(header + section.recordsFromHeader),
                      section.maxPoints - 1, SegmentStart::Code24, order, table)) {
      return {};
    }
    points.emplace_back(tosCodes[k], EvaluateSegments(table, code));
  }
  std::stable_sort(points.begin(), points.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  if (points.size() == 1) return {true, static_cast<float>(points.front().second)};
  // The pair of Tos points around the ambient code; beyond the outer ones, the outermost pair.
  size_t k = 0;
  while (k + 2 < points.size() && points[k + 1].first < tosCode) ++k;
  const auto& [c0, v0] = points[k];
  const auto& [c1, v1] = points[k + 1];
  const double value = c1 == c0 ? v0 : v0 + (tosCode - c0) / (c1 - c0) * (v1 - v0);
  return {true, static_cast<float>(value)};
}

ChannelReading MeasureAmbient(const uint8_t* memory, uint16_t tosCode, DeviceByteOrder order) {
  SegmentTable table;
  if (LoadSegments(memory, kPressureSection.tosSegmentTable, kPressureSection.tosSegmentRecords,
                   kPressureSection.maxTosPoints - 1, SegmentStart::Code24, order, table)) {
    return {true, static_cast<float>(EvaluateSegments(table, tosCode))};
  }
  return {true, static_cast<float>(NominalAmbient(tosCode))};
}

float ApplyCharacteristic(const uint8_t* memory, bool differential, float value, DeviceByteOrder order) {
  const uint8_t* block = memory + kCharacteristicConstants;
  if (!Crc16Matches(block, kConstantsSize)) return value;
  const size_t at = differential ? 8 : 0;
  return DeviceFloatAt(block + at + 4, order) * value + DeviceFloatAt(block + at, order);
}

}  // namespace ruvenset::sim
