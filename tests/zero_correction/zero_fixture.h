#pragma once
#include <cstring>
#include <deque>
#include <map>
#include <utility>
#include <vector>

#include "../verification/verification_fixture.h"
#include "calibration/slope_offset_block.h"
#include "calibration/zero_setting.h"
#include "common/byte_order.h"
#include "common/crc16.h"

namespace ruvenset::testing {

using Bytes = std::vector<uint8_t>;

// The flow computer's measurement answers rewritten from a script: each answer to command 0x0C takes
// the next (valid, value) pair; the counters of command 0x1D can be frozen; further answers can be
// dropped by command and order.
struct ZeroFixture : VerificationFixture {
  std::deque<std::pair<bool, float>> values;
  bool frozenCounters = false;
  // Requests of a command (by its order, 1-based) that get no answer.
  std::vector<std::pair<uint8_t, int>> silent;
  // A request of a command (by its order, 1-based) during which the technician presses Stop.
  std::pair<uint8_t, int> stopAt{0, 0};

  void Script() {
    peer->filter = [this](const Bytes& request, Bytes& response) {
      const uint8_t command = request[3];
      ++seen_[command];
      for (const auto& [c, n] : silent)
        if (c == command && n == seen_[command]) return false;
      if (stopAt.first == command && stopAt.second == seen_[command]) state.link.stop().Request();
      if (command == 0x0C && request[0] == 0xBB && response[3] == 0x8C && !values.empty()) {
        response[4 + 6] = values.front().first ? 1 : 0;
        StoreDeviceFloat(response.data() + 4 + 17, values.front().second, DeviceByteOrder::MsbFirst);
        values.pop_front();
        StoreCrc16(response.data(), response.size() - 2);
      }
      if (command == 0x1D && frozenCounters) {
        for (int at = 6; at < 10; ++at) response[4 + at] = 5;
        StoreCrc16(response.data(), response.size() - 2);
      }
      return true;
    };
  }

  void Values(int n, float value, bool valid = true) {
    for (int i = 0; i < n; ++i) values.emplace_back(valid, value);
  }

  ZeroSettingOutcome Zero(int channelCode) {
    ClockServiceHost service(clock);
    ClockZeroStatisticsHost statistics(clock);
    ZeroTools tools{technician, service, statistics};
    return RunZeroSetting(state, technician, tools, channelCode);
  }

  std::vector<Bytes> RequestsOf(uint8_t command) const {
    std::vector<Bytes> out;
    for (const auto& r : peer->requests)
      if (r.size() > 3 && r[3] == command && (command != 0x0C || r[0] == 0xBB)) out.push_back(r);
    return out;
  }

  const uint8_t* Constants() const { return peer->model.memory() + 0x1F16; }

 private:
  std::map<uint8_t, int> seen_;
};

}  // namespace ruvenset::testing
