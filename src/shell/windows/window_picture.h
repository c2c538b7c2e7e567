#pragma once
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace ruvenset {

// A window's picture under a plain title bar carrying its caption (and a close box when asked): the
// offscreen platform, on which the screenshots are taken, draws no window frames.
QPixmap PictureWithTitleBar(const QPixmap& content, const QString& title, bool closeBox = true);
inline QPixmap PictureWithTitleBar(QWidget* window, bool closeBox = true) {
  return PictureWithTitleBar(window->grab(), window->windowTitle(), closeBox);
}

}  // namespace ruvenset
