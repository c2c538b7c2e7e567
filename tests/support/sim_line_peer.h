#pragma once
#include <functional>
#include <vector>

#include "link/loopback_port.h"
#include "sim/flow_computer_model.h"
#include "sim/hart_transmitter_model.h"

namespace ruvenset::testing {

// The simulated flow computer and its two reference HART transmitters (a 3051 at polling address 1, a
// 3095 at 2) on one loopback line in virtual time: while the line runs at 1200 bit/s with odd parity a
// write is a HART request for the transmitters, otherwise a request for the flow computer. `filter`
// and `hartFilter` may drop (false) or change an answer.
class SimLinePeer {
 public:
  using Filter = std::function<bool(const std::vector<uint8_t>& request, std::vector<uint8_t>& response)>;

  SimLinePeer(LoopbackPort& port, LinkClock& clock, const sim::FlowComputerConfig& config = {})
      : model(config), port_(port), clock_(clock) {
    port.SetPeer([this](const uint8_t* data, size_t size) { OnWrite(data, size); });
  }

  sim::FlowComputerModel model;
  std::vector<sim::HartTransmitterModel> transmitters{
      sim::HartTransmitterModel::Make3051(1, sim::HartVariable::Pressure, sim::kHartKPa, {0x20, 0x00, 0x01}),
      sim::HartTransmitterModel::Make3095(2, {0x20, 0x00, 0x02})};
  Filter filter;
  Filter hartFilter;
  std::vector<std::vector<uint8_t>> requests;
  std::vector<std::vector<uint8_t>> hartRequests;

 private:
  void OnWrite(const uint8_t* data, size_t size) {
    size_t i = 0;
    while (i < size && data[i] == 0xFF) ++i;
    std::vector<uint8_t> request(data + i, data + size);
    const LineSettings line = port_.Line();
    if (line.bitsPerSecond == 1200 && line.parity == Parity::Odd) return OnHart(request);
    requests.push_back(request);
    std::vector<uint8_t> response;
    if (!model.HandleRequest(request.data(), request.size(), clock_.NowNs(), response)) return;
    if (filter && !filter(request, response)) return;
    port_.Deliver(response, 2'000'000, 100'000);
  }

  void OnHart(const std::vector<uint8_t>& request) {
    hartRequests.push_back(request);
    std::vector<uint8_t> response;
    bool answered = false;
    for (auto& t : transmitters) {
      if (t.Handle(request.data(), request.size(), model.inputs(), response)) {
        answered = true;
        break;
      }
    }
    if (hartFilter && !hartFilter(request, response)) return;
    if (!answered && response.empty()) return;
    std::vector<uint8_t> bytes;
    bytes.reserve(5 + response.size());
    bytes.assign(5, 0xFF);
    for (uint8_t b : response) bytes.push_back(b);
    port_.Deliver(bytes, 20'000'000, 9'000'000);
  }

  LoopbackPort& port_;
  LinkClock& clock_;
};

}  // namespace ruvenset::testing
