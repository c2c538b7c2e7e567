#include "device/service_mode_line.h"

namespace ruvenset {

std::string ServiceModeLine(const ProgramState& state, bool left) {
  return left ? state.Text(3359) : state.texts.FormatText(3360, {state.Text(2358)});
}

}  // namespace ruvenset
