#pragma once
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

#include "session/program_state.h"
#include "verification/verification_pages.h"

namespace ruvenset {

// The substitute-value page: the channel measured (`RadioButton1`) or replaced by a constant
// (`RadioButton2`, typed into `Edit1` within the range shown in `Label2`). Next (`BitBtn1`) accepts a
// constant only inside the range; otherwise the focus returns to the box.
class TForm45 : public QDialog {
  Q_OBJECT
 public:
  TForm45(QWidget* parent, const ProgramState& state, const SubstituteValuePage& page);

  // The choice when Next closed the page; nullopt when it was closed otherwise.
  std::optional<SubstituteValueAnswer> Ask();

  QGroupBox* RadioGroup1;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QLabel* Label1;
  QLineEdit* Edit1;
  QLabel* Label2;
  QPushButton* BitBtn1;

 public slots:
  void BitBtn1Click();

 private:
  std::optional<float> EnteredConstant() const;

  SubstituteValuePage page_;
  SubstituteValueAnswer answer_;
};

}  // namespace ruvenset
