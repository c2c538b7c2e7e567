#include "verification/windows/substitute_value_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <limits>

#include "device/value_entry.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {

TForm45::TForm45(QWidget* parent, const ProgramState& state, const SubstituteValuePage& page)
    : QDialog(parent), page_(page) {
  PrepareDialog(this, "Form45", Q(page.caption));
  RadioGroup1 = new QGroupBox(Q(page.channelName), this);
  RadioGroup1->setObjectName("RadioGroup1");
  RadioButton1 = new QRadioButton(Q(state.Bilingual("Измеряется", "Вимірюється")), RadioGroup1);
  RadioButton1->setObjectName("RadioButton1");
  RadioButton2 = new QRadioButton(Q(state.Bilingual("На константе", "На константі")), RadioGroup1);
  RadioButton2->setObjectName("RadioButton2");
  Label1 = new QLabel(Q(std::string(state.Bilingual("Значение константы", "Значення константи")) +
                        (page.unitName.empty() ? "" : ", " + page.unitName)),
                      RadioGroup1);
  Label1->setObjectName("Label1");
  Edit1 = new QLineEdit(Q(page.constantText), RadioGroup1);
  Edit1->setObjectName("Edit1");
  Edit1->setMaxLength(12);
  Edit1->setMinimumWidth(140);
  Label1->setBuddy(Edit1);
  FilterNumber(Edit1, NumberFilter::DigitsPointMinus);
  Label2 = new QLabel(Q(page.rangeText), RadioGroup1);
  Label2->setObjectName("Label2");

  auto* group = new QGridLayout(RadioGroup1);
  group->setContentsMargins(14, 12, 14, 12);
  group->setHorizontalSpacing(16);
  group->setVerticalSpacing(10);
  group->addWidget(RadioButton1, 0, 0, 1, 2);
  group->addWidget(RadioButton2, 1, 0, 1, 2);
  group->addWidget(Label1, 2, 0);
  group->addWidget(Edit1, 2, 1);
  group->addWidget(Label2, 3, 1);
  group->setColumnMinimumWidth(0, 160);

  BitBtn1 = MakeButton(this, "BitBtn1", Q(state.Text(2279)), QStyle::SP_ArrowForward);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm45::BitBtn1Click);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 16);
  layout->setSpacing(16);
  layout->addWidget(RadioGroup1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  const auto follow = [this] {
    const bool constant = RadioButton2->isChecked();
    Edit1->setEnabled(constant);
    Label1->setEnabled(constant);
    Label2->setEnabled(constant);
    if (constant) {
      Edit1->setFocus();
      Edit1->selectAll();
    }
  };
  connect(RadioButton2, &QRadioButton::toggled, this, follow);
  (page.measured ? RadioButton1 : RadioButton2)->setChecked(true);
  follow();
}

std::optional<float> TForm45::EnteredConstant() const {
  // A range read as zeros limits nothing.
  const bool bounded = page_.upper > page_.lower;
  return AcceptNumber(Edit1->text().toStdString(),
                      bounded ? page_.lower : std::numeric_limits<float>::lowest(),
                      bounded ? page_.upper : std::numeric_limits<float>::max());
}

void TForm45::BitBtn1Click() {
  answer_ = SubstituteValueAnswer{true, page_.constant};
  if (RadioButton2->isChecked()) {
    const std::optional<float> constant = EnteredConstant();
    if (!constant) {
      Edit1->setFocus();
      Edit1->selectAll();
      return;
    }
    answer_ = SubstituteValueAnswer{false, *constant};
  }
  done(kResultOk);
}

std::optional<SubstituteValueAnswer> TForm45::Ask() {
  if (exec() != kResultOk) return std::nullopt;
  return answer_;
}

}  // namespace ruvenset
