#include "device/windows/constants_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <cstring>

#include "device/value_entry.h"
#include "shell/windows/confirm_windows.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {
namespace {

constexpr ConstantChannel kChannels[] = {ConstantChannel::Pressure, ConstantChannel::Temperature,
                                         ConstantChannel::DiffPressure, ConstantChannel::Density};

// How much lower than usual the confirmation stands, so that it does not hide the groups.
constexpr int kConfirmDrop = 260;

}  // namespace

TForm33::TForm33(QWidget* parent, const LanguageTexts& texts, uint8_t* stateRecord, uint8_t pipelineFlag,
                 bool densityShown)
    : QDialog(parent),
      texts_(texts),
      record_(stateRecord),
      pipelineFlag_(pipelineFlag),
      densityShown_(densityShown) {
  PrepareDialog(this, "Form33", "");
  std::memcpy(saved_, stateRecord, kPipelineStateSize);
  const ConstantsChoices choices = ReadConstantsChoices(stateRecord, densityShown);
  const ConstantChoice initial[] = {choices.pressure, choices.temperature, choices.diffPressure,
                                    choices.density};
  auto* grid = new QGridLayout;
  grid->setSpacing(12);
  for (int i = 0; i < 4; ++i) grid->addWidget(BuildGroup(i, kChannels[i], initial[i]), i / 2, i % 2);
  GroupBox1 = groups_[0].box;
  GroupBox2 = groups_[1].box;
  GroupBox3 = groups_[2].box;
  GroupBox4 = groups_[3].box;
  GroupBox4->setVisible(densityShown);

  BitBtn1 = MakeButton(this, "BitBtn1", Q(texts.Text(2613)), QStyle::SP_DialogApplyButton);
  BitBtn2 = MakeButton(this, "BitBtn2", Q(texts.Text(2614)), QStyle::SP_DialogCancelButton);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm33::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(kResultCancel); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 14);
  layout->setSpacing(16);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* TForm33::BuildGroup(int index, ConstantChannel channel, const ConstantChoice& choice) {
  Group& g = groups_[index];
  g.box = new QGroupBox(this);
  g.box->setObjectName(QString("GroupBox%1").arg(index + 1));
  g.measured = new QRadioButton(g.box);
  g.measured->setObjectName(QString("RadioButton%1").arg(2 * index + 1));
  g.constant = new QRadioButton(g.box);
  g.constant->setObjectName(QString("RadioButton%1").arg(2 * index + 2));
  g.field = new QLineEdit(Q(BoundText(choice.constant)), g.box);
  g.field->setObjectName(QString("Edit%1").arg(index + 1));
  g.field->setMaxLength(12);
  g.field->setMinimumWidth(110);
  g.range = new QLabel(g.box);
  g.range->setObjectName(QString("Label%1").arg(index + 1));
  g.unit = new QLabel(g.box);
  g.unit->setObjectName(QString("Label%1").arg(index + 5));
  RadioButton[2 * index] = g.measured;
  RadioButton[2 * index + 1] = g.constant;
  Edit[index] = g.field;
  Label[index] = g.range;
  Label[index + 4] = g.unit;

  const NumberFilter filter =
      channel == ConstantChannel::Temperature ? NumberFilter::DigitsPointMinus : NumberFilter::DigitsPoint;
  FilterNumber(g.field, filter);
  // Leaving a constant in use with a value out of its bounds brings the focus back. The buttons check
  // the fields themselves, and choosing measured takes the constant out of use.
  GuardLeave(
      g.field, [this, index] { return !groups_[index].constant->isChecked() || FieldValid(index); }, [] {},
      [this, index] {
        return QList<QWidget*>{BitBtn1, BitBtn2, groups_[index].measured};
      });
  (choice.measured ? g.measured : g.constant)->setChecked(true);
  connect(g.constant, &QRadioButton::toggled, this, [this, index] { ShowConstant(index); });

  auto* value = new QHBoxLayout;
  value->addWidget(g.field);
  value->addWidget(g.unit);
  value->addStretch();
  auto* layout = new QVBoxLayout(g.box);
  layout->setContentsMargins(12, 10, 12, 10);
  layout->addWidget(g.measured);
  layout->addWidget(g.constant);
  layout->addLayout(value);
  layout->addWidget(g.range);
  layout->addStretch();
  ShowConstant(index);
  return g.box;
}

void TForm33::SetGroup(ConstantChannel channel, const ConstantsGroupText& text) {
  Group& g = groups_[static_cast<int>(channel)];
  g.box->setTitle(text.title);
  g.measured->setText(text.measured);
  g.constant->setText(text.constant);
  g.range->setText(text.range);
  g.unit->setText(text.unit);
  g.lower = text.lower;
  g.upper = text.upper;
}

void TForm33::SetButtons(const QString& apply, const QString& cancel) {
  BitBtn1->setText(apply);
  BitBtn2->setText(cancel);
}

void TForm33::ShowConstant(int index) {
  Group& g = groups_[index];
  const bool constant = g.constant->isChecked();
  g.field->setVisible(constant);
  g.range->setVisible(constant);
  g.unit->setVisible(constant);
}

bool TForm33::FieldValid(int index) const {
  const Group& g = groups_[index];
  return AcceptNumber(g.field->text().toStdString(), g.lower, g.upper).has_value();
}

ConstantsChoices TForm33::Choices() const {
  ConstantsChoices c = ReadConstantsChoices(record_, densityShown_);
  ConstantChoice* out[] = {&c.pressure, &c.temperature, &c.diffPressure, &c.density};
  for (int i = 0; i < 4; ++i) {
    const Group& g = groups_[i];
    out[i]->measured = g.measured->isChecked();
    if (!out[i]->measured) {
      out[i]->constant =
          AcceptNumber(g.field->text().toStdString(), g.lower, g.upper).value_or(out[i]->constant);
    }
  }
  return c;
}

void TForm33::BitBtn1Click() {
  // Only a constant in use is checked: a hidden field cannot be corrected by the technician.
  for (int i = 0; i < 4; ++i) {
    if (i == 3 && !densityShown_) continue;
    if (groups_[i].constant->isChecked() && !FieldValid(i)) {
      groups_[i].field->setFocus();
      groups_[i].field->selectAll();
      return;
    }
  }
  if (ApplyConstants(record_, saved_, pipelineFlag_, 0, Choices(), 0, ConstantChoice{}) == 0) {
    done(kResultCancel);
    return;
  }
  TOKBottomDlg confirm(this, "", Q(texts_.Text(2204)), Q(texts_.Text(1773)), Q(texts_.Text(1772)));
  confirm.MakeNoTheDefault();
  confirm.adjustSize();
  confirm.move(frameGeometry().center() - confirm.rect().center() + QPoint(0, kConfirmDrop));
  if (confirm.Answer()) {
    done(kResultOk);
    return;
  }
  std::memcpy(record_, saved_, kPipelineStateSize);
}

}  // namespace ruvenset
