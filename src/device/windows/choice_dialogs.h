#pragma once
#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <optional>

#include "device/device_prompts.h"

namespace ruvenset {

// A choice out of a radio group (`RadioGroup1`) with accept (`BitBtn1`) and, when the request names
// one, cancel (`BitBtn2`).
class ChoiceDialog : public QDialog {
  Q_OBJECT
 public:
  // The chosen item when accepted, nullopt otherwise.
  std::optional<int> AskChoice();
  int ItemIndex() const;

  QGroupBox* RadioGroup1;
  QButtonGroup* Items;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2 = nullptr;

 protected:
  ChoiceDialog(QWidget* parent, const char* objectName, const ChoiceRequest& request, int acceptResult);

 private:
  int acceptResult_;
};

// The interval choice: 1, 2, 3, 4, 5, 6, 10, 12, 15, 20, 30 or 60 minutes.
class TForm8 : public ChoiceDialog {
  Q_OBJECT
 public:
  TForm8(QWidget* parent, const ChoiceRequest& request);
  static std::vector<std::string> IntervalItems();
};

// The choice between two items, the first preselected.
class TForm80 : public ChoiceDialog {
  Q_OBJECT
 public:
  TForm80(QWidget* parent, const ChoiceRequest& request);
};

// The three-way choice with a single "next" button (Escape presses it too); only closing the window
// with its close box gives no choice.
class TFdann : public ChoiceDialog {
  Q_OBJECT
 public:
  TFdann(QWidget* parent, const ChoiceRequest& request);
  static std::vector<std::string> DefaultItems();
  // As a page of a procedure whose Cancel ends it: Escape closes the window without a choice.
  void EscapeCancels() { escapeCancels_ = true; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool escapeCancels_ = false;
};

}  // namespace ruvenset
