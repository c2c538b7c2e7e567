#include <windows.h>

#include "common/file_handle.h"
#include "common/win32_text.h"

namespace ruvenset {
namespace {

HANDLE Native(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

OVERLAPPED At(uint64_t offset) {
  OVERLAPPED o{};
  o.Offset = static_cast<DWORD>(offset);
  o.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return o;
}

}  // namespace

FileOpenStatus FileHandle::Open(const std::string& path, FileOpenMode mode) {
  Close();
  DWORD access = GENERIC_READ;
  DWORD disposition = OPEN_EXISTING;
  if (mode == FileOpenMode::Update) access = GENERIC_READ | GENERIC_WRITE;
  if (mode == FileOpenMode::Create) {
    access = GENERIC_WRITE;
    disposition = CREATE_ALWAYS;
  }
  // Others may read, write and rename the file while it is open here, as on a POSIX system.
  HANDLE file =
      ::CreateFileW(Widen(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD e = ::GetLastError();
    return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? FileOpenStatus::NotFound
                                                                  : FileOpenStatus::Failed;
  }
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    return FileOpenStatus::Failed;
  }
  handle_ = reinterpret_cast<intptr_t>(file);
  return FileOpenStatus::Ok;
}

void FileHandle::Close() {
  if (handle_ != kClosed) ::CloseHandle(Native(handle_));
  handle_ = kClosed;
}

int64_t FileHandle::Size() const {
  LARGE_INTEGER size{};
  if (handle_ == kClosed || !::GetFileSizeEx(Native(handle_), &size)) return -1;
  return size.QuadPart;
}

size_t FileHandle::ReadAt(uint64_t offset, void* data, size_t size) const {
  auto* p = static_cast<uint8_t*>(data);
  size_t got = 0;
  while (handle_ != kClosed && got < size) {
    OVERLAPPED at = At(offset + got);
    const DWORD chunk = size - got > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size - got);
    DWORD n = 0;
    if (!::ReadFile(Native(handle_), p + got, chunk, &n, &at) || n == 0) break;
    got += n;
  }
  return got;
}

bool FileHandle::WriteAt(uint64_t offset, const void* data, size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  size_t done = 0;
  while (handle_ != kClosed && done < size) {
    OVERLAPPED at = At(offset + done);
    const DWORD chunk = size - done > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size - done);
    DWORD n = 0;
    if (!::WriteFile(Native(handle_), p + done, chunk, &n, &at) || n == 0) return false;
    done += n;
  }
  return done == size;
}

bool FileHandle::Truncate(uint64_t size) {
  FILE_END_OF_FILE_INFO end{};
  end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
  return handle_ != kClosed &&
         ::SetFileInformationByHandle(Native(handle_), FileEndOfFileInfo, &end, sizeof end);
}

}  // namespace ruvenset
