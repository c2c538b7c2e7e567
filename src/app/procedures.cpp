#include "app/procedures.h"

#include <memory>

#include "verification/channel_ranges.h"
#include "verification/windows/qt_verification_pages.h"

namespace ruvenset {

void RegisterVerificationProcedures(TForm1& window, const PortOpener& opener) {
  auto settings = std::make_shared<VerificationSettings>();
  const std::pair<MenuItem, int> items[] = {{MenuItem::N20, kKindTemperature},
                                            {MenuItem::N10, kKindPressure},
                                            {MenuItem::N5, kKindDiffPressure},
                                            {MenuItem::N38, kKindUpperDiffPressure},
                                            {MenuItem::N42, kKindLowerDiffPressure}};
  for (const auto& [item, kind] : items) {
    window.SetProcedure(item, [&window, settings, opener, kind = kind] {
      VerifyChannelInWindows(&window, window.state(), window.technician(), *settings, opener, kind);
    });
  }
}

void RegisterProcedures(TForm1& window, const MainWindowOptions& options) {
  RegisterVerificationProcedures(window, options.opener);
}

}  // namespace ruvenset
