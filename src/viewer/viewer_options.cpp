#include "viewer/viewer_options.h"

#include <charconv>
#include <cstring>

#include "viewer/time_scale.h"

namespace ruvenset {
namespace {

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
    } else if (name == "--instance") {
      options.instance = value;
    } else {
      error = "unknown option " + name;
      return false;
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
  out = options;
  return true;
}

}  // namespace ruvenset
