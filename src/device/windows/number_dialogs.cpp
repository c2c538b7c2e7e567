#include "device/windows/number_dialogs.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "device/value_entry.h"
#include "shell/link_dialog_rules.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {

TForm9::TForm9(QWidget* parent, const char* objectName) : QDialog(parent) {
  setObjectName(objectName);
}

TForm9::TForm9(QWidget* parent, const QString& caption, const QString& prompt, int minimumCycle,
               const QString& accept, const QString& cancel)
    : TForm9(parent, "Form9") {
  minimumCycle_ = minimumCycle;
  Build(caption, prompt, "", accept, cancel);
  Edit1->setMaxLength(1);
  Edit1->setMaximumWidth(60);
  FilterKeys(Edit1, DigitKeyAccepted);
}

void TForm9::Build(const QString& caption, const QString& prompt, const QString& range, const QString& accept,
                   const QString& cancel) {
  PrepareDialog(this, objectName().toLatin1().constData(), caption);
  Label1 = new QLabel(prompt, this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setMinimumWidth(300);
  Label2 = new QLabel(range, this);
  Label2->setObjectName("Label2");
  Label2->setVisible(!range.isEmpty());
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Label1->setBuddy(Edit1);
  BitBtn1 = MakeButton(this, "BitBtn1", accept, QStyle::SP_DialogOkButton);
  BitBtn2 = MakeButton(this, "BitBtn2", cancel, QStyle::SP_DialogCancelButton);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, &TForm9::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(kResultNo); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->setSpacing(10);
  layout->addWidget(Label1);
  layout->addWidget(Edit1);
  layout->addWidget(Label2);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Edit1->setFocus();
}

bool TForm9::AcceptEntry() {
  return AcceptPollingCycle(Edit1->text().toStdString(), minimumCycle_).has_value();
}

void TForm9::BitBtn1Click() {
  if (AcceptEntry()) {
    done(kResultOk);
    return;
  }
  Edit1->setFocus();
  Edit1->selectAll();
}

std::optional<int> TForm9::AskCycle() {
  if (exec() != kResultOk) return std::nullopt;
  return AcceptPollingCycle(Edit1->text().toStdString(), minimumCycle_);
}

TForm14::TForm14(QWidget* parent, const NumberRequest& request) : TForm14(parent, "Form14", request) {}

TForm14::TForm14(QWidget* parent, const char* objectName, const NumberRequest& request)
    : TForm9(parent, objectName), request_(request) {
  Build(Q(request.caption), Q(request.prompt), Q(request.rangeText), Q(request.acceptText),
        Q(request.cancelText));
  Edit1->setMaxLength(request.maxLength > 0 ? request.maxLength : 6);
  Edit1->setText(Q(request.proposed));
  Edit1->selectAll();
  const NumberFilter filter = request.filter;
  FilterNumber(Edit1, filter);
}

bool TForm14::AcceptEntry() {
  const auto value = AcceptNumber(Edit1->text().toStdString(), request_.lower, request_.upper);
  if (value) value_ = *value;
  return value.has_value();
}

std::optional<float> TForm14::AskNumber() {
  if (exec() != kResultOk) return std::nullopt;
  return value_;
}

namespace {

NumberRequest Form24Request(NumberRequest request) {
  if (request.maxLength <= 0) request.maxLength = 7;
  return request;
}

}  // namespace

TForm24::TForm24(QWidget* parent, const NumberRequest& request)
    : TForm14(parent, "Form24", Form24Request(request)) {}

}  // namespace ruvenset
