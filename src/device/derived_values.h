#pragma once
#include "session/connection_record.h"

namespace ruvenset {

// The two derived values of pipeline p (0-based) from the identification and the configuration block;
// the first is the measurement method code (2 volume meter, 3 one differential-pressure sensor, 5 upper
// and lower differential-pressure sensors, 6, or any of them plus 10).
void DerivedValues(const ConnectionRecord& record, int preambleInRts, int p, int out[2]);

// Fills the derived values of every pipeline.
void ComputeDerivedValues(ConnectionRecord& record, int preambleInRts);

}  // namespace ruvenset
