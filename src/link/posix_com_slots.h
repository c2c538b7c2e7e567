#pragma once
#include <array>
#include <string>
#include <vector>

#include "link/configuration.h"

namespace ruvenset {

// The Linux port order of DefaultComSlotPaths and PresentSerialPorts under another device folder (for
// tests).
std::array<std::string, kComSlotCount> DefaultComSlotPathsUnder(const std::string& devRoot);
std::vector<std::string> PresentSerialPortsUnder(const std::string& devRoot);

}  // namespace ruvenset
