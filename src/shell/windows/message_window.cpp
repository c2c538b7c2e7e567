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

// The message layout: the icon beside the lines, the one button centred below.
void LayOutMessage(QDialog* dialog, QStyle::StandardPixmap icon, const QList<QLabel*>& lines,
                   QPushButton* button) {
  auto* column = new QVBoxLayout;
  for (QLabel* line : lines) column->addWidget(line);
  auto* text = new QHBoxLayout;
  text->setSpacing(16);
  text->addWidget(IconLabel(dialog, icon));
  text->addLayout(column, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(button);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(dialog);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->setSpacing(18);
  layout->addLayout(text);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace

TFormMess::TFormMess(QWidget* parent, const QString& caption, const QString& message, const QString& button)
    : QDialog(parent) {
  PrepareDialog(this, "FormMess", caption);
  Label1 = MessageLabel(this, "Label1", message);
  BitBtn1 = MakeButton(this, "BitBtn1", button, QStyle::SP_DialogOkButton);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(kResultOk); });

  LayOutMessage(this, QStyle::SP_MessageBoxInformation, {Label1}, BitBtn1);
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

  LayOutMessage(this, QStyle::SP_MessageBoxWarning, {Label1, Label2}, BitBtn1);

  auto* timer = new QTimer(this);
  timer->setObjectName("Timer1");
  timer->setSingleShot(true);
  connect(timer, &QTimer::timeout, this, [this] { done(kResultOk); });
  timer->start(closeAfterMs);
}

}  // namespace ruvenset
