#include "shell/windows/guide_window.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/windows/window_parts.h"

namespace ruvenset {

QString GuideFile(const QString& programFolder, int langRus) {
  const QString name = langRus == 1 ? QStringLiteral("guide.ru.html") : QStringLiteral("guide.uk.html");
  for (const QString& folder : {QStringLiteral("guide"), QStringLiteral("../share/doc/ruvenset/guide")}) {
    const QFileInfo file(QDir(programFolder).filePath(folder + "/" + name));
    if (file.isFile()) return file.canonicalFilePath();
  }
  return {};
}

TGuide::TGuide(QWidget* parent, const QString& file, const QString& caption, const QString& closeText)
    : QDialog(parent) {
  PrepareDialog(this, "Guide", caption);
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  Browser = new QTextBrowser(this);
  Browser->setObjectName("Browser");
  Browser->setOpenExternalLinks(true);
  Browser->setSource(QUrl::fromLocalFile(file));
  CloseButton = MakeButton(this, "CloseButton", closeText, QStyle::SP_DialogCloseButton);
  CloseButton->setDefault(true);
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(CloseButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Browser);
  layout->addLayout(buttons);
  resize(900, 700);
}

}  // namespace ruvenset
