#include "device/derived_values.h"

namespace ruvenset {

void DerivedValues(const ConnectionRecord& record, int preambleInRts, int p, int out[2]) {
  const Identification& id = record.id;
  const uint8_t f = record.pipelineFlag(p);
  const uint8_t g = record.pipelineParameterByte(p);
  const uint8_t options = id.data(4);
  const uint8_t methodFlags = p >= 0 && 71 + p < kConfigurationSize ? record.configuration[71 + p] : 0;
  if (id.version > 9 && (options & 0x30) == 0x30 && (methodFlags & 0x02)) {
    out[0] = out[1] = 6;
    return;
  }
  const int k = (f & 0x80) ? 3 : (f & 0x10) ? 27 : 7;
  out[0] = (f & 0x80) ? 2 : (k & 0x18) ? 5 : 3;
  out[1] = (k & 0x1C) ? 3 : 2;
  const bool plusTen = (id.version > 8 && (options & 0x03) == 0 && (g & 0x40) && preambleInRts == 0) ||
                       ((options & 0x20) && (g & 0x5F) == 0x41);
  if (plusTen) {
    out[0] += 10;
    out[1] += 10;
  }
}

void ComputeDerivedValues(ConnectionRecord& record, int preambleInRts) {
  for (int p = 0; p < record.pipelineCount(); ++p) DerivedValues(record, preambleInRts, p, record.derived[p]);
}

}  // namespace ruvenset
