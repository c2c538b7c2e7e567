#include "common/verification_file_reader.h"

#include <algorithm>
#include <cmath>

#include "common/unit_tables.h"

namespace ruvenset {
namespace {

constexpr size_t kBlockRecords = 4096;

}  // namespace

VerificationFileReader::~VerificationFileReader() = default;

VerificationReadStatus VerificationFileReader::Open(const std::string& path) {
  count_ = 0;
  if (file_.Open(path, FileOpenMode::Read) != FileOpenStatus::Ok) return VerificationReadStatus::CannotOpen;
  const int64_t size = file_.Size();
  if (size < 0) {
    file_.Close();
    return VerificationReadStatus::CannotOpen;
  }
  uint8_t magic[kVerificationMagicSize];
  const size_t got = file_.ReadAt(0, magic, sizeof magic);
  if (!HasVerificationMagic(magic, got)) return VerificationReadStatus::NotVerificationFile;
  count_ = WholeRecordCount(static_cast<uint64_t>(size));
  block_.resize(kBlockRecords * kVerificationRecordSize);
  return VerificationReadStatus::Ok;
}

size_t VerificationFileReader::ReadBlock(uint64_t first) {
  if (!file_.isOpen() || first >= count_) return 0;
  const uint64_t wanted = std::min<uint64_t>(kBlockRecords, count_ - first);
  const size_t bytes = file_.ReadAt(kVerificationMagicSize + first * kVerificationRecordSize, block_.data(),
                                    static_cast<size_t>(wanted) * kVerificationRecordSize);
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
