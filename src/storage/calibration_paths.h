#pragma once
#include <string>

namespace ruvenset {

// The editor's working copy, in the current directory.
inline constexpr const char* kWorkingCopyName = "reserve.klb";

// The folder of calibration parameter files below the start directory.
std::string CalibrationDirectory(const std::string& startDirectory);

// Creates the calibration folder when it is missing; false when it neither exists nor can be made.
bool EnsureCalibrationDirectory(const std::string& startDirectory);

// The calibration report beside a calibration file: its extension replaced by "rcl" (added when the name
// has none), and never the calibration file's own path.
std::string ReportPathFor(const std::string& calibrationPath);

}  // namespace ruvenset
