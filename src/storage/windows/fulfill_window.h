#pragma once
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <array>

#include "storage/fulfill_list.h"

namespace ruvenset {

// The list window: two header lines, the list box and up to five buttons, sized by the list's rules.
class TFulfill : public QDialog {
  Q_OBJECT
 public:
  TFulfill(QWidget* parent, const FulfillList& list);

  // Shows the window modally: the modal result (2 when it was closed without a button) and the row.
  ListAnswer Answer();
  // The choice of the button (or Ctrl+W) that closed the window; Close until then.
  ListChoice chosen() const { return chosen_; }

  QLabel* Label1;
  QLabel* Label2;
  QListWidget* ListBox1;
  std::array<QPushButton*, FulfillList::kMaxButtons> buttons{};  // BitBtn1 .. BitBtn5

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 public slots:
  void FormKeyPress(char key);

 private:
  void Choose(ListChoice choice);

  FulfillList list_;
  ListChoice chosen_ = ListChoice::Close;
};

}  // namespace ruvenset
