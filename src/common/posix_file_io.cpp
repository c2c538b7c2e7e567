#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>

#include "common/file_io.h"
#include "common/posix_fd_io.h"

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

namespace {

bool StatMode(const std::string& path, mode_t& mode) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  mode = st.st_mode;
  return true;
}

}  // namespace

bool PathExists(const std::string& path) {
  mode_t mode = 0;
  return StatMode(path, mode);
}

bool IsRegularFile(const std::string& path) {
  mode_t mode = 0;
  return StatMode(path, mode) && S_ISREG(mode);
}

bool IsDirectory(const std::string& path) {
  mode_t mode = 0;
  return StatMode(path, mode) && S_ISDIR(mode);
}

bool MakeDirectory(const std::string& path) {
  return ::mkdir(path.c_str(), 0755) == 0 || IsDirectory(path);
}

bool MakeDirectories(const std::string& path) {
  for (size_t p = 1; p <= path.size(); ++p) {
    if (p == path.size() || path[p] == '/') MakeDirectory(path.substr(0, p));
  }
  return IsDirectory(path);
}

bool RemoveFile(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

std::string ProgramDirectory() {
  std::string buffer(PATH_MAX, '\0');
  const ssize_t size = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (size <= 0) return std::string();
  buffer.resize(static_cast<size_t>(size));
  const size_t slash = buffer.rfind('/');
  return slash == std::string::npos ? std::string() : buffer.substr(0, slash);
}

std::string CurrentDirectory() {
  std::string buffer(PATH_MAX, '\0');
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) return std::string();
  buffer.resize(buffer.find('\0'));
  return buffer;
}

}  // namespace ruvenset
