#include "storage/windows/report_printing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

#include <algorithm>
#include <cmath>

#include "common/axis_step.h"

namespace ruvenset {
namespace {

// The report window indents its pages by 40 pixels of a 96-dpi screen.
constexpr double kIndentInches = 40.0 / 96.0;
constexpr int kPrintedLines = kPrintedPageLines + 1;  // the footer below the padded page
// The widest report line the font is sized for.
constexpr int kColumns = 104;

QString Q(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont ReportFont(const QRectF& area, double indent, const QPaintDevice& device) {
  QFont font("DejaVu Sans Mono");
  font.setStyleHint(QFont::Monospace);
  const double lineHeight = area.height() / kPrintedLines;
  double pixels = std::floor(lineHeight * 0.8);
  font.setPixelSize(std::max(1, static_cast<int>(pixels)));
  const double width = QFontMetricsF(font, &device).horizontalAdvance(QString(kColumns, 'M'));
  if (width > area.width() - indent) {
    pixels = std::floor(pixels * (area.width() - indent) / width);
    font.setPixelSize(std::max(1, static_cast<int>(pixels)));
  }
  return font;
}

// Draws `lines` as the printed lines of a page from line `first` on.
void DrawPage(QPainter& painter, const QRectF& area, const std::vector<std::string>& lines, int first = 0) {
  const double indent = kIndentInches * painter.device()->logicalDpiX();
  painter.setFont(ReportFont(area, indent, *painter.device()));
  painter.setPen(Qt::black);
  const double lineHeight = area.height() / kPrintedLines;
  const double ascent = QFontMetricsF(painter.font(), painter.device()).ascent();
  for (size_t i = 0; i < lines.size(); ++i)
    painter.drawText(
        QPointF(area.left() + indent, area.top() + lineHeight * static_cast<double>(first + i) + ascent),
        Q(lines[i]));
}

// The report's title: its first line with words, without the blanks around it and its full stop.
std::string ReportTitle(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    const size_t begin = line.find_first_not_of(' ');
    if (begin == std::string::npos) continue;
    size_t end = line.find_last_not_of(' ');
    if (line[end] == '.') --end;
    return line.substr(begin, end + 1 - begin);
  }
  return {};
}

QString Number(double value) {
  return QString::number(value, 'g', 7);
}

const QColor kCurveColours[] = {QColor(0, 90, 200),   QColor(200, 40, 30), QColor(0, 140, 60),
                                QColor(150, 60, 170), QColor(220, 130, 0), QColor(0, 150, 160),
                                QColor(120, 80, 30),  QColor(90, 90, 90)};

}  // namespace

ReportPrintJob ReportJobFor(const std::vector<std::string>& lines) {
  ReportPrintJob job;
  job.pages = PaginateReport(lines);
  job.range = {1, static_cast<int>(job.pages.size())};
  job.charts = ReportCharacteristics(lines);
  job.russian = ReportIsRussian(lines);
  job.title = ReportTitle(lines);
  return job;
}

void DrawCharacteristic(QPainter& painter, const QRectF& rect, const ChannelCharacteristic& channel,
                        bool russian) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const double unit = rect.height() / 60.0;
  QFont font("DejaVu Sans");
  font.setPixelSize(std::max(1, static_cast<int>(unit * 1.1)));
  QFont titleFont = font;
  titleFont.setPixelSize(std::max(1, static_cast<int>(unit * 1.6)));
  titleFont.setBold(true);

  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  bool first = true;
  for (const CharacteristicCurve& c : channel.curves)
    for (const auto& [x, y] : c.points) {
      minX = first ? x : std::min(minX, x);
      maxX = first ? x : std::max(maxX, x);
      minY = first ? y : std::min(minY, y);
      maxY = first ? y : std::max(maxY, y);
      first = false;
    }
  if (maxX <= minX) maxX = minX + 1;
  if (maxY <= minY) maxY = minY + 1;
  const double stepX = AxisStep(minX, maxX, 5);
  const double stepY = AxisStep(minY, maxY, 10);
  minX = std::floor(minX / stepX) * stepX;
  maxX = std::ceil(maxX / stepX) * stepX;
  minY = std::floor(minY / stepY) * stepY;
  maxY = std::ceil(maxY / stepY) * stepY;

  painter.setFont(titleFont);
  painter.setPen(Qt::black);
  const QString title =
      QString(russian ? "Характеристика канала: %1" : "Характеристика каналу: %1").arg(Q(channel.title));
  painter.drawText(QRectF(rect.left(), rect.top(), rect.width(), unit * 3),
                   Qt::AlignHCenter | Qt::AlignVCenter, title);

  painter.setFont(font);
  const QFontMetricsF metrics(font, painter.device());
  const double labelWidth = metrics.horizontalAdvance(Number(-maxY * 10)) + unit;
  const QRectF plot(rect.left() + labelWidth + unit * 2.5, rect.top() + unit * 5, 0, 0);
  const QRectF area(plot.left(), plot.top(), rect.right() - plot.left() - unit * 5,
                    rect.bottom() - plot.top() - unit * 9);
  auto px = [&](double x) { return area.left() + (x - minX) / (maxX - minX) * area.width(); };
  auto py = [&](double y) { return area.bottom() - (y - minY) / (maxY - minY) * area.height(); };

