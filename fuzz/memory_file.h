#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace ruvenset::fuzz {

// The input as a file in memory, reachable by path for readers that open files themselves.
class MemoryFile {
 public:
  MemoryFile(const uint8_t* data, size_t size);
  ~MemoryFile();
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};

}  // namespace ruvenset::fuzz
