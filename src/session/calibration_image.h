#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "common/byte_order.h"

namespace ruvenset {

// The section of the calibration image a procedure works on (the program-wide channel selector).
enum class CalibrationSection : uint8_t {
  Pressure = 0,
  Temperature = 1,
  DifferentialPressure = 2,
  CorrectionMultipliers = 5,
};

inline bool IsChannelSection(CalibrationSection s) {
  return s != CalibrationSection::CorrectionMultipliers;
}

inline constexpr size_t kCalibrationImageSize = 6258;
// The check bytes cover everything before them.
inline constexpr size_t kCalibrationCheckedSize = 6256;
inline constexpr int kMaxCorrectionPoints = 33;
// Тос ADC codes are 16-bit in the flow computer, point ADC codes 24-bit.
inline constexpr uint32_t kMaxPointCode = 0xFFFFFF;

// Capacities of a channel section: Тос points, and points per Тос point's table.
struct ChannelLimits {
  int maxTosPoints;
  int maxPoints;
};
inline constexpr ChannelLimits kPressureLimits{11, 25};
inline constexpr ChannelLimits kTemperatureLimits{5, 11};
inline constexpr ChannelLimits kDifferentialLimits{11, 25};

// Byte layout of a channel section, relative to its first byte. All numbers little-endian.
constexpr size_t TosCodesOffset() {
  return 2;
}
constexpr size_t TosValuesOffset(ChannelLimits l) {
  return 2 + 4 * static_cast<size_t>(l.maxTosPoints);
}
constexpr size_t PointTablesOffset(ChannelLimits l) {
  return 2 + 8 * static_cast<size_t>(l.maxTosPoints);
}
constexpr size_t PointTableSize(ChannelLimits l) {
  return 2 + 8 * static_cast<size_t>(l.maxPoints);
}
constexpr size_t PointCodesOffset() {
  return 2;
}
constexpr size_t PointValuesOffset(ChannelLimits l) {
  return 2 + 4 * static_cast<size_t>(l.maxPoints);
}
constexpr size_t ChannelSectionSize(ChannelLimits l) {
  return PointTablesOffset(l) + PointTableSize(l) * static_cast<size_t>(l.maxTosPoints);
}

// One point table: count, ADC codes (int32), values (float32). Unused elements are present.
template <int kPoints>
struct PointTableLayout {
  uint8_t count[2]{};
  uint8_t codes[kPoints][4]{};
  uint8_t values[kPoints][4]{};
};

// One channel section: Тос count, Тос codes (int32), Тос values (float32, °C), one table per Тос point.
template <int kTosPoints, int kPoints>
struct ChannelSectionLayout {
  uint8_t tosCount[2]{};
  uint8_t tosCodes[kTosPoints][4]{};
  uint8_t tosValues[kTosPoints][4]{};
  PointTableLayout<kPoints> tables[kTosPoints]{};
};

using WideChannelLayout = ChannelSectionLayout<11, 25>;
using TemperatureChannelLayout = ChannelSectionLayout<5, 11>;

// Typed access to one channel section of an image. Indices outside the section's capacity read as
// 0 and are not written, so a count taken from a damaged file can never reach past an array.
template <typename Byte>
class BasicChannelSection {
 public:
  static constexpr bool kWritable = !std::is_const_v<Byte>;

  BasicChannelSection() = default;
  BasicChannelSection(Byte* base, ChannelLimits limits) : base_(base), limits_(limits) {}
  template <typename Other>
  requires(std::is_const_v<Byte> && !std::is_const_v<Other>)
      BasicChannelSection(const BasicChannelSection<Other>& other)
      : base_(other.Base()), limits_(other.Limits()) {}

  Byte* Base() const { return base_; }
  ChannelLimits Limits() const { return limits_; }

