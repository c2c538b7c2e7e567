#include "verification/windows/protocol_printing.h"

#include <QBuffer>
#include <QDateTime>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinter>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <functional>

#include "common/axis_step.h"
#include "common/file_io.h"

namespace ruvenset {
namespace {

// A page is laid out in lines of text: its printable height holds this many.
constexpr double kLines = 64;
// Seconds between the ticks of the time axis.
constexpr double kTimeSteps[] = {1,   2,   5,    10,   15,   30,    60,    120,   300,
                                 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};

const QColor kReadingColour(0, 90, 200);
const QColor kSpanColour(0, 90, 200, 60);
const QColor kReferenceColour(0, 130, 60);
const QColor kBandColour(0, 160, 70, 45);
const QColor kGridColour(215, 215, 215);

QString Q(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont Font(double pixels, bool bold = false) {
  QFont font("DejaVu Sans");
  font.setPixelSize(std::max(1, static_cast<int>(pixels)));
  font.setBold(bold);
  return font;
}

// Word wrap, or wrap anywhere when a word alone is wider than the line (a file's path).
int WrapFlags(const QFontMetricsF& metrics, const QString& text, double width) {
  for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
    if (metrics.horizontalAdvance(word) > width) return Qt::TextWrapAnywhere;
  }
  return Qt::TextWordWrap;
}

// The height `text` takes wrapped into `width`.
double WrappedHeight(const QFontMetricsF& metrics, const QString& text, double width) {
  return metrics.boundingRect(QRectF(0, 0, width, 1e6), WrapFlags(metrics, text, width), text).height();
}

double DrawHeader(QPainter& painter, const QRectF& area, double unit, const ProtocolDocument& d) {
  double y = area.top();
  painter.setFont(Font(unit * 1.5, true));
  painter.drawText(QRectF(area.left(), y, area.width(), unit * 2), Qt::AlignCenter, Q(d.title));
  y += unit * 2;
  painter.setFont(Font(unit * 1.0));
  painter.drawText(QRectF(area.left(), y, area.width(), unit * 1.4), Qt::AlignCenter, Q(d.subtitle));
  y += unit * 2.2;

  const QFont labelFont = Font(unit * 0.8, true);
  const QFont valueFont = Font(unit * 0.8);
  const QFontMetricsF labels(labelFont, painter.device());
  const QFontMetricsF values(valueFont, painter.device());
  double labelWidth = 0;
  for (const auto& [label, value] : d.header)
    labelWidth = std::max(labelWidth, labels.horizontalAdvance(Q(label + ":")));
  labelWidth = std::min(labelWidth + unit, area.width() * 0.4);
  const double valueWidth = area.width() - labelWidth;
  for (const auto& [label, value] : d.header) {
    const QString text = Q(value);
    const double height = std::max(unit * 1.15, WrappedHeight(values, text, valueWidth) + unit * 0.3);
    painter.setFont(labelFont);
    painter.drawText(QRectF(area.left(), y, labelWidth, height), Qt::AlignLeft | Qt::AlignTop,
                     Q(label + ":"));
    painter.setFont(valueFont);
    painter.drawText(QRectF(area.left() + labelWidth, y, valueWidth, height),
                     Qt::AlignLeft | Qt::AlignTop | WrapFlags(values, text, valueWidth), text);
    y += height;
  }
  return y + unit * 0.8;
}

// The table's columns: each as wide as its widest cell (or its head's widest word) needs, the rest of
// the width shared out in proportion; where even that does not fit, a smaller font.
struct TableLayout {
  QFont font;
  QFont headFont;
  std::vector<double> lefts;
  std::vector<double> widths;
};

TableLayout LayOutTable(const QPaintDevice& device, const QRectF& area, double unit,
                        const ProtocolDocument& d) {
  TableLayout t;
  t.font = Font(unit * 0.72);
  t.headFont = Font(unit * 0.72, true);
  const QFontMetricsF body(t.font, &device);
  const QFontMetricsF head(t.headFont, &device);
  std::vector<double> needed;
  for (size_t c = 0; c < d.columns.size(); ++c) {
    double width = 0;
    for (const QString& word : Q(d.columns[c]).split(' ', Qt::SkipEmptyParts))
      width = std::max(width, head.horizontalAdvance(word));
    for (const auto& row : d.rows) {
      if (c < row.size()) width = std::max(width, body.horizontalAdvance(Q(row[c])));
    }
    needed.push_back(width + unit * 0.6);
  }
  double total = 0;
  for (double w : needed) total += w;
  if (total > area.width()) {
    const double scale = area.width() / total;
    t.font.setPixelSize(std::max(1, static_cast<int>(t.font.pixelSize() * scale)));
    t.headFont.setPixelSize(t.font.pixelSize());
  }
  double x = area.left();
  for (double w : needed) {
    t.lefts.push_back(x);
    t.widths.push_back(w * area.width() / total);
    x += t.widths.back();
  }
  return t;
}

double DrawTable(QPainter& painter, const QRectF& area, double y, double unit, const ProtocolDocument& d,
                 size_t page) {
  const TableLayout t = LayOutTable(*painter.device(), area, unit, d);
  const size_t columns = d.columns.size();
  const double pad = unit * 0.25;
  const double headHeight = unit * 2.8;
  const double rowHeight = unit * 1.2;
  painter.setPen(QPen(Qt::black, std::max(1.0, unit * 0.05)));
  painter.setFont(t.headFont);
  for (size_t c = 0; c < columns; ++c) {
    const QRectF cell(t.lefts[c], y, t.widths[c], headHeight);
    painter.drawRect(cell);
    painter.drawText(cell.adjusted(pad, pad, -pad, -pad), Qt::AlignCenter | Qt::TextWordWrap,
                     Q(d.columns[c]));
  }
  y += headHeight;
  painter.setFont(t.font);
  const auto [first, count] = d.tablePages[page];
  for (size_t r = first; r < first + count; ++r) {
    const std::vector<std::string>& row = d.rows[r];
    for (size_t c = 0; c < columns && c < row.size(); ++c) {
      const QRectF cell(t.lefts[c], y, t.widths[c], rowHeight);
      painter.drawRect(cell);
      // The number, the times and the verdict are centred; the values line up on the right.
      const bool value = c >= 3 && c + 1 < columns;
      painter.drawText(cell.adjusted(pad, 0, -pad, 0),
                       Qt::AlignVCenter | (value ? Qt::AlignRight : Qt::AlignHCenter), Q(row[c]));
    }
    y += rowHeight;
  }
  return y;
}

void DrawFooter(QPainter& painter, const QRectF& area, double unit, const std::string& footer) {
  painter.setFont(Font(unit * 0.7));
  painter.drawText(QRectF(area.left(), area.bottom() - unit * 1.2, area.width(), unit * 1.2),
                   Qt::AlignRight | Qt::AlignBottom, Q(footer));
}

double TimeStep(double span) {
  for (double step : kTimeSteps)
    if (span / step <= 6) return step;
  return std::ceil(span / 6 / 86400) * 86400;
}

QString Number(double value) {
  return QString::number(value, 'g', 7).replace('.', ',');
}

// One entry of the chart's legend at (x, y), on the next line when it would reach past `right`.
void DrawLegendItem(QPainter& painter, double& x, double& y, double left, double right, double unit,
                    const QString& text, const std::function<void(const QRectF&)>& mark) {
  const QFontMetricsF metrics(painter.font(), painter.device());
  const double width = unit * 2.7 + metrics.horizontalAdvance(text);
  if (x > left && x + width > right) {
    x = left;
    y += unit * 1.6;
  }
  const QRectF sample(x, y + unit * 0.2, unit * 2.2, unit * 0.8);
  mark(sample);
  painter.setPen(Qt::black);
  painter.drawText(QRectF(sample.right() + unit * 0.5, y, width, unit * 1.2),
                   Qt::AlignLeft | Qt::AlignVCenter, text);
  x += width + unit * 1.5;
}

void DrawChart(QPainter& painter, const QRectF& area, double unit, const ProtocolDocument& d) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::black);
  painter.setFont(Font(unit * 1.2, true));
  painter.drawText(QRectF(area.left(), area.top(), area.width(), unit * 2), Qt::AlignCenter, Q(d.chartTitle));
  painter.setFont(Font(unit * 0.9));
  painter.drawText(QRectF(area.left(), area.top() + unit * 2, area.width(), unit * 1.4), Qt::AlignCenter,
                   Q(d.title + " " + d.subtitle));

