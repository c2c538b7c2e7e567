#pragma once
#include "shell/connect_operation.h"
#include "shell/windows/main_window.h"

namespace ruvenset {

// The verification items: temperature (N20), pressure (N10), differential pressure (N5), upper (N38)
// and lower (N42) differential pressure. What one verification chose (the reference transmitter, the
// atmospheric pressure) is kept for the next as long as the window lives.
void RegisterVerificationProcedures(TForm1& window, const PortOpener& opener);

// Every procedure the main window's menu items start.
void RegisterProcedures(TForm1& window, const MainWindowOptions& options);

}  // namespace ruvenset
