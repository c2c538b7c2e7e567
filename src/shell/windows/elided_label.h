#pragma once
#include <QLabel>

namespace ruvenset {

// A status bar panel: asks for the width of its whole text, and where the bar cannot give it, shows the
// text shortened in the middle ("/dev/serial/by-…-port0, 1200 бит/с") with the whole text as its tooltip.
class ElidedLabel : public QLabel {
 public:
  explicit ElidedLabel(QWidget* parent) : QLabel(parent) {}

  QSize minimumSizeHint() const override;
  // Whether the text is shown shortened now.
  bool elided() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
};

}  // namespace ruvenset
