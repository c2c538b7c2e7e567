#include <windows.h>

#include <timeapi.h>

#include "common/precise_timers.h"

namespace ruvenset {

void UsePreciseTimers() {
  // The timer resolution belongs to the whole process: asked for once, kept until the process ends.
  static const bool asked = ::timeBeginPeriod(1) == TIMERR_NOERROR;
  static_cast<void>(asked);
}

}  // namespace ruvenset
