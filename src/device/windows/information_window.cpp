#include "device/windows/information_window.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/windows/window_parts.h"

namespace ruvenset {

TNSHP::TNSHP(QWidget* parent, const QString& caption, const std::vector<std::string>& lines)
    : QDialog(parent) {
  PrepareDialog(this, "NSHP", caption);
  Bevel1 = new QFrame(this);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameShape(QFrame::StyledPanel);
  Memo1 = new QPlainTextEdit(Bevel1);
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setFrameShape(QFrame::NoFrame);
  Memo1->setTabChangesFocus(true);
  QStringList text;
  for (const std::string& line : lines) text << Q(line);
  Memo1->setPlainText(text.join('\n'));

  // The memo is as tall as its lines and as wide as the longest, within the screen.
  const QFontMetrics metrics(Memo1->font());
  int width = 280;
  for (const QString& line : text) width = std::max(width, metrics.horizontalAdvance(line));
  const int rows = std::max<int>(static_cast<int>(lines.size()), 1);
  const int height =
      rows * metrics.lineSpacing() + 2 * static_cast<int>(Memo1->document()->documentMargin()) + 4;
  Memo1->setFixedSize(std::min(width + 24, 900), height);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* frame = new QVBoxLayout(Bevel1);
  frame->setContentsMargins(4, 4, 4, 4);
  frame->addWidget(Memo1);

  BitBtn1 = MakeButton(this, "BitBtn1", "Ok", QStyle::SP_DialogOkButton);
  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(kResultOk); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(BitBtn1);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 14);
  layout->setSpacing(13);
  layout->addWidget(Bevel1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  BitBtn1->setFocus();
}

}  // namespace ruvenset
