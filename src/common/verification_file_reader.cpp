#include "common/verification_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cmath>

#include "common/unit_tables.h"

namespace ruvenset {
namespace {

constexpr size_t kBlockRecords = 4096;

// Reads up to size bytes at offset; returns the count read (short at end of file or on error).
size_t ReadAt(int fd, uint8_t* p, size_t size, uint64_t offset) {
  size_t got = 0;
  while (got < size) {
    const ssize_t n = ::pread(fd, p + got, size - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  return got;
}

}  // namespace

VerificationFileReader::~VerificationFileReader() {
  if (fd_ >= 0) ::close(fd_);
}

VerificationReadStatus VerificationFileReader::Open(const std::string& path) {
  if (fd_ >= 0) ::close(fd_);
  count_ = 0;
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return VerificationReadStatus::CannotOpen;
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    return VerificationReadStatus::CannotOpen;
  }
  uint8_t magic[kVerificationMagicSize];
  const size_t got = ReadAt(fd_, magic, sizeof magic, 0);
  if (!HasVerificationMagic(magic, got)) return VerificationReadStatus::NotVerificationFile;
  count_ = WholeRecordCount(static_cast<uint64_t>(st.st_size));
  block_.resize(kBlockRecords * kVerificationRecordSize);
  return VerificationReadStatus::Ok;
}

size_t VerificationFileReader::ReadBlock(uint64_t first) {
  if (fd_ < 0 || first >= count_) return 0;
  const uint64_t wanted = std::min<uint64_t>(kBlockRecords, count_ - first);
  const size_t bytes = ReadAt(fd_, block_.data(), static_cast<size_t>(wanted) * kVerificationRecordSize,
                              kVerificationMagicSize + first * kVerificationRecordSize);
  return bytes / kVerificationRecordSize;
}

float RecordValueInUnit(const VerificationRecord& record, int shownUnit) {
  return record.value * RecordUnitFactor(record.channel, shownUnit, RecordUnitIndex(record.unit));
}

VerificationReadStatus SummariseChannel(VerificationFileReader& reader, uint8_t channel,
                                        ChannelSummary& out) {
  ChannelSummary summary;
  reader.ForEachRecord([&](const VerificationRecord& record) {
    if (record.channel != channel) return;
    if (summary.count++ == 0) summary.unit = RecordUnitIndex(record.unit);
    const float value = RecordValueInUnit(record, summary.unit);
    if (!std::isfinite(value)) return;
    if (!summary.hasFinite) {
      summary.min = summary.max = value;
      summary.hasFinite = true;
    } else {
      summary.min = std::min(summary.min, value);
      summary.max = std::max(summary.max, value);
    }
  });
  out = summary;
  return summary.count == 0 ? VerificationReadStatus::NoChannelData : VerificationReadStatus::Ok;
}

}  // namespace ruvenset
