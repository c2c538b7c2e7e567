#include "calibration/windows/zero_statistics_window.h"

#include <QVBoxLayout>

#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {

TForm78::TForm78(QWidget* parent, const QString& caption, const QString& text, ZeroStatistics& window)
    : QDialog(parent), window_(window) {
  PrepareDialog(this, "Form78", caption);
  const ProgressBody body = BuildProgressBody(this, text, ZeroStatistics::kCycles);
  Label1 = body.label;
  ProgressBar1 = body.bar;
  ProgressBar1->setValue(0);
  BitBtn1 = MakeButton(this, "BitBtn1", Q(window_.hint()), QStyle::SP_DialogCancelButton);
  BitBtn1->setToolTip(Q(window_.hint()));
  BitBtn1->setAutoDefault(false);
  if (auto* box = qobject_cast<QVBoxLayout*>(layout())) box->addWidget(BitBtn1, 0, Qt::AlignHCenter);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm78::BitBtn1Click);
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, &TForm78::Timer1Timer);
}

ZeroStatisticsResult TForm78::Run() {
  Timer1->start(window_.firstInterval());
  exec();
  Timer1->stop();
  return result_;
}

void TForm78::Render(const ZeroTick& tick) {
  ProgressBar1->setValue(tick.progress);
  if (!tick.finished) return;
  result_ = tick.result;
  Timer1->stop();
  done(static_cast<int>(tick.result));
}

void TForm78::Timer1Timer() {
  Timer1->stop();
  runner_.Run([this] { return window_.Timer1Timer(); },
              [this](const ZeroTick& tick) {
                Render(tick);
                if (!tick.finished && isVisible()) Timer1->start(tick.nextInterval);
              });
}

void TForm78::BitBtn1Click() {
  // A cycle waiting for the flow computer's answer ends at once; the stop is taken after it.
  if (runner_.running()) runner_.RequestStop();
  runner_.Run([this] { return window_.BitBtn1Click(); }, [this](const ZeroTick& tick) { Render(tick); });
}

ZeroStatisticsResult QtZeroStatisticsHost::ShowModal(ZeroStatistics& window) {
  return OnUiThread([&] {
    TForm78 shown(owner_, caption_, text_, window);
    return shown.Run();
  });
}

}  // namespace ruvenset
