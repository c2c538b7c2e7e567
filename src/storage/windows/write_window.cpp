#include "storage/windows/write_window.h"

#include <QVBoxLayout>

#include "shell/windows/window_parts.h"

namespace ruvenset {

TForm81::TForm81(QWidget* parent, const QString& caption, const QString& label,
                 std::function<void(WriteProgressView&)> sequence)
    : QDialog(parent), sequence_(std::move(sequence)) {
  PrepareDialog(this, "Form81", caption);
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  Label1 = new QLabel(label, this);
  Label1->setObjectName("Label1");
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, 1);
  ProgressBar1->setValue(0);
  ProgressBar1->setMinimumWidth(380);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 20);
  layout->setSpacing(12);
  layout->addWidget(Label1);
  layout->addWidget(ProgressBar1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  Timer1->setInterval(50);
  connect(Timer1, &QTimer::timeout, this, &TForm81::Timer1Timer);
  Timer1->start();
}

void TForm81::SetMaximum(int maximum) {
  ProgressBar1->setRange(0, maximum > 0 ? maximum : 1);
}

void TForm81::SetPosition(int position) {
  ProgressBar1->setValue(std::min(position, ProgressBar1->maximum()));
  ProgressBar1->repaint();
}

void TForm81::Timer1Timer() {
  Timer1->stop();
  if (sequence_) sequence_(*this);
  done(kResultOk);
}

}  // namespace ruvenset
