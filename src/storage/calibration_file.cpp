#include "storage/calibration_file.h"

#include <cstring>

#include "common/file_handle.h"
#include "common/file_io.h"
#include "storage/calibration_checks.h"
#include "storage/canonical_order.h"

namespace ruvenset {
namespace {

// Reads up to size bytes from the start of a regular file into out; the count read.
FileOpenStatus ReadFileStart(const std::string& path, uint8_t* out, size_t size, size_t& got) {
  FileHandle file;
  const FileOpenStatus status = file.Open(path, FileOpenMode::Read);
  got = status == FileOpenStatus::Ok ? file.ReadAt(0, out, size) : 0;
  return status;
}

}  // namespace

CalibrationFileStatus ReadCalibrationFile(const std::string& path, const CalibrationReadRequest& request,
                                          CalibrationImage& image) {
  CalibrationImage candidate;
  size_t got = 0;
  switch (ReadFileStart(path, candidate.Bytes(), kCalibrationImageSize, got)) {
    case FileOpenStatus::Ok:
      break;
    case FileOpenStatus::NotFound:
      return CalibrationFileStatus::NotFound;
    case FileOpenStatus::Failed:
      return CalibrationFileStatus::CannotOpen;
  }
  if (got < kCalibrationImageSize) return CalibrationFileStatus::TooShort;
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
