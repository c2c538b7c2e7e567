#pragma once
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <functional>

namespace ruvenset {

// The progress window: shown without blocking; the procedure advances the bar itself. With `stop`, a
// Stop button and Escape end the wait for an answer; without, Escape does nothing.
class TForm5 : public QDialog {
  Q_OBJECT
 public:
  TForm5(QWidget* parent, const QString& caption, const QString& text, int maximum,
         std::function<void()> stop = {});

  void Advance(int steps);
  void SetText(const QString& text);

  QProgressBar* ProgressBar1;
  QLabel* Label1;
  QPushButton* StopButton = nullptr;

 public slots:
  void reject() override;
};

}  // namespace ruvenset
