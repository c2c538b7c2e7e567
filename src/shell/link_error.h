#pragma once
#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// The language text that explains a link status 1..7, or 0 for any other kind.
int LinkErrorTextId(int kind);

// The link-error window: the message window with the status's text; nothing for kinds outside 1..7.
void ShowLinkError(const ProgramState& state, Technician& technician, int kind);

}  // namespace ruvenset
