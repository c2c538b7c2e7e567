#include "session/connection_record.h"

#include <cstring>

namespace ruvenset {

ConnectionRecord::ConnectionRecord() {
  std::memset(writePassword, ' ', sizeof writePassword);
  std::memset(parameterPassword, ' ', sizeof parameterPassword);
  std::memset(previousParameterPassword, ' ', sizeof previousParameterPassword);
}

int ConnectionRecord::pipelineCount() const {
  const int n = configuration[16];
  return n > kMaxPipelines ? kMaxPipelines : n;
}

}  // namespace ruvenset
