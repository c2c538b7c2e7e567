#pragma once
#include <array>
#include <string>
#include <vector>

#include "link/configuration.h"

namespace ruvenset {

// The device behind each port slot when the configuration names none. On Linux USB adapters come
// first under their stable /dev/serial/by-id/ names, then USB and ACM devices without such a name,
// then the built-in ports /dev/ttyS0, /dev/ttyS1, ...; on Windows the slots are COM1..COM8.
std::array<std::string, kComSlotCount> DefaultComSlotPaths();

// The serial ports the system knows of now (the adapters plugged in on Linux, the ports Windows lists
// under SERIALCOMM), in the order the slots take them.
std::vector<std::string> PresentSerialPorts();

// The device path of a slot 0..7: the configured one, or the default.
std::string ComSlotPath(const Configuration& config, int slot);

}  // namespace ruvenset
