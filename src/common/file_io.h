#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace ruvenset {

enum class FileStatus : int { Ok = 0, CannotOpen = 1, ReadFailed = 2, WriteFailed = 3, WrongSize = 4 };

// Writes all bytes to a file descriptor, retrying interrupted and partial writes; on a non-blocking
// descriptor it waits up to pollTimeoutMs each time the device is full. False when the write failed.
bool WriteAll(int fd, const void* data, size_t size, int pollTimeoutMs = 1000);
// Reads exactly size bytes; false at the end of the file or on an error.
bool ReadAll(int fd, void* data, size_t size);

// Writes the whole file through a temporary file in the same folder that is flushed and renamed over
// the target, so a failed write never destroys the previous file. A read-only target is replaced too
// (the rename needs only the folder's permission).
FileStatus WriteFileAtomically(const std::string& path, const void* data, size_t size);
inline FileStatus WriteFileAtomically(const std::string& path, const std::string& text) {
  return WriteFileAtomically(path, text.data(), text.size());
}

// Reads the whole file (at most maxSize bytes; a larger file reads as WrongSize).
FileStatus ReadWholeFile(const std::string& path, std::vector<uint8_t>& out, size_t maxSize = 64u << 20);

}  // namespace ruvenset
