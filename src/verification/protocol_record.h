#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/permissible_error.h"
#include "verification/channel_ranges.h"
#include "verification/hart_link.h"
#include "verification/protocol_point.h"
#include "verification/verification_statistics.h"

namespace ruvenset {

// Everything a verification protocol states: the flow computer, the channel and how it was verified,
// who verified it, and the points. Texts are kept as the technician saw them (in the protocol's
// language); numbers in the flow computer's units.
struct ProtocolRecord {
  int langRus = 1;  // 1 Russian, 0 Ukrainian

  std::string deviceText;  // the identification text
  int model = 0;
  int version = 0;
  int revision = 0;
  std::optional<uint32_t> factoryNumber;  // the identification code, when it could be read
  int pipeline = 1;

  int channelKind = kKindTemperature;
  std::string unit;  // the unit's name
  ChannelRange range;
  bool substituteMeasured = true;  // false: the flow computer uses a constant for the channel
  float substituteConstant = 0;

  int referenceMode = kReferenceNone;
  int transmitterType = kTransmitter3051;
  int transmitterAddress = 0;
  std::optional<int> transmitterVariable;  // a 3095's variable
  std::optional<bool> referenceGauge;      // what the transmitter measures on a pressure channel
  std::optional<float> atmospheric;        // the atmospheric correction's pressure, when one was applied
  std::string atmosphericUnit;

  std::optional<PermissibleError> limit;
  std::string technician;
  std::string dataFile;  // the readings' data file, when they were recorded
  std::vector<ProtocolPoint> points;
};

}  // namespace ruvenset
