#pragma once
#include <memory>
#include <string>

#include "cli/cli_args.h"
#include "link/configuration.h"
#include "link/link.h"
#include "link/posix_serial_port.h"
#include "sim/sim_server.h"

namespace ruvenset::cli {

// Exit codes of the commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitNoPort = 2;
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

// What one CLI run works with: the configuration (with this run's overrides), the simulated flow
// computer when asked for, the open port and the link over it.
class CliSession {
 public:
  // Loads the configuration and applies --set and --port; false (message printed) on a bad override.
  bool Prepare(const CliArgs& args);
  // Starts the demo simulator if asked, then opens the configured slot's port. Returns kExitOk, or
  // kExitNoPort after printing why.
  int OpenPort();

  Configuration& config() { return config_; }
  Link& link() { return link_; }
  SerialPort& port() { return *port_; }
  const std::string& configPath() const { return configPath_; }

 private:
  Configuration config_;
  std::string configPath_;
  std::string portPath_;
  bool demo_ = false;
  SteadyLinkClock clock_;
  Link link_{config_.link, clock_};
  std::unique_ptr<StderrTrace> trace_;
  std::unique_ptr<sim::SimServer> sim_;
  std::unique_ptr<PosixSerialPort> port_;
};

}  // namespace ruvenset::cli
