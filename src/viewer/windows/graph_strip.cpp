#include "viewer/windows/graph_strip.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>

#include "viewer/time_scale.h"

namespace ruvenset {
namespace {

constexpr int kLeft = 84;
constexpr int kRight = 8;
constexpr int kTop = 6;
constexpr int kBottom = 18;
constexpr int kValueRows = 8;
const QColor kFieldColour(0xDB, 0xDB, 0xDB);
const QColor kGridColour(0xAB, 0xAB, 0xAB);

double VisibleSeconds(int step) {
  return static_cast<double>(kGridCells) * TimeStepSeconds(step);
}

}  // namespace

GraphStrip::GraphStrip(QColor trace, Qt::CursorShape cursorShape, QWidget* parent)
    : QWidget(parent), traceColour_(trace) {
  setCursor(cursorShape);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void GraphStrip::SetValueWindow(AxisRange window, float factor) {
  window_ = window;
  factor_ = factor;
  update();
}

void GraphStrip::SetTimeWindow(double startSeconds, int step) {
  startSeconds_ = startSeconds;
  step_ = step;
  update();
}

void GraphStrip::SetCursorSeconds(double seconds) {
  cursorSeconds_ = seconds;
  update();
}

double GraphStrip::SecondsAt(double fraction) const {
  return startSeconds_ + fraction * VisibleSeconds(step_);
}

double GraphStrip::CursorFraction() const {
  const double fraction = (cursorSeconds_ - startSeconds_) / VisibleSeconds(step_);
  return fraction >= 0.0 && fraction <= 1.0 ? fraction : -1.0;
}

QRect GraphStrip::Field() const {
  return QRect(kLeft, kTop, std::max(1, width() - kLeft - kRight), std::max(1, height() - kTop - kBottom));
}

void GraphStrip::MoveCursorTo(int x) {
  const QRect field = Field();
  emit cursorDragged(SecondsAt(std::clamp(static_cast<double>(x - field.left()) / field.width(), 0.0, 1.0)));
}

void GraphStrip::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) MoveCursorTo(event->position().toPoint().x());
}

void GraphStrip::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) MoveCursorTo(event->position().toPoint().x());
}

void GraphStrip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect field = Field();
  painter.fillRect(rect(), palette().window());
  painter.fillRect(field, kFieldColour);

  painter.setPen(kGridColour);
  for (int c = 0; c <= kGridCells; ++c) {
    const int x = field.left() +
                  static_cast<int>(std::lround(static_cast<double>(c) * (field.width() - 1) / kGridCells));
    painter.drawLine(x, field.top(), x, field.bottom());
  }
  for (int r = 0; r <= kValueRows; ++r) {
    const int y = field.top() +
                  static_cast<int>(std::lround(static_cast<double>(r) * (field.height() - 1) / kValueRows));
    painter.drawLine(field.left(), y, field.right(), y);
  }

  painter.setPen(palette().windowText().color());
  const QFontMetrics metrics = painter.fontMetrics();
  for (int r = 0; r <= kValueRows; r += 2) {
    const int y = field.top() +
                  static_cast<int>(std::lround(static_cast<double>(r) * (field.height() - 1) / kValueRows));
    const double value = window_.hi - (window_.hi - window_.lo) * r / kValueRows;
    const QString text = format_ ? format_(value) : QString::number(value, 'g', 6);
    painter.drawText(QRect(0, y - metrics.height() / 2, kLeft - 4, metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, text);
  }
  const int labelTop = field.bottom() + 2;
  for (int k = 1; k <= kGridCells / 2; ++k) {
    const int x = field.left() + static_cast<int>(std::lround(2.0 * k * (field.width() - 1) / kGridCells));
    QString text = QString::fromStdString(TimeAxisLabel(step_, k));
    if (k == kGridCells / 2) text += QLatin1Char(' ') + QString::fromUtf8(TimeAxisUnit(step_));
    const int w = metrics.horizontalAdvance(text);
    painter.drawText(QRect(std::min(x - w / 2, width() - w - 1), labelTop, w + 1, metrics.height()),
                     Qt::AlignCenter, text);
  }

  painter.setClipRect(field);
  if (tracer_) {
    const StripWindow window{startSeconds_, VisibleSeconds(step_) / field.width(), field.width()};
    tracer_(window, lines_);
    const double span = window_.hi - window_.lo;
    const auto y = [&](float v) {
      const double pos =
          field.top() + (window_.hi - static_cast<double>(v) * factor_) / span * (field.height() - 1);
      return std::clamp(pos, -1.0e5, 1.0e5);
    };
    QVector<QLineF> segments;
    segments.reserve(static_cast<qsizetype>(lines_.size()));
    for (const TraceLine& line : lines_) {
      segments.append(
          QLineF(field.left() + line.x1 + 0.5, y(line.v1), field.left() + line.x2 + 0.5, y(line.v2)));
    }
    painter.setPen(QPen(traceColour_, 1));
    painter.drawLines(segments);
  }
  const double cursor = CursorFraction();
  if (cursor < 0.0) return;
  // On the same pixel column as the trace of the reading under it.
  const int cursorX = field.left() + std::min(static_cast<int>(cursor * field.width()), field.width() - 1);
  painter.setPen(QPen(traceColour_.darker(160), 1, Qt::DashLine));
  painter.drawLine(cursorX, field.top(), cursorX, field.bottom());
}

}  // namespace ruvenset
