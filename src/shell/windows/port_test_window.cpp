#include "shell/windows/port_test_window.h"

#include "link/configuration.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {

TForm92::TForm92(QWidget* parent, const QString& caption, const QString& text) : QDialog(parent) {
  PrepareDialog(this, "Form92", caption);
  const ProgressBody body = BuildProgressBody(this, text, kComSlotCount);
  Label1 = body.label;
  ProgressBar1 = body.bar;
}

void TForm92::Step(int done) {
  ProgressBar1->setValue(done);
  ProgressBar1->repaint();
}

}  // namespace ruvenset
