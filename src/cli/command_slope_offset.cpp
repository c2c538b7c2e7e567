#include <cstdio>
#include <string>

#include "calibration/slope_offset_block.h"
#include "cli/cli_session.h"
#include "cli/cli_technician.h"
#include "cli/commands.h"

namespace ruvenset::cli {
namespace {

// The information window as lines on standard output.
class PrintedInformation final : public ValuePrompts {
 public:
  std::optional<float> AskNumber(const NumberRequest&) override { return {}; }
  std::optional<int> AskChoice(const ChoiceRequest&) override { return {}; }
  void ShowInformation(const std::string&, const std::vector<std::string>& lines) override {
    for (const std::string& line : lines) std::printf("%s\n", line.c_str());
  }
};

}  // namespace

// The slopes and offsets of the flow computer's characteristics.
int RunSlopeOffset(const CliArgs& args) {
  std::string unknown;
  if (!args.OnlyKnown({"--password"}, {}, unknown)) {
    std::fprintf(stderr, "slope-offset: unknown option %s\n", unknown.c_str());
    return kExitUsage;
  }
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  CliTechnician technician(args.Value("--password"), false);
  if (const int rc = session.Connect(technician); rc != kExitOk) return rc;
  PrintedInformation information;
  if (ShowSlopeAndOffset(session.state(), technician, information) == SlopeOffsetResult::Shown)
    return kExitOk;
  std::printf("failed: the characteristic constants could not be read\n");
  return kExitFailed;
}

}  // namespace ruvenset::cli
