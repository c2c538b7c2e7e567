#include <cstdio>

#include "cli/cli_session.h"
#include "cli/cli_technician.h"
#include "cli/commands.h"
#include "device/release_service.h"

namespace ruvenset::cli {
namespace {

class PrintReleased final : public ReleaseObserver {
 public:
  void Released(int pipeline) override { std::printf("released %d\n", pipeline); }
};

bool CheckOptions(const CliArgs& args, const std::vector<std::string>& flags, const char* command) {
  std::string unknown;
  if (args.OnlyKnown({"--password"}, flags, unknown)) return true;
  std::fprintf(stderr, "%s: unknown option %s\n", command, unknown.c_str());
  return false;
}

}  // namespace

// The link check and the whole connect sequence without windows.
int RunIdentify(const CliArgs& args) {
  if (!CheckOptions(args, {"--release"}, "identify")) return kExitUsage;
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  CliTechnician technician(args.Value("--password"), args.Flag("--release"));
  if (const int rc = session.Connect(technician); rc != kExitOk) return rc;

  const ConnectionRecord& r = session.state().record;
  std::printf("type %d\n", r.id.type);
  std::printf("extended %d\n", r.id.extended ? 1 : 0);
  std::printf("version %d\n", r.id.version);
  std::printf("revision %d\n", r.id.revision);
  std::printf("byte-order %s\n", r.id.byteOrder == DeviceByteOrder::LsbFirst ? "lsb" : "msb");
  std::printf("pipelines %d\n", r.pipelineCount());
  std::printf("text %s\n", r.identificationText.c_str());
  for (int p = 0; p < r.pipelineCount(); ++p) std::printf("method %d %d\n", p + 1, r.derived[p][0]);
  for (int i = 1; i <= r.pipelineCount(); ++i) {
    if (r.pipelineStateByte(i) == 3 && !args.Flag("--release")) std::printf("service %d\n", i);
  }
  return kExitOk;
}

// Takes every pipeline in service mode out of it. A pipeline that stays in service mode longer than
// the wait (--wait SECONDS, 60 by default) ends the command with status 1.
int RunReleaseService(const CliArgs& args) {
  std::string unknown;
  if (!args.OnlyKnown({"--password", "--wait"}, {}, unknown)) {
    std::fprintf(stderr, "release-service: unknown option %s\n", unknown.c_str());
    return kExitUsage;
  }
  int waitMs = kReleaseAskAfterMs;
  if (const auto wait = args.Value("--wait")) {
    long seconds = 0;
    if (!ParseNumber(*wait, 0, 86'400, seconds)) {
      std::fprintf(stderr, "release-service: --wait takes seconds, not %s\n", wait->c_str());
      return kExitUsage;
    }
    waitMs = static_cast<int>(seconds * 1000);
  }
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  CliTechnician technician(args.Value("--password"), false);
  if (const int rc = session.Connect(technician); rc != kExitOk) return rc;
  PrintReleased printer;
  switch (ReleaseServiceMode(session.state(), technician, &printer, waitMs)) {
    case ReleaseResult::Released:
    case ReleaseResult::NoneInService:
      return kExitOk;
    case ReleaseResult::StillInService:
    case ReleaseResult::Abandoned:
      break;
  }
  return kExitFailed;
}

}  // namespace ruvenset::cli
