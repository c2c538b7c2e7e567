#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "common/file_io.h"
#include "session/language_texts.h"
#include "verification/protocol_csv.h"
#include "verification/protocol_document.h"
#include "verification/protocol_verdict.h"

#ifdef RUVENSET_REPORT_PDF
#include "verification/windows/protocol_pdf_file.h"
#endif

namespace ruvenset::cli {
namespace {

// More than any protocol's CSV holds.
constexpr size_t kMaxCsvSize = 64u << 20;

}  // namespace

// Makes a verification protocol again from the CSV written beside it: the same pages in the language it
// was written in; the chart shows each point's span of values, since the CSV keeps no readings.
int RunPrintProtocol(const CliArgs& args) {
  std::string csv;
  if (!OneFileArgument(args, {"--pdf"}, "print-protocol", csv)) return kExitUsage;
  const std::optional<std::string> pdf = args.Value("--pdf");
  if (!pdf) {
    std::fprintf(stderr, "print-protocol: FILE.csv --pdf OUT.pdf\n");
    return kExitUsage;
  }
  std::vector<uint8_t> bytes;
  if (ReadWholeFile(csv, bytes, kMaxCsvSize) != FileStatus::Ok) {
    std::printf("failed cannot read %s\n", csv.c_str());
    return kExitFailed;
  }
  ProtocolRecord record;
  const ProtocolCsvOutcome read =
      ParseProtocolCsv(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), record);
  switch (read.status) {
    case ProtocolCsvStatus::Read:
      break;
    case ProtocolCsvStatus::BadField:
      std::printf("failed %s line %d column %s\n", csv.c_str(), read.line, read.column.c_str());
      return kExitFailed;
    case ProtocolCsvStatus::NotAProtocol:
    case ProtocolCsvStatus::NoPoints:
      std::printf("failed %s is not a verification protocol\n", csv.c_str());
      return kExitFailed;
  }
  LanguageTexts texts;
  if (LoadLanguageTexts(record.langRus, texts).status != LangLoadStatus::Ok) {
    std::printf("failed language catalogue %s not found\n", LanguageCatalogueName(record.langRus).c_str());
    return kExitFailed;
  }
#ifdef RUVENSET_REPORT_PDF
  if (!WriteProtocolPdfFile(ComposeProtocol(record, texts), *pdf)) {
    std::printf("failed cannot write %s\n", pdf->c_str());
    return kExitFailed;
  }
  std::printf("points %zu\nverdict %s\npdf %s\n", record.points.size(),
              VerdictWord(OverallVerdict(record.points)), pdf->c_str());
  return kExitOk;
#else
  std::printf("failed this build has no PDF printing\n");
  return kExitFailed;
#endif
}

}  // namespace ruvenset::cli
