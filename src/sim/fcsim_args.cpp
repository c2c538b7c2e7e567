#include "sim/fcsim_args.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace ruvenset::sim {

const char* const kFcsimUsage =
    "usage: fcsim --link PATH [--speed BPS] [--address N] [--model N] [--version N] [--lsb]\n"
    "             [--password TEXT] [--parameter-password TEXT] [--pipelines N] [--hart-link PATH]\n"
    "             [--no-hart-on-line] [--seed N] [--drop P] [--corrupt P] [--wrong-address P] [--noise P]\n"
    "             [--no-pace]\n"
    "Serves a simulated flow computer on a pseudo-terminal linked at PATH; reads control commands\n"
    "from standard input (\"help\" lists them). Linux only (Windows has no pseudo-terminals: there\n"
    "ruvenset-cli --demo runs the simulated flow computer inside the program).\n";

namespace {

// long long: a long has only 32 bits on Windows, too few for a seed up to 4294967295.
bool ToLong(const std::string& text, long long min, long long max, long long& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(text.c_str(), &end, 0);
  return !text.empty() && errno == 0 && *end == '\0' && value >= min && value <= max;
}

bool ToProbability(const std::string& text, double& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && errno == 0 && *end == '\0' && value >= 0.0 && value <= 1.0;
}

}  // namespace

bool ParseFcsimArgs(const std::vector<std::string>& args, SimOptions& options, bool& help,
                    std::string& error) {
  help = false;
  struct IntOption {
    const char* name;
    int* target;
    long min, max;
  };
  const IntOption ints[] = {{"--speed", &options.speed, 50, 4'000'000},
                            {"--address", &options.address, 0, 255},
                            {"--model", &options.model, 0, 255},
                            {"--version", &options.version, 0, 255},
                            {"--pipelines", &options.pipelines, 1, kMaxPipelines}};
  struct TextOption {
    const char* name;
    std::string* target;
  };
  const TextOption texts[] = {{"--link", &options.linkPath},
                              {"--password", &options.password},
                              {"--parameter-password", &options.parameterPassword},
                              {"--hart-link", &options.hartLinkPath}};
  struct RateOption {
    const char* name;
    double* target;
  };
  const RateOption rates[] = {{"--drop", &options.drop},
                              {"--corrupt", &options.corrupt},
                              {"--wrong-address", &options.wrongAddress},
                              {"--noise", &options.noise}};

  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      help = true;
      return true;
    }
    if (a == "--lsb" || a == "--no-pace" || a == "--no-hart-on-line") {
      if (a == "--lsb") options.lsb = true;
      if (a == "--no-pace") options.pace = false;
      if (a == "--no-hart-on-line") options.hartOnSameLine = false;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = a + " needs a value or is unknown";
      return false;
    }
    const std::string& value = args[++i];
    bool known = false;
    for (const IntOption& o : ints) {
      if (a != o.name) continue;
      long long v = 0;
      if (!ToLong(value, o.min, o.max, v)) {
        error = a + " takes a number " + std::to_string(o.min) + ".." + std::to_string(o.max);
        return false;
      }
      *o.target = static_cast<int>(v);
      known = true;
    }
    for (const TextOption& o : texts) {
      if (a != o.name) continue;
      *o.target = value;
      known = true;
    }
    for (const RateOption& o : rates) {
      if (a != o.name) continue;
      if (!ToProbability(value, *o.target)) {
        error = a + " takes a probability 0..1";
        return false;
      }
      known = true;
    }
    if (a == "--seed") {
      long long v = 0;
      if (!ToLong(value, 0, 0xFFFFFFFFLL, v)) {
        error = "--seed takes a number 0..4294967295";
        return false;
      }
      options.seed = static_cast<uint32_t>(v);
      known = true;
    }
    if (!known) {
      error = "unknown option " + a;
      return false;
    }
  }
  if (options.linkPath.empty()) {
    error = "--link PATH is required";
    return false;
  }
  return true;
}

}  // namespace ruvenset::sim
