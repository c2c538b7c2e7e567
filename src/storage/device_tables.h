#pragma once
#include <cstdint>

namespace ruvenset {

// Where the flow computer keeps a channel's calibration: piecewise-linear segments. A table of m + 1
// points is a header (count byte m, one 3-byte start code per segment, 2 check bytes over 1 + 3m
// bytes) and m segment records (float32 value at the segment's start, float32 slope per code unit,
// 2 check bytes over the first 8). The Тос level of pressure and differential pressure is kept the
// same way; the Тос directory holds the count of Тос points and their 16-bit Тос codes.
struct DeviceChannelTables {
  bool hasTosSegments;         // pressure and differential pressure
  uint16_t tosSegmentTable;    // header of the Тос segments
  uint16_t tosSegmentRecords;  // Тос segment record j at + 10·j
  uint16_t tosDirectory;       // count byte (Тос points), 16-bit codes, 2 check bytes
  uint16_t firstTable;         // header of point table 0
  uint16_t tableStride;        // from table k to table k + 1
  uint16_t recordsOffset;      // from a table's header to its segment record 0
  int maxTosPoints;
  int maxTosSegments;
  int maxSegments;  // per point table
};

inline constexpr uint16_t kSegmentRecordSize = 10;
inline constexpr int kCorrectionMaxSegments = 32;

inline constexpr DeviceChannelTables kPressureDeviceTables{true, 0, 33, 133, 158, 315, 75, 11, 10, 24};
inline constexpr DeviceChannelTables kTemperatureDeviceTables{false, 0, 0, 3623, 3636, 133, 33, 5, 0, 10};
inline constexpr DeviceChannelTables kDifferentialDeviceTables{true, 4324, 4357, 4457, 4482,
                                                               315,  75,   11,   10,   24};

// Meter correction table: header (count byte, one float32 flow value per segment, 2 check bytes over
// 1 + 4·count bytes) and segment records (multiplier at the segment's start, slope per flow unit).
inline constexpr uint16_t kCorrectionHeader = 4324;
inline constexpr uint16_t kCorrectionRecords = 4455;

// Shared blocks: data bytes followed by 2 check bytes.
inline constexpr uint16_t kMainAdcBlock = 4301;  // 9 data bytes: pressure and temperature channels
inline constexpr uint16_t kUnitsBlock = 4312;  // 6 data bytes: byte 0 pressure unit, byte 2 differential unit
inline constexpr uint16_t kIdentificationAddress = 4320;  // 4 bytes, no check bytes
inline constexpr uint16_t kSecondAdcBlock = 7947;         // 9 data bytes: differential-pressure channel
inline constexpr uint16_t kConstantsBlock =
    7958;  // 24 data bytes: offset/slope floats, pressure 0/4, differential 8/12
inline constexpr uint16_t kMeasurementBlock =
    7984;  // 16 data bytes: pauses (16-bit) 0/2/4, conversions 10/11/12
inline constexpr uint16_t kAdcBlockData = 9;
inline constexpr uint16_t kUnitsBlockData = 6;
inline constexpr uint16_t kConstantsBlockData = 24;
inline constexpr uint16_t kMeasurementBlockData = 16;

constexpr uint16_t HeaderSize(int maxSegments, int codeSize) {
  return static_cast<uint16_t>(1 + codeSize * maxSegments + 2);
}
constexpr uint16_t TableAddress(const DeviceChannelTables& t, int k) {
  return static_cast<uint16_t>(t.firstTable + t.tableStride * k);
}

static_assert(kPressureDeviceTables.tosSegmentTable + HeaderSize(10, 3) ==
              kPressureDeviceTables.tosSegmentRecords);
static_assert(kPressureDeviceTables.tosSegmentRecords + 10 * kSegmentRecordSize ==
              kPressureDeviceTables.tosDirectory);
static_assert(kPressureDeviceTables.tosDirectory + HeaderSize(11, 2) == kPressureDeviceTables.firstTable);
static_assert(HeaderSize(24, 3) == kPressureDeviceTables.recordsOffset);
static_assert(HeaderSize(24, 3) + 24 * kSegmentRecordSize == kPressureDeviceTables.tableStride);
static_assert(TableAddress(kPressureDeviceTables, 11) == kTemperatureDeviceTables.tosDirectory);
static_assert(kTemperatureDeviceTables.tosDirectory + HeaderSize(5, 2) ==
              kTemperatureDeviceTables.firstTable);
static_assert(HeaderSize(10, 3) == kTemperatureDeviceTables.recordsOffset);
static_assert(HeaderSize(10, 3) + 10 * kSegmentRecordSize == kTemperatureDeviceTables.tableStride);
static_assert(TableAddress(kTemperatureDeviceTables, 5) == kMainAdcBlock);
static_assert(kMainAdcBlock + kAdcBlockData + 2 == kUnitsBlock);
static_assert(kUnitsBlock + kUnitsBlockData + 2 == kIdentificationAddress);
static_assert(kIdentificationAddress + 4 == kDifferentialDeviceTables.tosSegmentTable);
static_assert(kDifferentialDeviceTables.tosSegmentTable + HeaderSize(10, 3) ==
              kDifferentialDeviceTables.tosSegmentRecords);
static_assert(kDifferentialDeviceTables.tosSegmentRecords + 10 * kSegmentRecordSize ==
              kDifferentialDeviceTables.tosDirectory);
static_assert(kDifferentialDeviceTables.tosDirectory + HeaderSize(11, 2) ==
              kDifferentialDeviceTables.firstTable);
static_assert(TableAddress(kDifferentialDeviceTables, 11) == kSecondAdcBlock);
static_assert(kSecondAdcBlock + kAdcBlockData + 2 == kConstantsBlock);
static_assert(kConstantsBlock + kConstantsBlockData + 2 == kMeasurementBlock);
static_assert(kCorrectionHeader + HeaderSize(kCorrectionMaxSegments, 4) == kCorrectionRecords);

}  // namespace ruvenset
