#include "calibration/windows/qt_save_calibration_pages.h"

#include "calibration/saved_report_offer.h"
#include "storage/windows/report_window.h"

#include <QFileDialog>

#include "common/windows/save_dialog.h"
#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"
#include "storage/windows/qt_calibration_pages.h"

namespace ruvenset {

std::optional<std::string> QtSaveCalibrationPages::AskSavePath(const FileDialogRequest& request) {
  return OnUiThread([&]() -> std::optional<std::string> {
    // The procedure asks about an existing file itself.
    const QString path = AskSaveFileName(owner_, Q(request.title), Q(request.folder),
                                         DialogFilter(request.filter), QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
  });
}

bool QtSaveCalibrationPages::ConfirmReplace(const std::string& caption, const std::string& question) {
  return technician_.ConfirmWrite(caption, question);
}

void SaveCalibrationInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician) {
  QtSaveCalibrationPages pages(owner, technician);
  const SaveCalibrationOutcome saved = SaveCalibrationParameters(state, technician, pages);
  QtReportViewPages reports(owner, state.config.langRus == 1);
  (void)OfferSavedReport(state, technician, reports, saved);
}

}  // namespace ruvenset
