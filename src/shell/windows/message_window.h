#pragma once
#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace ruvenset {

// The message window: a caption, one message (it may run over several lines) and one button.
class TFormMess : public QDialog {
  Q_OBJECT
 public:
  TFormMess(QWidget* parent, const QString& caption, const QString& message, const QString& button);

  QLabel* Label1;
  QPushButton* BitBtn1;
};

// The notice window: two lines that close by themselves after a while, or when the technician closes them.
class TForm83 : public QDialog {
  Q_OBJECT
 public:
  TForm83(QWidget* parent, const QString& caption, const QString& line1, const QString& line2,
          const QString& button, int closeAfterMs);

  QLabel* Label1;
  QLabel* Label2;
  QPushButton* BitBtn1;
};

}  // namespace ruvenset
