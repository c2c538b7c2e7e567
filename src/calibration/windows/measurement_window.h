#pragma once
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "calibration/acquisition_window.h"
#include "calibration/windows/sample_strip.h"
#include "session/program_state.h"
#include "shell/windows/tick_runner.h"

namespace ruvenset {

// The measurement window of a calibration: one grid (`Memo1`) of the lines' labels and their values,
// each value on its label's row, in statistics mode the strip chart of the point's codes below them, and the
// buttons Next (`BitBtn1`, modal result 1), reset the statistics (`BitBtn2`, statistics mode only) and Cancel
// (`BitBtn3`, modal result 2). `Timer1` ticks in ambient mode, `Timer2` in point mode, every 900 ms; each
// stays off while its tick runs. The window only renders what the logic's tick returns.
class TForm60 : public QDialog {
  Q_OBJECT
 public:
  TForm60(QWidget* parent, const ProgramState& state, TForm60Logic& logic);

  // Shows the window modally with its mode's timer running; returns the modal result.
  int Run();
  // Renders a tick's result (also what the window shows before the first tick).
  void Render(const AcquisitionTick& tick);
  // Whether work handed to the worker has not been shown yet.
  bool working() const { return runner_.running(); }

  QFrame* Memo1;
  // The shown lines, in order: the label (right-aligned, `LabelN`) and the value (`ValueN`) of each,
  // N the line number of the logic.
  std::vector<QLabel*> Labels;
  std::vector<QLabel*> Values;
  SampleStrip* Chart = nullptr;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QPushButton* BitBtn3;
  QTimer* Timer1;
  QTimer* Timer2;

 public slots:
  void Timer1Timer() { Tick(Timer1); }
  void Timer2Timer() { Tick(Timer2); }
  void BitBtn2Click();

 private:
  void Tick(QTimer* timer);
  // Closes the window with `result`, ending a tick that waits for an answer.
  void Leave(int result);
  void reject() override;
  QTimer* OwnTimer() const;

  TForm60Logic& logic_;
  TickRunner runner_;
  std::vector<int> rows_;  // the lines of the logic shown, in order
};

}  // namespace ruvenset
