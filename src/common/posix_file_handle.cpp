#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "common/file_handle.h"

namespace ruvenset {

FileOpenStatus FileHandle::Open(const std::string& path, FileOpenMode mode) {
  Close();
  int flags = O_CLOEXEC;
  switch (mode) {
    case FileOpenMode::Read:
      flags |= O_RDONLY | O_NONBLOCK;  // a FIFO named by mistake must not hang the open
      break;
    case FileOpenMode::Update:
      flags |= O_RDWR | O_NONBLOCK;
      break;
    case FileOpenMode::Create:
      flags |= O_WRONLY | O_CREAT | O_TRUNC;
      break;
  }
  const int fd = ::open(path.c_str(), flags, 0644);
  if (fd < 0) return errno == ENOENT ? FileOpenStatus::NotFound : FileOpenStatus::Failed;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return FileOpenStatus::Failed;
  }
  handle_ = fd;
  return FileOpenStatus::Ok;
}

void FileHandle::Close() {
  if (handle_ != kClosed) ::close(static_cast<int>(handle_));
  handle_ = kClosed;
}

int64_t FileHandle::Size() const {
  struct stat st {};
  if (handle_ == kClosed || ::fstat(static_cast<int>(handle_), &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

size_t FileHandle::ReadAt(uint64_t offset, void* data, size_t size) const {
  auto* p = static_cast<uint8_t*>(data);
  size_t got = 0;
  while (handle_ != kClosed && got < size) {
    const ssize_t n =
        ::pread(static_cast<int>(handle_), p + got, size - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  return got;
}

bool FileHandle::WriteAt(uint64_t offset, const void* data, size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  size_t done = 0;
  while (handle_ != kClosed && done < size) {
    const ssize_t n =
        ::pwrite(static_cast<int>(handle_), p + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return done == size;
}

bool FileHandle::Truncate(uint64_t size) {
  return handle_ != kClosed && ::ftruncate(static_cast<int>(handle_), static_cast<off_t>(size)) == 0;
}

}  // namespace ruvenset
