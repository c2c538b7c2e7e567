#include <windows.h>

#include <string>

#include "common/file_io.h"
#include "common/win32_text.h"

namespace ruvenset {
namespace {

bool WriteWhole(HANDLE file, const void* data, size_t size) {
  const auto* p = static_cast<const uint8_t*>(data);
  while (size > 0) {
    const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!::WriteFile(file, p, chunk, &written, nullptr) || written == 0) return false;
    p += written;
    size -= written;
  }
  return true;
}

// A new file beside the target, made with CREATE_NEW so two writers never share one.
HANDLE CreateTemporary(const std::wstring& target, std::wstring& temp) {
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    temp = target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" +
           std::to_wstring(::GetTickCount64() + attempt) + L".tmp";
    HANDLE file =
        ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

DWORD Attributes(const std::string& path) {
  return ::GetFileAttributesW(Widen(path).c_str());
}

}  // namespace

FileStatus WriteFileAtomically(const std::string& path, const void* data, size_t size) {
  const std::wstring target = Widen(path);
  std::wstring temp;
  HANDLE file = CreateTemporary(target, temp);
  if (file == INVALID_HANDLE_VALUE) return FileStatus::CannotOpen;
  const bool written = WriteWhole(file, data, size) && ::FlushFileBuffers(file);
  const bool closed = ::CloseHandle(file);
  // A read-only target is replaced all the same, as the rename of a POSIX system would.
  const DWORD old = ::GetFileAttributesW(target.c_str());
  if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY))
    ::SetFileAttributesW(target.c_str(), old & ~FILE_ATTRIBUTE_READONLY);
  if (!written || !closed ||
      !::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY))
      ::SetFileAttributesW(target.c_str(), old);
    ::DeleteFileW(temp.c_str());
    return FileStatus::WriteFailed;
  }
  return FileStatus::Ok;
}

bool PathExists(const std::string& path) {
  return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsRegularFile(const std::string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

bool IsDirectory(const std::string& path) {
  const DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectory(const std::string& path) {
  return ::CreateDirectoryW(Widen(path).c_str(), nullptr) || IsDirectory(path);
}

bool MakeDirectories(const std::string& path) {
  // Either separator; a drive ("C:") or a server share is never created, only what lies below it.
  for (size_t p = 1; p <= path.size(); ++p) {
    if (p == path.size() || path[p] == '/' || path[p] == '\\') {
      const std::string prefix = path.substr(0, p);
      if (!prefix.empty() && prefix.back() != ':') MakeDirectory(prefix);
    }
  }
  return IsDirectory(path);
}

bool RemoveFile(const std::string& path) {
  return ::DeleteFileW(Widen(path).c_str());
}

std::string ProgramDirectory() {
  std::wstring buffer(32768, L'\0');
  const DWORD size = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (size == 0 || size >= buffer.size()) return std::string();
  buffer.resize(size);
  const size_t slash = buffer.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::string() : Narrow(buffer.substr(0, slash));
}

std::string CurrentDirectory() {
  const DWORD size = ::GetCurrentDirectoryW(0, nullptr);
  if (size == 0) return std::string();
  std::wstring buffer(size, L'\0');
  const DWORD got = ::GetCurrentDirectoryW(size, buffer.data());
  if (got == 0 || got >= size) return std::string();
  buffer.resize(got);
  return Narrow(buffer);
}

}  // namespace ruvenset
