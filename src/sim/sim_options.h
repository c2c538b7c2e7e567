#pragma once
#include <cstdint>
#include <string>

#include "sim/flow_computer_config.h"
#include "sim/sim_defaults.h"

namespace ruvenset::sim {

// How fcsim, the demo and the tests start a simulated flow computer.
struct SimOptions {
  std::string linkPath;  // made a symbolic link to the pseudo-terminal; empty: none
  int speed = kDefaultSpeed;
  int address = kDefaultAddress;
  int model = kDefaultModel;
  int version = kDefaultVersion;
  bool lsb = false;
  std::string password = kDefaultPassword;
  std::string parameterPassword;  // empty: no parameter password
  int pipelines = kDefaultPipelines;
  std::string hartLinkPath;    // made a symbolic link to the second (HART modem) pseudo-terminal
  bool hartOnSameLine = true;  // reference transmitters also answer on the main line at 1200 8O1
  uint32_t seed = 1;
  double drop = 0, corrupt = 0, wrongAddress = 0, noise = 0;
  bool pace = true;  // send answers at the line speed, 10 bit times a byte
};

FlowComputerConfig ModelConfigOf(const SimOptions& options);

}  // namespace ruvenset::sim
