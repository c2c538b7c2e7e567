#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_args.h"
#include "cli/cli_session.h"
#include "cli/cli_stop.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "common/option_help.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const ruvenset::cli::CliArgs&);
  const char* help;
};

constexpr Command kCommands[] = {
    {"probe", ruvenset::cli::RunProbe,
     "find the flow computer on the configured port (speed search or link check)"},
    {"ports", ruvenset::cli::RunPorts, "list the port slots COM1..COM8 and the serial ports present"},
    {"transact", ruvenset::cli::RunTransact,
     "one exchange: --command N [--write] [--length L] [--accept M] "
     "[--first-byte B] [--data HEX] [--address A]"},
    {"identify", ruvenset::cli::RunIdentify, "connect and identify: [--password TEXT] [--release]"},
    {"release-service", ruvenset::cli::RunReleaseService,
     "take pipelines out of service mode: [--password TEXT] [--wait SECONDS]"},
    {"check", ruvenset::cli::RunCalibrationCheck,
     "check a calibration file: FILE [--section pressure|temperature|dp|meter]"},
    {"show", ruvenset::cli::RunCalibrationShow, "show a section of a calibration file: FILE --section S"},
    {"write-back", ruvenset::cli::RunWriteBack,
     "store a section in the flow computer: FILE --section S [--password TEXT]"},
    {"verify", ruvenset::cli::RunVerify,
     "verify a channel: --channel temperature|pressure|dp|dp-lower|dp-upper [--readings N] [--ctr FILE "
     "[--append]] [--actual VALUE]... [--substitute measured|constant=VALUE] [--hart-port PATH --hart-type "
     "3051|3095 --hart-address N [--hart-variable V] [--reference absolute|gauge]] [--protocol OUT.pdf "
     "[--limit VALUE|VALUE%]] [--password TEXT]"},
    {"calibrate", ruvenset::cli::RunCalibrate,
     "one Tos point: --channel pressure|temperature|dp (--new FILE | --continue FILE) --tos VALUE --point "
     "VALUE... [--readings N] [--ident-code N] [--accept-unmoved] [--password TEXT] [HART options as in "
     "verify]"},
    {"ident-code", ruvenset::cli::RunIdentCode, "read the identification code: [--set N] [--password TEXT]"},
    {"zero", ruvenset::cli::RunZero,
     "set the zero of a channel's offset: --channel pressure|dp [--password TEXT]"},
    {"correct", ruvenset::cli::RunCorrect,
     "correct the slope and offset: --channel pressure|dp --point REFERENCE [--point REFERENCE] [--readings "
     "N] "
     "[--password TEXT]"},
    {"slope-offset", ruvenset::cli::RunSlopeOffset, "show the characteristics' slopes and offsets"},
    {"save-calibration", ruvenset::cli::RunSaveCalibration,
     "read the flow computer's calibration into OUT.klb and its report: OUT.klb [--password TEXT]"},
    {"adc-params", ruvenset::cli::RunAdcParams,
     "show the ADC channel parameters: [--channel pressure|temperature|dp] [--password TEXT]"},
    {"print-report", ruvenset::cli::RunPrintReport,
     "print a calibration report into a PDF: FILE.rcl --pdf OUT.pdf [--pages FROM-TO]"},
    {"print-protocol", ruvenset::cli::RunPrintProtocol,
     "make a verification protocol again from its CSV: FILE.csv --pdf OUT.pdf"},
};

void PrintUsage(FILE* out) {
  std::fprintf(out,
               "usage: ruvenset-cli [global options] COMMAND [options]\nglobal options:\n%s\ncommands:\n",
               ruvenset::cli::GlobalOptionHelp().c_str());
  int width = 0;
  for (const auto& c : kCommands) width = std::max(width, static_cast<int>(std::strlen(c.name)));
  for (const auto& c : kCommands) std::fprintf(out, "  %-*s  %s\n", width, c.name, c.help);
  std::fprintf(out, "\n\"ruvenset-cli COMMAND --help\" prints the options of one command.\n");
}

// The help of one command from its line of the command table, "what it does: its options", with the
// global options it also takes.
void PrintCommandHelp(const Command& c) {
  const std::string_view help = c.help;
  const size_t colon = help.find(": ");
  const std::string_view what = help.substr(0, colon);
  const std::string_view options = colon == std::string_view::npos ? "" : help.substr(colon + 2);
  std::printf("usage: ruvenset-cli [global options] %s%s%.*s\n%.*s\n\nglobal options:\n%s", c.name,
              options.empty() ? "" : " ", static_cast<int>(options.size()), options.data(),
              static_cast<int>(what.size()), what.data(), ruvenset::cli::GlobalOptionHelp().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  ruvenset::cli::UseUtf8Console();
  std::vector<std::string> words = ruvenset::cli::Utf8Arguments(argc, argv);
  std::vector<char*> utf8;
  for (std::string& w : words) utf8.push_back(w.data());
  ruvenset::cli::CliArgs args;
  std::string error;
  if (!ruvenset::cli::ParseCliArgs(static_cast<int>(utf8.size()), utf8.data(), args, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    PrintUsage(stderr);
    return ruvenset::cli::kExitUsage;
  }
  if (args.version) {
    std::printf("ruvenset-cli %s\n", ruvenset::ProgramVersion());
    return ruvenset::cli::kExitOk;
  }
  if (args.help && args.command.empty()) {
    PrintUsage(stdout);
    return ruvenset::cli::kExitOk;
  }
  for (const auto& c : kCommands) {
    if (args.command == c.name) {
      if (args.help || args.Flag("--help")) {
        PrintCommandHelp(c);
        return ruvenset::cli::kExitOk;
      }
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
  PrintUsage(stderr);
  return ruvenset::cli::kExitUsage;
}
