#include "storage/windows/fulfill_window.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <algorithm>

#include "shell/windows/window_parts.h"

namespace ruvenset {
namespace {

constexpr int kMargin = 12;
constexpr int kButtonHeight = 30;
constexpr int kButtonGap = 10;
constexpr int kMinimumWidth = 440;
// Delphi form heights count the title bar; the client area is this much smaller.
constexpr int kTitleBar = 30;

}  // namespace

TFulfill::TFulfill(QWidget* parent, const FulfillList& list) : QDialog(parent), list_(list) {
  PrepareDialog(this, "Fulfill", Q(list.caption));
  QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  Label1 = new QLabel(Q(list.header1), this);
  Label1->setObjectName("Label1");
  Label1->setFont(mono);
  Label2 = new QLabel(Q(list.header2), this);
  Label2->setObjectName("Label2");
  Label2->setFont(mono);
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setFont(mono);
  ListBox1->setUniformItemSizes(true);
  for (const std::string& row : list.rows) {
    auto* item = new QListWidgetItem(Q(row), ListBox1);
    item->setSizeHint(QSize(0, FulfillList::kRowHeight));
  }
  if (list.SelectedRow() >= 0) ListBox1->setCurrentRow(list.SelectedRow());

  const QFontMetrics metrics(mono);
  int width = std::max({metrics.horizontalAdvance(Label1->text()), metrics.horizontalAdvance(Label2->text()),
                        kMinimumWidth - 2 * kMargin});
  for (const std::string& row : list.rows) width = std::max(width, metrics.horizontalAdvance(Q(row)) + 30);

  int rowWidth[2] = {0, 0};
  int bottom = FulfillList::kListTop + list.ListBoxHeight();
  for (size_t b = 0; b < list.buttons.size() && b < buttons.size(); ++b) {
    const ListButton& shown = list.buttons[b];
    const int row = shown.row == 0 ? 0 : 1;
    QPushButton* button = MakeButton(this, QString("BitBtn%1").arg(b + 1).toLatin1().constData(),
                                     Q(shown.text), QStyle::SP_DialogApplyButton);
    const int buttonWidth = std::max(110, button->sizeHint().width() + 16);
    button->setGeometry(kMargin + rowWidth[row], list.ButtonRowTop(row), buttonWidth, kButtonHeight);
    rowWidth[row] += buttonWidth + kButtonGap;
    bottom = std::max(bottom, list.ButtonRowTop(row) + kButtonHeight);
    const ListChoice choice = shown.modalResult;
    connect(button, &QPushButton::clicked, this, [this, choice] { Choose(choice); });
    buttons[b] = button;
  }
  width = std::max({width, rowWidth[0], rowWidth[1]});

  Label1->setGeometry(kMargin, 6, width, 18);
  Label2->setGeometry(kMargin, 24, width, 18);
  ListBox1->setGeometry(kMargin, FulfillList::kListTop, width, list.ListBoxHeight());
  setFixedSize(width + 2 * kMargin, std::max(list.FormHeight() - kTitleBar, bottom + kMargin));
  ListBox1->setFocus();
}

ListAnswer TFulfill::Answer() {
  // Escape and the close box leave the choice at Close.
  exec();
  return {chosen_, ListBox1->currentRow()};
}

void TFulfill::Choose(ListChoice choice) {
  chosen_ = choice;
  accept();
}

void TFulfill::FormKeyPress(char key) {
  if (const std::optional<ListChoice> choice = list_.FormKeyPress(key)) Choose(*choice);
}

void TFulfill::keyPressEvent(QKeyEvent* event) {
  if ((event->modifiers() & Qt::ControlModifier) && event->key() == Qt::Key_W) {
    FormKeyPress(FulfillList::kCtrlW);
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace ruvenset
