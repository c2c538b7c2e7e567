#include "storage/report_pages.h"

#include <cstdio>

#include "common/code_page.h"

namespace ruvenset {

std::vector<std::string> ReportLines(const std::string& raw) {
  const std::string text = IsUtf8(raw) ? raw : Cp1251ToUtf8(raw);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    // A file whose CR LF ends went through a second conversion ends its lines with CR CR LF.
    while (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

bool ReadReportFile(const std::string& path, std::vector<std::string>& lines) {
  std::vector<uint8_t> bytes;
  if (ReadWholeFile(path, bytes) != FileStatus::Ok) return false;
  lines = ReportLines(std::string(bytes.begin(), bytes.end()));
  return true;
}

std::vector<ReportPage> PaginateReport(const std::vector<std::string>& lines) {
  std::vector<ReportPage> pages(1);
  for (size_t l = 0; l < lines.size(); ++l) {
    if (l > 0 && l - 1 > static_cast<size_t>(kFurtherPageLines) * (pages.size())) {
      pages.push_back({"", ""});
    }
    pages.back().push_back(lines[l]);
  }
  return pages;
}

std::string PageFooter(int page, int count) {
  return std::string(48, ' ') + "Page " + std::to_string(page) + " from " + std::to_string(count) +
         ". Div3AzErur";
}

std::vector<std::string> PrintedPageLines(const ReportPage& page, int number, int count) {
  std::vector<std::string> lines = page;
  if (lines.size() < static_cast<size_t>(kPrintedPageLines)) lines.resize(kPrintedPageLines);
  lines.push_back(PageFooter(number, count));
  return lines;
}

bool ParsePageRange(const std::string& text, PageRange& range) {
  int from = 0;
  int to = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%d-%d%c", &from, &to, &tail) == 2 && from >= 1 && to >= from) {
    range = {from, to};
    return true;
  }
  if (std::sscanf(text.c_str(), "%d%c", &from, &tail) == 1 && from >= 1 &&
      text.find_first_not_of("0123456789") == std::string::npos) {
    range = {from, from};
    return true;
  }
  return false;
}

PageRange ClampPageRange(PageRange range, int count) {
  const int last = count < 1 ? 1 : count;
  range.from = range.from < 1 ? 1 : range.from > last ? last : range.from;
  range.to = range.to < range.from ? range.from : range.to > last ? last : range.to;
  return range;
}

std::string PageFilePath(const std::string& folder, int page) {
  return (folder.empty() || folder.back() == '/' ? folder : folder + "/") + "p" + std::to_string(page);
}

FileStatus WritePageFiles(const std::string& folder, const std::vector<ReportPage>& pages,
                          std::string& failedPath) {
  for (size_t n = 0; n < pages.size(); ++n) {
    std::string text;
    for (const std::string& line : pages[n]) text += line + "\n";
    const std::string path = PageFilePath(folder, static_cast<int>(n + 1));
    const FileStatus status = WriteFileAtomically(path, text);
    if (status != FileStatus::Ok) {
      failedPath = path;
      return status;
    }
  }
  return FileStatus::Ok;
}

void DeletePageFiles(const std::string& folder, int count) {
  for (int n = 1; n <= count; ++n) RemoveFile(PageFilePath(folder, n));
}

}  // namespace ruvenset
