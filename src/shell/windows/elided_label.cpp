#include "shell/windows/elided_label.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace ruvenset {

QSize ElidedLabel::minimumSizeHint() const {
  // A few characters and the ellipsis; the rest of the text gives way when the bar is short.
  const QSize whole = QLabel::minimumSizeHint();
  return {std::min(whole.width(), fontMetrics().horizontalAdvance(QStringLiteral("MMMM…"))), whole.height()};
}

bool ElidedLabel::elided() const {
  return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

void ElidedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  drawFrame(&painter);
  const QRect area = contentsRect();
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
  painter.setPen(palette().color(foregroundRole()));
  painter.drawText(area, static_cast<int>(alignment() | Qt::AlignVCenter), shown);
}

bool ElidedLabel::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    if (elided()) {
      QToolTip::showText(help->globalPos(), text(), this);
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QLabel::event(event);
}

}  // namespace ruvenset
