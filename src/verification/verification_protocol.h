#pragma once
#include "session/program_state.h"
#include "session/technician.h"
#include "verification/protocol_pages.h"
#include "verification/protocol_record.h"

namespace ruvenset {

enum class ProtocolResult {
  NoPoints,  // the measuring window took no point: nothing to state
  Declined,  // the technician wanted no protocol, or cancelled the save dialog
  Saved,     // the PDF and the CSV beside it were written
};

// The protocol page of a record's channel, preset with the configured limit and technician.
ProtocolPage ProtocolPageFor(const ProgramState& state, const ProtocolRecord& record);

// The name the save dialog proposes: the factory number, the channel and the date of the first point
// ("160123-temperature-2024-05-16.pdf"; without a factory number the channel and the date).
std::string ProposedProtocolName(const ProtocolRecord& record);

// The protocol of a finished verification whose facts and points `record` holds: the protocol page
// (the channel's permissible error and the technician, remembered in the configuration), the factory
// number read from the flow computer, the verdicts, the save dialog, the PDF and the CSV beside it,
// and the preview. A file that cannot be written is reported and the save dialog comes again.
[[nodiscard]] ProtocolResult SaveVerificationProtocol(ProgramState& state, Technician& technician,
                                                      ProtocolPages& pages, ProtocolRecord record);

// The CSV's path beside a protocol's PDF: the same name with ".csv".
std::string ProtocolCsvPath(const std::string& pdfPath);

}  // namespace ruvenset
