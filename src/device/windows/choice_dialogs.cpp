#include "device/windows/choice_dialogs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/windows/window_parts.h"

namespace ruvenset {
namespace {

ChoiceRequest WithDefaults(ChoiceRequest request, const std::vector<std::string>& items, const char* accept) {
  if (request.items.empty()) request.items = items;
  if (request.acceptText.empty()) request.acceptText = accept;
  return request;
}

}  // namespace

ChoiceDialog::ChoiceDialog(QWidget* parent, const char* objectName, const ChoiceRequest& request,
                           int acceptResult)
    : QDialog(parent), acceptResult_(acceptResult) {
  PrepareDialog(this, objectName, Q(request.caption));
  RadioGroup1 = new QGroupBox(Q(request.title), this);
  RadioGroup1->setObjectName("RadioGroup1");
  Items = new QButtonGroup(this);
  auto* grid = new QGridLayout(RadioGroup1);
  grid->setContentsMargins(14, 10, 14, 10);
  grid->setHorizontalSpacing(24);
  const int count = static_cast<int>(request.items.size());
  const int columns = std::max(request.columns, 1);
  const int rows = (count + columns - 1) / columns;
  for (int i = 0; i < count; ++i) {
    auto* item = new QRadioButton(Q(request.items[i]), RadioGroup1);
    item->setObjectName(QString("Item%1").arg(i));
    Items->addButton(item, i);
    grid->addWidget(item, i % std::max(rows, 1), i / std::max(rows, 1));
  }
  if (QAbstractButton* preselected =
          Items->button(std::clamp(request.preselected, 0, std::max(count - 1, 0))))
    preselected->setChecked(true);

  BitBtn1 = MakeButton(this, "BitBtn1", Q(request.acceptText), QStyle::SP_DialogOkButton);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(acceptResult_); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  if (!request.cancelText.empty()) {
    BitBtn2 = MakeButton(this, "BitBtn2", Q(request.cancelText), QStyle::SP_DialogCancelButton);
    connect(BitBtn2, &QPushButton::clicked, this, [this] { done(kResultCancel); });
    buttons->addWidget(BitBtn2);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 16);
  layout->setSpacing(16);
  layout->addWidget(RadioGroup1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  RadioGroup1->setMinimumWidth(260);
}

int ChoiceDialog::ItemIndex() const {
  return Items->checkedId();
}

std::optional<int> ChoiceDialog::AskChoice() {
  if (exec() != acceptResult_ || ItemIndex() < 0) return std::nullopt;
  return ItemIndex();
}

std::vector<std::string> TForm8::IntervalItems() {
  return {"1", "2", "3", "4", "5", "6", "10", "12", "15", "20", "30", "60"};
}

TForm8::TForm8(QWidget* parent, const ChoiceRequest& request)
    : ChoiceDialog(parent, "Form8", WithDefaults(request, IntervalItems(), "OK"), kResultOk) {}

TForm80::TForm80(QWidget* parent, const ChoiceRequest& request)
    : ChoiceDialog(parent, "Form80", WithDefaults(request, {"", ""}, "OK"), kResultOk) {}

std::vector<std::string> TFdann::DefaultItems() {
  return {"Не создавать файл протокола", "Перезаписать файл заново", "Добавлять протокол в конец файла"};
}

TFdann::TFdann(QWidget* parent, const ChoiceRequest& request)
    : ChoiceDialog(parent, "Fdann", WithDefaults(request, DefaultItems(), "Далее"), kResultYes) {
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
}

void TFdann::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    if (escapeCancels_) {
      reject();
      return;
    }
    BitBtn1->click();
    return;
  }
  ChoiceDialog::keyPressEvent(event);
}

}  // namespace ruvenset
