#pragma once
#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

enum class [[nodiscard]] SelectResult{Selected, LinkFailed, Refused};

// How a change of a pipeline ended: done, or abandoned (a declined retry or repeat, a refusal).
enum class [[nodiscard]] PipelineResult{Done, Abandoned};

// Size of a pipeline's state record for this flow computer (19, or 15 for old versions).
int PipelineStateSize(const Identification& id);

// Whether the density constant (state record bytes 15..18) is a floating-point value in the flow
// computer's byte order. The record is read into host order and written back into device order by this
// one rule, so that a round trip never swaps its bytes; where it does not hold, those bytes are the flow
// computer's own and go back exactly as they came.
bool DensityIsDeviceFloat(const ProgramState& state);

// Selects pipeline i (1..n) and reads its state record (command 0x08 with 0xBB). A refusal is shown.
SelectResult SelectLine(ProgramState& state, Technician& technician, int pipeline, bool showPanel);

// Re-reads the current pipeline's state record before a procedure changes a channel, and picks the
// channel's name for the procedure's messages.
PipelineResult ReloadCurrentPipeline(ProgramState& state, Technician& technician);

class PasswordPrompt;
// Writes pipeline i's state record back (command 0x09 with 0xBB).
PipelineResult WritePipelineState(ProgramState& state, Technician& technician, PasswordPrompt& passwords,
                                  int pipeline);

struct Request;
// The request that takes pipeline i out of service mode: command 0x11, the pipeline and the write
// password.
Request LeaveServiceRequest(const ConnectionRecord& record, int pipeline);

// Takes pipeline i out of service mode (command 0x11) with the retry and refusal rules; Done when the
// flow computer accepted.
PipelineResult LeaveServiceMode(ProgramState& state, Technician& technician, int pipeline);

}  // namespace ruvenset
