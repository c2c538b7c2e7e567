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
  const size_t keep = calibrationPath.size() >= 3 ? calibrationPath.size() - 3 : 0;
  return calibrationPath.substr(0, keep) + "rcl";
}

}  // namespace ruvenset
