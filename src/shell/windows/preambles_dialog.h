#pragma once
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "session/program_state.h"

namespace ruvenset {

// The number of preamble bytes sent before each request, 0..25.
class TPreambula : public QDialog {
  Q_OBJECT
 public:
  TPreambula(QWidget* parent, ProgramState& state);

  QLabel* Label11;
  QComboBox* ComboBox4;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 public slots:
  void BitBtn1Click();

 private:
  ProgramState& state_;
};

}  // namespace ruvenset
