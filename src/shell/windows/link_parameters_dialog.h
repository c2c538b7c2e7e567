#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <array>

#include "session/program_state.h"
#include "shell/connect_operation.h"
#include "shell/link_dialog_rules.h"

namespace ruvenset {

// The link parameters dialog: port slot (each with its device path), speed, waits, attempts, RTS
// keying and speed search. Slots whose device did not open in the port test cannot be chosen; a path
// typed into a slot is tried at once. A device given at start has a row of its own above the slots,
// chosen until the technician chooses a slot.
class TForm72 : public QDialog {
  Q_OBJECT
 public:
  TForm72(QWidget* parent, ProgramState& state, const std::array<bool, kComSlotCount>& available,
          PortOpener opener);

  std::array<QRadioButton*, kComSlotCount> RadioButton;  // RadioButton1 .. RadioButton8
  std::array<QLineEdit*, kComSlotCount> PortPath;        // PortPath1 .. PortPath8
  QRadioButton* GivenRadioButton = nullptr;              // RadioButton0: the device given at start
  QLineEdit* GivenPortPath = nullptr;                    // PortPath0
  QComboBox* ComboBox1;                                  // speed
  QComboBox* ComboBox2;                                  // attempts
  QComboBox* ComboBox3;                                  // first-byte wait
  QLineEdit* Edit2;                                      // next-byte wait
  QWidget* UpDown1;
  QCheckBox* CheckBox1;  // RTS keying
  QCheckBox* CheckBox2;  // speed search
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label9;
  QPushButton* BitBtn3;  // accept
  QPushButton* BitBtn2;  // cancel

 public slots:
  void BitBtn3Click();
  void BitBtn2Click();

 private:
  void Edit2Restore();
  void StepNextByteWait(int delta);
  void PathEdited(int slot);
  LinkParametersEntry Entry() const;

  ProgramState& state_;
  std::array<bool, kComSlotCount> available_;
  PortOpener opener_;
};

}  // namespace ruvenset
