#include "shell/windows/message_window.h"

#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/windows/window_parts.h"

namespace ruvenset {
namespace {

QLabel* MessageLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setMinimumWidth(320);
  label->setMaximumWidth(560);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QLabel* IconLabel(QWidget* parent, QStyle::StandardPixmap icon) {
  auto* label = new QLabel(parent);
  label->setPixmap(parent->style()->standardIcon(icon).pixmap(40, 40));
  label->setAlignment(Qt::AlignTop);
  return label;
}

}  // namespace

TFormMess::TFormMess(QWidget* parent, const QString& caption, const QString& message, const QString& button)
    : QDialog(parent) {
  PrepareDialog(this, "FormMess", caption);
  Label1 = MessageLabel(this, "Label1", message);
  BitBtn1 = MakeButton(this, "BitBtn1", button, QStyle::SP_DialogOkButton);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(kResultOk); });

  auto* text = new QHBoxLayout;
  text->setSpacing(16);
  text->addWidget(IconLabel(this, QStyle::SP_MessageBoxInformation));
  text->addWidget(Label1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->setSpacing(18);
  layout->addLayout(text);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

TForm83::TForm83(QWidget* parent, const QString& caption, const QString& line1, const QString& line2,
                 const QString& button, int closeAfterMs)
    : QDialog(parent) {
  PrepareDialog(this, "Form83", caption);
  Label1 = MessageLabel(this, "Label1", line1);
  Label2 = MessageLabel(this, "Label2", line2);
  QFont strong = Label1->font();
  strong.setBold(true);
  Label1->setFont(strong);
  BitBtn1 = MakeButton(this, "BitBtn1", button, QStyle::SP_DialogCloseButton);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(kResultOk); });

  auto* lines = new QVBoxLayout;
  lines->addWidget(Label1);
  lines->addWidget(Label2);
  auto* text = new QHBoxLayout;
  text->setSpacing(16);
  text->addWidget(IconLabel(this, QStyle::SP_MessageBoxWarning));
  text->addLayout(lines, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->setSpacing(18);
  layout->addLayout(text);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* timer = new QTimer(this);
  timer->setObjectName("Timer1");
  timer->setSingleShot(true);
  connect(timer, &QTimer::timeout, this, [this] { done(kResultOk); });
  timer->start(closeAfterMs);
}

}  // namespace ruvenset