  // Counts as stored, and clamped to the capacity (the number of entries that may be indexed).
  uint16_t TosCount() const { return base_ ? LoadLe16(base_) : 0; }
  int UsedTosPoints() const { return std::min<int>(TosCount(), limits_.maxTosPoints); }
  uint16_t PointCount(int k) const { return HasTos(k) ? LoadLe16(Table(k)) : 0; }
  int UsedPoints(int k) const { return std::min<int>(PointCount(k), limits_.maxPoints); }

  int32_t TosCode(int k) const { return HasTos(k) ? static_cast<int32_t>(LoadLe32(TosCodeAt(k))) : 0; }
  float TosValue(int k) const { return HasTos(k) ? LoadLeFloat(TosValueAt(k)) : 0.0f; }
  int32_t PointCode(int k, int i) const {
    return HasPoint(k, i) ? static_cast<int32_t>(LoadLe32(PointCodeAt(k, i))) : 0;
  }
  float PointValue(int k, int i) const { return HasPoint(k, i) ? LoadLeFloat(PointValueAt(k, i)) : 0.0f; }

  void SetTosCount(uint16_t n) const requires kWritable {
    if (base_) StoreLe16(base_, n);
  }
  void SetPointCount(int k, uint16_t n) const requires kWritable {
    if (HasTos(k)) StoreLe16(Table(k), n);
  }
  void SetTosPoint(int k, int32_t code, float value) const requires kWritable {
    if (!HasTos(k)) return;
    StoreLe32(TosCodeAt(k), static_cast<uint32_t>(code));
    StoreLeFloat(TosValueAt(k), value);
  }
  void SetPoint(int k, int i, int32_t code, float value) const requires kWritable {
    if (!HasPoint(k, i)) return;
    StoreLe32(PointCodeAt(k, i), static_cast<uint32_t>(code));
    StoreLeFloat(PointValueAt(k, i), value);
  }
  // Exchanges two Тос points with their values and whole point tables.
  void SwapTosPoints(int a, int b) const requires kWritable {
    if (!HasTos(a) || !HasTos(b) || a == b) return;
    std::swap_ranges(TosCodeAt(a), TosCodeAt(a) + 4, TosCodeAt(b));
    std::swap_ranges(TosValueAt(a), TosValueAt(a) + 4, TosValueAt(b));
    std::swap_ranges(Table(a), Table(a) + PointTableSize(limits_), Table(b));
  }
  // Exchanges two points of Тос point k's table, each value with its code.
  void SwapPoints(int k, int a, int b) const requires kWritable {
    if (!HasPoint(k, a) || !HasPoint(k, b) || a == b) return;
    std::swap_ranges(PointCodeAt(k, a), PointCodeAt(k, a) + 4, PointCodeAt(k, b));
    std::swap_ranges(PointValueAt(k, a), PointValueAt(k, a) + 4, PointValueAt(k, b));
  }

 private:
  bool HasTos(int k) const { return base_ && k >= 0 && k < limits_.maxTosPoints; }
  bool HasPoint(int k, int i) const { return HasTos(k) && i >= 0 && i < limits_.maxPoints; }
  Byte* TosCodeAt(int k) const { return base_ + TosCodesOffset() + 4 * static_cast<size_t>(k); }
  Byte* TosValueAt(int k) const { return base_ + TosValuesOffset(limits_) + 4 * static_cast<size_t>(k); }
  Byte* Table(int k) const {
    return base_ + PointTablesOffset(limits_) + PointTableSize(limits_) * static_cast<size_t>(k);
  }
  Byte* PointCodeAt(int k, int i) const { return Table(k) + PointCodesOffset() + 4 * static_cast<size_t>(i); }
  Byte* PointValueAt(int k, int i) const {
    return Table(k) + PointValuesOffset(limits_) + 4 * static_cast<size_t>(i);
  }

