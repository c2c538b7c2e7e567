#pragma once
#include <cstdint>
#include <string>

#include "sim/fault_injector.h"
#include "sim/flow_computer_model.h"

namespace ruvenset::sim {

// Runs one control command against the simulated flow computer and returns its one-line reply:
// "ok", "ok <value>" or "error: <reason>". docs/simulator.md lists the commands.
std::string RunControlCommand(const std::string& line, FlowComputerModel& model, FaultInjector& faults,
                              int64_t nowNs);

}  // namespace ruvenset::sim
