#pragma once
#include <QDialog>
#include <QPushButton>
#include <QString>
#include <QTextBrowser>

namespace ruvenset {

// Where the technician's guide of a language lies: beside the program in the build tree (guide/), or in
// the installed documentation (../share/doc/ruvenset/guide/). Empty when neither holds it.
QString GuideFile(const QString& programFolder, int langRus);

// The technician's guide: the HTML page made from the guide at build time, with its pictures, in a
// browser window that follows its links and closes with its button.
class TGuide : public QDialog {
  Q_OBJECT
 public:
  TGuide(QWidget* parent, const QString& file, const QString& caption, const QString& closeText);

  QTextBrowser* Browser;
  QPushButton* CloseButton;
};

}  // namespace ruvenset
