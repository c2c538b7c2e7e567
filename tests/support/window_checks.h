#pragma once
#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>
#include <QWidget>
#include <string>
#include <vector>

namespace ruvenset::testing {

// The parts of a shown window a technician would see spoilt: a label or a button narrower or lower
// than its text needs, or a control reaching outside the window.
inline std::vector<std::string> SpoiltParts(QWidget* window) {
  std::vector<std::string> spoilt;
  const QRect inside = window->rect();
  const auto name = [](QWidget* w) {
    return (w->objectName().isEmpty() ? std::string(w->metaObject()->className())
                                      : w->objectName().toStdString());
  };
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window) || w->window() != window) continue;
    const QRect area(w->mapTo(window, QPoint(0, 0)), w->size());
    if (!inside.contains(area)) spoilt.push_back(name(w) + " reaches outside the window");
    const auto* label = qobject_cast<QLabel*>(w);
    const auto* button = qobject_cast<QAbstractButton*>(w);
    const bool textControl =
        (label != nullptr && !label->wordWrap() && !label->text().isEmpty() && label->pixmap().isNull()) ||
        (button != nullptr && qobject_cast<QToolButton*>(w) == nullptr && !button->text().isEmpty());
    if (!textControl) continue;
    const QSize needed = w->minimumSizeHint();
    if (w->width() < needed.width() || w->height() < needed.height()) {
      spoilt.push_back(name(w) + " cuts its text");
    }
  }
  return spoilt;
}

// Whether a picture shows something: not empty and not one flat colour.
inline bool ShowsSomething(const QPixmap& picture) {
  if (picture.isNull()) return false;
  const QImage image = picture.toImage();
  const QRgb first = image.pixel(0, 0);
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) {
      if (image.pixel(x, y) != first) return true;
    }
  }
  return false;
}

}  // namespace ruvenset::testing
