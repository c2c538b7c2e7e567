#pragma once
#include <optional>
#include <string>

#include "storage/calibration_tools.h"
#include "storage/text_message.h"

namespace ruvenset {

// The message window of the calibration files: caption language text 1164 and the given button.
void ShowCalibrationMessage(CalibrationTools& tools, const TextMessage& message, int buttonText = 2279);

// The open dialog in the calibration folder (created when missing), then the file read into the
// program's calibration image with the checks of the section (and the editor's own checks when
// `editor`); a failure shows its message. The chosen path when the image now holds the file, nullopt
// when the dialog was cancelled, the file is missing, or a check failed (the image is then unchanged).
std::optional<std::string> OpenCalibrationFile(CalibrationTools& tools, CalibrationSection section,
                                               bool editor);

// The folder part of a path ("." when it has none).
std::string FolderOf(const std::string& path);

}  // namespace ruvenset
