#pragma once
#include <cstdint>
#include <vector>

namespace ruvenset::testing {

// The flag byte of every service-mode enter request (command 0x10) among `requests`, in order: request
// byte 22 of the 29-byte request, byte 38 of the 46-byte one that carries the parameter password.
inline std::vector<int> EnterFlagBytes(const std::vector<std::vector<uint8_t>>& requests) {
  std::vector<int> flags;
  for (const auto& r : requests) {
    if (r.size() < 4 || r[0] != 0xBB || r[3] != 0x10) continue;
    if (r.size() == 29) flags.push_back(r[22]);
    if (r.size() == 46) flags.push_back(r[38]);
  }
  return flags;
}

}  // namespace ruvenset::testing
