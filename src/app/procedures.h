#pragma once
#include "shell/connect_operation.h"
#include "shell/windows/main_window.h"

namespace ruvenset {

// The verification items: temperature (N20), pressure (N10), differential pressure (N5), upper (N38)
// and lower (N42) differential pressure. What one verification chose (the reference transmitter, the
// atmospheric pressure) is kept for the next as long as the window lives.
void RegisterVerificationProcedures(TForm1& window, const PortOpener& opener);

// The calibration parameter files: view (N15, N22, N26, N34) and edit (N16, N23, N27, N35) by section;
// the viewer offers to store a section in a connected flow computer.
void RegisterCalibrationFileProcedures(TForm1& window);

// The calibration items: temperature (N21), pressure (N14), differential pressure (N25), upper (N39) and
// lower (N43) differential pressure; and the identification code (N9).
void RegisterCalibrationProcedures(TForm1& window, const PortOpener& opener);
// The zero items (N36, N28, N40, N44), the characteristic corrections (N18, N29) and the slope and
// offset window (N31).
void RegisterZeroAndCorrectionProcedures(TForm1& window);

// Every procedure the main window's menu items start.
void RegisterProcedures(TForm1& window, const MainWindowOptions& options);

}  // namespace ruvenset
