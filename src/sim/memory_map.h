#pragma once
#include <cstddef>
#include <cstdint>

namespace ruvenset::sim {

inline constexpr size_t kMemorySize = 65536;
inline constexpr size_t kSegmentRecordSize = 10;  // float start value, float slope, 2 check bytes

// Where one channel's calibration lives. A point table is a header (count byte = points - 1, one 3-byte
// start code per segment, check bytes) followed by its segment records; the Tos level of the pressure
// and differential-pressure channels is a segment table of its own plus a directory of 16-bit Tos codes.
struct ChannelSectionLayout {
  uint16_t tosSegmentTable;    // 0 when the section has none (temperature)
  uint16_t tosSegmentRecords;  // first Tos segment record
  uint16_t tosDirectory;
  uint16_t firstTable;   // header of point table 0
  uint16_t tableStride;  // from one table header to the next
  uint16_t recordsFromHeader;
  int maxTosPoints;
  int maxPoints;
  bool hasTosSegments;
};

inline constexpr ChannelSectionLayout kPressureSection{0, 33, 133, 158, 315, 75, 11, 25, true};
inline constexpr ChannelSectionLayout kTemperatureSection{0, 0, 3623, 3636, 133, 33, 5, 11, false};
inline constexpr ChannelSectionLayout kDifferentialSection{4324, 4357, 4457, 4482, 315, 75, 11, 25, true};

inline constexpr uint16_t kAdcBlockMain = 4301;        // 9 bytes + check
inline constexpr uint16_t kUnitsBlock = 4312;          // 6 bytes + check: [0] pressure unit, [2] dp unit
inline constexpr uint16_t kIdentificationCode = 4320;  // uint32, device byte order, no check
inline constexpr uint16_t kCorrectionHeader = 4324;    // count byte, float flows, check
inline constexpr uint16_t kCorrectionRecords = 4455;
inline constexpr uint16_t kAdcBlockSecond = 7947;           // 9 bytes + check
inline constexpr uint16_t kCharacteristicConstants = 7958;  // 24 bytes + check
inline constexpr uint16_t kMeasurementParameters = 7984;    // 16 bytes + check

inline constexpr size_t kAdcBlockSize = 9;
inline constexpr size_t kUnitsBlockSize = 6;
inline constexpr size_t kConstantsSize = 24;
inline constexpr size_t kMeasurementParametersSize = 16;
inline constexpr int kMaxCorrectionSegments = 32;

// The record kind byte of the write-memory request.
enum class RecordKind : uint8_t {
  TosDirectory = 0,
  TableHeader = 1,
  SegmentRecords = 2,
  ChannelParameters = 3,
  Units = 4,
  TosSegmentTable = 5,
  TosSegmentRecords = 6,
  CharacteristicConstants = 7,
  CorrectionHeader = 8,
  MeasurementParameters = 9,
};

}  // namespace ruvenset::sim
