#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "link/frame.h"
#include "sim/flow_computer_model.h"

namespace ruvenset::sim::test {

inline std::vector<uint8_t> Request(int write, int command, const std::vector<uint8_t>& data,
                                    int address = 1) {
  std::vector<uint8_t> f(6 + data.size());
  std::copy(data.begin(), data.end(), f.begin() + 4);
  BuildRequest(f.data(), write, static_cast<int>(f.size()), command, 0, 0, address);
  return f;
}

// The model's answer, or an empty frame when it stays silent.
inline std::vector<uint8_t> Ask(FlowComputerModel& model, const std::vector<uint8_t>& request,
                                int64_t nowNs = 0) {
  std::vector<uint8_t> response;
  if (!model.HandleRequest(request.data(), request.size(), nowNs, response)) response.clear();
  return response;
}

inline std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

inline std::vector<uint8_t> Password(const std::string& text) {
  std::vector<uint8_t> p = Bytes(text);
  p.resize(16, ' ');
  return p;
}

inline std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

// Response data byte k.
inline uint8_t Data(const std::vector<uint8_t>& response, size_t k) {
  return response.at(4 + k);
}

}  // namespace ruvenset::sim::test
