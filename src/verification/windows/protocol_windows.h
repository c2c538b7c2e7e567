#pragma once
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <memory>
#include <optional>

#include "verification/protocol_pages.h"

class QPrintPreviewWidget;

namespace ruvenset {

// The protocol page after a verification: how many points were taken, the channel's permissible error
// (`Edit1`, absolute `RadioButton1` or a per cent of the range `RadioButton2`, or none
// `RadioButton3`) and the technician (`Edit2`). Save (`BitBtn1`) closes it only with a limit that
// reads by the number rule and is greater than zero; otherwise `Label3` says what a limit is and the
// focus returns to the box. Don't save (`BitBtn2`), Escape and the close box want no protocol.
class TFormProtocol : public QDialog {
  Q_OBJECT
 public:
  TFormProtocol(QWidget* parent, const ProtocolPage& page);

  std::optional<ProtocolAnswer> Ask();

  QLabel* Label1;
  QLabel* Label2;
  QGroupBox* GroupBox1;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QRadioButton* RadioButton3;
  QLineEdit* Edit1;
  QLabel* Label3;
  QLabel* Label4;
  QLineEdit* Edit2;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 public slots:
  void BitBtn1Click();

 private:
  ProtocolAnswer answer_;
};

// The written protocol in a preview of its printed pages, the files it was written to, Print
// (`BitBtn1`: the print dialog, then the pages) and Exit (`BitBtn2`).
class TProtocolPreview : public QDialog {
  Q_OBJECT
 public:
  TProtocolPreview(QWidget* parent, const ProtocolDocument& document, const ProtocolView& view);

  QPrintPreviewWidget* Preview;
  QLabel* Label1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  // The printer Print prints on (the print dialog sets it up).
  QPrinter* printer() { return printer_.get(); }

 public slots:
  void BitBtn1Click();

 private:
  const ProtocolDocument& document_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace ruvenset
