#include "storage/windows/qt_calibration_pages.h"

#include <QFileDialog>

#include "common/windows/file_dialog_locale.h"
#include "common/windows/save_dialog.h"
#include "shell/windows/confirm_windows.h"
#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"
#include "storage/windows/fulfill_window.h"
#include "storage/windows/sch_window.h"
#include "storage/windows/write_window.h"

namespace ruvenset {

QString DialogFilter(const std::string& filter) {
  const QStringList parts = Q(filter).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString patterns = QString(parts[i + 1]).replace(';', ' ');
    filters << (parts[i].contains('(') ? parts[i] : parts[i] + " (" + patterns + ")");
  }
  return filters.join(";;");
}

ListAnswer QtCalibrationPages::ShowList(const FulfillList& list) {
  return OnUiThread([&]() -> ListAnswer {
    TFulfill window(owner_, list);
    return window.Answer();
  });
}

std::optional<std::array<float, 2>> QtCalibrationPages::AskEntry(const SchEntry& entry) {
  return OnUiThread([&]() -> std::optional<std::array<float, 2>> {
    TSch window(owner_, entry);
    return window.Answer();
  });
}

std::optional<std::string> QtCalibrationPages::AskOpenPath(const FileDialogRequest& request) {
  return OnUiThread([&]() -> std::optional<std::string> {
    const QString path =
        AskOpenFileName(owner_, Q(request.title), Q(request.folder), DialogFilter(request.filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
  });
}

std::optional<std::string> QtCalibrationPages::AskSavePath(const FileDialogRequest& request) {
  return OnUiThread([&]() -> std::optional<std::string> {
    // The editor asks about an existing file itself.
    const QString path = AskSaveFileName(owner_, Q(request.title), Q(request.folder),
                                         DialogFilter(request.filter), QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
  });
}

void QtCalibrationPages::RunWriteWindow(const std::string& caption, const std::string& label,
                                        const std::function<void(WriteProgressView&)>& sequence) {
  OnUiThread([&] {
    TForm81 window(owner_, Q(caption), Q(label), sequence);
    window.exec();
  });
}

void QtCalibrationPages::ShowNotice3(const std::string& caption, const std::string& line1,
                                     const std::string& line2, const std::string& line3) {
  OnUiThread([&] {
    TOKBottomDlg1 window(owner_, Q(caption), Q(line1), Q(line2), Q(line3), "Ok", "");
    window.CancelBtn->hide();
    window.exec();
  });
}

}  // namespace ruvenset
