#include "storage/windows/adc_parameter_windows.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {
namespace {

constexpr int kRowHeight = 22;
constexpr int kChoose = 1000;  // the change button's own result

QGroupBox* RadioItems(QWidget* parent, const QString& title, const std::vector<std::string>& items,
                      int columns, int selected, QButtonGroup*& group) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName("RadioGroup1");
  auto* grid = new QGridLayout(box);
  group = new QButtonGroup(box);
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  for (size_t i = 0; i < items.size(); ++i) {
    auto* radio = new QRadioButton(Q(items[i]), box);
    grid->addWidget(radio, static_cast<int>(i) % rows, static_cast<int>(i) / rows);
    group->addButton(radio, static_cast<int>(i));
    if (static_cast<int>(i) == selected) radio->setChecked(true);
  }
  return box;
}

}  // namespace

TParamCh::TParamCh(QWidget* owner, const AdcParameterList& list) : QDialog(owner), readOnly_(list.readOnly) {
  setObjectName("TParamCh");
  setWindowTitle(Q(list.caption));
  auto* layout = new QVBoxLayout(this);
  Label1 = new QLabel(Q(list.header), this);
  Label1->setObjectName("Label1");
  layout->addWidget(Label1);
  ListBox1 = new QListWidget(this);
  ListBox1->setObjectName("ListBox1");
  for (const std::string& row : list.rows) {
    auto* item = new QListWidgetItem(Q(row), ListBox1);
    item->setSizeHint(QSize(0, kRowHeight));
  }
  ListBox1->setCurrentRow(std::clamp(list.selected, 0, std::max(0, ListBox1->count() - 1)));
  int widest = 0;
  for (int i = 0; i < ListBox1->count(); ++i)
    widest = std::max(widest, ListBox1->fontMetrics().horizontalAdvance(ListBox1->item(i)->text()));
  ListBox1->setMinimumSize(std::max(widest + 40, Label1->sizeHint().width()),
                           kRowHeight * std::min(static_cast<int>(list.rows.size()), 18) + 6);
  layout->addWidget(ListBox1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  BitBtn2 = MakeButton(this, "BitBtn2", Q(list.changeText), QStyle::SP_FileDialogDetailedView);
  BitBtn3 = MakeButton(this, "BitBtn3", Q(list.acceptText), QStyle::SP_DialogApplyButton);
  BitBtn1 = MakeButton(this, "BitBtn1", Q(list.leaveText), QStyle::SP_DialogCloseButton);
  buttons->addWidget(BitBtn2);
  buttons->addWidget(BitBtn3);
  buttons->addWidget(BitBtn1);
  buttons->addStretch();
  layout->addLayout(buttons);
  BitBtn2->setVisible(!readOnly_);
  BitBtn1->setVisible(!readOnly_);
  connect(BitBtn2, &QPushButton::clicked, this, &TParamCh::BitBtn2Click);
  connect(BitBtn3, &QPushButton::clicked, this, [this] { done(6); });
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(2); });
}

void TParamCh::BitBtn2Click() {
  done(kChoose);
}

AdcListAnswer TParamCh::Answer() {
  const int result = exec();
  const int row = ListBox1->currentRow();
  if (result == kChoose) return {AdcListAction::Change, row};
  if (result == 6) return {AdcListAction::Accept, row};
  return {AdcListAction::Leave, row};
}

TPch1::TPch1(QWidget* owner, const ChoiceRequest& request) : QDialog(owner) {
  setObjectName("TPch1");
  setWindowTitle(Q(request.caption));
  auto* layout = new QVBoxLayout(this);
  RadioGroup1 = RadioItems(this, Q(request.title), request.items, std::max(1, request.columns),
                           request.preselected, items);
  layout->addWidget(RadioGroup1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  BitBtn1 = MakeButton(this, "BitBtn1", Q(request.acceptText), QStyle::SP_DialogOkButton);
  BitBtn2 = MakeButton(this, "BitBtn2", Q(request.cancelText), QStyle::SP_DialogCancelButton);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  buttons->addStretch();
  layout->addLayout(buttons);
  connect(BitBtn1, &QPushButton::clicked, this, [this] {
    if (items->checkedId() >= 0) done(1);
  });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(2); });
}

