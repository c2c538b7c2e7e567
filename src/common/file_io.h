#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace ruvenset {

// Paths are UTF-8 throughout the program; the files of each operating system (posix_file_io.cpp,
// win32_file_io.cpp) hand them to the system in its own form, so a Cyrillic folder or file name works.

enum class FileStatus : int { Ok = 0, CannotOpen = 1, ReadFailed = 2, WriteFailed = 3, WrongSize = 4 };

// Writes the whole file through a temporary file in the same folder that is flushed and renamed over
// the target, so a failed write never destroys the previous file. A read-only target is replaced too.
FileStatus WriteFileAtomically(const std::string& path, const void* data, size_t size);
inline FileStatus WriteFileAtomically(const std::string& path, const std::string& text) {
  return WriteFileAtomically(path, text.data(), text.size());
}

// Reads the whole file (at most maxSize bytes; a larger file reads as WrongSize).
FileStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxSize = 64u << 20);

// Whether anything (file or folder) exists at the path.
bool PathExists(const std::string& path);
bool IsRegularFile(const std::string& path);
bool IsDirectory(const std::string& path);
// Creates one folder; true when it exists afterwards.
bool MakeDirectory(const std::string& path);
// Creates the folder and every missing folder above it; true when it exists afterwards.
bool MakeDirectories(const std::string& path);
// Removes a file; true when it was removed.
bool RemoveFile(const std::string& path);
// The folder the running program was started from, without a trailing separator; empty when unknown.
std::string ProgramDirectory();
// The current folder; empty when unknown.
std::string CurrentDirectory();

}  // namespace ruvenset
