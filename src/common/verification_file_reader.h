#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/file_handle.h"
#include "common/verification_record.h"

namespace ruvenset {

enum class VerificationReadStatus : int {
  Ok = 0,
  CannotOpen = 1,
  NotVerificationFile = 2,
  NoChannelData = 3
};

// Reads a verification data file: checks the magic when opening, then hands out whole records in
// file order, a block at a time. The record count is fixed when the file is opened, so a file that a
// running verification keeps appending to is read up to that point, and a partial record at the end is
// left alone. The file is only read; a writer may keep it open meanwhile.
class VerificationFileReader {
 public:
  VerificationFileReader() = default;
  ~VerificationFileReader();
  VerificationFileReader(const VerificationFileReader&) = delete;
  VerificationFileReader& operator=(const VerificationFileReader&) = delete;

  VerificationReadStatus Open(const std::string& path);
  uint64_t RecordCount() const { return count_; }

  // Calls visit(const VerificationRecord&) for every record in file order and returns how many were
  // visited: fewer than RecordCount() when the file was shortened since it was opened.
  template <class Visit>
  uint64_t ForEachRecord(Visit&& visit) {
    uint64_t done = 0;
    while (done < count_) {
      const size_t got = ReadBlock(done);
      for (size_t i = 0; i < got; ++i)
        visit(DecodeVerificationRecord(block_.data() + i * kVerificationRecordSize));
      done += got;
      if (got == 0) break;
    }
    return done;
  }

 private:
  // Reads up to one block of whole records starting at record `first`; returns how many.
  size_t ReadBlock(uint64_t first);

  FileHandle file_;
  uint64_t count_ = 0;
  std::vector<uint8_t> block_;
};

// What a first pass over a file learns about the readings of one channel.
struct ChannelSummary {
  uint64_t count = 0;
  int unit = 0;            // unit index of the channel's first record: the unit its readings are shown in
  bool hasFinite = false;  // min and max hold finite values
  float min = 0.0f;        // finite values converted into `unit`
  float max = 0.0f;
};

// The record's value in unit index `shownUnit` of its channel.
float RecordValueInUnit(const VerificationRecord& record, int shownUnit);

// First pass: counts the records of `channel`, takes the unit of the first and the range of the values.
// NoChannelData when the file holds none.
VerificationReadStatus SummariseChannel(VerificationFileReader& reader, uint8_t channel, ChannelSummary& out);

}  // namespace ruvenset
