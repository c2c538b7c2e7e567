#pragma once
#include <QDialog>
#include <QLabel>
#include <QProgressBar>

namespace ruvenset {

// The progress window: shown without blocking; the procedure advances the bar itself.
class TForm5 : public QDialog {
  Q_OBJECT
 public:
  TForm5(QWidget* parent, const QString& caption, const QString& text, int maximum);

  // Moves the bar on and repaints at once (the procedure holds the event loop between steps).
  void Advance(int steps);
  void SetText(const QString& text);

  QProgressBar* ProgressBar1;
  QLabel* Label1;
};

}  // namespace ruvenset
