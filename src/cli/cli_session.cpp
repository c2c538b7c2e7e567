#include "cli/cli_session.h"

#include <cstdio>

#include "cli/cli_stop.h"
#include "link/com_slots.h"
#include "shell/connect_operation.h"

namespace ruvenset::cli {

void StderrTrace::Print(char direction, const uint8_t* bytes, int size) {
  const double ms = static_cast<double>(clock_.NowNs() - start_) / 1e6;
  std::fprintf(stderr, "%10.3f %c", ms, direction);
  for (int i = 0; i < size; ++i) std::fprintf(stderr, " %02X", bytes[i]);
  std::fputc('\n', stderr);
}

CliSession::~CliSession() {
  ForgetStop();
}

bool CliSession::Prepare(const CliArgs& args) {
  InstallStopHandlers(state_.link.stop());
  state_.configPath = args.configPath.empty() ? DefaultConfigurationPath() : args.configPath;
  state_.config = LoadConfiguration(state_.configPath);
  for (const auto& o : args.overrides) {
    const auto eq = o.find('=');
    if (eq == std::string::npos ||
        !OverrideConfigurationKey(state_.config, o.substr(0, eq), o.substr(eq + 1))) {
      std::fprintf(stderr, "bad --set %s (expected Key=Value with a known key and an allowed value)\n",
                   o.c_str());
      return false;
    }
  }
  if (LoadLanguageTexts(state_.config.langRus, state_.texts).status != LangLoadStatus::Ok) {
    std::fprintf(stderr, "language catalogue %s not found\n",
                 LanguageCatalogueName(state_.config.langRus).c_str());
    return false;
  }
  portOverride_ = args.portPath;
  demo_ = args.demo;
  simCommands_ = args.simCommands;
  if (args.trace) {
    trace_ = std::make_unique<StderrTrace>(clock_);
    state_.link.SetTrace(trace_.get());
  }
  return true;
}

std::string CliSession::PortPath() {
  if (!demo_)
    return portOverride_.empty() ? ComSlotPath(state_.config, state_.config.link.portIndex) : portOverride_;
  if (!sim_) {
    sim::SimOptions options;
    options.speed = kSpeedTable[state_.config.link.speedIndex];
    options.address = state_.config.link.address;
    std::string error;
    sim_ = sim::InProcessSimulator::Start(options, &error);
    if (!sim_) {
      std::fprintf(stderr, "cannot start the simulated flow computer: %s\n", error.c_str());
      return {};
    }
    for (const auto& command : simCommands_)
      std::fprintf(stderr, "sim: %s\n", sim_->Control(command).c_str());
  }
  return sim::InProcessSimulator::kPortName;
}

PortOpener CliSession::Opener() {
  return sim_ ? sim_->Opener(OpenSerialPort) : PortOpener(OpenSerialPort);
}

int CliSession::OpenPort() {
  const std::string path = PortPath();
  if (path.empty()) return kExitNoPort;
  std::unique_ptr<SerialPort> port;
  const PortOpenResult result = Opener()(path, port);
  if (result.error != PortOpenError::None) {
    std::fprintf(stderr, "%s\n", PortOpenErrorText(path, result).c_str());
    return kExitNoPort;
  }
  state_.AttachPort(std::move(port));
  return kExitOk;
}

int CliSession::Connect(CliTechnician& technician) {
  const std::string path = PortPath();
  if (path.empty()) return kExitNoPort;
  if (demo_ || !portOverride_.empty()) state_.givenPort = {path, demo_};
  switch (ConnectToFlowComputer(state_, technician, technician, Opener(), path)) {
    case ConnectResult::Connected:
      return kExitOk;
    case ConnectResult::PortFailed:
      return kExitNoPort;
    case ConnectResult::Refused:
      std::printf("refused %s\n", technician.notice().c_str());
      return kExitRefused;
    case ConnectResult::NoFlowComputer:
    case ConnectResult::Abandoned:
      break;
  }
  const LinkStatus last = state_.link.lastStatus();
  std::printf("status %s\n", LinkStatusName(last == LinkOk ? LinkNoAnswer : last));
  return kExitFailed;
}

}  // namespace ruvenset::cli
