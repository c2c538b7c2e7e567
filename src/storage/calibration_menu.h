#pragma once
#include "storage/calibration_editor.h"
#include "storage/calibration_tools.h"
#include "storage/calibration_viewer.h"
#include "storage/write_back.h"

namespace ruvenset {

// The main menu's view items (pressure N15, temperature N22, differential pressure N26, meter N34): the
// open dialog and the file's checks, then the viewer of the section (which may store it).
void ViewCalibrationFromMenu(CalibrationTools& tools, CalibrationSection section);

// The main menu's edit items (N16, N23, N27, N35): the open dialog with the editor's checks as well,
// then the editor, whose working copy lies in the folder of the opened file.
void EditCalibrationFromMenu(CalibrationTools& tools, CalibrationSection section);

// Stores the section of the program's calibration image in the flow computer (the viewer's question
// answered Yes, or any other caller that has the image filled).
WriteBackOutcome StoreCalibrationSection(CalibrationTools& tools, CalibrationSection section);

}  // namespace ruvenset
