#include "storage/windows/report_pdf_file.h"

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "storage/windows/report_printing.h"

namespace ruvenset {

ReportPdfOutcome WriteReportPdfFile(const std::vector<std::string>& lines, const std::string& path,
                                    std::optional<PageRange> range) {
  std::unique_ptr<QGuiApplication> app;
  static int argc = 1;
  static char name[] = "ruvenset-cli";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  ReportPrintJob job = ReportJobFor(lines);
  ReportPdfOutcome outcome;
  outcome.pageCount = static_cast<int>(job.pages.size());
  outcome.charts = job.charts.size();
  const PageRange chosen = range.value_or(PageRange{1, 1 << 30});
  if (range && chosen.from > outcome.pageCount) {
    outcome.result = ReportPdfResult::PageOutOfRange;
    return outcome;
  }
  job.range = ClampPageRange(chosen, outcome.pageCount);
  outcome.printed = job.range;
  outcome.result = WriteReportPdf(path, job) ? ReportPdfResult::Written : ReportPdfResult::WriteFailed;
  return outcome;
}

}  // namespace ruvenset
