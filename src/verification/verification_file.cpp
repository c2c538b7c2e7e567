#include "verification/verification_file.h"

namespace ruvenset {

DataFileStatus VerificationFile::Create(const std::string& path) {
  Close();
  if (file_.Open(path, FileOpenMode::Create) != FileOpenStatus::Ok) return DataFileStatus::CannotCreate;
  if (!file_.WriteAt(0, kVerificationMagic, kVerificationMagicSize)) {
    file_.Close();
    return DataFileStatus::WriteFailed;
  }
  path_ = path;
  written_ = 0;
  return DataFileStatus::Ok;
}

DataFileStatus VerificationFile::Continue(const std::string& path) {
  Close();
  if (file_.Open(path, FileOpenMode::Update) != FileOpenStatus::Ok) return DataFileStatus::CannotOpen;
  uint8_t magic[kVerificationMagicSize] = {};
  const int64_t size = file_.Size();
  if (file_.ReadAt(0, magic, sizeof magic) != sizeof magic || !HasVerificationMagic(magic, sizeof magic) ||
      size < 0) {
    file_.Close();
    return DataFileStatus::NotADataFile;
  }
  const uint64_t whole =
      kVerificationMagicSize + WholeRecordCount(static_cast<uint64_t>(size)) * kVerificationRecordSize;
  if (static_cast<uint64_t>(size) != whole && !file_.Truncate(whole)) {
    file_.Close();
    return DataFileStatus::WriteFailed;
  }
  path_ = path;
  written_ = 0;
  return DataFileStatus::Ok;
}

DataFileStatus VerificationFile::Append(const VerificationRecord& record) {
  if (!file_.isOpen()) return DataFileStatus::CannotOpen;
  uint8_t bytes[kVerificationRecordSize];
  EncodeVerificationRecord(record, bytes);
  const int64_t end = file_.Size();
  if (end < 0 || !file_.WriteAt(static_cast<uint64_t>(end), bytes, sizeof bytes)) {
    // Cuts off what the failed write left behind; if even that fails, closing the file stops further
    // damage.
    if (end >= 0) static_cast<void>(file_.Truncate(static_cast<uint64_t>(end)));
    Close();
    return DataFileStatus::WriteFailed;
  }
  ++written_;
  return DataFileStatus::Ok;
}

void VerificationFile::Close() {
  file_.Close();
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
