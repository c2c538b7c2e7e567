#include "storage/calibration_paths.h"

#include <sys/stat.h>
#include <cerrno>

namespace ruvenset {

std::string CalibrationDirectory(const std::string& startDirectory) {
  if (startDirectory.empty() || startDirectory.back() == '/') return startDirectory + "CALIBR";
  return startDirectory + "/CALIBR";
}

bool EnsureCalibrationDirectory(const std::string& startDirectory) {
  const std::string dir = CalibrationDirectory(startDirectory);
  if (::mkdir(dir.c_str(), 0755) == 0) return true;
  struct stat st {};
  return errno == EEXIST && ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
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
