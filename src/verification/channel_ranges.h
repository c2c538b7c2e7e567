#pragma once
#include <optional>
#include <string_view>

#include "session/connection_record.h"

namespace ruvenset {

// Channel kinds of a verification: 0 gas pressure, 1 gas temperature, 2 differential pressure,
// 3 lower differential pressure, 4 upper differential pressure.
inline constexpr int kKindPressure = 0;
inline constexpr int kKindTemperature = 1;
inline constexpr int kKindDiffPressure = 2;
inline constexpr int kKindLowerDiffPressure = 3;
inline constexpr int kKindUpperDiffPressure = 4;
inline constexpr int kChannelKindCount = 5;

// The word of a channel kind on the command line, in file names and in a protocol's CSV: "pressure",
// "temperature", "dp", "dp-lower", "dp-upper".
const char* ChannelWord(int kind);
std::optional<int> ChannelKindOfWord(std::string_view word);

// The channel code the flow computer knows for a kind (0, 1, 2, 3, 2).
int ChannelCodeOfKind(int kind);
inline bool IsDiffPressureKind(int kind) {
  return kind >= kKindDiffPressure && kind <= kKindUpperDiffPressure;
}

struct ChannelRange {
  float lower = 0;
  float upper = 0;
  // A range read as zeros (a record the flow computer did not send) limits nothing.
  bool usable() const { return upper > lower; }
};

// The measuring ranges of pipeline p (0-based), from its parameter record.
ChannelRange PressureRange(const ConnectionRecord& record, int p);
ChannelRange DiffPressureRange(const ConnectionRecord& record, int p);
ChannelRange TemperatureRange(const ConnectionRecord& record, int p);
ChannelRange DensityRange(const ConnectionRecord& record, int p);
// The range of a channel kind.
ChannelRange RangeOfKind(const ConnectionRecord& record, int p, int kind);

// Brings the substitute constants of pipeline p's state record into their channels' ranges: the density
// constant only where the record holds it as a float (`DensityIsDeviceFloat`); otherwise those bytes are
// the flow computer's own and stay exactly as they came.
void ClampSubstituteConstants(ConnectionRecord& record, int p, bool densityIsFloat);

}  // namespace ruvenset
