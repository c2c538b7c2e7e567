#pragma once
#include <QDialog>
#include <QLabel>
#include <QProgressBar>

namespace ruvenset {

// The port test window: one step of its bar per port slot tried.
class TForm92 : public QDialog {
  Q_OBJECT
 public:
  TForm92(QWidget* parent, const QString& caption, const QString& text);

  void Step(int done);

  QLabel* Label1;
  QProgressBar* ProgressBar1;
};

}  // namespace ruvenset
