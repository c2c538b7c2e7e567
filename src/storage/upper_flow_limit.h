#pragma once
#include "session/connection_record.h"

namespace ruvenset {

// The program's upper flow limit: the upper flow value of pipeline 1 as the connect sequence read it
// (from version 25 on from its pipeline parameter record, before that from the parameter block). 0 when
// no flow computer is connected or the value is not a positive number.
float UpperFlowLimit(const ConnectionRecord& record, bool connected);

}  // namespace ruvenset
