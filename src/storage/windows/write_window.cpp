#include "storage/windows/write_window.h"

#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {

TForm81::TForm81(QWidget* parent, const QString& caption, const QString& label,
                 std::function<void(WriteProgressView&)> sequence)
    : QDialog(parent), sequence_(std::move(sequence)) {
  PrepareDialog(this, "Form81", caption);
  const ProgressBody body = BuildProgressBody(this, label, 1);
  Label1 = body.label;
  ProgressBar1 = body.bar;
  StopButton = AddStopButton(this, [this] { runner_.RequestStop(); });
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  Timer1->setInterval(50);
  connect(Timer1, &QTimer::timeout, this, &TForm81::Timer1Timer);
  Timer1->start();
}

void TForm81::SetMaximum(int maximum) {
  OnUiThread([&] { ProgressBar1->setRange(0, maximum > 0 ? maximum : 1); });
}

void TForm81::SetPosition(int position) {
  OnUiThread([&] { ProgressBar1->setValue(std::min(position, ProgressBar1->maximum())); });
}

void TForm81::Timer1Timer() {
  Timer1->stop();
  runner_.Run(
      [this] {
        if (sequence_) sequence_(*this);
      },
      [this] { done(kResultOk); });
}

}  // namespace ruvenset
