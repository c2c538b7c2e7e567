#pragma once
#include <functional>
#include <vector>

#include "link/loopback_port.h"
#include "sim/flow_computer_model.h"

namespace ruvenset::testing {

// The simulated flow computer answering on a loopback port in virtual time: every request (preambles
// stripped) goes to the model at the clock's time. `filter` may drop or change an answer.
class SimPeer {
 public:
  using Filter = std::function<bool(const std::vector<uint8_t>& request, std::vector<uint8_t>& response)>;

  SimPeer(LoopbackPort& port, LinkClock& clock, const sim::FlowComputerConfig& config = {})
      : model(config), port_(port), clock_(clock) {
    port.SetPeer([this](const uint8_t* data, size_t size) { OnWrite(data, size); });
  }

  sim::FlowComputerModel model;
  Filter filter;
  std::vector<std::vector<uint8_t>> requests;

 private:
  void OnWrite(const uint8_t* data, size_t size) {
    size_t i = 0;
    while (i < size && data[i] == 0xFF) ++i;
    std::vector<uint8_t> request(data + i, data + size);
    requests.push_back(request);
    std::vector<uint8_t> response;
    if (!model.HandleRequest(request.data(), request.size(), clock_.NowNs(), response)) return;
    if (filter && !filter(request, response)) return;
    // A fast line: the answer starts after 2 ms, one byte every 100 us.
    port_.Deliver(response, 2'000'000, 100'000);
  }

  LoopbackPort& port_;
  LinkClock& clock_;
};

}  // namespace ruvenset::testing
