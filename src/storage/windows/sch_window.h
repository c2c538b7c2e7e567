#pragma once
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <optional>

#include "storage/sch_entry.h"

namespace ruvenset {

// The entry window of two numbers: each field with its caption, range label and unit label.
class TSch : public QDialog {
  Q_OBJECT
 public:
  TSch(QWidget* parent, const SchEntry& entry);

  // Shows the window modally: both numbers when it closed with modal result 1.
  std::optional<std::array<float, 2>> Answer();

  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QPushButton* BitBtn1;

 public slots:
  void BitBtn1Click();

 private:
  SchEntry entry_;
  std::array<float, 2> values_{};
};

}  // namespace ruvenset
