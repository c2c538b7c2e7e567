#pragma once
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "calibration/zero_statistics.h"
#include "shell/windows/tick_runner.h"

namespace ruvenset {

// The zero statistics window: a progress bar over the ten measurement cycles, a stop button and
// `Timer1`, whose tick (the window logic's Timer1Timer) re-arms it until the window closes itself.
class TForm78 : public QDialog {
  Q_OBJECT
 public:
  TForm78(QWidget* parent, const QString& caption, const QString& text, ZeroStatistics& window);

  // Shows the window until it has closed; returns how.
  ZeroStatisticsResult Run();

  QLabel* Label1;
  QProgressBar* ProgressBar1;
  QPushButton* BitBtn1;
  QTimer* Timer1;

 public slots:
  void Timer1Timer();
  void BitBtn1Click();
  void reject() override { BitBtn1Click(); }
  // Whether work handed to the worker has not been shown yet.
  bool working() const { return runner_.running(); }

 private:
  void Render(const ZeroTick& tick);

  ZeroStatistics& window_;
  TickRunner runner_;
  ZeroStatisticsResult result_ = ZeroStatisticsResult::Stopped;
};

// Shows the zero statistics window modally over `owner`.
class QtZeroStatisticsHost final : public ZeroStatisticsHost {
 public:
  QtZeroStatisticsHost(QWidget* owner, QString caption, QString text)
      : owner_(owner), caption_(std::move(caption)), text_(std::move(text)) {}
  ZeroStatisticsResult ShowModal(ZeroStatistics& window) override;

 private:
  QPointer<QWidget> owner_;
  QString caption_;
  QString text_;
};

}  // namespace ruvenset
