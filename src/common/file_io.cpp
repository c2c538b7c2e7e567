#include "common/file_io.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace ruvenset {
bool WriteAll(int fd, const void* data, size_t size, int pollTimeoutMs) {
  const auto* p = static_cast<const uint8_t*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n > 0) {
      p += n;
      size -= static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0 || errno != EAGAIN) return false;
    pollfd ready{fd, POLLOUT, 0};
    if (::poll(&ready, 1, pollTimeoutMs) <= 0) return false;
  }
  return true;
}

bool ReadAll(int fd, void* data, size_t size) {
  auto* p = static_cast<uint8_t*>(data);
  while (size > 0) {
    const ssize_t n = ::read(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

FileStatus WriteFileAtomically(const std::string& path, const void* data, size_t size) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return FileStatus::CannotOpen;
  ::fchmod(fd, 0644);
  const bool written = WriteAll(fd, data, size) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return FileStatus::WriteFailed;
  }
  return FileStatus::Ok;
}

FileStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxSize) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FileStatus::CannotOpen;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return FileStatus::CannotOpen;
  }
  if (static_cast<uint64_t>(st.st_size) > maxSize) {
    ::close(fd);
    return FileStatus::WrongSize;
  }
  out.resize(static_cast<size_t>(st.st_size));
  size_t got = 0;
  while (got < out.size()) {
    const ssize_t n = ::read(fd, out.data() + got, out.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  if (got != out.size()) {
    out.resize(got);
    return FileStatus::ReadFailed;
  }
  return FileStatus::Ok;
}

}  // namespace ruvenset
