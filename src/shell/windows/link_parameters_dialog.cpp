#include "shell/windows/link_parameters_dialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "link/com_slots.h"
#include "shell/port_test.h"
#include "shell/windows/message_window.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {

TForm72::TForm72(QWidget* parent, ProgramState& state, const std::array<bool, kComSlotCount>& available,
                 PortOpener opener)
    : QDialog(parent), state_(state), available_(available), opener_(std::move(opener)) {
  PrepareDialog(this, "Form72", Q(state.Text(2330)));
  const LinkParametersEntry entry = LinkParametersOf(state.config);
  const auto defaults = DefaultComSlotPaths();

  auto* ports = new QGroupBox(Q(state.Bilingual("Порт и устройство", "Порт і пристрій")), this);
  ports->setObjectName("GroupBox1");
  auto* portGrid = new QGridLayout(ports);
  portGrid->setContentsMargins(12, 10, 12, 10);
  portGrid->setHorizontalSpacing(10);
  const bool given = !state.givenPort.path.empty();
  if (given) {
    GivenRadioButton = new QRadioButton(Q(state.Text(3134)), ports);
    GivenRadioButton->setObjectName("RadioButton0");
    GivenRadioButton->setChecked(true);
    GivenPortPath = new QLineEdit(Q(GivenPortName(state)), ports);
    GivenPortPath->setObjectName("PortPath0");
    GivenPortPath->setReadOnly(true);
    GivenPortPath->setCursorPosition(0);
    portGrid->addWidget(GivenRadioButton, 0, 0);
    portGrid->addWidget(GivenPortPath, 0, 1);
  }
  const int firstSlotRow = given ? 1 : 0;
  for (int i = 0; i < kComSlotCount; ++i) {
    RadioButton[i] = new QRadioButton(QString("COM%1").arg(i + 1), ports);
    RadioButton[i]->setObjectName(QString("RadioButton%1").arg(i + 1));
    RadioButton[i]->setEnabled(available_[i]);
    RadioButton[i]->setChecked(!given && i == entry.portIndex);
    PortPath[i] = new QLineEdit(Q(entry.portPaths[i]), ports);
    PortPath[i]->setObjectName(QString("PortPath%1").arg(i + 1));
    PortPath[i]->setPlaceholderText(Q(defaults[i]));
    PortPath[i]->setMinimumWidth(300);
    PortPath[i]->setToolTip(Q(state.Bilingual("Путь к устройству; пусто: устройство по умолчанию",
                                              "Шлях до пристрою; порожньо: пристрій за замовчуванням")));
    connect(PortPath[i], &QLineEdit::editingFinished, this, [this, i] { PathEdited(i); });
    portGrid->addWidget(RadioButton[i], firstSlotRow + i, 0);
    portGrid->addWidget(PortPath[i], firstSlotRow + i, 1);
  }

  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName("ComboBox1");
  for (int speed : kSpeedTable) ComboBox1->addItem(QString::number(speed));
  ComboBox1->setCurrentIndex(entry.speedIndex);
  ComboBox3 = new QComboBox(this);
  ComboBox3->setObjectName("ComboBox3");
  for (int s = 1; s <= kMaxFirstByteWait; ++s) ComboBox3->addItem(QString::number(s));
  ComboBox3->setCurrentIndex(entry.firstByteWaitIndex);
  ComboBox2 = new QComboBox(this);
  ComboBox2->setObjectName("ComboBox2");
  for (int a = 1; a <= kMaxAttempts; ++a) ComboBox2->addItem(QString::number(a));
  ComboBox2->setCurrentIndex(entry.attemptsIndex);

  Edit2 = new QLineEdit(Q(entry.nextByteWait), this);
  Edit2->setObjectName("Edit2");
  Edit2->setMaxLength(4);
  Edit2->setMaximumWidth(80);
  FilterKeys(Edit2, DigitKeyAccepted);
  UpDown1 = new QWidget(this);
  UpDown1->setObjectName("UpDown1");
  auto* up = new QToolButton(UpDown1);
  up->setObjectName("UpDown1Up");
  up->setArrowType(Qt::UpArrow);
  up->setAutoRepeat(true);
  auto* down = new QToolButton(UpDown1);
  down->setObjectName("UpDown1Down");
  down->setArrowType(Qt::DownArrow);
  down->setAutoRepeat(true);
  for (QToolButton* b : {up, down}) b->setFixedSize(22, 13);
  auto* arrows = new QVBoxLayout(UpDown1);
  arrows->setContentsMargins(0, 0, 0, 0);
  arrows->setSpacing(0);
  arrows->addWidget(up);
  arrows->addWidget(down);
  connect(up, &QToolButton::clicked, this, [this] { StepNextByteWait(1); });
  connect(down, &QToolButton::clicked, this, [this] { StepNextByteWait(-1); });

  CheckBox1 = new QCheckBox(Q(state.Text(2633)), this);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox1->setChecked(entry.rtsKeying);
  CheckBox2 = new QCheckBox(Q(state.Text(2857)), this);
  CheckBox2->setObjectName("CheckBox2");
  CheckBox2->setChecked(entry.speedSearch);

  Label9 = new QLabel(Q(state.Text(2413) + ":"), this);
  Label9->setObjectName("Label9");
  Label1 = new QLabel(Q(state.Text(2627)), this);
  Label1->setObjectName("Label1");
  Label2 = new QLabel(Q(state.Text(2628)), this);
  Label2->setObjectName("Label2");
  Label3 = new QLabel(Q(state.Text(2773)), this);
  Label3->setObjectName("Label3");

  BitBtn3 = MakeButton(this, "BitBtn3", Q(state.Text(2613)), QStyle::SP_DialogOkButton);
  BitBtn2 = MakeButton(this, "BitBtn2", Q(state.Text(2614)), QStyle::SP_DialogCancelButton);
  BitBtn3->setDefault(true);
  connect(BitBtn3, &QPushButton::clicked, this, &TForm72::BitBtn3Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TForm72::BitBtn2Click);
  GuardLeave(
      Edit2, [this] { return AcceptNextByteWait(Edit2->text().toStdString()).has_value(); },
      [this] { Edit2Restore(); },
      [this] {
        return QList<QWidget*>{BitBtn2, BitBtn3};
      });

  auto* wait = new QHBoxLayout;
  wait->setSpacing(2);
  wait->addWidget(Edit2);
  wait->addWidget(UpDown1, 0, Qt::AlignVCenter);
  wait->addStretch();
  auto* settings = new QGroupBox(Q(state.Bilingual("Обмен", "Обмін")), this);
  settings->setObjectName("GroupBox2");
  auto* form = new QFormLayout(settings);
  form->setContentsMargins(12, 10, 12, 10);
  form->setRowWrapPolicy(QFormLayout::DontWrapRows);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->addRow(Label9, ComboBox1);
  form->addRow(Label1, ComboBox3);
  form->addRow(Label2, wait);
  form->addRow(Label3, ComboBox2);
  form->addRow(CheckBox1);
  form->addRow(CheckBox2);

  auto* body = new QHBoxLayout;
  body->setSpacing(14);
  body->addWidget(ports, 3);
  body->addWidget(settings, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn3);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 14);
  layout->setSpacing(16);
  layout->addLayout(body);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm72::Edit2Restore() {
  Edit2->setText(QString::number(state_.config.link.nextByteWait));
}

