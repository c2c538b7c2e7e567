#pragma once
#include <memory>
#include <string>

#include "cli/cli_args.h"
#include "cli/cli_technician.h"
#include "link/configuration.h"
#include "link/link.h"
#include "link/port_open.h"
#include "session/program_state.h"
#include "sim/simulated_port.h"

namespace ruvenset::cli {

// Exit codes of the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitNoPort = 2;
inline constexpr int kExitRefused = 3;
inline constexpr int kExitUsage = 64;

// Prints every frame on stderr with a millisecond time stamp.
class StderrTrace final : public FrameTrace {
 public:
  explicit StderrTrace(LinkClock& clock) : clock_(clock), start_(clock.NowNs()) {}
  void Sent(const uint8_t* bytes, int size) override { Print('>', bytes, size); }
  void Received(const uint8_t* bytes, int size) override { Print('<', bytes, size); }

 private:
  void Print(char direction, const uint8_t* bytes, int size);
  LinkClock& clock_;
  int64_t start_;
};

// What one CLI run works with: the program state (configuration with this run's overrides, language
// texts, link), the simulated flow computer when asked for, and the device path of the port.
class CliSession {
 public:
  CliSession() = default;
  ~CliSession();
  CliSession(const CliSession&) = delete;
  CliSession& operator=(const CliSession&) = delete;

  // Loads the configuration and the language texts and applies --set, --port and --trace; false
  // (message printed) on a bad override or a missing catalogue.
  bool Prepare(const CliArgs& args);
  // Starts the demo simulator when asked; returns the port to open, or empty after printing why the
  // simulator could not start.
  std::string PortPath();
  // Opens the ports of this run: the demo's simulated port, the system's serial ports.
  PortOpener Opener();
  // Opens the port at PortPath() and attaches it to the link. Returns kExitOk, or kExitNoPort after
  // printing why.
  int OpenPort();
  // Connects the way the main window does (link check and connect sequence). Returns kExitOk when
  // connected; otherwise prints `refused <notice>` or `status <LinkStatus name>` and returns the exit code.
  int Connect(CliTechnician& technician);

  ProgramState& state() { return state_; }
  // The simulated flow computer of --demo, once started; null otherwise.
  sim::InProcessSimulator* simulator() { return sim_.get(); }
  Configuration& config() { return state_.config; }
  Link& link() { return state_.link; }
  SerialPort& port() { return *state_.port; }

 private:
  SteadyLinkClock clock_;
  ProgramState state_{clock_};
  std::string portOverride_;
  bool demo_ = false;
  std::vector<std::string> simCommands_;
  std::unique_ptr<StderrTrace> trace_;
  std::unique_ptr<sim::InProcessSimulator> sim_;
};

}  // namespace ruvenset::cli
