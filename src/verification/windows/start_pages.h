#pragma once
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <optional>
#include <string>

#include "device/windows/number_dialogs.h"
#include "session/program_state.h"
#include "verification/verification_pages.h"

namespace ruvenset {

// The actual value of the reference, within the channel's range (the last page before the start, and
// the measuring window's new-actual-value button).
class TForm51 : public TForm14 {
  Q_OBJECT
 public:
  TForm51(QWidget* parent, const NumberRequest& request);
};

// The start page: the pipeline (`Label1`), the channel (`Label2`) and the question (`Label3`);
// Yes (`BitBtn1`) starts the verification, No (`BitBtn2`) or closing the page ends it.
class TForm52 : public QDialog {
  Q_OBJECT
 public:
  TForm52(QWidget* parent, const ProgramState& state, const StartPage& page);

  bool Ask();

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
};

// A filter of the form "name (*.a)|*.a|name (*.*)|*.*" in Qt's syntax ("name (*.a);;name (*)"); "*.*"
// means every file, also one without a dot.
QString QtFileFilter(const std::string& filter);

// The save dialog of a new data file (`SaveDialog1`) or the open dialog of a file to continue
// (`OpenDialog1`), in the data folder, with its labels and buttons in the program's language.
class DataFileWindow : public QFileDialog {
  Q_OBJECT
 public:
  DataFileWindow(QWidget* parent, const ProgramState& state, const DataFileDialog& dialog);

  std::optional<std::string> Ask();
};

}  // namespace ruvenset
