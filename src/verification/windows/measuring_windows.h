#pragma once
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "session/program_state.h"
#include "shell/windows/tick_runner.h"
#include "verification/measuring_window.h"

namespace ruvenset {

// A measuring window of a verification: the readings, the ADC codes and the statistics, each in a
// line of its own, and the three buttons — finish (`BitBtn1`), reset the statistics (`BitBtn2`) and a
// new actual value (`BitBtn3`, only with a typed reference). `Timer1` takes the readings: it fires
// first after the window's first interval, hands the reading to the worker that owns the link, stays
// off while the reading runs and is re-armed with the interval the reading returns. Stop (and Escape)
// ends the reading's wait for an answer. Closing the window finishes the verification as `BitBtn1`
// does.
class MeasuringForm : public QDialog {
  Q_OBJECT
 public:
  // Shows the window until the verification is finished.
  void Run();
  // The line of a display field by its name ("count", "value", "mean", ...); null when not shown.
  QLabel* Line(const std::string& field) const;
  // A reading (or a button's work) is on the worker and not yet shown.
  bool working() const { return runner_.running(); }

  QLabel* MessageLine;
  QLabel* FileLine;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QPushButton* BitBtn3;
  QPushButton* StopButton;
  QTimer* Timer1;

 public slots:
  void Timer1Timer();
  void BitBtn1Click();
  void BitBtn2Click();
  void BitBtn3Click();
  void reject() override { BitBtn1Click(); }

 protected:
  MeasuringForm(QWidget* parent, const char* objectName, const ProgramState& state, MeasuringWindow& window);
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Shows the window's display lines.
  void Render();

  // Re-arms the timer after a reading, unless the window is finishing.
  void Rearm();

  MeasuringWindow& window_;
  TickRunner runner_;
  std::map<std::string, QLabel*> lines_;
  std::vector<std::pair<std::string MeasuringDisplay::*, QLabel*>> shown_;
  int interval_ = 0;
};

// The measuring window of the flow computers that report new-measurement markers.
class TForm54 : public MeasuringForm {
  Q_OBJECT
 public:
  TForm54(QWidget* parent, const ProgramState& state, MeasuringWindow& window)
      : MeasuringForm(parent, "Form54", state, window) {}
};

// The measuring window of the other flow computers.
class TForm55 : public MeasuringForm {
  Q_OBJECT
 public:
  TForm55(QWidget* parent, const ProgramState& state, MeasuringWindow& window)
      : MeasuringForm(parent, "Form55", state, window) {}
};

}  // namespace ruvenset
