#pragma once
#include <string>

namespace ruvenset {

// The command line: ruvenset [--config FILE] [--demo] [--port PATH] [--all-channels]; --screenshot-dialogs
// DIR is for the documentation's pictures and not listed in the help.
struct AppOptions {
  std::string configPath;
  std::string portPath;
  bool demo = false;
  bool allChannels = false;
  std::string screenshotDir;
};

// What the command line asks for. It is read before the Qt application exists, so that the help and
// the version print on a machine without a display.
enum class AppCommandLine { Run, Help, Version, Usage };

// Usage with `error` set when the command line cannot be used (an unknown option, a missing value).
[[nodiscard]] AppCommandLine ParseAppOptions(int argc, const char* const* argv, AppOptions& options,
                                             std::string& error);

// The usage line and the option list, from the option table.
std::string AppHelpText();

}  // namespace ruvenset