  Byte* base_ = nullptr;
  ChannelLimits limits_{0, 0};
};

using ChannelSection = BasicChannelSection<uint8_t>;
using ConstChannelSection = BasicChannelSection<const uint8_t>;

// The calibration parameters of one flow computer, byte for byte as in a calibration parameter file
// (6258 bytes, little-endian whatever the host). Fields are byte arrays; use the accessors.
struct CalibrationImage {
  WideChannelLayout pressure;              // 0
  TemperatureChannelLayout temperature;    // 2312
  uint8_t pressureAdcParameters[9]{};      // 2804: copy of the ADC block at 4301
  uint8_t pressureUnit = 0;                // 2813
  uint8_t identificationCode[4]{};         // 2814
  WideChannelLayout differentialPressure;  // 2818
  uint8_t differentialAdcParameters[9]{};  // 5130: copy of the ADC block at 7947
  uint8_t differentialUnit = 0;            // 5139
  uint8_t pressureOffset[4]{};             // 5140
  uint8_t pressureSlope[4]{};              // 5144
  uint8_t differentialOffset[4]{};         // 5148
  uint8_t differentialSlope[4]{};          // 5152
  uint8_t unused5156[10]{};                // 5156
  uint8_t modelCode = 0;                   // 5166
  uint8_t softwareVersion = 0;             // 5167
  uint8_t correctionCount[2]{};            // 5168
  uint8_t correctionFlows[33][4]{};        // 5170
  uint8_t correctionMultipliers[33][4]{};  // 5302
  uint8_t measurementPauses[3][2]{};       // 5434: ms, pressure / temperature / differential pressure
  uint8_t unused5440[4]{};                 // 5440
  uint8_t conversionCounts[3]{};           // 5444
  uint8_t unused5447[809]{};               // 5447
  uint8_t checkBytes[2]{};                 // 6256: CRC-16/MODBUS of 0 .. 6255, low byte first

  uint8_t* Bytes() { return reinterpret_cast<uint8_t*>(this); }
  const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(this); }

  // The channel section of selector 0, 1 or 2; an empty view (nothing readable) for the correction table.
  // A view into this image: taking one from a temporary image would leave it dangling, so that does not
  // compile.
  ChannelSection Channel(CalibrationSection s) &;
  ConstChannelSection Channel(CalibrationSection s) const&;
  ConstChannelSection Channel(CalibrationSection s) const&& = delete;

  uint32_t IdentificationCode() const { return LoadLe32(identificationCode); }
  void SetIdentificationCode(uint32_t code) { StoreLe32(identificationCode, code); }

  // The 9-byte ADC channel parameter copy of the channel (pressure and temperature share one).
  const uint8_t* AdcParameters(CalibrationSection s) const;
  // The unit code of the pressure or differential-pressure channel (0 for the other sections).
  uint8_t UnitCode(CalibrationSection s) const;

  float CharacteristicOffset(CalibrationSection s) const;
  float CharacteristicSlope(CalibrationSection s) const;
  void SetCharacteristic(CalibrationSection s, float offset, float slope);

  // Measurement parameters of models 18 and 20, channel 0 pressure, 1 temperature, 2 differential pressure.
  uint16_t MeasurementPause(int channel) const;
  uint8_t ConversionCount(int channel) const;

  uint16_t CorrectionCount() const { return LoadLe16(correctionCount); }
  int UsedCorrectionPoints() const { return std::min<int>(CorrectionCount(), kMaxCorrectionPoints); }
  void SetCorrectionCount(uint16_t n) { StoreLe16(correctionCount, n); }
  float CorrectionFlow(int i) const { return HasCorrection(i) ? LoadLeFloat(correctionFlows[i]) : 0.0f; }
  float CorrectionMultiplier(int i) const {
    return HasCorrection(i) ? LoadLeFloat(correctionMultipliers[i]) : 0.0f;
  }
  void SetCorrectionPoint(int i, float flow, float multiplier);
  void SwapCorrectionPoints(int a, int b);

  void StoreCheckBytes();
  bool CheckBytesValid() const;

 private:
  static bool HasCorrection(int i) { return i >= 0 && i < kMaxCorrectionPoints; }
};

