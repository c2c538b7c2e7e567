#include "cli/cli_args.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "common/decimal_text.h"
#include "common/option_help.h"

namespace ruvenset::cli {
namespace {

constexpr OptionHelpRow kGlobalOptions[] = {
    {"--config", "FILE", "read and write the configuration FILE"},
    {"--port", "PATH", "use the serial device PATH instead of the configured port slot"},
    {"--set", "Key=Value", "override one configuration value for this run (repeatable)"},
    {"--demo", nullptr, "work with the simulated flow computer in this process"},
    {"--sim", "COMMAND", "a control command for the simulated flow computer (repeatable; implies --demo)"},
    {"--trace", nullptr, "print every frame on stderr"},
    {"--help", nullptr, "print this help; after a command, that command's options"},
    {"--version", nullptr, "print the version"},
};

}  // namespace

std::string GlobalOptionHelp() {
  return FormatOptionHelp(kGlobalOptions);
}

std::optional<std::string> CliArgs::Value(const std::string& name) const {
  for (size_t i = 0; i + 1 < rest.size(); ++i) {
    if (rest[i] == name) return rest[i + 1];
  }
  return std::nullopt;
}

bool CliArgs::Flag(const std::string& name) const {
  for (const auto& a : rest) {
    if (a == name) return true;
  }
  return false;
}

bool CliArgs::OnlyKnown(const std::vector<std::string>& valued, const std::vector<std::string>& flags,
                        std::string& unknown) const {
  auto contains = [](const std::vector<std::string>& list, const std::string& s) {
    for (const auto& x : list) {
      if (x == s) return true;
    }
    return false;
  };
  for (size_t i = 0; i < rest.size(); ++i) {
    if (contains(valued, rest[i]) && i + 1 < rest.size()) {
      ++i;
    } else if (!contains(flags, rest[i])) {
      unknown = rest[i];
      return false;
    }
  }
  return true;
}

bool ParseCliArgs(int argc, char** argv, CliArgs& args, std::string& error) {
  int i = 1;
  auto needValue = [&](const std::string& opt, std::string& out) {
    if (i + 1 >= argc) {
      error = "option " + opt + " needs a value";
      return false;
    }
    out = argv[++i];
    return true;
  };
  for (; i < argc; ++i) {
    const std::string a = argv[i];
    if (a.rfind("--", 0) != 0) break;
    std::string value;
    if (a == "--config") {
      if (!needValue(a, args.configPath)) return false;
    } else if (a == "--port") {
      if (!needValue(a, args.portPath)) return false;
    } else if (a == "--set") {
      if (!needValue(a, value)) return false;
      args.overrides.push_back(value);
    } else if (a == "--demo") {
      args.demo = true;
    } else if (a == "--sim") {
      if (!needValue(a, value)) return false;
      args.simCommands.push_back(value);
      args.demo = true;
    } else if (a == "--trace") {
      args.trace = true;
    } else if (a == "--help") {
      args.help = true;
    } else if (a == "--version") {
      args.version = true;
    } else {
      error = "unknown option " + a;
      return false;
    }
  }
  if (i >= argc && !args.help && !args.version) {
    error = "no command given";
    return false;
  }
  if (i >= argc) return true;
  args.command = argv[i++];
  for (; i < argc; ++i) args.rest.emplace_back(argv[i]);
  return true;
}

bool ParseNumber(const std::string& text, long lo, long hi, long& value) {
  // A whole number by the one number rule: digits, and a minus sign where the option takes one.
  if (!ParseDecimal(text, lo < 0 ? DecimalSign::Signed : DecimalSign::Unsigned) ||
      text.find_first_of(".,") != std::string::npos)
    return false;
  long v = 0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, v);
  if (error != std::errc() || at != end || v < lo || v > hi) return false;
  value = v;
  return true;
}

bool OneFileArgument(const CliArgs& args, const std::vector<std::string>& valued, const char* command,
                     std::string& file) {
  for (size_t i = 0; i < args.rest.size(); ++i) {
    const std::string& word = args.rest[i];
    if (word.rfind("--", 0) == 0) {
      if (std::find(valued.begin(), valued.end(), word) == valued.end() || i + 1 == args.rest.size()) {
        std::fprintf(stderr, "%s: unknown option or missing value: %s\n", command, word.c_str());
        return false;
      }
      ++i;
      continue;
    }
    if (!file.empty()) {
      std::fprintf(stderr, "%s: one file only\n", command);
      return false;
    }
    file = word;
  }
  if (file.empty()) std::fprintf(stderr, "%s: FILE is missing\n", command);
  return !file.empty();
}

}  // namespace ruvenset::cli
