#include "storage/windows/report_pdf_file.h"

#include "common/windows/offscreen_application.h"
#include "storage/windows/report_printing.h"

namespace ruvenset {

ReportPdfOutcome WriteReportPdfFile(const std::vector<std::string>& lines, const std::string& path,
                                    std::optional<PageRange> range) {
  const OffscreenApplication application;
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
