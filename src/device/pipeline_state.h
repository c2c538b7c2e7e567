#pragma once
#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// Results of SelectLine.
inline constexpr int kSelectOk = 0;
inline constexpr int kSelectLinkFailed = 2;
inline constexpr int kSelectRefused = 3;

// Size of a pipeline's state record for this flow computer (19, or 15 for old versions).
int PipelineStateSize(const Identification& id);

// Selects pipeline i (1..n) and reads its state record (command 0x08 with 0xBB). A refusal is shown.
int SelectLine(ProgramState& state, Technician& technician, int pipeline, bool showPanel);

// Re-reads the current pipeline's state record before a procedure changes a channel, and picks the
// channel's name for the procedure's messages. 0 on success, 1 when abandoned.
int ReloadCurrentPipeline(ProgramState& state, Technician& technician);

class PasswordPrompt;
// Writes pipeline i's state record back (command 0x09 with 0xBB); 0 on success, 1 when abandoned.
int WritePipelineState(ProgramState& state, Technician& technician, PasswordPrompt& passwords, int pipeline);

// Takes pipeline i out of service mode (command 0x11) with the retry and refusal rules; 0 when the
// flow computer accepted, 1 when abandoned.
int LeaveServiceMode(ProgramState& state, Technician& technician, int pipeline);

}  // namespace ruvenset
