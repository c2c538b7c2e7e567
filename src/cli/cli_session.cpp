#include "cli/cli_session.h"

#include <cstdio>

#include "link/com_slots.h"

namespace ruvenset::cli {

void StderrTrace::Print(char direction, const uint8_t* bytes, int size) {
  const double ms = static_cast<double>(clock_.NowNs() - start_) / 1e6;
  std::fprintf(stderr, "%10.3f %c", ms, direction);
  for (int i = 0; i < size; ++i) std::fprintf(stderr, " %02X", bytes[i]);
  std::fputc('\n', stderr);
}

bool CliSession::Prepare(const CliArgs& args) {
  configPath_ = args.configPath.empty() ? DefaultConfigurationPath() : args.configPath;
  config_ = LoadConfiguration(configPath_);
  for (const auto& o : args.overrides) {
    const auto eq = o.find('=');
    if (eq == std::string::npos || !OverrideConfigurationKey(config_, o.substr(0, eq), o.substr(eq + 1))) {
      std::fprintf(stderr, "bad --set %s (expected Key=Value with a known key and an allowed value)\n",
                   o.c_str());
      return false;
    }
  }
  portPath_ = args.portPath;
  demo_ = args.demo;
  if (args.trace) {
    trace_ = std::make_unique<StderrTrace>(clock_);
    link_.SetTrace(trace_.get());
  }
  return true;
}

int CliSession::OpenPort() {
  std::string path = portPath_.empty() ? ComSlotPath(config_, config_.link.portIndex) : portPath_;
  if (demo_) {
    sim::SimOptions options;
    options.speed = kSpeedTable[config_.link.speedIndex];
    options.address = config_.link.address;
    std::string error;
    sim_ = sim::SimServer::Start(options, &error);
    if (!sim_) {
      std::fprintf(stderr, "cannot start the simulated flow computer: %s\n", error.c_str());
      return kExitNoPort;
    }
    path = sim_->path();
  }
  const PortOpenResult result = PosixSerialPort::Open(path, port_);
  if (result.error != PortOpenError::None) {
    std::fprintf(stderr, "%s\n", PortOpenErrorText(path, result).c_str());
    return kExitNoPort;
  }
  link_.Attach(port_.get());
  return kExitOk;
}

}  // namespace ruvenset::cli
