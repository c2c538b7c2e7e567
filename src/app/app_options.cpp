#include "app/app_options.h"

#include <string_view>
#include <vector>

#include "common/option_help.h"

namespace ruvenset {
namespace {

// One option: its help row and the field it sets (a text for a valued option, a flag otherwise).
struct AppOptionRow {
  OptionHelpRow help;
  std::string AppOptions::*text = nullptr;
  bool AppOptions::*flag = nullptr;
};

const AppOptionRow kAppOptions[] = {
    {{"--config", "FILE", "Read and write the configuration FILE."}, &AppOptions::configPath},
    {{"--demo", nullptr, "Work with a simulated flow computer (no hardware needed)."},
     nullptr,
     &AppOptions::demo},
    {{"--port", "PATH", "Use the serial device PATH instead of the configured port slot."},
     &AppOptions::portPath},
    {{"--all-channels", nullptr, "Show the menus of every channel, not only the temperature channel."},
     nullptr,
     &AppOptions::allChannels},
    {{"--screenshot-dialogs", "DIR", nullptr}, &AppOptions::screenshotDir},
    {{"--help", nullptr, "Print this help and exit."}},
    {{"--version", nullptr, "Print the version and exit."}},
};

}  // namespace

AppCommandLine ParseAppOptions(int argc, const char* const* argv, AppOptions& options, std::string& error) {
  AppOptions parsed;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const AppOptionRow* row = nullptr;
    for (const auto& r : kAppOptions) {
      if (arg == r.help.name) row = &r;
    }
    if (row == nullptr) {
      error = arg.starts_with("-") ? "unknown option " + std::string(arg)
                                   : "unexpected argument " + std::string(arg);
      return AppCommandLine::Usage;
    }
    if (arg == "--help") return AppCommandLine::Help;
    if (arg == "--version") return AppCommandLine::Version;
    if (row->flag != nullptr) {
      parsed.*row->flag = true;
      continue;
    }
    if (i + 1 >= argc) {
      error = "missing value for " + std::string(arg);
      return AppCommandLine::Usage;
    }
    parsed.*row->text = argv[++i];
  }
  options = parsed;
  return AppCommandLine::Run;
}

std::string AppHelpText() {
  std::vector<OptionHelpRow> rows;
  for (const auto& r : kAppOptions) rows.push_back(r.help);
  return "usage: ruvenset [options]\nService tool for ВАЛДОР and СТЕНВИР gas flow computers.\n\noptions:\n" +
         FormatOptionHelp(rows);
}

}  // namespace ruvenset
