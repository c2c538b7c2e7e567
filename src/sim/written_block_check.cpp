#include "sim/written_block_check.h"

#include "common/crc16.h"

namespace ruvenset::sim {
namespace {

// A block of one count byte followed by count entries of the given width and the check bytes.
bool CountedBlockValid(const uint8_t* data, size_t size, size_t width) {
  if (size < 3) return false;
  const size_t covered = 1 + width * data[0];
  return size == covered + 2 && Crc16Matches(data, covered);
}

bool FixedBlockValid(const uint8_t* data, size_t size, size_t blockSize) {
  return size == blockSize + 2 && Crc16Matches(data, blockSize);
}

bool RecordsValid(const uint8_t* data, size_t size) {
  if (size == 0 || size % kSegmentRecordSize != 0) return false;
  for (size_t at = 0; at < size; at += kSegmentRecordSize) {
    if (!Crc16Matches(data + at, kSegmentRecordSize - 2)) return false;
  }
  return true;
}

}  // namespace

bool WrittenBlockValid(RecordKind kind, const uint8_t* data, size_t size) {
  switch (kind) {
    case RecordKind::TosDirectory:
      return CountedBlockValid(data, size, 2);
    case RecordKind::TableHeader:
    case RecordKind::TosSegmentTable:
      return CountedBlockValid(data, size, 3);
    case RecordKind::CorrectionHeader:
      return CountedBlockValid(data, size, 4);
    case RecordKind::SegmentRecords:
    case RecordKind::TosSegmentRecords:
      return RecordsValid(data, size);
    case RecordKind::ChannelParameters:
      return FixedBlockValid(data, size, kAdcBlockSize);
    case RecordKind::Units:
      return FixedBlockValid(data, size, kUnitsBlockSize);
    case RecordKind::CharacteristicConstants:
      return FixedBlockValid(data, size, kConstantsSize);
    case RecordKind::MeasurementParameters:
      return FixedBlockValid(data, size, kMeasurementParametersSize);
  }
  return false;
}

}  // namespace ruvenset::sim
