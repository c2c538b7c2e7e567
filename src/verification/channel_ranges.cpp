#include "verification/channel_ranges.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ruvenset {
namespace {

// Positions in a pipeline parameter record (response data byte − 1).
constexpr int kPressureUpperLimit = 6;
constexpr int kDiffPressureUpperLimit = 10;
constexpr int kRangesFrom = 21;  // ten floats: pressure, dp, temperature, flow, density (low, high)
constexpr int kRangesFromVersion = 25;
// Positions of the substitute constants in a state record.
constexpr int kDiffPressureConstant = 2;
constexpr int kPressureConstant = 6;
constexpr int kTemperatureConstant = 10;
constexpr int kDensityConstant = 15;

float FloatAt(const uint8_t* p) {
  float f;
  std::memcpy(&f, p, 4);
  return f;
}

ChannelRange RecordRange(const ConnectionRecord& record, int p, int pair) {
  const uint8_t* r = record.pipelineParameters[std::clamp(p, 0, kMaxPipelines - 1)];
  return {FloatAt(r + kRangesFrom + 8 * pair), FloatAt(r + kRangesFrom + 8 * pair + 4)};
}

const uint8_t* ParameterRecord(const ConnectionRecord& record, int p) {
  return record.pipelineParameters[std::clamp(p, 0, kMaxPipelines - 1)];
}

void Clamp(uint8_t* stateRecord, int offset, const ChannelRange& range) {
  if (!range.usable()) return;
  float v = FloatAt(stateRecord + offset);
  if (std::isnan(v)) v = range.lower;
  v = std::clamp(v, range.lower, range.upper);
  std::memcpy(stateRecord + offset, &v, 4);
}

}  // namespace

const char* ChannelWord(int kind) {
  static constexpr const char* kWords[kChannelKindCount] = {"pressure", "temperature", "dp", "dp-lower",
                                                            "dp-upper"};
  return kind >= 0 && kind < kChannelKindCount ? kWords[kind] : "";
}

std::optional<int> ChannelKindOfWord(std::string_view word) {
  for (int kind = 0; kind < kChannelKindCount; ++kind) {
    if (word == ChannelWord(kind)) return kind;
  }
  return std::nullopt;
}

int ChannelCodeOfKind(int kind) {
  static constexpr int kCodes[kChannelKindCount] = {0, 1, 2, 3, 2};
  return kind >= 0 && kind < kChannelKindCount ? kCodes[kind] : 0;
}

ChannelRange PressureRange(const ConnectionRecord& record, int p) {
  if (record.id.version >= kRangesFromVersion) return RecordRange(record, p, 0);
  return {0.0f, FloatAt(ParameterRecord(record, p) + kPressureUpperLimit)};
}

ChannelRange DiffPressureRange(const ConnectionRecord& record, int p) {
  if (record.id.version >= kRangesFromVersion) return RecordRange(record, p, 1);
  return {0.0f, FloatAt(ParameterRecord(record, p) + kDiffPressureUpperLimit)};
}

ChannelRange TemperatureRange(const ConnectionRecord& record, int p) {
  if (record.id.version >= kRangesFromVersion) return RecordRange(record, p, 2);
  return {-40.0f, 100.0f};
}

ChannelRange DensityRange(const ConnectionRecord& record, int p) {
  if ((record.pipelineParameterByte(p) & 0x5F) == 0x41) return {0.1f, 2000.0f};
  return {0.66f, 0.9f};
}

ChannelRange RangeOfKind(const ConnectionRecord& record, int p, int kind) {
  if (kind == kKindPressure) return PressureRange(record, p);
  if (kind == kKindTemperature) return TemperatureRange(record, p);
  return DiffPressureRange(record, p);
}

void ClampSubstituteConstants(ConnectionRecord& record, int p, bool densityIsFloat) {
  uint8_t* state = record.pipelineState[std::clamp(p, 0, kMaxPipelines - 1)];
  if (record.id.version >= 10 && (record.pipelineFlag(p) & 0x02)) {
    Clamp(state, kDiffPressureConstant, {0.0f, 50.0f});
    return;
  }
  Clamp(state, kPressureConstant, PressureRange(record, p));
  Clamp(state, kDiffPressureConstant, DiffPressureRange(record, p));
  Clamp(state, kTemperatureConstant, TemperatureRange(record, p));
  if (densityIsFloat) Clamp(state, kDensityConstant, DensityRange(record, p));
}

}  // namespace ruvenset
