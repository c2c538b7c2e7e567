#include "verification/windows/service_window.h"

#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {

TForm53::TForm53(QWidget* parent, ServiceOperations& operation) : QDialog(parent), operation_(operation) {
  PrepareDialog(this, "Form53", Q(operation.caption()));
  const ProgressBody body = BuildProgressBody(this, Q(operation.panelText), 1, "Panel1");
  Panel1 = body.label;
  Panel1->setFrameShape(QFrame::StyledPanel);
  Panel1->setAlignment(Qt::AlignCenter);
  Panel1->setMinimumHeight(32);
  ProgressBar1 = body.bar;
  StopButton = AddStopButton(this, [this] { runner_.RequestStop(); });
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, &TForm53::Timer1Timer);
  operation_.SetView(this);
}

TForm53::~TForm53() {
  operation_.SetView(nullptr);
}

ServiceResult TForm53::Run() {
  Timer1->start(0);
  exec();
  return operation_.outcome();
}

void TForm53::SetPanelText(const std::string& text) {
  OnUiThread([&] { Panel1->setText(Q(text)); });
}

void TForm53::SetProgress(int position, int maximum) {
  OnUiThread([&] {
    ProgressBar1->setRange(0, maximum > 0 ? maximum : 1);
    ProgressBar1->setValue(position);
  });
}

void TForm53::Timer1Timer() {
  Timer1->stop();
  runner_.Run([this] { return operation_.Timer1Timer(); },
              [this](int next) {
                if (next == kServiceDone) {
                  done(operation_.outcome() == ServiceResult::Succeeded ? QDialog::Accepted : QDialog::Rejected);
                  return;
                }
                Timer1->start(next);
              });
}

ServiceResult QtServiceWindowHost::ShowModal(ServiceOperations& window) {
  return OnUiThread([&] {
    TForm53 shown(owner_, window);
    return shown.Run();
  });
}

}  // namespace ruvenset
