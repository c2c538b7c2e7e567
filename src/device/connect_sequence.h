#pragma once
#include "device/device_prompts.h"
#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

enum class [[nodiscard]] ConnectOutcome{Connected, Abandoned, Refused};

// The connect sequence after a successful link check: identification with the version check, the write
// password, the configuration reads (with the release of pipelines left in service mode), the
// identification text and the derived values. On success the state is marked connected and the
// automatic connect is switched back on; otherwise the port is closed.
ConnectOutcome RunConnectSequence(ProgramState& state, Technician& technician, PasswordPrompt& passwords);

}  // namespace ruvenset
