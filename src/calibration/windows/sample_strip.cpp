#include "calibration/windows/sample_strip.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

namespace ruvenset {
namespace {

constexpr int kLeft = 78;
constexpr int kRight = 8;
constexpr int kTop = 20;
constexpr int kBottom = 6;
constexpr double kSecondsPerDay = 86400.0;
const QColor kFieldColour(0xF4, 0xF4, 0xF4);
const QColor kGridColour(0xC8, 0xC8, 0xC8);
const QColor kTraceColour(0x1F, 0x4E, 0xB4);
const QColor kMeanColour(0xC0, 0x39, 0x2B);
const QColor kBandColour(0xC0, 0x39, 0x2B, 0x30);

}  // namespace

SampleStrip::SampleStrip(QWidget* parent) : QWidget(parent) {
  setObjectName("SampleStrip");
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setMinimumHeight(130);
}

void SampleStrip::SetLegend(const QString& code, const QString& mean) {
  codeLegend_ = code;
  meanLegend_ = mean;
  update();
}

void SampleStrip::SetSamples(const std::vector<int32_t>& codes, uint32_t mean, double sigma, int capacity) {
  values_.clear();
  dates_.clear();
  // Sample i stands i seconds after the first, so the viewer's time index places it in column order.
  for (size_t i = 0; i < codes.size(); ++i) {
    values_.push_back(static_cast<float>(static_cast<uint32_t>(codes[i])));
    dates_.push_back(static_cast<double>(i) / kSecondsPerDay);
  }
  index_.Build(dates_);
  levels_.Build([this](size_t i) { return values_[i]; }, values_.size());
  mean_ = mean;
  sigma_ = sigma;
  capacity_ = std::max(capacity, 2);
  const double band = std::max(3.0 * sigma_, 1.0);
  lo_ = mean_ - band;
  hi_ = mean_ + band;
  for (float v : values_) {
    lo_ = std::min(lo_, static_cast<double>(v));
    hi_ = std::max(hi_, static_cast<double>(v));
  }
  const double margin = (hi_ - lo_) * 0.1;
  lo_ -= margin;
  hi_ += margin;
  Retrace();
  update();
}

QRect SampleStrip::Field() const {
  return QRect(kLeft, kTop, std::max(1, width() - kLeft - kRight), std::max(1, height() - kTop - kBottom));
}

void SampleStrip::Retrace() {
  const QRect field = Field();
  const StripWindow window{0.0, static_cast<double>(capacity_ - 1) / std::max(1, field.width() - 1),
                           field.width()};
  TraceStrip(
      index_, [this](size_t i) { return values_[i]; }, levels_, window, lines_);
}

void SampleStrip::paintEvent(QPaintEvent*) {
  Retrace();
  QPainter painter(this);
  const QRect field = Field();
  painter.fillRect(rect(), palette().window());
  painter.fillRect(field, kFieldColour);
  painter.setPen(kGridColour);
  painter.drawRect(field.adjusted(0, 0, -1, -1));
  const double span = hi_ - lo_;
  const auto y = [&](double v) {
    return field.bottom() - static_cast<int>(std::lround((v - lo_) / span * (field.height() - 1)));
  };
  if (!values_.empty()) {
    const int top = y(mean_ + 3.0 * sigma_);
    const int bottom = y(mean_ - 3.0 * sigma_);
    painter.fillRect(QRect(field.left(), top, field.width(), std::max(1, bottom - top)), kBandColour);
    painter.setPen(QPen(kMeanColour, 1.5));
    painter.drawLine(field.left(), y(mean_), field.right(), y(mean_));
    painter.setPen(QPen(kTraceColour, 1.5));
    for (const TraceLine& l : lines_)
      painter.drawLine(field.left() + l.x1, y(l.v1), field.left() + l.x2, y(l.v2));
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font());
    painter.drawText(QRect(0, y(hi_ - span * 0.1) - metrics.height() / 2, kLeft - 6, metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, QString::number(std::llround(hi_ - span * 0.1)));
    painter.drawText(QRect(0, y(mean_) - metrics.height() / 2, kLeft - 6, metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, QString::number(std::llround(mean_)));
    painter.drawText(QRect(0, y(lo_ + span * 0.1) - metrics.height() / 2, kLeft - 6, metrics.height()),
                     Qt::AlignRight | Qt::AlignVCenter, QString::number(std::llround(lo_ + span * 0.1)));
  }
  // The legend above the field: the codes' colour, then the mean and its band.
  const QFontMetrics metrics(font());
  int x = kLeft;
  const int baseline = kTop - 6;
  painter.setPen(QPen(kTraceColour, 2));
  painter.drawLine(x, baseline - 4, x + 16, baseline - 4);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(x + 20, baseline, codeLegend_);
  x += 20 + metrics.horizontalAdvance(codeLegend_) + 18;
  painter.fillRect(QRect(x, baseline - 9, 16, 10), kBandColour);
  painter.setPen(QPen(kMeanColour, 2));
  painter.drawLine(x, baseline - 4, x + 16, baseline - 4);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(x + 20, baseline, meanLegend_);
}

}  // namespace ruvenset
