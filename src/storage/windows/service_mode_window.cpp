#include "storage/windows/service_mode_window.h"

#include <QVBoxLayout>

#include "shell/windows/window_parts.h"

namespace ruvenset {

ServiceModeWindow::ServiceModeWindow(QWidget* parent, ServiceOperations& operation)
    : QDialog(parent), operation_(operation) {
  PrepareDialog(this, "Form53", Q(operation.caption()));
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  Panel1 = new QLabel(Q(operation.panelText), this);
  Panel1->setObjectName("Panel1");
  Panel1->setFrameShape(QFrame::StyledPanel);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setMinimumWidth(360);
  ProgressBar1->setValue(0);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 20);
  layout->setSpacing(12);
  layout->addWidget(Panel1);
  layout->addWidget(ProgressBar1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setSingleShot(true);
  connect(Timer1, &QTimer::timeout, this, &ServiceModeWindow::Timer1Timer);
  operation_.SetView(this);
}

int ServiceModeWindow::Run() {
  Timer1->start(0);
  exec();
  operation_.SetView(nullptr);
  return operation_.modalResult();
}

void ServiceModeWindow::SetPanelText(const std::string& text) {
  Panel1->setText(Q(text));
}

void ServiceModeWindow::SetProgress(int position, int maximum) {
  ProgressBar1->setRange(0, maximum > 0 ? maximum : 1);
  ProgressBar1->setValue(position);
  ProgressBar1->repaint();
}

void ServiceModeWindow::Timer1Timer() {
  Timer1->stop();
  const int next = operation_.Timer1Timer();
  if (next == kServiceDone) {
    done(operation_.modalResult());
    return;
  }
  Timer1->start(next);
}

int QtServiceHost::ShowModal(ServiceOperations& window) {
  ServiceModeWindow shown(owner_, window);
  return shown.Run();
}

}  // namespace ruvenset