  painter.setPen(QPen(QColor(215, 215, 215), 0));
  for (double x = minX; x <= maxX + stepX / 2; x += stepX)
    painter.drawLine(QPointF(px(x), area.top()), QPointF(px(x), area.bottom()));
  for (double y = minY; y <= maxY + stepY / 2; y += stepY)
    painter.drawLine(QPointF(area.left(), py(y)), QPointF(area.right(), py(y)));
  painter.setPen(QPen(Qt::black, unit * 0.1));
  painter.drawRect(area);
  for (double x = minX; x <= maxX + stepX / 2; x += stepX)
    painter.drawText(QRectF(px(x) - unit * 6, area.bottom() + unit * 0.4, unit * 12, unit * 1.5),
                     Qt::AlignHCenter | Qt::AlignTop, QString::number(x, 'f', 0));
  for (double y = minY; y <= maxY + stepY / 2; y += stepY)
    painter.drawText(QRectF(rect.left(), py(y) - unit, area.left() - rect.left() - unit * 0.5, unit * 2),
                     Qt::AlignRight | Qt::AlignVCenter, Number(std::abs(y) < stepY * 1e-9 ? 0.0 : y));
  painter.drawText(QRectF(area.left(), area.bottom() + unit * 2.2, area.width(), unit * 1.6),
                   Qt::AlignHCenter, "Код АЦП");
  painter.save();
  painter.translate(rect.left() + unit * 0.2, area.center().y());
  painter.rotate(-90);
  painter.drawText(QRectF(-area.height() / 2, 0, area.height(), unit * 1.6), Qt::AlignHCenter,
                   QString("%1, %2").arg(Q(channel.title), Q(channel.unit)));
  painter.restore();

  double legendY = area.bottom() + unit * 4.5;
  double legendX = area.left();
  for (size_t c = 0; c < channel.curves.size(); ++c) {
    const CharacteristicCurve& curve = channel.curves[c];
    const QColor colour = kCurveColours[c % std::size(kCurveColours)];
    painter.setPen(QPen(colour, unit * 0.15));
    QPainterPath path;
    for (size_t i = 0; i < curve.points.size(); ++i) {
      const QPointF p(px(curve.points[i].first), py(curve.points[i].second));
      if (i == 0)
        path.moveTo(p);
      else
        path.lineTo(p);
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setBrush(colour);
    for (const auto& [x, y] : curve.points)
      painter.drawEllipse(QPointF(px(x), py(y)), unit * 0.35, unit * 0.35);
    const QString label = QString(russian ? "Тос = %1 °C" : "Тд = %1 °C").arg(Number(curve.tosValue));
    const double width = metrics.horizontalAdvance(label) + unit * 4;
    if (legendX + width > area.right()) {
      legendX = area.left();
      legendY += unit * 1.8;
    }
    painter.drawLine(QPointF(legendX, legendY + unit * 0.7),
                     QPointF(legendX + unit * 2, legendY + unit * 0.7));
    painter.drawEllipse(QPointF(legendX + unit, legendY + unit * 0.7), unit * 0.35, unit * 0.35);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(legendX + unit * 2.6, legendY + unit * 0.7 + metrics.ascent() / 2.5), label);
    legendX += width;
  }
  painter.restore();
}

bool PrintReport(QPrinter& printer, const ReportPrintJob& job) {
  const int count = static_cast<int>(job.pages.size());
  const PageRange range = ClampPageRange(job.range, count);
  const int total = count + static_cast<int>(job.charts.size());
  printer.setDocName(Q(job.title));
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRectF area = printer.pageLayout()
                          .paintRectPixels(printer.resolution())
                          .translated(-printer.pageLayout().paintRectPixels(printer.resolution()).topLeft());
  bool firstPage = true;
  for (int n = range.from; n <= range.to; ++n) {
    if (!firstPage) printer.newPage();
    firstPage = false;
    DrawPage(painter, area, PrintedPageLines(job.pages[static_cast<size_t>(n - 1)], n, total));
  }
  const double lineHeight = area.height() / kPrintedLines;
  int number = count;
  for (const ChannelCharacteristic& chart : job.charts) {
    if (!firstPage) printer.newPage();
    firstPage = false;
    DrawCharacteristic(painter, area.adjusted(0, 0, 0, -2 * lineHeight), chart, job.russian);
    DrawPage(painter, area, {PageFooter(++number, total)}, kPrintedLines - 1);
  }
  return painter.end();
}

bool WriteReportPdf(const std::string& path, const ReportPrintJob& job) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(Q(path));
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setCreator("Ruvenset");
  return PrintReport(printer, job);
}

}  // namespace ruvenset
