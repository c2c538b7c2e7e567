#pragma once
#include <QDialog>
#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <string>
#include <vector>

namespace ruvenset {

// The information window: read-only lines, never wrapped, in a frame, and an "Ok" button.
class TNSHP : public QDialog {
  Q_OBJECT
 public:
  TNSHP(QWidget* parent, const QString& caption, const std::vector<std::string>& lines);

  QFrame* Bevel1;
  QPlainTextEdit* Memo1;
  QPushButton* BitBtn1;
};

}  // namespace ruvenset
