#pragma once
#include <string>
#include <string_view>

#include "verification/protocol_record.h"

namespace ruvenset {

// The CSV beside a protocol, for the lab's own records and to make the protocol again: UTF-8, a header
// row of column names, then one row per point; every row repeats what the protocol states about the
// flow computer, the channel and the reference, so that each row stands on its own. Numbers are
// written with a point as the decimal separator whatever the language, times as
// "2024-05-16 10:15:30" in local time, line ends CR LF, fields quoted as RFC 4180 has it.
std::string FormatProtocolCsv(const ProtocolRecord& record);

enum class ProtocolCsvStatus {
  Read,
  NotAProtocol,  // no header row with the protocol's columns
  BadField,      // a row whose field does not read (line and column say which)
  NoPoints,
};

struct ProtocolCsvOutcome {
  ProtocolCsvStatus status = ProtocolCsvStatus::NotAProtocol;
  int line = 0;        // of a bad field
  std::string column;  // of a bad field
};

// Reads a protocol's CSV back into `record`: the columns by their names in any order (others are
// left alone), what the protocol states from the first row, a point from every row. The readings of
// the points are not in the CSV.
ProtocolCsvOutcome ParseProtocolCsv(std::string_view text, ProtocolRecord& record);

}  // namespace ruvenset
