#pragma once
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "shell/windows/tick_runner.h"
#include "storage/write_back_pages.h"

namespace ruvenset {

// The write window: its timer fires once after the window is shown and hands the whole write sequence,
// which moves the bar, to the worker that owns the link; then the window closes with modal result 1.
// Its Stop (and Escape) ends a wait for an answer, which the sequence treats as a missing answer.
class TForm81 : public QDialog, public WriteProgressView {
  Q_OBJECT
 public:
  TForm81(QWidget* parent, const QString& caption, const QString& label,
          std::function<void(WriteProgressView&)> sequence);

  void SetMaximum(int maximum) override;
  void SetPosition(int position) override;

  QLabel* Label1;
  QProgressBar* ProgressBar1;
  QPushButton* StopButton;
  QTimer* Timer1;

 public slots:
  void Timer1Timer();
  void reject() override { StopButton->click(); }

 private:
  std::function<void(WriteProgressView&)> sequence_;
  TickRunner runner_;
};

}  // namespace ruvenset
