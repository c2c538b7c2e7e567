#pragma once
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <optional>
#include <string>
#include <vector>

#include "device/windows/choice_dialogs.h"
#include "session/program_state.h"
#include "verification/verification_pages.h"

namespace ruvenset {

// Whether the reference HART transmitter is polled: item 0 no, item 1 yes.
class TForm46 : public ChoiceDialog {
  Q_OBJECT
 public:
  TForm46(QWidget* parent, const ProgramState& state, const ChoiceRequest& request);
};

// The variable of a multivariable transmitter: 1 differential pressure, 2 pressure, 3 temperature,
// 4 flow.
class TForm48 : public ChoiceDialog {
  Q_OBJECT
 public:
  TForm48(QWidget* parent, const ProgramState& state, const ChoiceRequest& request);
};

// What the reference transmitter measures: item 0 absolute, item 1 gauge pressure.
class TForm49 : public ChoiceDialog {
  Q_OBJECT
 public:
  TForm49(QWidget* parent, const ProgramState& state, const ChoiceRequest& request);
};

// The transmitter page: the port of the HART modem (`RadioGroup1`, COM1..COM8; disabled and cleared
// where the transmitter hangs on the flow computer's line), the type (`RadioGroup2`, 3051 or 3095) and
// the polling address (`ComboBox1`, two digits). Next (`BitBtn1`) closes the page only with an address
// in 1..15; otherwise the focus returns to the address box.
class TForm47 : public QDialog {
  Q_OBJECT
 public:
  // `portPaths` are the devices behind the slots, shown as the slots' hints.
  TForm47(QWidget* parent, const ProgramState& state, const TransmitterPage& page,
          const std::vector<std::string>& portPaths);

  std::optional<TransmitterChoice> Ask();

  QGroupBox* RadioGroup1;
  QButtonGroup* Ports;
  QGroupBox* RadioGroup2;
  QButtonGroup* Types;
  QLabel* Label1;
  QComboBox* ComboBox1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 public slots:
  void BitBtn1Click();

 private:
  std::optional<int> Address() const;

  TransmitterChoice choice_;
};

}  // namespace ruvenset
