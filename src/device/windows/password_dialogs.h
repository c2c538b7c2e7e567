#pragma once
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>
#include <string>

#include "session/language_texts.h"

namespace ruvenset {

// The write-password dialog. Single entry asks once; double entry closes with OK only when both
// fields hold the same text.
class TPasswordDlg : public QDialog {
  Q_OBJECT
 public:
  TPasswordDlg(QWidget* parent, const LanguageTexts& texts, bool singleEntry);

  // The entry when confirmed, nullopt when cancelled.
  std::optional<std::string> Ask();

  QLabel* Label1;
  QLabel* Label2;
  QLineEdit* Password;
  QLineEdit* Edit1;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 public slots:
  void OKBtnClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool singleEntry_;
  QLineEdit* lastLeft_;
};

// The parameter-password dialog: always two matching entries.
class TPasswordDlg2 : public TPasswordDlg {
  Q_OBJECT
 public:
  TPasswordDlg2(QWidget* parent, const LanguageTexts& texts);
};

}  // namespace ruvenset
