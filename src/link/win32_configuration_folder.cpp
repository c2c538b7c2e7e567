#include <windows.h>

#include <shlobj.h>

#include <string>

#include "common/win32_text.h"
#include "link/configuration.h"

namespace ruvenset {

std::string DefaultConfigurationPath() {
  // %APPDATA% (the roaming application data of the user), asked of the shell so that a user name in
  // any alphabet comes back whole.
  std::string base = ".";
  PWSTR folder = nullptr;
  if (::SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &folder) == S_OK && folder != nullptr)
    base = Narrow(folder);
  if (folder != nullptr) ::CoTaskMemFree(folder);
  return base + "\\ruvenset\\" + kConfigurationFileName;
}

}  // namespace ruvenset
