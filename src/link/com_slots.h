#pragma once
#include <array>
#include <string>

#include "link/configuration.h"

namespace ruvenset {

// The device behind each port slot when the configuration names none. USB adapters come first under
// their stable /dev/serial/by-id/ names (a replug may renumber /dev/ttyUSB*, never the by-id name),
// then USB and ACM devices without such a name, then the built-in ports /dev/ttyS0, /dev/ttyS1, ...
std::array<std::string, kComSlotCount> DefaultComSlotPaths(const std::string& devRoot = "/dev");

// The device path of a slot 0..7: the configured one, or the default.
std::string ComSlotPath(const Configuration& config, int slot);

}  // namespace ruvenset
