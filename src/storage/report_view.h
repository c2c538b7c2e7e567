#pragma once
#include <optional>
#include <string>
#include <vector>

#include "session/program_state.h"
#include "session/technician.h"
#include "storage/calibration_editor_pages.h"
#include "storage/report_pages.h"

namespace ruvenset {

// Viewing a calibration report: the open dialog, the report split into page files, the report window,
// and the page files deleted once the window closed.

struct ReportWindowModel {
  std::string caption;
  std::vector<std::string> lines;
  std::vector<ReportPage> pages;
  std::string pageFolder;  // where the page files lie while the window is open
  std::string path;        // the report file shown
};

class ReportViewPages {
 public:
  virtual ~ReportViewPages() = default;
  virtual std::optional<std::string> AskOpenPath(const FileDialogRequest& request) = 0;
  // Shows the report window modally; it prints from the page files.
  virtual void ShowReport(const ReportWindowModel& model) = 0;
};

enum class ReportViewResult {
  Shown,
  Cancelled,       // the open dialog was left
  Unreadable,      // the report could not be read: ends without a message
  PageFileFailed,  // a page file could not be created or written (its message was shown)
};

// The open dialog's title and filter in the program's language.
FileDialogRequest ReportOpenDialog(const ProgramState& state);

[[nodiscard]] ReportViewResult ViewCalibrationReport(ProgramState& state, Technician& technician,
                                                     ReportViewPages& pages);

// The report at `path` in the report window, without the open dialog.
[[nodiscard]] ReportViewResult ShowCalibrationReport(ProgramState& state, Technician& technician,
                                                     ReportViewPages& pages, const std::string& path);

// The pages as the page files hold them now; a page whose file cannot be read is taken from `pages`.
std::vector<ReportPage> LoadPageFiles(const std::string& folder, const std::vector<ReportPage>& pages);

}  // namespace ruvenset
