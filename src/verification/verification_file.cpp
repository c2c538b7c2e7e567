#include "verification/verification_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/file_io.h"

namespace ruvenset {
namespace {

// Cuts off what a failed write left behind; if even that fails, closing the file stops further damage.
void TruncateBack(int fd, off_t size) {
  const int rc = ::ftruncate(fd, size);
  (void)rc;
}

}  // namespace

DataFileStatus VerificationFile::Create(const std::string& path) {
  Close();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return DataFileStatus::CannotCreate;
  if (!WriteAll(fd, kVerificationMagic, kVerificationMagicSize)) {
    ::close(fd);
    return DataFileStatus::WriteFailed;
  }
  fd_ = fd;
  path_ = path;
  written_ = 0;
  return DataFileStatus::Ok;
}

DataFileStatus VerificationFile::Continue(const std::string& path) {
  Close();
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return DataFileStatus::CannotOpen;
  uint8_t magic[kVerificationMagicSize] = {};
  struct stat st {};
  if (!ReadAll(fd, magic, sizeof magic) || !HasVerificationMagic(magic, sizeof magic) ||
      ::fstat(fd, &st) != 0) {
    ::close(fd);
    return DataFileStatus::NotADataFile;
  }
  const uint64_t whole =
      kVerificationMagicSize + WholeRecordCount(static_cast<uint64_t>(st.st_size)) * kVerificationRecordSize;
  if (static_cast<uint64_t>(st.st_size) != whole && ::ftruncate(fd, static_cast<off_t>(whole)) != 0) {
    ::close(fd);
    return DataFileStatus::WriteFailed;
  }
  fd_ = fd;
  path_ = path;
  written_ = 0;
  return DataFileStatus::Ok;
}

DataFileStatus VerificationFile::Append(const VerificationRecord& record) {
  if (fd_ < 0) return DataFileStatus::CannotOpen;
  uint8_t bytes[kVerificationRecordSize];
  EncodeVerificationRecord(record, bytes);
  const off_t end = ::lseek(fd_, 0, SEEK_END);
  if (end < 0 || !WriteAll(fd_, bytes, sizeof bytes)) {
    if (end >= 0) TruncateBack(fd_, end);
    Close();
    return DataFileStatus::WriteFailed;
  }
  ++written_;
  return DataFileStatus::Ok;
}

void VerificationFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

VerificationRecord MakeVerificationRecord(std::time_t seconds, int milliseconds, uint8_t channel,
                                          uint8_t unit, uint16_t ambientAdc, uint32_t replyWord,
                                          uint32_t channelAdc, float value) {
  VerificationRecord r{};
  r.time = OleDateFromMoment(seconds, milliseconds);
  r.channel = channel;
  r.unit = unit;
  r.ambientAdc = ambientAdc;
  r.replyWord = replyWord;
  r.channelAdc = channelAdc;
  r.value = value;
  return r;
}

}  // namespace ruvenset
