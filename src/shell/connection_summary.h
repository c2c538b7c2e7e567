#pragma once
#include <string>
#include <vector>

#include "session/program_state.h"

namespace ruvenset {

struct SummaryLine {
  std::string label;
  std::string value;
};

// What the technician needs to know about the connected flow computer, in the current language: type
// (with the extended model code), software version and revision, identification text, number of
// pipelines, byte order, port and speed. Empty when no flow computer is connected.
std::vector<SummaryLine> ConnectionSummary(const ProgramState& state);

}  // namespace ruvenset
