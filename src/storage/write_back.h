#pragma once
#include <string>

#include "device/device_prompts.h"
#include "session/calibration_image.h"
#include "session/program_state.h"
#include "session/technician.h"
#include "storage/write_back_pages.h"

namespace ruvenset {

enum class WriteBackResult {
  Stored,            // every write was accepted
  NothingToWrite,    // the flow computer has no such channel (model 20, differential pressure)
  ReadFailed,        // reading the identification code or a shared block ended (link failure, refusal)
  ForeignImage,      // the image belongs to another flow computer
  CheckFailed,       // a check of the section, the converted tables or a shared block failed
  ServiceFailed,     // service mode could not be entered: nothing written
  LinkAbandoned,     // a write failed on the link and the technician ended the sequence
  RefusalAbandoned,  // the flow computer refused a write and the technician ended the sequence
  LeaveFailed,       // every write was accepted, but the flow computer could not be taken out of service mode
};

struct WriteBackOutcome {
  WriteBackResult result = WriteBackResult::Stored;
  std::string message;  // the text the technician was shown for a failure (in the current language)
  int stepsWritten = 0;
};

// Stores a section of the program's calibration image in the flow computer: the identification check,
// the section's checks, the conversion into the flow computer's tables, the shared blocks read fresh
// and merged, their checks, then service mode with the write window, one write per step, and service
// mode left on every way out once it was entered. Nothing is written unless every check passed.
WriteBackOutcome WriteBack(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                           WriteBackPages& pages, CalibrationSection section);

}  // namespace ruvenset
