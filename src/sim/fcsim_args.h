#pragma once
#include <string>
#include <vector>

#include "sim/sim_options.h"

namespace ruvenset::sim {

// fcsim's command line. Returns false with a one-line reason for a wrong line; help is set for --help.
bool ParseFcsimArgs(const std::vector<std::string>& args, SimOptions& options, bool& help,
                    std::string& error);
extern const char* const kFcsimUsage;

}  // namespace ruvenset::sim
