#include "common/windows/file_dialog_locale.h"

#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>

namespace ruvenset {
namespace {

// The file system model's columns of a file dialog.
constexpr int kSizeColumn = 1;
constexpr int kDateColumn = 3;

// Passes the dialog's file list through, writing sizes and dates with the default locale.
class LocaleFileModel final : public QIdentityProxyModel {
 public:
  explicit LocaleFileModel(QObject* parent) : QIdentityProxyModel(parent) {}

  QVariant data(const QModelIndex& index, int role) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr ||
        (index.column() != kSizeColumn && index.column() != kDateColumn))
      return QIdentityProxyModel::data(index, role);
    const QFileInfo info = files->fileInfo(mapToSource(index));
    const QLocale locale;
    if (index.column() == kDateColumn) return locale.toString(info.lastModified(), QLocale::ShortFormat);
    if (info.isDir()) return QString();
    return locale.formattedDataSize(info.size());
  }
};

}  // namespace

void ShowInProgramLocale(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setProxyModel(new LocaleFileModel(&dialog));
}

QString AskOpenFileName(QWidget* parent, const QString& title, const QString& folder,
                        const QString& filters) {
  QFileDialog dialog(parent, title, folder, filters);
  dialog.setObjectName(QStringLiteral("OpenDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  ShowInProgramLocale(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace ruvenset
