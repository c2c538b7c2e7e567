#include "link/link_status.h"

namespace ruvenset {

const char* LinkStatusName(int status) {
  static const char* const kNames[] = {"LinkOk",          "LinkWriteFailed", "LinkNoAnswer",
                                       "LinkShortAnswer", "LinkWrongAnswer", "LinkEchoRejected",
                                       "LinkBadChecksum", "LinkReadFailed"};
  if (status < 0 || status > 7) return "LinkUnknown";
  return kNames[status];
}

}  // namespace ruvenset
