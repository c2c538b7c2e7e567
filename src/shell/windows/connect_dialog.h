#pragma once
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "session/program_state.h"
#include "session/technician.h"
#include "shell/connect_operation.h"
#include "shell/windows/tick_runner.h"

namespace ruvenset {

// The address-entry form: the flow computer's address 1..254, typed (digits only) or chosen.
class TForm20 : public QDialog {
  Q_OBJECT
 public:
  TForm20(QWidget* parent, ProgramState& state);

  QLabel* Label1;
  QComboBox* ComboBox1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 public slots:
  // An address within 1..254 becomes the configured one and closes the dialog with OK; any other
  // entry keeps it open with the focus in the box.
  void BitBtn1Click();

 protected:
  ProgramState& state_;
};

// The connect dialog: connect, exit, or first run the port test and edit the link parameters. The port
// test runs on the worker (it opens each slot's device and holds it a moment) while the dialog waits.
class TForm73 : public TForm20 {
  Q_OBJECT
 public:
  TForm73(QWidget* parent, ProgramState& state, Technician& technician, PortOpener opener);

  QPushButton* BitBtn3;

 public slots:
  void BitBtn3Click();

 private:
  // After the port test: its message, or the link parameters with the slots that opened.
  void PortTested(const std::array<bool, kComSlotCount>& opened);

  Technician& technician_;
  PortOpener opener_;
  TickRunner runner_;
};

}  // namespace ruvenset
