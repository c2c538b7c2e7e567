#pragma once
#include <cstddef>

namespace ruvenset {

// Writes all bytes to a file descriptor, retrying interrupted and partial writes; on a non-blocking
// descriptor it waits up to pollTimeoutMs each time the device is full. False when the write failed.
bool WriteAll(int fd, const void* data, size_t size, int pollTimeoutMs = 1000);
// Reads exactly size bytes; false at the end of the file or on an error.
bool ReadAll(int fd, void* data, size_t size);

}  // namespace ruvenset