std::optional<int> TPch1::Answer() {
  if (exec() != 1) return std::nullopt;
  return items->checkedId();
}

TPch2::TPch2(QWidget* owner, const MeasurementRequest& request) : QDialog(owner), request_(request) {
  setObjectName("TPch2");
  setWindowTitle(Q(request.caption));
  auto* layout = new QVBoxLayout(this);
  RadioGroup1 = RadioItems(this, QString(), {"1", "3", "5", "7", "9"}, 5, request.conversionsIndex, items);
  layout->addWidget(RadioGroup1);
  auto* row = new QHBoxLayout;
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Edit1 = new QLineEdit(QString::number(request.pause), this);
  Edit1->setObjectName("Edit1");
  Edit1->setMaxLength(5);
  FilterNumber(Edit1, NumberFilter::DigitsPointMinus);
  Label2 = new QLabel("мс", this);
  Label2->setObjectName("Label2");
  Label3 = new QLabel(QString("( %1-%2 )").arg(request.lowerPause).arg(request.upperPause), this);
  Label3->setObjectName("Label3");
  Label4 = new QLabel(this);
  Label4->setObjectName("Label4");
  row->addWidget(Edit1);
  row->addWidget(Label2);
  row->addWidget(Label3);
  layout->addLayout(row);
  BitBtn1 = MakeButton(this, "BitBtn1", "Ok", QStyle::SP_DialogOkButton);
  layout->addWidget(BitBtn1, 0, Qt::AlignHCenter);
  connect(BitBtn1, &QPushButton::clicked, this, &TPch2::BitBtn1Click);
}

void TPch2::BitBtn1Click() {
  bool ok = false;
  const int pause = Edit1->text().toInt(&ok);
  if (!ok || pause < request_.lowerPause || pause > request_.upperPause || items->checkedId() < 0) {
    Edit1->setFocus();
    return;
  }
  done(1);
}

std::optional<MeasurementAnswer> TPch2::Answer() {
  if (exec() != 1) return std::nullopt;
  static const int kConversions[] = {1, 3, 5, 7, 9};
  return MeasurementAnswer{kConversions[items->checkedId()], Edit1->text().toInt()};
}

AdcListAnswer QtAdcParameterPages::ShowParameterList(const AdcParameterList& list) {
  return OnUiThread([&] {
    TParamCh window(owner_, list);
    return window.Answer();
  });
}

std::optional<int> QtAdcParameterPages::AskAdcChoice(const ChoiceRequest& request) {
  return OnUiThread([&] {
    TPch1 window(owner_, request);
    return window.Answer();
  });
}

std::optional<MeasurementAnswer> QtAdcParameterPages::AskMeasurement(const MeasurementRequest& request) {
  return OnUiThread([&] {
    TPch2 window(owner_, request);
    return window.Answer();
  });
}

void AdcParametersInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician, int selector) {
  QtAdcParameterPages pages(owner);
  AdcTools tools{state, technician, technician, technician, pages};
  (void)ShowAdcParameters(tools, selector);
}

void MeasurementParametersInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician,
                                    int channel) {
  QtAdcParameterPages pages(owner);
  AdcTools tools{state, technician, technician, technician, pages};
  (void)ShowMeasurementParameters(tools, channel);
}

void CalibrationUnitsInWindows(QWidget* owner, ProgramState& state, QtTechnician& technician) {
  QtAdcParameterPages pages(owner);
  AdcTools tools{state, technician, technician, technician, pages};
  (void)ShowCalibrationUnits(tools);
}

bool DisplayAdcParameters(QWidget* owner, ProgramState& state, QtTechnician& technician) {
  QtAdcParameterPages pages(owner);
  AdcTools tools{state, technician, technician, technician, pages};
  return ShowAdcParameters(tools, 3) == AdcParametersResult::Unchanged;
}

}  // namespace ruvenset
