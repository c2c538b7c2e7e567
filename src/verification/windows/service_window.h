#pragma once
#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "device/service_operations.h"
#include "shell/windows/tick_runner.h"

namespace ruvenset {

// The service operations window: the step's text in `Panel1`, the progress in `ProgressBar1`, and
// `Timer1`, which hands the operation's steps one at a time to the worker that owns the link and
// re-arms itself with the pause the step asks for. It cannot be closed by the technician: it closes
// itself when the operation has ended. Its Stop (and Escape) ends a wait for an answer, which the
// operation then treats as a missing answer.
class TForm53 : public QDialog, public ServiceView {
  Q_OBJECT
 public:
  TForm53(QWidget* parent, ServiceOperations& operation);
  ~TForm53() override;

  // Shows the window until the operation has ended; returns how it ended.
  ServiceResult Run();

  void SetPanelText(const std::string& text) override;
  void SetProgress(int position, int maximum) override;

  QLabel* Panel1;
  QProgressBar* ProgressBar1;
  QPushButton* StopButton;
  QTimer* Timer1;

 public slots:
  void Timer1Timer();
  // Escape stops the wait; closing would leave the flow computer half-way between the modes.
  void reject() override { StopButton->click(); }

 private:
  ServiceOperations& operation_;
  TickRunner runner_;
};

// Shows each service operation in a TForm53 modal over `owner`.
class QtServiceWindowHost final : public ServiceWindowHost {
 public:
  explicit QtServiceWindowHost(QWidget* owner) : owner_(owner) {}
  ServiceResult ShowModal(ServiceOperations& window) override;

 private:
  QPointer<QWidget> owner_;
};

}  // namespace ruvenset
