#include "common/windows/save_dialog.h"

#include "common/file_extension.h"
#include "common/windows/file_dialog_locale.h"

namespace ruvenset {
namespace {

// "Calibration files (*.klb *.KLB)" -> "klb".
QString ExtensionOf(const QString& nameFilter) {
  const qsizetype open = nameFilter.lastIndexOf(QLatin1Char('('));
  const qsizetype close = nameFilter.lastIndexOf(QLatin1Char(')'));
  const QString patterns =
      open >= 0 && close > open ? nameFilter.mid(open + 1, close - open - 1) : nameFilter;
  return QString::fromStdString(FilterExtension(patterns.toStdString()));
}

void FollowFilter(QFileDialog& dialog, const QString& nameFilter) {
  QString extension = ExtensionOf(nameFilter);
  for (qsizetype i = 0; extension.isEmpty() && i < dialog.nameFilters().size(); ++i)
    extension = ExtensionOf(dialog.nameFilters()[i]);
  dialog.setDefaultSuffix(extension);
}

}  // namespace

void AddFilterExtension(QFileDialog& dialog) {
  // The suffix is added by the dialog itself only when it draws its own widgets.
  ShowInProgramLocale(dialog);
  FollowFilter(dialog, dialog.selectedNameFilter());
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& filter) { FollowFilter(dialog, filter); });
}

QString AskSaveFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filters,
                        QFileDialog::Options options) {
  QFileDialog dialog(parent, title, folder, filters);
  dialog.setObjectName(QStringLiteral("SaveDialog"));
  dialog.setOptions(options);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  AddFilterExtension(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace ruvenset