  double t0 = 0, t1 = 0, v0 = 0, v1 = 0;
  bool first = true;
  auto take = [&](double t, double v) {
    t0 = first ? t : std::min(t0, t);
    t1 = first ? t : std::max(t1, t);
    v0 = first ? v : std::min(v0, v);
    v1 = first ? v : std::max(v1, v);
    first = false;
  };
  bool readings = false, spans = false, references = false, bands = false;
  for (const ProtocolChartPoint& p : d.chart) {
    take(p.start, p.minimum);
    take(p.end, p.maximum);
    for (const PointReading& r : p.readings) take(r.time, r.value);
    readings = readings || !p.readings.empty();
    spans = spans || p.readings.empty();
    if (p.reference) {
      references = true;
      const double band = p.band.value_or(0);
      bands = bands || p.band.has_value();
      take(p.start, *p.reference - band);
      take(p.start, *p.reference + band);
    }
  }
  if (t1 <= t0) t1 = t0 + 1;
  if (v1 <= v0) {
    const double half = std::max(std::fabs(v0) * 1e-3, 1e-3);
    v0 -= half;
    v1 += half;
  }
  const double margin = (v1 - v0) * 0.08;
  v0 -= margin;
  v1 += margin;
  const double stepV = AxisStep(v0, v1, 8);
  v0 = std::floor(v0 / stepV) * stepV;
  v1 = std::ceil(v1 / stepV) * stepV;
  const double stepT = TimeStep(t1 - t0);

