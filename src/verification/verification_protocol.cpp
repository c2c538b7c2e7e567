#include "verification/verification_protocol.h"

#include <cstdio>

#include "common/file_io.h"
#include "device/identification_code_read.h"
#include "verification/protocol_csv.h"
#include "verification/protocol_document.h"
#include "verification/protocol_time.h"
#include "verification/protocol_verdict.h"

namespace ruvenset {

static_assert(kProtocolChannels == kChannelKindCount,
              "the configuration keeps a permissible error per channel kind");

ProtocolPage ProtocolPageFor(const ProgramState& state, const ProtocolRecord& record) {
  ProtocolPage page;
  page.caption = state.Text(3400);
  page.question = state.Text(3453);
  page.pointsLine = state.texts.FormatText(3452, {record.points.size()});
  page.limitCaption = state.Text(3420);
  page.absoluteItem = state.texts.FormatText(3454, {record.unit});
  char range[96];
  std::snprintf(range, sizeof range, "[ %g ... %g ]", record.range.lower, record.range.upper);
  page.percentItem = state.texts.FormatText(3455, {std::string(range)});
  page.noLimitItem = state.Text(3422);
  page.limitHint = state.Text(3465);
  page.technicianCaption = state.Text(3457);
  page.saveText = state.Text(3458);
  page.skipText = state.Text(3459);
  page.limit = state.config.protocol.limits[record.channelKind];
  page.technician = state.config.protocol.technician;
  return page;
}

std::string ProposedProtocolName(const ProtocolRecord& record) {
  std::string name = record.factoryNumber ? std::to_string(*record.factoryNumber) + "-" : std::string();
  name += ChannelWord(record.channelKind);
  if (!record.points.empty()) name += "-" + ProtocolTimestamp(record.points.front().start).substr(0, 10);
  return name + ".pdf";
}

std::string ProtocolCsvPath(const std::string& pdfPath) {
  const size_t slash = pdfPath.find_last_of("/\\");
  const size_t dot = pdfPath.find_last_of('.');
  const bool extension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  return (extension ? pdfPath.substr(0, dot) : pdfPath) + ".csv";
}

ProtocolResult SaveVerificationProtocol(ProgramState& state, Technician& technician, ProtocolPages& pages,
                                        ProtocolRecord record) {
  if (record.points.empty()) return ProtocolResult::NoPoints;
  const std::optional<ProtocolAnswer> answer = pages.AskProtocol(ProtocolPageFor(state, record));
  if (!answer) return ProtocolResult::Declined;
  state.config.protocol.limits[record.channelKind] = answer->limit;
  state.config.protocol.technician = answer->technician;
  record.limit = answer->limit;
  record.technician = answer->technician;
  record.factoryNumber = ReadIdentificationCode(state, technician);
  JudgePoints(record.points, record.limit, record.range);
  const ProtocolDocument document = ComposeProtocol(record, state.texts);

  ProtocolSaveDialog dialog;
  dialog.title = state.Text(3460);
  dialog.filter = state.Text(3461) + "|*.pdf";
  dialog.folder = state.startDirectory.empty() ? "." : state.startDirectory;
  dialog.proposedName = ProposedProtocolName(record);
  for (;;) {
    const std::optional<std::string> path = pages.AskProtocolPath(dialog);
    if (!path) return ProtocolResult::Declined;
    const ProtocolFiles files{*path, ProtocolCsvPath(*path)};
    const bool written = WriteFileAtomically(files.csv, FormatProtocolCsv(record)) == FileStatus::Ok &&
                         pages.WriteProtocolPdf(document, files.pdf);
    if (written) {
      ProtocolView view;
      view.files = files;
      view.caption = state.Text(3463);
      view.filesLine = state.texts.FormatText(3466, {files.pdf, files.csv});
      view.printText = state.Text(3464);
      view.exitText = state.Text(2278);
      pages.ShowProtocol(record, document, view);
      return ProtocolResult::Saved;
    }
    technician.ShowMessageWindow(state.Text(2385), state.texts.FormatText(3462, {*path}), state.Text(2278));
  }
}

}  // namespace ruvenset
