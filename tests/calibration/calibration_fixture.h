#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "../storage_procedures/scripted_calibration_pages.h"
#include "calibration/calibration_procedure.h"
#include "link/virtual_link_clock.h"
#include "scripted_technician.h"
#include "scripted_verification_pages.h"
#include "session/program_state.h"
#include "shell/connect_operation.h"
#include "sim_line_peer.h"
#include "storage/headless_write_back_pages.h"
#include "temp_folder.h"

namespace ruvenset::testing {

// A technician who answers the calibration's questions by what they ask: go on waiting for a steady
// reading (1471) — no; take the point (1479) — yes; continue measuring after Cancel (2617) — `keepMeasuring`;
// store the tables in the flow computer (2264) — no; the two-line confirmations — yes; anything else from
// the queue.
class CalibrationTechnician : public ScriptedTechnician {
 public:
  explicit CalibrationTechnician(const ProgramState& state) : state_(state) {}
  bool keepMeasuring = false;
  bool acceptForeignCode = false;

  bool Confirm(const std::string& caption, const std::string& message) override {
    log.push_back("confirm " + caption + " | " + message);
    if (message == state_.Text(1471)) return false;
    if (message.rfind(state_.Text(1479).substr(0, 10), 0) == 0) return true;
    if (message == state_.Text(2617)) return keepMeasuring;
    if (message == state_.Text(2264)) return false;
    if (confirms.empty()) return false;
    const bool answer = confirms.front();
    confirms.pop_front();
    return answer;
  }
  bool Confirm3(const std::string& caption, const std::string& l1, const std::string& l2,
                const std::string& l3) override {
    log.push_back("confirm3 " + caption + " | " + l1 + " | " + l2 + " | " + l3);
    if (caption == state_.Text(1164)) return acceptForeignCode;
    return true;
  }

 private:
  const ProgramState& state_;
};

// The calibration's own windows played by a script. The measurement window is ticked in virtual time:
// in prompt mode once, in statistics mode until `readings` codes are in its window; `beforeWindow` may
// change the applied inputs, `onTick` press the reset button or answer otherwise. Values come from
// `values`, the identification code from `codes`.
class ScriptedRunPages : public CalibrationPages {
 public:
  explicit ScriptedRunPages(LinkClock& clock) : clock_(clock) {}

  int readings = 5;
  int maxTicks = 60;
  std::deque<int> results;  // modal results to close windows with (default 1, next)
  std::function<void(const TForm60Logic&)> beforeWindow;
  std::function<std::optional<int>(TForm60Logic&, const AcquisitionTick&, int tick)> onTick;
  std::deque<std::optional<float>> values;
  std::deque<std::optional<uint32_t>> codes;
  std::vector<std::string> log;
  std::vector<PointValueEntry> entries;
  std::vector<AcquisitionTick> ticks;
  std::vector<std::vector<uint8_t>> adcBlocks;
  std::deque<bool> unmovedAnswers;  // default: take the point
  std::vector<UnmovedPoint> unmoved;

