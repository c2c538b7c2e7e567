#include "memory_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include "common/posix_fd_io.h"
#include "fuzz_targets.h"

namespace ruvenset::fuzz {

MemoryFile::MemoryFile(const uint8_t* data, size_t size) {
  fd_ = ::memfd_create("fuzz-input", MFD_CLOEXEC);
  Require(fd_ >= 0 && WriteAll(fd_, data, size));
  path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile::~MemoryFile() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace ruvenset::fuzz