static_assert(std::is_standard_layout_v<CalibrationImage> && std::is_trivially_copyable_v<CalibrationImage>);
static_assert(sizeof(CalibrationImage) == kCalibrationImageSize);
static_assert(sizeof(WideChannelLayout) == ChannelSectionSize(kPressureLimits));
static_assert(sizeof(TemperatureChannelLayout) == ChannelSectionSize(kTemperatureLimits));
static_assert(sizeof(PointTableLayout<25>) == 202 && sizeof(PointTableLayout<11>) == 90);
static_assert(offsetof(WideChannelLayout, tosCodes) == TosCodesOffset());
static_assert(offsetof(WideChannelLayout, tosValues) == TosValuesOffset(kPressureLimits));
static_assert(offsetof(WideChannelLayout, tables) == PointTablesOffset(kPressureLimits));
static_assert(offsetof(PointTableLayout<25>, values) == PointValuesOffset(kPressureLimits));
static_assert(offsetof(TemperatureChannelLayout, tosValues) == TosValuesOffset(kTemperatureLimits));
static_assert(offsetof(TemperatureChannelLayout, tables) == PointTablesOffset(kTemperatureLimits));
static_assert(offsetof(PointTableLayout<11>, values) == PointValuesOffset(kTemperatureLimits));
static_assert(offsetof(CalibrationImage, pressure) == 0);
static_assert(offsetof(CalibrationImage, pressure) + offsetof(WideChannelLayout, tosValues) == 46);
static_assert(offsetof(CalibrationImage, pressure) + offsetof(WideChannelLayout, tables) == 90);
static_assert(offsetof(CalibrationImage, temperature) == 2312);
static_assert(offsetof(CalibrationImage, temperature) + offsetof(TemperatureChannelLayout, tosCodes) == 2314);
static_assert(offsetof(CalibrationImage, temperature) + offsetof(TemperatureChannelLayout, tosValues) ==
              2334);
static_assert(offsetof(CalibrationImage, temperature) + offsetof(TemperatureChannelLayout, tables) == 2354);
static_assert(offsetof(CalibrationImage, pressureAdcParameters) == 2804);
static_assert(offsetof(CalibrationImage, pressureUnit) == 2813);
static_assert(offsetof(CalibrationImage, identificationCode) == 2814);
static_assert(offsetof(CalibrationImage, differentialPressure) == 2818);
static_assert(offsetof(CalibrationImage, differentialPressure) + offsetof(WideChannelLayout, tosValues) ==
              2864);
static_assert(offsetof(CalibrationImage, differentialPressure) + offsetof(WideChannelLayout, tables) == 2908);
static_assert(offsetof(CalibrationImage, differentialAdcParameters) == 5130);
static_assert(offsetof(CalibrationImage, differentialUnit) == 5139);
static_assert(offsetof(CalibrationImage, pressureOffset) == 5140);
static_assert(offsetof(CalibrationImage, pressureSlope) == 5144);
static_assert(offsetof(CalibrationImage, differentialOffset) == 5148);
static_assert(offsetof(CalibrationImage, differentialSlope) == 5152);
static_assert(offsetof(CalibrationImage, unused5156) == 5156);
static_assert(offsetof(CalibrationImage, modelCode) == 5166);
static_assert(offsetof(CalibrationImage, softwareVersion) == 5167);
static_assert(offsetof(CalibrationImage, correctionCount) == 5168);
static_assert(offsetof(CalibrationImage, correctionFlows) == 5170);
static_assert(offsetof(CalibrationImage, correctionMultipliers) == 5302);
static_assert(offsetof(CalibrationImage, measurementPauses) == 5434);
static_assert(offsetof(CalibrationImage, unused5440) == 5440);
static_assert(offsetof(CalibrationImage, conversionCounts) == 5444);
static_assert(offsetof(CalibrationImage, unused5447) == 5447);
static_assert(offsetof(CalibrationImage, checkBytes) == kCalibrationCheckedSize);

}  // namespace ruvenset
