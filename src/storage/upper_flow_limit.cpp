#include "storage/upper_flow_limit.h"

#include <cmath>
#include <cstring>

namespace ruvenset {
namespace {

// Host-order floats after the connect sequence: pipeline record byte 21 + 4·k holds range value k
// (k = 7 the upper flow value); parameter block byte 87 the upper flow value of pipeline 1.
constexpr int kRecordUpperFlow = 21 + 4 * 7;
constexpr int kParameterBlockUpperFlow = 87;

float HostFloat(const uint8_t* p) {
  float value = 0;
  std::memcpy(&value, p, sizeof value);
  return value;
}

}  // namespace

float UpperFlowLimit(const ConnectionRecord& record, bool connected) {
  if (!connected) return 0.0f;
  const float limit = record.id.version >= 25 ? HostFloat(record.pipelineParameters[0] + kRecordUpperFlow)
                                              : HostFloat(record.parameters + kParameterBlockUpperFlow);
  return std::isfinite(limit) && limit > 0 ? limit : 0.0f;
}

}  // namespace ruvenset
