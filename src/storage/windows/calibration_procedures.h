#pragma once
#include <QWidget>

#include "session/calibration_image.h"
#include "session/program_state.h"
#include "shell/windows/qt_technician.h"

namespace ruvenset {

// What the main window's menu items start, with the windows modal over `owner`.
// View items: N15 (pressure), N22 (temperature), N26 (differential pressure), N34 (meter).
void ViewCalibrationParameters(QWidget* owner, ProgramState& state, QtTechnician& technician,
                               CalibrationSection section);
// Edit items: N16, N23, N27, N35.
void EditCalibrationParameters(QWidget* owner, ProgramState& state, QtTechnician& technician,
                               CalibrationSection section);
// Stores the section of the program's calibration image in the flow computer.
void StoreCalibrationParameters(QWidget* owner, ProgramState& state, QtTechnician& technician,
                                CalibrationSection section);

}  // namespace ruvenset
