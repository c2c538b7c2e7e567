#include "storage/calibration_paths.h"

#include "common/file_io.h"

namespace ruvenset {

std::string CalibrationDirectory(const std::string& startDirectory) {
  if (startDirectory.empty() || startDirectory.back() == '/') return startDirectory + "CALIBR";
  return startDirectory + "/CALIBR";
}

bool EnsureCalibrationDirectory(const std::string& startDirectory) {
  return MakeDirectory(CalibrationDirectory(startDirectory));
}

std::string ReportPathFor(const std::string& calibrationPath) {
  const size_t slash = calibrationPath.rfind('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = calibrationPath.rfind('.');
  std::string report = dot != std::string::npos && dot > nameStart ? calibrationPath.substr(0, dot) + ".rcl"
                                                                   : calibrationPath + ".rcl";
  // A calibration file that already ends in .rcl keeps its name: its report goes beside it.
  if (report == calibrationPath) report += ".rcl";
  return report;
}

}  // namespace ruvenset
