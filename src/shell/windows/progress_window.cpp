#include "shell/windows/progress_window.h"

#include <QVBoxLayout>

#include "shell/windows/window_parts.h"

namespace ruvenset {

TForm5::TForm5(QWidget* parent, const QString& caption, const QString& text, int maximum) : QDialog(parent) {
  PrepareDialog(this, "Form5", caption);
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, maximum > 0 ? maximum : 1);
  ProgressBar1->setValue(0);
  ProgressBar1->setMinimumWidth(380);
  Label1 = new QLabel(text, this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 20);
  layout->setSpacing(12);
  layout->addWidget(Label1);
  layout->addWidget(ProgressBar1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm5::Advance(int steps) {
  ProgressBar1->setValue(std::min(ProgressBar1->value() + steps, ProgressBar1->maximum()));
  ProgressBar1->repaint();
}

void TForm5::SetText(const QString& text) {
  Label1->setText(text);
  Label1->repaint();
}

}  // namespace ruvenset
