#pragma once
#include <gtest/gtest.h>

#include "link/virtual_link_clock.h"
#include "scripted_technician.h"
#include "session/program_state.h"
#include "shell/connect_operation.h"
#include "sim_peer.h"

namespace ruvenset::testing {

// A Ruvenset state wired to the simulated flow computer over a loopback port in virtual time, with the
// Russian catalogue and a scripted technician.
struct DeviceFixture : ::testing::Test {
  DeviceFixture() {
    LanguageTexts::Load(std::string(RUVENSET_SOURCE_DIR) + "/lang/Lang01.txt", state.texts);
    state.config.link.speedSearch = 0;
  }

  // Builds the simulated flow computer of this test (call before Connect).
  void UseDevice(const sim::FlowComputerConfig& config) { device = config; }

  ConnectResult Connect() {
    auto opener = [this](const std::string&, std::unique_ptr<SerialPort>& port) {
      auto loop = std::make_unique<LoopbackPort>(clock);
      peer = std::make_unique<SimPeer>(*loop, clock, device);
      port = std::move(loop);
      return PortOpenResult{};
    };
    return ConnectToFlowComputer(state, technician, technician, opener, "loopback");
  }

  VirtualLinkClock clock;
  ProgramState state{clock};
  ScriptedTechnician technician;
  sim::FlowComputerConfig device;
  std::unique_ptr<SimPeer> peer;
};

}  // namespace ruvenset::testing