  int ShowMeasurementWindow(TForm60Logic& window) override {
    const AcquisitionSetup& s = window.setup();
    log.push_back(std::string(s.mode == AcquisitionMode::Ambient ? "ambient" : "point") +
                  (s.statistics ? " statistics" : " prompt"));
    if (beforeWindow) beforeWindow(window);
    for (int t = 0; t < maxTicks; ++t) {
      clock_.SleepFor(int64_t{kAcquisitionInterval} * 1'000'000);
      ticks.push_back(window.Tick());
      if (onTick) {
        if (const std::optional<int> r = onTick(window, ticks.back(), t)) return *r;
      }
      if (!s.statistics || window.samples().count() >= readings) break;
    }
    if (results.empty()) return kMeasurementNext;
    const int r = results.front();
    results.pop_front();
    return r;
  }
  bool ConfirmUnmovedPoint(const UnmovedPoint& point) override {
    unmoved.push_back(point);
    log.push_back("unmoved " + point.message);
    if (unmovedAnswers.empty()) return true;
    const bool answer = unmovedAnswers.front();
    unmovedAnswers.pop_front();
    return answer;
  }
  std::optional<float> AskValue(const PointValueEntry& entry) override {
    entries.push_back(entry);
    log.push_back("value " + entry.rangeText);
    if (values.empty()) return std::nullopt;
    const std::optional<float> v = values.front();
    values.pop_front();
    return v;
  }
  std::optional<uint32_t> AskIdentificationCode(const IdentificationCodeEntry& entry) override {
    log.push_back("ident " + entry.proposed);
    if (codes.empty()) return std::nullopt;
    const std::optional<uint32_t> v = codes.front();
    codes.pop_front();
    return v;
  }
  void ShowAdcParameters(const std::string&, int, const std::vector<uint8_t>& block) override {
    adcBlocks.push_back(block);
  }

 private:
  LinkClock& clock_;
};

// Ruvenset connected to the simulated flow computer over a loopback line in virtual time, with the
// Russian texts, a temporary start folder and every calibration window scripted.
struct CalibrationFixture : ::testing::Test {
  CalibrationFixture() {
    LanguageTexts::Load(std::string(RUVENSET_SOURCE_DIR) + "/lang/Lang01.txt", state.texts);
    state.config.link.speedSearch = 0;
    state.startDirectory = folder.Path();
  }

  void Connect(const sim::FlowComputerConfig& device = {}) {
    auto opener = [this, device](const std::string&, std::unique_ptr<SerialPort>& port) {
      auto loop = std::make_unique<LoopbackPort>(clock);
      peer = std::make_unique<SimLinePeer>(*loop, clock, device);
      peer->model.SetCodeJitter(0);
      port = std::move(loop);
      return PortOpenResult{};
    };
    technician.passwords.push_back(device.password);
    ASSERT_EQ(ConnectToFlowComputer(state, technician, technician, opener, "loopback"),
              ConnectResult::Connected);
    technician.log.clear();
  }

  // Applies, before each measurement window of `pages`, the ambient temperature for the Тос measurement
  // and the gas temperatures for the points.
  void ApplyInputs(ScriptedRunPages& pages, std::vector<double> ambient, std::vector<double> points) {
    pages.beforeWindow = [this, ambient, points](const TForm60Logic& window) mutable {
      const AcquisitionSetup& s = window.setup();
      if (s.statistics) return;
      if (s.mode == AcquisitionMode::Ambient && !ambient.empty()) {
        peer->model.inputs().ambient = ambient.front();
        ambient.erase(ambient.begin());
      } else if (s.mode == AcquisitionMode::Point && !points.empty()) {
        peer->model.inputs().temperature = points.front();
        points.erase(points.begin());
      }
    };
  }

  CalibrationResult Run(int selector) {
    ClockServiceHost host(clock);
    CalibrationProcedureTools tools{files, runPages, wizard, host, {}};
    return Calibrate(tools, settings, selector);
  }

  int PipelineState() { return peer->model.State(1, clock.NowNs()); }
  int Requests(uint8_t command) const {
    int n = 0;
    for (const auto& r : peer->requests) n += r.size() > 3 && r[3] == command;
    return n;
  }
  std::string Text(int id) const { return state.Text(id); }

  TempFolder folder;
  VirtualLinkClock clock;
  ProgramState state{clock};
  CalibrationTechnician technician{state};
  ScriptedCalibrationPages lists;
  HeadlessWriteBackPages writeBack{state, technician};
  CalibrationTools files{state, technician, technician, technician, lists, writeBack};
  ScriptedRunPages runPages{clock};
  ScriptedVerificationPages wizard{clock};
  CalibrationSettings settings;
  std::unique_ptr<SimLinePeer> peer;
};

}  // namespace ruvenset::testing
