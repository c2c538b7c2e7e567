#pragma once
#include <QWidget>

#include "calibration/correction_procedure.h"
#include "calibration/slope_offset_block.h"
#include "calibration/zero_setting.h"
#include "shell/windows/qt_technician.h"

namespace ruvenset {

// The zero of a channel menu's zero item, with its windows over `owner`.
ZeroItemOutcome ZeroInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician, ZeroItem item);

// The characteristic correction of channel 0 (gas pressure) or 1 (differential pressure).
CorrectionOutcome CorrectInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician,
                                   int channel);

// The slope and offset window.
SlopeOffsetResult SlopeOffsetInWindows(ProgramState& state, QtTechnician& technician);

}  // namespace ruvenset
