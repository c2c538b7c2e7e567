#include "shell/windows/progress_window.h"

#include "shell/windows/window_parts.h"

namespace ruvenset {

TForm5::TForm5(QWidget* parent, const QString& caption, const QString& text, int maximum,
               std::function<void()> stop)
    : QDialog(parent) {
  PrepareDialog(this, "Form5", caption);
  const ProgressBody body = BuildProgressBody(this, text, maximum);
  Label1 = body.label;
  ProgressBar1 = body.bar;
  if (stop) StopButton = AddStopButton(this, std::move(stop));
}

void TForm5::Advance(int steps) {
  ProgressBar1->setValue(std::min(ProgressBar1->value() + steps, ProgressBar1->maximum()));
}

void TForm5::SetText(const QString& text) {
  Label1->setText(text);
}

void TForm5::reject() {
  if (StopButton != nullptr) StopButton->click();
}

}  // namespace ruvenset
