#pragma once
#include <string>

#include "session/program_state.h"

namespace ruvenset {

// The text of a refusal: language text 2362 followed by the refusal's own text (1914 + code) with the
// arguments its code calls for.
std::string RefusalText(const ProgramState& state, int code, int a, int b);

}  // namespace ruvenset
