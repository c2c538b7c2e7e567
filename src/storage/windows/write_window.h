#pragma once
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <functional>

#include "storage/write_back_pages.h"

namespace ruvenset {

// The write window: its timer fires once after the window is shown and runs the whole write sequence,
// which moves the bar; then the window closes with modal result 1.
class TForm81 : public QDialog, public WriteProgressView {
  Q_OBJECT
 public:
  TForm81(QWidget* parent, const QString& caption, const QString& label,
          std::function<void(WriteProgressView&)> sequence);

  void SetMaximum(int maximum) override;
  void SetPosition(int position) override;

  QLabel* Label1;
  QProgressBar* ProgressBar1;
  QTimer* Timer1;

 public slots:
  void Timer1Timer();

 private:
  std::function<void(WriteProgressView&)> sequence_;
};

}  // namespace ruvenset
