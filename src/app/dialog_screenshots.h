#pragma once
#include <string>

#include "session/program_state.h"
#include "shell/windows/main_window.h"

namespace ruvenset {

// Pictures of the main window (connected through `options`, normally to the demo's simulated flow
// computer) and of every shared window and dialog, as ruvenset-*.png in `folder`. Returns the exit code.
int TakeScreenshots(ProgramState& state, const MainWindowOptions& options, const std::string& folder);

}  // namespace ruvenset
