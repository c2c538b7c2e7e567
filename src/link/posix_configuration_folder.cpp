#include <cstdlib>
#include <string>

#include "link/configuration.h"

namespace ruvenset {

std::string DefaultConfigurationPath() {
  std::string base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::string(home) + "/.config";
  } else {
    base = ".";
  }
  return base + "/ruvenset/" + kConfigurationFileName;
}

}  // namespace ruvenset
