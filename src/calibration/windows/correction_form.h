#pragma once
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <functional>

#include "calibration/correction_procedure.h"
#include "shell/windows/tick_runner.h"

namespace ruvenset {

// The correction window: the old and new coefficients, the measured value of each point, the
// reference entry, the readings and their statistics, the buttons and a status bar. `Timer1` measures
// (the window logic's Timer1Timer), `Timer2` supervises; the window renders the logic's display.
class TKorrekt : public QDialog {
  Q_OBJECT
 public:
  TKorrekt(QWidget* parent, const ProgramState& state, CorrectionWindow& window);

  // Shows the window until it is closed; returns how.
  CorrectionClose Run();

  QLabel* LabelA0;
  QLabel* LabelB0;
  QLineEdit* Edit6;
  QLineEdit* Edit7;
  QLabel* LabelX1;
  QLabel* LabelX2;
  QGroupBox* GroupBox4;
  QLineEdit* Edit4;
  QLabel* LabelRange;
  QLineEdit* Edit1;
  QPlainTextEdit* Memo1;
  QPlainTextEdit* Memo2;
  QLabel* MessageLine;
  QPushButton* Button1;
  QPushButton* Button2;
  QPushButton* Button3;
  QPushButton* Button4;
  QPushButton* Button5;
  QPushButton* Button6;
  QPushButton* Button7;
  QStatusBar* StatusBar1;
  QTimer* Timer1;
  QTimer* Timer2;

 public slots:
  void Timer1Timer();
  void Timer2Timer();
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void Button6Click();
  void Button7Click();
  void Edit4Exit();
  void reject() override { Button6Click(); }

  // Whether work handed to the worker has not been shown yet.
  bool working() const { return runner_.running(); }

 private:
  void Render();
  void Do(std::function<void()> change, std::function<void()> after = {});
  void Close(CorrectionClose how);

  const ProgramState& state_;
  CorrectionWindow& window_;
  TickRunner runner_;
  CorrectionClose close_ = CorrectionClose::Exit;
  int shownReferencePoint_ = 0;  // the point whose reference Edit4 shows
};

// Shows the correction window modally over `owner`.
class QtCorrectionPages final : public CorrectionPages {
 public:
  QtCorrectionPages(QWidget* owner, const ProgramState& state) : owner_(owner), state_(state) {}
  CorrectionClose ShowCorrection(CorrectionWindow& window) override;

 private:
  QPointer<QWidget> owner_;
  const ProgramState& state_;
};

}  // namespace ruvenset
