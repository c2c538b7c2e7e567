#pragma once
#include <QStringList>
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

// False with `error` set when the command line cannot be used (an unknown option, a missing value).
// --help and --version print and exit inside.
bool ParseAppOptions(const QStringList& arguments, AppOptions& options, std::string& error);

}  // namespace ruvenset
