#pragma once
#include <functional>
#include <vector>

#include "common/crc16.h"
#include "link/loopback_port.h"

namespace ruvenset::testing {

// Builds a response frame with a valid CRC.
inline std::vector<uint8_t> Response(uint8_t address, uint8_t command, std::vector<uint8_t> data = {},
                                     uint8_t start = 0x55) {
  std::vector<uint8_t> f = {start, address, static_cast<uint8_t>(6 + data.size()), command};
  f.insert(f.end(), data.begin(), data.end());
  f.resize(f.size() + 2);
  StoreCrc16(f.data(), f.size() - 2);
  return f;
}

// A flow computer stand-in on the loopback port: each request (preambles stripped) goes to the
// handler, which returns the bytes to send back (nothing for silence).
class ScriptedPeer {
 public:
  using Handler = std::function<std::vector<uint8_t>(const std::vector<uint8_t>& request, int attempt)>;

  ScriptedPeer(LoopbackPort& port, Handler handler, int64_t delayNs = 5'000'000)
      : handler_(std::move(handler)) {
    port.SetPeer([this, &port, delayNs](const uint8_t* data, size_t size) {
      size_t i = 0;
      while (i < size && data[i] == 0xFF) ++i;
      std::vector<uint8_t> request(data + i, data + size);
      requests.push_back(request);
      const auto answer = handler_(request, static_cast<int>(requests.size()));
      if (!answer.empty()) port.Deliver(answer, delayNs, 100'000);
    });
  }

  std::vector<std::vector<uint8_t>> requests;

 private:
  Handler handler_;
};

}  // namespace ruvenset::testing
