#pragma once
#include <string>

#include "session/program_state.h"

namespace ruvenset {

// The closing line of the message after a write under service mode: the flow computer was taken out of
// service mode again, or it may still be in it, with the menu item that takes it out.
std::string ServiceModeLine(const ProgramState& state, bool left);

}  // namespace ruvenset
