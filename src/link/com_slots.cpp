#include "link/com_slots.h"

#include <dirent.h>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <set>
#include <vector>

namespace ruvenset {
namespace {

std::vector<std::string> ListDirectory(const std::string& dir, const std::string& prefix) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name != "." && name != ".." && name.rfind(prefix, 0) == 0) names.push_back(dir + "/" + name);
    }
    ::closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

std::array<std::string, kComSlotCount> DefaultComSlotPaths(const std::string& devRoot) {
  std::vector<std::string> order;
  std::set<std::string> covered;
  for (const auto& link : ListDirectory(devRoot + "/serial/by-id", "")) {
    order.push_back(link);
    covered.insert(RealPath(link));
  }
  for (const char* prefix : {"ttyUSB", "ttyACM"}) {
    for (const auto& dev : ListDirectory(devRoot, prefix)) {
      if (!covered.count(RealPath(dev))) order.push_back(dev);
    }
  }
  std::array<std::string, kComSlotCount> slots;
  int serial = 0;
  for (int i = 0; i < kComSlotCount; ++i) {
    slots[i] = i < static_cast<int>(order.size()) ? order[i] : devRoot + "/ttyS" + std::to_string(serial++);
  }
  return slots;
}

std::string ComSlotPath(const Configuration& config, int slot) {
  if (slot < 0 || slot >= kComSlotCount) return {};
  if (!config.ports[slot].empty()) return config.ports[slot];
  return DefaultComSlotPaths()[slot];
}

}  // namespace ruvenset
