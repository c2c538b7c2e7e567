#pragma once
#include <cstdint>
#include <string>

#include "session/calibration_image.h"
#include "storage/calibration_file_status.h"

namespace ruvenset {

struct CalibrationReadRequest {
  CalibrationSection section = CalibrationSection::Pressure;
  bool editorChecks = false;    // the editor's own conditions (CheckEditorPreconditions) apply as well
  float upperFlowLimit = 0.0f;  // the program's upper flow limit, for the default correction table
};

// Reads a calibration parameter file into image: the first 6258 bytes (a longer file is accepted, its
// rest ignored), the check bytes, the editor's conditions when asked, and the section checks. For the
// correction section a table of 0 or more than 33 points is replaced by its default. The image is
// changed only when every check passes; on any failure it stays exactly as it was.
CalibrationFileStatus ReadCalibrationFile(const std::string& path, const CalibrationReadRequest& request,
                                          CalibrationImage& image);

// Puts the section into canonical order (in image too, see PutInCanonicalOrder), stores the check
// bytes and writes the 6258 bytes through a temporary file renamed over path, so a failed write
// leaves the previous file whole. A read-only file at path is replaced.
CalibrationFileStatus WriteCalibrationFile(const std::string& path, CalibrationSection section,
                                           uint8_t modelCode, CalibrationImage& image);

}  // namespace ruvenset
