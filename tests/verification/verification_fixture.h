#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "link/virtual_link_clock.h"
#include "scripted_protocol_pages.h"
#include "scripted_technician.h"
#include "scripted_verification_pages.h"
#include "session/program_state.h"
#include "shell/connect_operation.h"
#include "sim_line_peer.h"
#include "verification/verification_procedure.h"

namespace ruvenset::testing {

// A fixed moment for the readings' time stamps.
class FixedWallClock final : public WallClock {
 public:
  std::time_t seconds = 1'700'000'000;
  int milliseconds = 250;
  void Now(std::time_t& s, int& ms) override {
    s = seconds;
    ms = milliseconds;
  }
};

// Ruvenset's state connected to the simulated flow computer (and its reference transmitters) over a
// loopback line in virtual time, with the Russian texts, a scripted technician and scripted pages.
struct VerificationFixture : ::testing::Test {
  VerificationFixture() {
    LanguageTexts::Load(std::string(RUVENSET_SOURCE_DIR) + "/lang/Lang01.txt", state.texts);
    state.config.link.speedSearch = 0;
    state.startDirectory = ::testing::TempDir();
  }

  void Connect(const sim::FlowComputerConfig& device = {}) {
    auto opener = [this, device](const std::string&, std::unique_ptr<SerialPort>& port) {
      auto loop = std::make_unique<LoopbackPort>(clock);
      line = loop.get();
      peer = std::make_unique<SimLinePeer>(*loop, clock, device);
      port = std::move(loop);
      return PortOpenResult{};
    };
    technician.passwords.push_back(device.password);
    ASSERT_EQ(ConnectToFlowComputer(state, technician, technician, opener, "loopback"),
              ConnectResult::Connected);
    technician.log.clear();
  }

  // Opens a second loopback port with the reference transmitters behind it (a HART modem).
  PortOpener ModemOpener() {
    return [this](const std::string& path, std::unique_ptr<SerialPort>& port) {
      if (path != "modem") return PortOpenResult{PortOpenError::NotFound, 2};
      auto loop = std::make_unique<LoopbackPort>(clock);
      modem = loop.get();
      modemPeer = std::make_unique<SimLinePeer>(*loop, clock);
      port = std::move(loop);
      return PortOpenResult{};
    };
  }

  VerificationResult Verify(int kind) {
    ClockServiceHost host(clock);
    VerificationTools tools{technician, technician, pages, host, ModemOpener(), wallClock, protocol};
    return RunVerification(state, technician, tools, settings, kind);
  }

  int PipelineState(int pipeline = 1) { return peer->model.State(pipeline, clock.NowNs()); }
  int Requests(uint8_t command) const {
    int n = 0;
    for (const auto& r : peer->requests) n += r.size() > 3 && r[3] == command;
    return n;
  }

  VirtualLinkClock clock;
  ProgramState state{clock};
  ScriptedTechnician technician;
  ScriptedVerificationPages pages{clock};
  ScriptedProtocolPages protocol;
  FixedWallClock wallClock;
  VerificationSettings settings;
  LoopbackPort* line = nullptr;
  std::unique_ptr<SimLinePeer> peer;
  LoopbackPort* modem = nullptr;
  std::unique_ptr<SimLinePeer> modemPeer;
};

}  // namespace ruvenset::testing
