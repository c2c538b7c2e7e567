#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace ruvenset {

enum class FileOpenMode : uint8_t {
  Read,    // an existing regular file, to read
  Update,  // an existing regular file, to read and write
  Create,  // a new or emptied file, to write
};

enum class FileOpenStatus : uint8_t { Ok, NotFound, Failed };

// One open file, closed with the object. Reads and writes name their offset, so nothing depends on a
// file position.
class FileHandle {
 public:
  FileHandle() = default;
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  FileOpenStatus Open(const std::string& path, FileOpenMode mode);
  bool isOpen() const { return handle_ != kClosed; }
  void Close();
  // The size in bytes, or -1 when it cannot be had.
  int64_t Size() const;
  // Reads up to size bytes at offset; the count read (short at the end of the file or on an error).
  size_t ReadAt(uint64_t offset, void* data, size_t size) const;
  // Writes all bytes at offset; false when the write failed.
  bool WriteAt(uint64_t offset, const void* data, size_t size);
  // Cuts the file to size bytes.
  bool Truncate(uint64_t size);

 private:
  static constexpr intptr_t kClosed = -1;
  intptr_t handle_ = kClosed;  // a descriptor (POSIX) or a HANDLE (Windows)
};

}  // namespace ruvenset
