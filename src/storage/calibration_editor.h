#pragma once
#include <string>

#include "storage/calibration_tools.h"

namespace ruvenset {

enum class EditorEnd {
  NoTosPoints,        // nothing to edit
  WorkingCopyFailed,  // the working copy could not be written at the start
  Saved,              // written to the file the technician chose
  Discarded,          // the save dialog was cancelled: the working copy is deleted
  SaveFailed,         // the chosen file could not be written
};

// Edits the section of the program's calibration image: Тос points, their tables, the pressure table
// shift, or the correction multipliers. Every change is kept in the working copy "reserve.klb" in
// `workingFolder`; the editor ends by writing a file the technician chooses, or by discarding the edit
// (the working copy is deleted; the image keeps the changes).
EditorEnd RunCalibrationEditor(CalibrationTools& tools, CalibrationSection section,
                               const std::string& workingFolder);

}  // namespace ruvenset
