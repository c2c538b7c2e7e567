#include "storage/device_segments.h"

#include "common/device_models.h"

#include <algorithm>
#include <array>

#include "common/crc16.h"
#include "storage/canonical_order.h"

namespace ruvenset {
namespace {

// Largest header: count byte, 32 float32 flow values, check bytes.
using HeaderBuffer = std::array<uint8_t, 1 + 4 * kCorrectionMaxSegments + 2>;

int SegmentsToWrite(int usedEntries, int maxSegments) {
  return std::clamp(usedEntries - 1, 0, maxSegments);
}

void StoreRecord(DeviceMemoryMirror& mirror, uint32_t address, float start, float slope,
                 DeviceByteOrder order) {
  uint8_t record[kSegmentRecordSize];
  EncodeSegmentRecord(record, start, slope, order);
  mirror.Store(address, record, sizeof record);
}

// Writes a header of segments codes of codeSize bytes each (filled by storeCode) and its check bytes.
template <typename StoreCode>
void StoreHeader(DeviceMemoryMirror& mirror, uint32_t address, uint8_t countByte, int segments, int codeSize,
                 StoreCode storeCode) {
  HeaderBuffer header{};
  header[0] = countByte;
  for (int j = 0; j < segments; ++j) storeCode(header.data() + 1 + codeSize * j, j);
  const size_t covered = 1 + static_cast<size_t>(codeSize * segments);
  StoreCrc16(header.data(), covered);
  mirror.Store(address, header.data(), covered + 2);
}

uint16_t TosCode16(ConstChannelSection channel, int k) {
  return static_cast<uint16_t>(channel.TosCode(k));
}

}  // namespace

void StoreDeviceCode24(uint8_t* p, uint32_t code, DeviceByteOrder order) {
  const uint8_t high = static_cast<uint8_t>(code >> 16);
  const uint8_t low = static_cast<uint8_t>(code);
  p[0] = order == DeviceByteOrder::MsbFirst ? high : low;
  p[1] = static_cast<uint8_t>(code >> 8);
  p[2] = order == DeviceByteOrder::MsbFirst ? low : high;
}

void EncodeSegmentRecord(uint8_t* out, float start, float slope, DeviceByteOrder order) {
  StoreDeviceFloat(out, start, order);
  StoreDeviceFloat(out + 4, slope, order);
  StoreCrc16(out, 8);
}

float SegmentSlope(double value0, double value1, double code0, double code1) {
  if (code1 == code0) return 0.0f;
  return static_cast<float>((value1 - value0) / (code1 - code0));
}

uint8_t SegmentCountByte(int entries) {
  if (entries <= 0) return 0xFF;
  return static_cast<uint8_t>(std::min(entries - 1, 0xFF));
}

void ConvertChannelTables(ConstChannelSection channel, const DeviceChannelTables& tables, int tosPoints,
                          bool withDirectory, DeviceByteOrder order, DeviceMemoryMirror& mirror) {
  const int usedTos = std::clamp(tosPoints, 0, channel.Limits().maxTosPoints);
  if (tables.hasTosSegments) {
    const int segments = SegmentsToWrite(usedTos, tables.maxTosSegments);
    StoreHeader(mirror, tables.tosSegmentTable, SegmentCountByte(tosPoints), segments, 3,
                [&](uint8_t* p, int j) { StoreDeviceCode24(p, TosCode16(channel, j), order); });
    for (int j = 0; j < segments; ++j) {
      const float slope = SegmentSlope(channel.TosValue(j), channel.TosValue(j + 1), TosCode16(channel, j),
                                       TosCode16(channel, j + 1));
      StoreRecord(mirror, tables.tosSegmentRecords + kSegmentRecordSize * j, channel.TosValue(j), slope,
                  order);
    }
  }
  if (withDirectory) {
    StoreHeader(mirror, tables.tosDirectory, static_cast<uint8_t>(std::min(tosPoints, 0xFF)), usedTos, 2,
                [&](uint8_t* p, int k) { StoreDeviceWord(p, TosCode16(channel, k), order); });
  }
  for (int k = 0; k < usedTos; ++k) {
    const uint32_t header = TableAddress(tables, k);
    const int segments = SegmentsToWrite(channel.UsedPoints(k), tables.maxSegments);
    StoreHeader(mirror, header, SegmentCountByte(channel.PointCount(k)), segments, 3, [&](uint8_t* p, int j) {
      StoreDeviceCode24(p, static_cast<uint32_t>(channel.PointCode(k, j)), order);
    });
    for (int j = 0; j < segments; ++j) {
      const float slope = SegmentSlope(channel.PointValue(k, j), channel.PointValue(k, j + 1),
                                       channel.PointCode(k, j), channel.PointCode(k, j + 1));
      StoreRecord(mirror, header + tables.recordsOffset + kSegmentRecordSize * j, channel.PointValue(k, j),
                  slope, order);
    }
  }
}

void ConvertCorrectionTable(const CalibrationImage& image, DeviceByteOrder order,
                            DeviceMemoryMirror& mirror) {
  const int segments = SegmentsToWrite(image.UsedCorrectionPoints(), kCorrectionMaxSegments);
  StoreHeader(mirror, kCorrectionHeader, SegmentCountByte(image.CorrectionCount()), segments, 4,
              [&](uint8_t* p, int j) { StoreDeviceFloat(p, image.CorrectionFlow(j), order); });
  for (int j = 0; j < segments; ++j) {
    const float slope = SegmentSlope(image.CorrectionMultiplier(j), image.CorrectionMultiplier(j + 1),
                                     image.CorrectionFlow(j), image.CorrectionFlow(j + 1));
    StoreRecord(mirror, kCorrectionRecords + kSegmentRecordSize * j, image.CorrectionMultiplier(j), slope,
                order);
  }
}

void ConvertSectionTables(const CalibrationImage& image, CalibrationSection section, uint8_t model,
                          DeviceByteOrder order, DeviceMemoryMirror& mirror) {
  if (!IsChannelSection(section)) {
    ConvertCorrectionTable(image, order, mirror);
    return;
  }
  const ConstChannelSection channel = image.Channel(section);
  const bool singleTos = section == CalibrationSection::Temperature && ModelOf(model).singleTos;
  ConvertChannelTables(channel, DeviceTablesOf(section), singleTos ? 1 : channel.TosCount(), !singleTos,
                       order, mirror);
}

const DeviceChannelTables& DeviceTablesOf(CalibrationSection section) {
  switch (section) {
    case CalibrationSection::Temperature:
      return kTemperatureDeviceTables;
    case CalibrationSection::DifferentialPressure:
      return kDifferentialDeviceTables;
    default:
      return kPressureDeviceTables;
  }
}

}  // namespace ruvenset
