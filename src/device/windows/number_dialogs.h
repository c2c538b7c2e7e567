#pragma once
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <optional>

#include "device/device_prompts.h"

namespace ruvenset {

// The single-value entry form: a prompt, a one-digit field and accept/cancel. Accepts a polling
// cycle from the flow computer's minimum up to 6 seconds; the number dialogs reuse its layout.
class TForm9 : public QDialog {
  Q_OBJECT
 public:
  TForm9(QWidget* parent, const QString& caption, const QString& prompt, int minimumCycle,
         const QString& accept, const QString& cancel);

  // The cycle when accepted, nullopt when cancelled.
  std::optional<int> AskCycle();

  QLabel* Label1;
  QLabel* Label2;  // the admissible range (number dialogs); hidden when empty
  QLineEdit* Edit1;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;

 public slots:
  void BitBtn1Click();

 protected:
  TForm9(QWidget* parent, const char* objectName);
  void Build(const QString& caption, const QString& prompt, const QString& range, const QString& accept,
             const QString& cancel);
  // The accept rule: true closes the window with OK.
  virtual bool AcceptEntry();

 private:
  int minimumCycle_ = 1;
};

// One number between two bounds: at most 6 characters of digits, ".", "-".
class TForm14 : public TForm9 {
  Q_OBJECT
 public:
  TForm14(QWidget* parent, const NumberRequest& request);

  // The number when accepted, nullopt when cancelled.
  std::optional<float> AskNumber();

 protected:
  TForm14(QWidget* parent, const char* objectName, const NumberRequest& request);
  bool AcceptEntry() override;

 private:
  NumberRequest request_;
  float value_ = 0;
};

// The same for longer entries (7 characters unless the caller says otherwise), with the caller's filter:
// digits and ".", or none at all.
class TForm24 : public TForm14 {
  Q_OBJECT
 public:
  TForm24(QWidget* parent, const NumberRequest& request);
};

}  // namespace ruvenset
