#include "link/posix_com_slots.h"
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

std::vector<std::string> PresentSerialPortsUnder(const std::string& devRoot) {
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
  return order;
}

std::array<std::string, kComSlotCount> DefaultComSlotPathsUnder(const std::string& devRoot) {
  const std::vector<std::string> present = PresentSerialPortsUnder(devRoot);
  std::array<std::string, kComSlotCount> slots;
  int serial = 0;
  for (int i = 0; i < kComSlotCount; ++i) {
    slots[i] =
        i < static_cast<int>(present.size()) ? present[i] : devRoot + "/ttyS" + std::to_string(serial++);
  }
  return slots;
}

std::array<std::string, kComSlotCount> DefaultComSlotPaths() {
  return DefaultComSlotPathsUnder("/dev");
}

std::vector<std::string> PresentSerialPorts() {
  return PresentSerialPortsUnder("/dev");
}

}  // namespace ruvenset
