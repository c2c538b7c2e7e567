#include <string>
#include <vector>

#include "common/code_page.h"
#include "fuzz_targets.h"
#include "memory_file.h"
#include "storage/report_pages.h"

namespace ruvenset::fuzz {

// The report file is read as the viewer reads it: every line comes out whole and in UTF-8, without its
// line end. The pages hold every line once and in order, within their sizes, and each printed page is
// its lines padded to the printed height with the footer last. A page range typed in the print dialog
// is kept within the pages.
int FuzzReportPager(const uint8_t* data, size_t size) {
  const MemoryFile file(data, size);
  std::vector<std::string> lines;
  Require(ReadReportFile(file.path(), lines));
  for (const std::string& line : lines) {
    Require(line.find('\n') == std::string::npos);
    Require(line.empty() || line.back() != '\r');
    Require(IsUtf8(line));
  }

  const std::vector<ReportPage> pages = PaginateReport(lines);
  Require(!pages.empty());
  const int count = static_cast<int>(pages.size());
  size_t next = 0;
  for (int n = 0; n < count; ++n) {
    const ReportPage& page = pages[static_cast<size_t>(n)];
    const size_t lead = n == 0 ? 0 : 2;
    Require(page.size() <= lead + static_cast<size_t>(n == 0 ? kFirstPageLines : kFurtherPageLines));
    if (n > 0) Require(page.size() > lead && page[0].empty() && page[1].empty());
    for (size_t k = lead; k < page.size(); ++k) Require(next < lines.size() && page[k] == lines[next++]);
    const std::vector<std::string> printed = PrintedPageLines(page, n + 1, count);
    Require(printed.size() == static_cast<size_t>(kPrintedPageLines) + 1);
    Require(printed.back() == PageFooter(n + 1, count));
    for (size_t k = 0; k + 1 < printed.size(); ++k) Require(printed[k] == (k < page.size() ? page[k] : ""));
  }
  Require(next == lines.size());

  const std::string typed(reinterpret_cast<const char*>(data), size < 16 ? size : 16);
  PageRange range;
  if (ParsePageRange(typed, range)) Require(range.from >= 1 && range.to >= range.from);
  const PageRange kept = ClampPageRange(range, count);
  Require(kept.from >= 1 && kept.from <= kept.to && kept.to <= count);
  return 0;
}

}  // namespace ruvenset::fuzz
