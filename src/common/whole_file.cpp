#include "common/file_handle.h"
#include "common/file_io.h"

namespace ruvenset {

FileStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxSize) {
  FileHandle file;
  if (file.Open(path, FileOpenMode::Read) != FileOpenStatus::Ok) return FileStatus::CannotOpen;
  const int64_t size = file.Size();
  if (size < 0) return FileStatus::CannotOpen;
  if (static_cast<uint64_t>(size) > maxSize) return FileStatus::WrongSize;
  out.resize(static_cast<size_t>(size));
  const size_t got = file.ReadAt(0, out.data(), out.size());
  if (got != out.size()) {
    out.resize(got);
    return FileStatus::ReadFailed;
  }
  return FileStatus::Ok;
}

}  // namespace ruvenset
