#include <cstdio>
#include <string>

#include "calibration/zero_setting.h"
#include "cli/cli_service_host.h"
#include "cli/cli_session.h"
#include "cli/cli_stop.h"
#include "cli/cli_technician.h"
#include "cli/commands.h"
#include "common/adaptive_format.h"

namespace ruvenset::cli {

// The zero of the gas pressure or differential-pressure channel's offset.
int RunZero(const CliArgs& args) {
  std::string unknown;
  if (!args.OnlyKnown({"--channel", "--password"}, {}, unknown)) {
    std::fprintf(stderr, "zero: unknown option %s\n", unknown.c_str());
    return kExitUsage;
  }
  const auto channel = args.Value("--channel");
  if (!channel || (*channel != "pressure" && *channel != "dp")) {
    std::fprintf(stderr, "zero: --channel pressure|dp is required\n");
    return kExitUsage;
  }
  const int channelCode = *channel == "pressure" ? 0 : 2;
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  CliTechnician technician(args.Value("--password"), false);
  if (const int rc = session.Connect(technician); rc != kExitOk) return rc;

  ProgramState& state = session.state();
  CliServiceHost service(state);
  // A Ctrl-C ends the measurement as the window's stop button does; service mode is then left.
  ClockZeroStatisticsHost statistics(state.link.clock(),
                                     [&state] { return StopEndsTheStep(state.link.stop()); });
  ZeroTools tools{technician, service, statistics};
  const ZeroSettingOutcome outcome = RunZeroSetting(state, technician, tools, channelCode);
  if (outcome.result == ZeroSettingResult::Set) {
    std::printf("correction %s\noffset %s\n", FormatAdaptive(outcome.correction).c_str(),
                FormatAdaptive(outcome.offset).c_str());
    return kExitOk;
  }
  if (outcome.result == ZeroSettingResult::NotStarted) {
    std::printf("failed: the characteristic constants could not be read\n");
  } else {
    const std::string message = ZeroSettingMessage(state, outcome, channelCode).message;
    std::printf("failed: %s\n", message.substr(0, message.find('\n')).c_str());
  }
  return kExitFailed;
}

}  // namespace ruvenset::cli
