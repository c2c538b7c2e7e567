#include <windows.h>

#include <atomic>

#include "common/file_io.h"
#include "common/win32_text.h"
#include "fuzz_targets.h"
#include "memory_file.h"

namespace ruvenset::fuzz {

// Windows has no file in memory that a reader can open by name: the input goes to a temporary file
// of this process instead, removed again with the object.
MemoryFile::MemoryFile(const uint8_t* data, size_t size) {
  static std::atomic<unsigned> serial{0};
  wchar_t folder[MAX_PATH + 1] = {};
  const DWORD n = ::GetTempPathW(MAX_PATH + 1, folder);
  Require(n > 0 && n <= MAX_PATH);
  path_ = Narrow(folder) + "fuzz-input-" + std::to_string(::GetCurrentProcessId()) + "-" +
          std::to_string(serial++);
  Require(WriteFileAtomically(path_, data, size) == FileStatus::Ok);
}

MemoryFile::~MemoryFile() {
  RemoveFile(path_);
}

}  // namespace ruvenset::fuzz
