#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "storage/report_pages.h"

namespace ruvenset {

enum class ReportPdfResult { Written, PageOutOfRange, WriteFailed };

struct ReportPdfOutcome {
  ReportPdfResult result = ReportPdfResult::WriteFailed;
  PageRange printed;  // the pages written
  int pageCount = 0;  // the pages the report has
  size_t charts = 0;  // the chart pages after them
};

// Writes a calibration report's lines into a PDF as the report window's "print to file" does: the
// chosen pages (all of them without a range) with their footers, then a chart page per calibrated
// channel. Needs no display: without a Qt application it starts one offscreen for the call.
[[nodiscard]] ReportPdfOutcome WriteReportPdfFile(const std::vector<std::string>& lines,
                                                  const std::string& path, std::optional<PageRange> range);

}  // namespace ruvenset
