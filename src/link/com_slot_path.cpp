#include "link/com_slots.h"

namespace ruvenset {

std::string ComSlotPath(const Configuration& config, int slot) {
  if (slot < 0 || slot >= kComSlotCount) return {};
  if (!config.ports[slot].empty()) return config.ports[slot];
  return DefaultComSlotPaths()[slot];
}

}  // namespace ruvenset
