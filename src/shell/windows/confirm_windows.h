#pragma once
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <optional>

namespace ruvenset {

// The confirm window: Yes (`OKBtn`) or No (`CancelBtn`). Closing it in any other way is No: only a
// result of kResultOk means Yes.
class TOKBottomDlg : public QDialog {
  Q_OBJECT
 public:
  TOKBottomDlg(QWidget* parent, const QString& caption, const QString& message, const QString& yes,
               const QString& no);

  bool Answer();
  // For questions whose Yes writes into the flow computer: No takes the focus and answers Enter.
  void MakeNoTheDefault();
  // Yes, No, or nullopt when the window was closed without either button (Escape, the close box).
  std::optional<bool> AnswerOrCancel();

  QLabel* Label1;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 protected:
  TOKBottomDlg(QWidget* parent, const char* objectName, const QString& caption, const QString& yes,
               const QString& no, const QStringList& lines);
};

// The three-line confirm window.
class TOKBottomDlg1 : public TOKBottomDlg {
  Q_OBJECT
 public:
  TOKBottomDlg1(QWidget* parent, const QString& caption, const QString& line1, const QString& line2,
                const QString& line3, const QString& yes, const QString& no);

  QLabel* Label2;
  QLabel* Label3;
};

}  // namespace ruvenset
