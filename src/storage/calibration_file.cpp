#include "storage/calibration_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "common/file_io.h"
#include "storage/calibration_checks.h"
#include "storage/canonical_order.h"

namespace ruvenset {
namespace {

// Reads up to size bytes from the start of a regular file; the count read, or -1 with errno set.
ssize_t ReadFileStart(const std::string& path, uint8_t* out, size_t size) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = EISDIR;
    return -1;
  }
  size_t got = 0;
  while (got < size) {
    const ssize_t n = ::read(fd, out + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  return static_cast<ssize_t>(got);
}

}  // namespace

CalibrationFileStatus ReadCalibrationFile(const std::string& path, const CalibrationReadRequest& request,
                                          CalibrationImage& image) {
  CalibrationImage candidate;
  const ssize_t got = ReadFileStart(path, candidate.Bytes(), kCalibrationImageSize);
  if (got < 0) return errno == ENOENT ? CalibrationFileStatus::NotFound : CalibrationFileStatus::CannotOpen;
  if (static_cast<size_t>(got) < kCalibrationImageSize) return CalibrationFileStatus::TooShort;
  if (!candidate.CheckBytesValid()) return CalibrationFileStatus::BadCheck;
  if (request.editorChecks) {
    const CalibrationFileStatus editor = CheckEditorPreconditions(candidate, request.section);
    if (editor != CalibrationFileStatus::Ok) return editor;
  }
  const CalibrationFileStatus section = CheckSection(candidate, request.section);
  if (section != CalibrationFileStatus::Ok) return section;
  if (request.section == CalibrationSection::CorrectionMultipliers) {
    ApplyCorrectionDefault(candidate, request.upperFlowLimit);
  }
  image = candidate;
  return CalibrationFileStatus::Ok;
}

CalibrationFileStatus WriteCalibrationFile(const std::string& path, CalibrationSection section,
                                           uint8_t modelCode, CalibrationImage& image) {
  PutInCanonicalOrder(image, section, modelCode);
  image.StoreCheckBytes();
  switch (WriteFileAtomically(path, image.Bytes(), kCalibrationImageSize)) {
    case FileStatus::Ok:
      return CalibrationFileStatus::Ok;
    case FileStatus::CannotOpen:
      return CalibrationFileStatus::CannotCreate;
    default:
      return CalibrationFileStatus::WriteFailed;
  }
}

}  // namespace ruvenset
