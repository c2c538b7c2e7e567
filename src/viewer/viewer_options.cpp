#include "viewer/viewer_options.h"

#include <charconv>
#include <cstring>

#include "common/option_help.h"
#include "viewer/time_scale.h"

namespace ruvenset {
namespace {

constexpr OptionHelpRow kViewerOptions[] = {
    {"--open", "FILE", "Load the verification data FILE without a window, print what was loaded and end."},
    {"--channel", "CODE",
     "The channel to load with --open: 0 pressure, 1 temperature, 2 differential pressure."},
    {"--step", "K", "The time step 0..14 of the plot (1 s .. 5 h)."},
    {"--screenshot", "PNG", "Write a picture of the plot (or, alone, of the main window) into PNG."},
    {"--csv", "FILE", "Write the loaded readings into FILE as comma-separated values."},
    {"--instance", "NAME", "Use NAME for the single-instance channel."},
    {"--help", nullptr, "Print this help and exit."},
    {"--version", nullptr, "Print the version and exit."},
};

bool ParseInt(const char* text, int min, int max, int& out) {
  int value = 0;
  const char* end = text + std::strlen(text);
  const auto result = std::from_chars(text, end, value);
  if (result.ec != std::errc() || result.ptr != end || value < min || value > max) return false;
  out = value;
  return true;
}

}  // namespace

bool ParseViewerOptions(int argc, const char* const* argv, ViewerOptions& out, std::string& error) {
  ViewerOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    const OptionHelpRow* row = FindOptionRow(kViewerOptions, name);
    if (row == nullptr && !name.starts_with("-") && options.file.empty()) {
      options.file = name;
      continue;
    }
    if (row == nullptr) {
      error = name.starts_with("-") ? "unknown option " + name : "unexpected argument " + name;
      return false;
    }
    if (row->valueName == nullptr) {
      (name == "--help" ? options.help : options.version) = true;
      continue;
    }
    if (i + 1 >= argc) {
      error = "missing value for " + name;
      return false;
    }
    const char* value = argv[++i];
    if (name == "--open") {
      options.open = value;
    } else if (name == "--channel") {
      if (!ParseInt(value, 0, 255, options.channel)) {
        error = "--channel takes a channel code 0..255";
        return false;
      }
    } else if (name == "--step") {
      if (!ParseInt(value, 0, kTimeStepCount - 1, options.step)) {
        error = "--step takes a time step 0..14";
        return false;
      }
    } else if (name == "--screenshot") {
      options.screenshot = value;
    } else if (name == "--csv") {
      options.csv = value;
    } else {
      options.instance = value;
    }
  }
  if (!options.open.empty() && options.channel < 0) {
    error = "--open needs --channel";
    return false;
  }
  if (options.open.empty() && (options.channel >= 0 || options.step >= 0 || !options.csv.empty())) {
    error = "--channel, --step and --csv need --open";
    return false;
  }
  if (!options.file.empty() && options.Batch()) {
    error = "a FILE to show cannot go with --open or --screenshot";
    return false;
  }
  out = options;
  return true;
}

std::string ViewerHelpText() {
  return "usage: grafmira [FILE] [options]\nPlots the readings of verification data files "
         "(.ctr).\n\noptions:\n" +
         FormatOptionHelp(kViewerOptions);
}

}  // namespace ruvenset
