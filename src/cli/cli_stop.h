#pragma once
#include "common/stop_signal.h"

namespace ruvenset::cli {

// Exit code of a command that Ctrl-C or SIGTERM stopped.
inline constexpr int kExitStopped = 130;

// Ctrl-C and SIGTERM request `stop` (the link's): the wait for an answer ends as if none had come and
// the command leaves through its ordinary exits. A second one ends the process at once.
void InstallStopHandlers(StopSignal& stop);
// The link is going away: a later Ctrl-C or SIGTERM only counts.
void ForgetStop();
// Whether Ctrl-C or SIGTERM came.
bool StopWasRequested();

}  // namespace ruvenset::cli
