#include "shell/windows/confirm_windows.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "shell/windows/window_parts.h"

namespace ruvenset {

TOKBottomDlg::TOKBottomDlg(QWidget* parent, const QString& caption, const QString& message,
                           const QString& yes, const QString& no)
    : TOKBottomDlg(parent, "OKBottomDlg", caption, yes, no, {message}) {}

TOKBottomDlg::TOKBottomDlg(QWidget* parent, const char* objectName, const QString& caption,
                           const QString& yes, const QString& no, const QStringList& lines)
    : QDialog(parent) {
  PrepareDialog(this, objectName, caption);
  auto* text = new QVBoxLayout;
  text->setSpacing(6);
  for (int i = 0; i < lines.size(); ++i) {
    auto* label = new QLabel(lines[i], this);
    label->setObjectName(QString("Label%1").arg(i + 1));
    label->setWordWrap(true);
    label->setMinimumWidth(320);
    label->setMaximumWidth(560);
    text->addWidget(label);
  }
  Label1 = findChild<QLabel*>("Label1");
  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(40, 40));
  icon->setAlignment(Qt::AlignTop);
  auto* body = new QHBoxLayout;
  body->setSpacing(16);
  body->addWidget(icon);
  body->addLayout(text, 1);

  OKBtn = MakeButton(this, "OKBtn", yes, QStyle::SP_DialogYesButton);
  CancelBtn = MakeButton(this, "CancelBtn", no, QStyle::SP_DialogNoButton);
  OKBtn->setDefault(true);
  connect(OKBtn, &QPushButton::clicked, this, [this] { done(kResultOk); });
  connect(CancelBtn, &QPushButton::clicked, this, [this] { done(kResultCancel); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 16);
  layout->setSpacing(18);
  layout->addLayout(body);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TOKBottomDlg::MakeNoTheDefault() {
  OKBtn->setDefault(false);
  OKBtn->setAutoDefault(false);
  CancelBtn->setDefault(true);
  CancelBtn->setFocus();
}

std::optional<bool> TOKBottomDlg::AnswerOrCancel() {
  const int result = exec();
  if (result == kResultOk) return true;
  if (result == kResultCancel) return false;
  return std::nullopt;
}

bool TOKBottomDlg::Answer() {
  return exec() == kResultOk;
}

TOKBottomDlg1::TOKBottomDlg1(QWidget* parent, const QString& caption, const QString& line1,
                             const QString& line2, const QString& line3, const QString& yes,
                             const QString& no)
    : TOKBottomDlg(parent, "OKBottomDlg1", caption, yes, no, {line1, line2, line3}) {
  Label2 = findChild<QLabel*>("Label2");
  Label3 = findChild<QLabel*>("Label3");
}

}  // namespace ruvenset
