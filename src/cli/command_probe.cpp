#include <cstdio>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "link/connect.h"

namespace ruvenset::cli {

// Opens the port and looks for the flow computer: the speed search, or one link check.
int RunProbe(const CliArgs& args) {
  std::string unknown;
  if (!args.OnlyKnown({}, {}, unknown)) {
    std::fprintf(stderr, "probe: unknown option %s\n", unknown.c_str());
    return kExitUsage;
  }
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  if (const int rc = session.OpenPort(); rc != kExitOk) return rc;
  const LinkStatus status = FindFlowComputer(session.link(), nullptr);
  if (status != LinkOk) {
    std::printf("status %s\n", LinkStatusName(status));
    return kExitFailed;
  }
  std::printf("speed %d\n", kSpeedTable[session.config().link.speedIndex]);
  return kExitOk;
}

}  // namespace ruvenset::cli
