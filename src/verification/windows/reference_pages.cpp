#include "verification/windows/reference_pages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "device/value_entry.h"
#include "shell/windows/window_parts.h"
#include "verification/hart_link.h"

namespace ruvenset {
namespace {

ChoiceRequest Titled(ChoiceRequest request, const char* title) {
  if (request.title.empty()) request.title = title;
  return request;
}

// The variables of a 3095 named after what they measure.
ChoiceRequest NamedVariables(ChoiceRequest request, const ProgramState& state) {
  const char* names[] = {state.Bilingual("перепад давления", "перепад тиску"),
                         state.Bilingual("давление", "тиск"), state.Bilingual("температура", "температура"),
                         state.Bilingual("расход", "витрата")};
  for (size_t i = 0; i < request.items.size() && i < std::size(names); ++i)
    request.items[i] += std::string("  (") + names[i] + ")";
  return Titled(request, state.Bilingual("Переменная датчика 3095", "Змінна датчика 3095"));
}

}  // namespace

TForm46::TForm46(QWidget* parent, const ProgramState& state, const ChoiceRequest& request)
    : ChoiceDialog(parent, "Form46",
                   Titled(request, state.Bilingual("Образцовый датчик", "Зразковий датчик")), kResultOk) {
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
}

TForm48::TForm48(QWidget* parent, const ProgramState& state, const ChoiceRequest& request)
    : ChoiceDialog(parent, "Form48", NamedVariables(request, state), kResultOk) {
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
}

TForm49::TForm49(QWidget* parent, const ProgramState& state, const ChoiceRequest& request)
    : ChoiceDialog(parent, "Form49",
                   Titled(request, state.Bilingual("Образцовый датчик измеряет", "Зразковий датчик вимірює")),
                   kResultOk) {
  BitBtn1->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
}

TForm47::TForm47(QWidget* parent, const ProgramState& state, const TransmitterPage& page,
                 const std::vector<std::string>& portPaths)
    : QDialog(parent), choice_(page.preset) {
  PrepareDialog(this, "Form47", Q(page.caption));

  RadioGroup1 = new QGroupBox(Q(state.Bilingual("Порт модема HART", "Порт модема HART")), this);
  RadioGroup1->setObjectName("RadioGroup1");
  Ports = new QButtonGroup(this);
  auto* ports = new QGridLayout(RadioGroup1);
  ports->setContentsMargins(14, 10, 14, 10);
  ports->setHorizontalSpacing(24);
  for (int i = 0; i < 8; ++i) {
    auto* port = new QRadioButton(QString("COM%1").arg(i + 1), RadioGroup1);
    port->setObjectName(QString("Port%1").arg(i));
    if (i < static_cast<int>(portPaths.size())) port->setToolTip(Q(portPaths[i]));
    Ports->addButton(port, i);
    ports->addWidget(port, i % 4, i / 4);
  }
  if (page.portChoiceEnabled) {
    Ports->button(std::clamp(page.preset.portSlot, 0, 7))->setChecked(true);
  } else {
    RadioGroup1->setEnabled(false);
    RadioGroup1->setToolTip(
        Q(state.Bilingual("Датчик подключён к линии вычислителя", "Датчик підключено до лінії обчислювача")));
  }

  RadioGroup2 = new QGroupBox(Q(state.Bilingual("Тип датчика", "Тип датчика")), this);
  RadioGroup2->setObjectName("RadioGroup2");
  Types = new QButtonGroup(this);
  auto* types = new QVBoxLayout(RadioGroup2);
  types->setContentsMargins(14, 10, 14, 10);
  const char* typeNames[] = {"3051", "3095"};
  for (int i = 0; i < 2; ++i) {
    auto* type = new QRadioButton(typeNames[i], RadioGroup2);
    type->setObjectName(QString("Type%1").arg(i));
    Types->addButton(type, i);
    types->addWidget(type);
  }
  Types->button(page.preset.type == kTransmitter3095 ? 1 : 0)->setChecked(true);
  types->addStretch();

  Label1 = new QLabel(Q(state.Bilingual("Адрес датчика (1..15)", "Адреса датчика (1..15)")), this);
  Label1->setObjectName("Label1");
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  for (int a = 1; a <= 15; ++a) ComboBox1->addItem(QString::number(a));
  ComboBox1->lineEdit()->setMaxLength(2);
  ComboBox1->setEditText(QString::number(page.preset.address));
  ComboBox1->setMinimumWidth(90);
  FilterKeys(ComboBox1, [](char32_t key) { return (key >= '0' && key <= '9') || key == kBackspace; });
  Label1->setBuddy(ComboBox1);

  BitBtn1 = MakeButton(this, "BitBtn1", Q(state.Text(2279)), QStyle::SP_ArrowForward);
  BitBtn1->setDefault(true);
  BitBtn2 = MakeButton(this, "BitBtn2", Q(state.Text(2614)), QStyle::SP_DialogCancelButton);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm47::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(kResultCancel); });

  auto* address = new QHBoxLayout;
  address->addWidget(Label1);
  address->addWidget(ComboBox1);
  address->addStretch();
  auto* groups = new QHBoxLayout;
  groups->setSpacing(16);
  groups->addWidget(RadioGroup1);
  groups->addWidget(RadioGroup2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 16);
  layout->setSpacing(14);
  layout->addLayout(groups);
  layout->addLayout(address);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  ComboBox1->setFocus();
}

std::optional<int> TForm47::Address() const {
  bool ok = false;
  const int address = ComboBox1->currentText().trimmed().toInt(&ok);
  if (!ok || !ValidPollingAddress(address)) return std::nullopt;
  return address;
}

void TForm47::BitBtn1Click() {
  const std::optional<int> address = Address();
  if (!address) {
    ComboBox1->setFocus();
    ComboBox1->lineEdit()->selectAll();
    return;
  }
  if (RadioGroup1->isEnabled() && Ports->checkedId() >= 0) choice_.portSlot = Ports->checkedId();
  choice_.type = Types->checkedId() == 1 ? kTransmitter3095 : kTransmitter3051;
  choice_.address = *address;
  done(kResultOk);
}

std::optional<TransmitterChoice> TForm47::Ask() {
  if (exec() != kResultOk) return std::nullopt;
  return choice_;
}

}  // namespace ruvenset
