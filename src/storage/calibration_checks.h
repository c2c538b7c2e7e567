#pragma once
#include "session/calibration_image.h"
#include "storage/calibration_file_status.h"

namespace ruvenset {

// The checks every reader applies to the section it is about to use: Тос count within the capacity,
// the point counts of the used tables and of the table after the last used one within the capacity,
// and a known unit code. The correction table has no check here (see ApplyCorrectionDefault).
CalibrationFileStatus CheckSection(const CalibrationImage& image, CalibrationSection section);

// The editor's own conditions: a differential-pressure section only from models 7 and 16, and a
// correction table only from software versions above 10.
CalibrationFileStatus CheckEditorPreconditions(const CalibrationImage& image, CalibrationSection section);

// Replaces a correction table of 0 or more than 33 points by the default: 2 points, flow values 0 and
// half the upper flow limit, both multipliers 0. Returns true when it did.
bool ApplyCorrectionDefault(CalibrationImage& image, float upperFlowLimit);

}  // namespace ruvenset
