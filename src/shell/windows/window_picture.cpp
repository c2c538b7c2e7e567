#include "shell/windows/window_picture.h"

#include <QApplication>
#include <QPainter>

namespace ruvenset {

QPixmap PictureWithTitleBar(const QPixmap& content, const QString& title, bool closeBox) {
  constexpr int kBar = 28;
  const QSize size = content.deviceIndependentSize().toSize();
  QPixmap framed(size.width() + 2, size.height() + kBar + 1);
  framed.fill(QColor(0x3b, 0x45, 0x52));
  QPainter painter(&framed);
  painter.drawPixmap(1, kBar, content);
  QFont font = QApplication::font();
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(12, 0, size.width() - 40, kBar), Qt::AlignVCenter | Qt::AlignLeft, title);
  if (closeBox)
    painter.drawText(QRect(size.width() - 26, 0, 20, kBar), Qt::AlignCenter, QString::fromUtf8("✕"));
  return framed;
}

}  // namespace ruvenset
