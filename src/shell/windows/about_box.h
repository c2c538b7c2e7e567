#pragma once
#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "session/program_state.h"

namespace ruvenset {

// The About box: program, edition line, the program's version (the build's project version), product
// and the lines that follow it.
class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  TAboutBox(QWidget* parent, const ProgramState& state);

  QLabel* ProgramIcon;
  QLabel* ProgramName;
  QLabel* Version;
  QLabel* ProgramVersion;
  QLabel* ProductName;
  QLabel* Comments;
  QPushButton* OKButton;
};

}  // namespace ruvenset
