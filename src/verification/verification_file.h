#pragma once
#include <cstdint>
#include <string>

#include "common/file_handle.h"

#include "common/verification_record.h"

namespace ruvenset {

enum class DataFileStatus { Ok, CannotCreate, CannotOpen, NotADataFile, WriteFailed };

// The verification data file (.ctr) a verification writes: the magic at creation, then one 24-byte
// record per reading appended at the end. The file is closed when the object goes away, whatever way
// the verification ends; every record appended so far is complete on disk.
class VerificationFile {
 public:
  VerificationFile() = default;
  ~VerificationFile() { Close(); }
  VerificationFile(const VerificationFile&) = delete;
  VerificationFile& operator=(const VerificationFile&) = delete;

  // A new file (an existing one is replaced) with the magic written at once.
  DataFileStatus Create(const std::string& path);
  // An existing data file continued at its end. A file that does not start with the magic is left
  // untouched; a partial record left at the end by an interrupted write is cut off, so the records
  // that follow stay aligned.
  DataFileStatus Continue(const std::string& path);
  // Appends one record at the end of the file. A failed write leaves the file as it was before and
  // closes it, so no partial record remains.
  DataFileStatus Append(const VerificationRecord& record);
  void Close();

  bool open() const { return file_.isOpen(); }
  const std::string& path() const { return path_; }
  uint64_t recordsWritten() const { return written_; }

 private:
  FileHandle file_;
  std::string path_;
  uint64_t written_ = 0;
};

// The record of one reading: the time as the local time of `seconds`/`milliseconds`, the ambient ADC
// code, the measurement reply's bytes 12..15 as a most-significant-first word, the channel's ADC code
// and the measured value.
VerificationRecord MakeVerificationRecord(std::time_t seconds, int milliseconds, uint8_t channel,
                                          uint8_t unit, uint16_t ambientAdc, uint32_t replyWord,
                                          uint32_t channelAdc, float value);

}  // namespace ruvenset