  const QFont font = Font(unit * 0.75);
  const QFontMetricsF metrics(font, painter.device());
  double labelWidth = 0;
  for (double v = v0; v <= v1 + stepV / 2; v += stepV)
    labelWidth =
        std::max(labelWidth, metrics.horizontalAdvance(Number(std::fabs(v) < stepV * 1e-9 ? 0.0 : v)));
  const QRectF plot(area.left() + labelWidth + unit * 2.6, area.top() + unit * 4.5,
                    area.width() - labelWidth - unit * 3.8, area.height() * 0.55);
  auto px = [&](double t) { return plot.left() + (t - t0) / (t1 - t0) * plot.width(); };
  auto py = [&](double v) { return plot.bottom() - (v - v0) / (v1 - v0) * plot.height(); };

  painter.setFont(font);
  painter.setPen(QPen(kGridColour, 0));
  for (double v = v0; v <= v1 + stepV / 2; v += stepV)
    painter.drawLine(QPointF(plot.left(), py(v)), QPointF(plot.right(), py(v)));
  const double firstTick = std::ceil(t0 / stepT) * stepT;
  for (double t = firstTick; t <= t1; t += stepT)
    painter.drawLine(QPointF(px(t), plot.top()), QPointF(px(t), plot.bottom()));

  for (const ProtocolChartPoint& p : d.chart) {
    const double left = px(p.start);
    const double right = std::max(px(p.end), left + 1.0);
    if (p.reference && p.band) {
      painter.fillRect(
          QRectF(QPointF(left, py(*p.reference + *p.band)), QPointF(right, py(*p.reference - *p.band))),
          kBandColour);
    }
    if (p.readings.empty()) {
      painter.fillRect(QRectF(QPointF(left, py(p.maximum)), QPointF(right, py(p.minimum))), kSpanColour);
      painter.setPen(QPen(kReadingColour, unit * 0.1));
      painter.drawLine(QPointF(left, py(p.mean)), QPointF(right, py(p.mean)));
    } else {
      painter.setPen(QPen(kReadingColour, unit * 0.08));
      QPainterPath path;
      for (size_t i = 0; i < p.readings.size(); ++i) {
        const QPointF at(px(p.readings[i].time), py(p.readings[i].value));
        if (i == 0)
          path.moveTo(at);
        else
          path.lineTo(at);
      }
      painter.setBrush(Qt::NoBrush);
      painter.drawPath(path);
      if (p.readings.size() <= 300) {
        painter.setBrush(kReadingColour);
        for (const PointReading& r : p.readings)
          painter.drawEllipse(QPointF(px(r.time), py(r.value)), unit * 0.15, unit * 0.15);
        painter.setBrush(Qt::NoBrush);
      }
    }
    if (p.reference) {
      painter.setPen(QPen(kReferenceColour, unit * 0.12));
      painter.drawLine(QPointF(left, py(*p.reference)), QPointF(right, py(*p.reference)));
    }
    painter.setPen(Qt::black);
    painter.drawText(
        QRectF(left + unit * 0.2, plot.top() + unit * 0.2, std::max(right - left, unit * 6), unit * 1.2),
        Qt::AlignLeft | Qt::AlignTop, Q(p.label));
  }

