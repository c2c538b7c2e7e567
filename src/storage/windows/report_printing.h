#pragma once
#include <string>
#include <vector>

#include "storage/report_characteristics.h"
#include "storage/report_pages.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QRectF;

namespace ruvenset {

// What a printed calibration report holds: its pages, the range chosen of them, and one chart page per
// calibrated channel after the last page.
struct ReportPrintJob {
  std::vector<ReportPage> pages;
  PageRange range;
  std::vector<ChannelCharacteristic> charts;
  bool russian = true;
  std::string title;  // the report's title line, the printed document's name
};

// The job for a report's lines, all pages chosen.
ReportPrintJob ReportJobFor(const std::vector<std::string>& lines);

// Prints the chosen pages, each padded to 63 lines with its footer and indented as the report window
// prints, then the chart pages with theirs; the footers count the chart pages too. The document is named
// after the report. False when the device could not be painted on.
bool PrintReport(QPrinter& printer, const ReportPrintJob& job);

// The same into a PDF file, without a display.
bool WriteReportPdf(const std::string& path, const ReportPrintJob& job);

// Draws the characteristic of one channel into rect: value against ADC code, one line per Тос point
// with its points marked, axes with their labels and units, in the report's language.
void DrawCharacteristic(QPainter& painter, const QRectF& rect, const ChannelCharacteristic& channel,
                        bool russian);

}  // namespace ruvenset
