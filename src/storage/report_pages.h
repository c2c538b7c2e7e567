#pragma once
#include <string>
#include <vector>

#include "common/file_io.h"

namespace ruvenset {

// A calibration report split into printed pages: the first page takes 61 report lines, every further
// page two empty lines and then 59 report lines. A printed page is padded with empty lines to 63 and
// ends with its footer. The pages also go to page files "p1", "p2", ... while the report is shown.

inline constexpr int kFirstPageLines = 61;
inline constexpr int kFurtherPageLines = 59;
inline constexpr int kPrintedPageLines = 63;

using ReportPage = std::vector<std::string>;

// The lines of a report text, whole (the carriage returns before a line end dropped). A text that is not
// UTF-8 is read as code page 1251.
std::vector<std::string> ReportLines(const std::string& text);
// The lines of a report file; false when it cannot be read.
bool ReadReportFile(const std::string& path, std::vector<std::string>& lines);

// The pages of a report; a page is started only for a line that goes on it, so no page holds nothing
// but its two leading empty lines. An empty report is one empty page.
std::vector<ReportPage> PaginateReport(const std::vector<std::string>& lines);

// "<48 blanks>Page n from count. Div3AzErur"
std::string PageFooter(int page, int count);
// The lines one printed page shows: the page, empty lines up to 63, the footer.
std::vector<std::string> PrintedPageLines(const ReportPage& page, int number, int count);

// Pages chosen for printing, from and to counted from 1 and kept within 1 .. count.
struct PageRange {
  int from = 1;
  int to = 1;
};
// "FROM-TO" or a single page "N"; false for anything else.
bool ParsePageRange(const std::string& text, PageRange& range);
PageRange ClampPageRange(PageRange range, int count);

// Page file n in folder: "p<n>", no extension.
std::string PageFilePath(const std::string& folder, int page);
// Writes every page to its page file, a line and "\n" at a time. On failure `failedPath` names the file
// and the status says whether it could not be created or written.
FileStatus WritePageFiles(const std::string& folder, const std::vector<ReportPage>& pages,
                          std::string& failedPath);
// Deletes page files 1 .. count.
void DeletePageFiles(const std::string& folder, int count);

}  // namespace ruvenset
