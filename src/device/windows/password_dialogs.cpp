#include "device/windows/password_dialogs.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

#include "session/connection_record.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {
namespace {

QLineEdit* PasswordField(QWidget* parent, const char* name) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setMaxLength(kPasswordSize);
  field->setEchoMode(QLineEdit::Password);
  field->setStyleSheet("lineedit-password-character: 42");
  field->setMinimumWidth(220);
  return field;
}

}  // namespace

TPasswordDlg::TPasswordDlg(QWidget* parent, const LanguageTexts& texts, bool singleEntry)
    : QDialog(parent), singleEntry_(singleEntry) {
  PrepareDialog(this, "PasswordDlg", Q(texts.Text(2763)));
  Label1 = new QLabel(Q(texts.Text(2193)), this);
  Label1->setObjectName("Label1");
  Label2 = new QLabel(Q(texts.Text(2194)), this);
  Label2->setObjectName("Label2");
  Password = PasswordField(this, "Password");
  Edit1 = PasswordField(this, "Edit1");
  Label1->setBuddy(Password);
  Label2->setBuddy(Edit1);
  lastLeft_ = Edit1;
  OKBtn = MakeButton(this, "OKBtn", Q(texts.Text(2279)), QStyle::SP_DialogOkButton);
  CancelBtn = MakeButton(this, "CancelBtn", Q(texts.Text(2278)), QStyle::SP_DialogCancelButton);
  OKBtn->setDefault(true);
  connect(OKBtn, &QPushButton::clicked, this, &TPasswordDlg::OKBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, [this] { done(kResultCancel); });

  auto* fields = new QFormLayout;
  fields->setLabelAlignment(Qt::AlignLeft);
  fields->addRow(Label1, Password);
  fields->addRow(Label2, Edit1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->setSpacing(18);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  if (singleEntry_) {
    fields->setRowVisible(1, false);
    Edit1->setEnabled(false);
  }
  Password->installEventFilter(this);
  Edit1->installEventFilter(this);
  Password->setFocus();
}

bool TPasswordDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && (watched == Password || watched == Edit1)) {
    lastLeft_ = static_cast<QLineEdit*>(watched);
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    QWidget* next = QApplication::focusWidget();
    // Double entry: leaving a field while the two entries differ leads to the repeat field (from
    // Password) or back to the field just left (from Edit1). The buttons decide for themselves.
    const bool leftWithinWindow = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                                  next != nullptr && next->window() == this && next != OKBtn &&
                                  next != CancelBtn;
    if (!singleEntry_ && leftWithinWindow && Password->text() != Edit1->text()) {
      QLineEdit* target = watched == Password ? Edit1 : lastLeft_;
      if (next != target) QTimer::singleShot(0, target, [target] { target->setFocus(Qt::OtherFocusReason); });
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TPasswordDlg::OKBtnClick() {
  if (!singleEntry_ && Password->text() != Edit1->text()) {
    lastLeft_->setFocus();
    lastLeft_->selectAll();
    return;
  }
  done(kResultOk);
}

std::optional<std::string> TPasswordDlg::Ask() {
  if (exec() != kResultOk) return std::nullopt;
  return Password->text().toStdString();
}

TPasswordDlg2::TPasswordDlg2(QWidget* parent, const LanguageTexts& texts)
    : TPasswordDlg(parent, texts, false) {
  setObjectName("PasswordDlg2");
  setWindowTitle(Q(texts.Text(3086)));
}

}  // namespace ruvenset
