#include "storage/report_view.h"

#include "storage/calibration_paths.h"
#include "storage/text_message.h"

namespace ruvenset {

FileDialogRequest ReportOpenDialog(const ProgramState& state) {
  return {state.Bilingual("Открыть отчет о параметрах калибровки", "Відкрити звіт о параметрах калібровки"),
          state.Bilingual("Отчет о параметрах калибровки (*.rcl)|*.rcl|Все файлы (*.*)|*.*",
                          "Звіт о параметрах калібровки (*.rcl)|*.rcl|Всі файли (*.*)|*.*"),
          CalibrationDirectory(state.startDirectory)};
}

ReportViewResult ViewCalibrationReport(ProgramState& state, Technician& technician, ReportViewPages& pages) {
  EnsureCalibrationDirectory(state.startDirectory);
  const std::optional<std::string> path = pages.AskOpenPath(ReportOpenDialog(state));
  if (!path || path->empty()) return ReportViewResult::Cancelled;
  return ShowCalibrationReport(state, technician, pages, *path);
}

ReportViewResult ShowCalibrationReport(ProgramState& state, Technician& technician, ReportViewPages& pages,
                                       const std::string& path) {
  EnsureCalibrationDirectory(state.startDirectory);
  ReportWindowModel model;
  model.path = path;
  if (!ReadReportFile(path, model.lines)) return ReportViewResult::Unreadable;
  model.caption = state.Bilingual("Отчет о параметрах калибровки", "Звіт о параметрах калібровки");
  model.pages = PaginateReport(model.lines);
  model.pageFolder = CalibrationDirectory(state.startDirectory);
  std::string failed;
  const FileStatus written = WritePageFiles(model.pageFolder, model.pages, failed);
  if (written != FileStatus::Ok) {
    DeletePageFiles(model.pageFolder, static_cast<int>(model.pages.size()));
    const TextMessage message{written == FileStatus::CannotOpen ? 1244 : 1245, {TextArgument::Of(failed)}};
    technician.ShowMessageWindow(state.Text(1164), FormatTextMessage(message, state.texts), state.Text(2279));
    return ReportViewResult::PageFileFailed;
  }
  pages.ShowReport(model);
  DeletePageFiles(model.pageFolder, static_cast<int>(model.pages.size()));
  return ReportViewResult::Shown;
}

std::vector<ReportPage> LoadPageFiles(const std::string& folder, const std::vector<ReportPage>& pages) {
  std::vector<ReportPage> loaded = pages;
  for (size_t n = 0; n < pages.size(); ++n) {
    std::vector<std::string> lines;
    if (ReadReportFile(PageFilePath(folder, static_cast<int>(n + 1)), lines)) loaded[n] = lines;
  }
  return loaded;
}

}  // namespace ruvenset