  painter.setPen(QPen(Qt::black, std::max(1.0, unit * 0.05)));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(plot);
  for (double v = v0; v <= v1 + stepV / 2; v += stepV)
    painter.drawText(QRectF(area.left(), py(v) - unit, plot.left() - area.left() - unit * 0.4, unit * 2),
                     Qt::AlignRight | Qt::AlignVCenter, Number(std::fabs(v) < stepV * 1e-9 ? 0.0 : v));
  for (double t = firstTick; t <= t1; t += stepT) {
    const QString label = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(t)).toString("HH:mm:ss");
    painter.drawText(QRectF(px(t) - unit * 4, plot.bottom() + unit * 0.3, unit * 8, unit * 1.2),
                     Qt::AlignHCenter | Qt::AlignTop, label);
  }
  painter.drawText(QRectF(plot.left(), plot.bottom() + unit * 1.6, plot.width(), unit * 1.2),
                   Qt::AlignHCenter, Q(d.timeAxis));
  painter.save();
  painter.translate(area.left(), plot.center().y());
  painter.rotate(-90);
  painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), unit * 1.2), Qt::AlignHCenter,
                   Q(d.valueAxis));
  painter.restore();

  double x = plot.left();
  double legendY = plot.bottom() + unit * 3.4;
  const double l = plot.left();
  const double r = plot.right();
  if (readings) {
    DrawLegendItem(painter, x, legendY, l, r, unit, Q(d.legendReadings), [&](const QRectF& s) {
      painter.setPen(QPen(kReadingColour, unit * 0.08));
      painter.drawLine(QPointF(s.left(), s.center().y()), QPointF(s.right(), s.center().y()));
    });
  }
  if (spans) {
    DrawLegendItem(painter, x, legendY, l, r, unit, Q(d.legendSpan),
                   [&](const QRectF& s) { painter.fillRect(s, kSpanColour); });
  }
  if (references) {
    DrawLegendItem(painter, x, legendY, l, r, unit, Q(d.legendReference), [&](const QRectF& s) {
      painter.setPen(QPen(kReferenceColour, unit * 0.12));
      painter.drawLine(QPointF(s.left(), s.center().y()), QPointF(s.right(), s.center().y()));
    });
  }
  if (bands) {
    DrawLegendItem(painter, x, legendY, l, r, unit, Q(d.legendBand),
                   [&](const QRectF& s) { painter.fillRect(s, kBandColour); });
  }
  painter.restore();
}

// Paints every page on a paged device whose printable part is laid out at `resolution` dots per inch.
bool PaintProtocol(QPagedPaintDevice& device, int resolution, const ProtocolDocument& d) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect paint = device.pageLayout().paintRectPixels(resolution);
  const QRectF area(0, 0, paint.width(), paint.height());
  for (int page = 0; page < ProtocolPageCount(d); ++page) {
    if (page > 0) device.newPage();
    DrawProtocolPage(painter, area, d, page);
  }
  return painter.end();
}

}  // namespace

int ProtocolPageCount(const ProtocolDocument& d) {
  return static_cast<int>(d.tablePages.size()) + 1;
}

void DrawProtocolPage(QPainter& painter, const QRectF& area, const ProtocolDocument& d, int index) {
  const double unit = area.height() / kLines;
  painter.save();
  painter.setPen(Qt::black);
  const size_t tables = d.tablePages.size();
  if (index >= 0 && static_cast<size_t>(index) < tables) {
    const size_t page = static_cast<size_t>(index);
    double y = page == 0 ? DrawHeader(painter, area, unit, d) : area.top();
    y = DrawTable(painter, area, y, unit, d, page);
    if (page + 1 == tables) {
      y += unit * 1.4;
      painter.setFont(Font(unit * 0.95, true));
      painter.drawText(QRectF(area.left(), y, area.width(), unit * 1.4), Qt::AlignLeft | Qt::AlignVCenter,
                       Q(d.verdict));
      y += unit * 3;
      painter.setFont(Font(unit * 0.85));
      painter.drawText(QRectF(area.left(), y, area.width(), unit * 1.4), Qt::AlignLeft | Qt::AlignVCenter,
                       Q(d.signature));
    }
  } else {
    DrawChart(painter, area, unit, d);
  }
  if (index >= 0 && static_cast<size_t>(index) < d.footers.size())
    DrawFooter(painter, area, unit, d.footers[static_cast<size_t>(index)]);
  painter.restore();
}

bool PrintProtocol(QPrinter& printer, const ProtocolDocument& d) {
  printer.setDocName(Q(d.title));
  return PaintProtocol(printer, printer.resolution(), d);
}

bool WriteProtocolPdf(const std::string& path, const ProtocolDocument& d) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(15, 12, 12, 12), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setCreator("Ruvenset");
    writer.setTitle(Q(d.title + " " + d.subtitle));
    if (!PaintProtocol(writer, writer.resolution(), d)) return false;
  }
  buffer.close();
  return WriteFileAtomically(path, bytes.constData(), static_cast<size_t>(bytes.size())) == FileStatus::Ok;
}

}  // namespace ruvenset
