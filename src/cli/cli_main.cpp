#include <cstdio>
#include <cstring>

#include "cli/cli_args.h"
#include "cli/cli_session.h"
#include "cli/cli_stop.h"
#include "cli/commands.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const ruvenset::cli::CliArgs&);
  const char* help;
};

constexpr Command kCommands[] = {
    {"probe", ruvenset::cli::RunProbe,
     "find the flow computer on the configured port (speed search or link check)"},
    {"transact", ruvenset::cli::RunTransact,
     "one exchange: --command N [--write] [--length L] [--accept M] "
     "[--first-byte B] [--data HEX] [--address A]"},
    {"identify", ruvenset::cli::RunIdentify, "connect and identify: [--password TEXT] [--release]"},
    {"release-service", ruvenset::cli::RunReleaseService,
     "take pipelines out of service mode: [--password TEXT]"},
    {"check", ruvenset::cli::RunCalibrationCheck,
     "check a calibration file: FILE [--section pressure|temperature|dp|meter]"},
    {"show", ruvenset::cli::RunCalibrationShow, "show a section of a calibration file: FILE --section S"},
    {"write-back", ruvenset::cli::RunWriteBack,
     "store a section in the flow computer: FILE --section S [--password TEXT]"},
    {"verify", ruvenset::cli::RunVerify,
     "verify a channel: --channel temperature|pressure|dp|dp-lower|dp-upper [--readings N] [--ctr FILE "
     "[--append]] [--actual VALUE] [--hart-port PATH --hart-type 3051|3095 --hart-address N [--hart-variable "
     "V]] [--password TEXT]"},
};

void PrintUsage() {
  std::fprintf(stderr,
               "usage: ruvenset-cli [--config FILE] [--port PATH] [--set Key=Value]... [--demo] [--sim "
               "COMMAND]... [--trace] "
               "COMMAND [options]\ncommands:\n");
  for (const auto& c : kCommands) std::fprintf(stderr, "  %-10s %s\n", c.name, c.help);
}

}  // namespace

int main(int argc, char** argv) {
  ruvenset::cli::CliArgs args;
  std::string error;
  if (!ruvenset::cli::ParseCliArgs(argc, argv, args, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    PrintUsage();
    return ruvenset::cli::kExitUsage;
  }
  for (const auto& c : kCommands) {
    if (args.command == c.name) {
      const int rc = c.run(args);
      std::fflush(stdout);
      if (ruvenset::cli::StopWasRequested()) {
        std::fprintf(stderr, "ruvenset-cli: %s stopped\n", c.name);
        return ruvenset::cli::kExitStopped;
      }
      return rc;
    }
  }
  std::fprintf(stderr, "unknown command %s\n", args.command.c_str());
  PrintUsage();
  return ruvenset::cli::kExitUsage;
}
