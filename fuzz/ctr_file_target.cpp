#include "common/verification_file_reader.h"
#include "fuzz_targets.h"
#include "memory_file.h"
#include "viewer/readings.h"

namespace ruvenset::fuzz {

// The reader counts whole records behind the magic and hands out no more; the viewer's loader keeps
// only the records of the channel asked for.
int FuzzCtrFile(const uint8_t* data, size_t size) {
  const MemoryFile file(data, size);
  VerificationFileReader reader;
  if (reader.Open(file.path()) == VerificationReadStatus::Ok) {
    Require(size >= kVerificationMagicSize);
    Require(reader.RecordCount() == (size - kVerificationMagicSize) / kVerificationRecordSize);
    uint64_t visited = 0;
    Require(reader.ForEachRecord([&](const VerificationRecord&) { ++visited; }) == reader.RecordCount());
    Require(visited == reader.RecordCount());
  }
  for (const uint8_t channel : {0, 1, 2}) {
    Readings readings;
    const VerificationReadStatus status = LoadReadings(file.path(), channel, readings);
    Require(status == VerificationReadStatus::Ok || status == VerificationReadStatus::NotVerificationFile ||
            status == VerificationReadStatus::NoChannelData);
  }
  return 0;
}

}  // namespace ruvenset::fuzz
