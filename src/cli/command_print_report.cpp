#include <cstdio>
#include <string>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "storage/report_pages.h"

#ifdef RUVENSET_REPORT_PDF
#include "storage/windows/report_pdf_file.h"
#endif

namespace ruvenset::cli {

// Prints a calibration report into a PDF as the report window's "print to file" does: the chosen pages
// with their footers, then a chart page per calibrated channel. No display is needed.
int RunPrintReport(const CliArgs& args) {
  std::string report;
  for (size_t i = 0; i < args.rest.size(); ++i) {
    const std::string& word = args.rest[i];
    if (word == "--pdf" || word == "--pages") {
      ++i;
    } else if (word.rfind("--", 0) == 0 || !report.empty()) {
      std::fprintf(stderr, "print-report: unexpected %s\n", word.c_str());
      return kExitUsage;
    } else {
      report = word;
    }
  }
  const std::optional<std::string> pdf = args.Value("--pdf");
  PageRange range;
  const std::optional<std::string> pages = args.Value("--pages");
  if (report.empty() || !pdf || (pages && !ParsePageRange(*pages, range))) {
    std::fprintf(stderr, "print-report: FILE.rcl --pdf OUT.pdf [--pages FROM-TO]\n");
    return kExitUsage;
  }
  std::vector<std::string> lines;
  if (!ReadReportFile(report, lines)) {
    std::printf("failed cannot read %s\n", report.c_str());
    return kExitFailed;
  }
#ifdef RUVENSET_REPORT_PDF
  const ReportPdfOutcome written =
      WriteReportPdfFile(lines, *pdf, pages ? std::optional<PageRange>(range) : std::nullopt);
  switch (written.result) {
    case ReportPdfResult::PageOutOfRange:
      std::printf("failed the report has %d pages\n", written.pageCount);
      return kExitFailed;
    case ReportPdfResult::WriteFailed:
      std::printf("failed cannot write %s\n", pdf->c_str());
      return kExitFailed;
    case ReportPdfResult::Written:
      break;
  }
  std::printf("pages %d-%d of %d\ncharts %zu\npdf %s\n", written.printed.from, written.printed.to,
              written.pageCount, written.charts, pdf->c_str());
  return kExitOk;
#else
  std::printf("failed this build has no PDF printing\n");
  return kExitFailed;
#endif
}

}  // namespace ruvenset::cli
