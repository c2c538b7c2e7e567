#pragma once
#include "device/device_prompts.h"
#include "session/program_state.h"
#include "session/technician.h"
#include "storage/calibration_editor_pages.h"
#include "storage/write_back_pages.h"

namespace ruvenset {

// What the viewer, the editor and the write-back work with: the program's state (its calibration image
// and memory mirror among it) and the technician's windows.
struct CalibrationTools {
  ProgramState& state;
  Technician& technician;
  ValuePrompts& values;
  PasswordPrompt& passwords;
  CalibrationEditorPages& pages;
  WriteBackPages& writeBack;
};

}  // namespace ruvenset