void TForm72::StepNextByteWait(int delta) {
  const int current = ParseDigits(Edit2->text().toStdString()).value_or(state_.config.link.nextByteWait);
  Edit2->setText(QString::number(std::clamp(current + delta, kMinNextByteWait, kMaxNextByteWait)));
}

void TForm72::PathEdited(int slot) {
  Configuration probe = state_.config;
  probe.ports[slot] = PortPath[slot]->text().trimmed().toStdString();
  available_[slot] = ProbePort(ComSlotPath(probe, slot), opener_);
  RadioButton[slot]->setEnabled(available_[slot]);
}

LinkParametersEntry TForm72::Entry() const {
  LinkParametersEntry e;
  e.givenPort = GivenRadioButton != nullptr && GivenRadioButton->isChecked();
  e.portIndex = state_.config.link.portIndex;
  for (int i = 0; i < kComSlotCount; ++i) {
    if (RadioButton[i]->isChecked()) e.portIndex = i;
    e.portPaths[i] = PortPath[i]->text().trimmed().toStdString();
  }
  e.speedIndex = ComboBox1->currentIndex();
  e.firstByteWaitIndex = ComboBox3->currentIndex();
  e.nextByteWait = Edit2->text().toStdString();
  e.attemptsIndex = ComboBox2->currentIndex();
  e.rtsKeying = CheckBox1->isChecked();
  e.speedSearch = CheckBox2->isChecked();
  return e;
}

void TForm72::BitBtn3Click() {
  const LinkParametersEntry entry = Entry();
  switch (AcceptLinkParameters(entry, available_, state_.config)) {
    case LinkParametersVerdict::Accepted:
      if (!entry.givenPort) state_.givenPort = {};
      done(kResultOk);
      return;
    case LinkParametersVerdict::BadNextByteWait:
      Edit2Restore();
      Edit2->setFocus();
      return;
    case LinkParametersVerdict::PortUnavailable: {
      TFormMess message(this, Q(state_.Text(2385)), Q(state_.Text(2848)), Q(state_.Text(2278)));
      message.exec();
      return;
    }
  }
}

void TForm72::BitBtn2Click() {
  done(kResultCancel);
}

}  // namespace ruvenset
