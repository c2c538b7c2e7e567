#include <windows.h>

#include "common/user_number.h"

namespace ruvenset {

unsigned CurrentUserNumber() {
  DWORD session = 0;
  return ::ProcessIdToSessionId(::GetCurrentProcessId(), &session) ? static_cast<unsigned>(session) : 0u;
}

}  // namespace ruvenset
