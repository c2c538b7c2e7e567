#include "shell/windows/port_test_window.h"

#include <QVBoxLayout>

#include "link/configuration.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {

TForm92::TForm92(QWidget* parent, const QString& caption, const QString& text) : QDialog(parent) {
  PrepareDialog(this, "Form92", caption);
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  Label1 = new QLabel(text, this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, kComSlotCount);
  ProgressBar1->setValue(0);
  ProgressBar1->setMinimumWidth(380);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 20);
  layout->setSpacing(12);
  layout->addWidget(Label1);
  layout->addWidget(ProgressBar1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm92::Step(int done) {
  ProgressBar1->setValue(done);
  ProgressBar1->repaint();
}

}  // namespace ruvenset
