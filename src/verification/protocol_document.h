#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "session/language_texts.h"
#include "verification/protocol_record.h"

namespace ruvenset {

// The table rows the pages of a protocol hold: the first page below the header, the next pages
// below the table's head only.
inline constexpr size_t kProtocolFirstPageRows = 18;
inline constexpr size_t kProtocolNextPageRows = 40;

// What the chart page draws of one point: its readings, or (for a protocol made again from its CSV)
// its span of values, and its reference with the permissible band around it.
struct ProtocolChartPoint {
  std::string label;  // "Точка 1"
  double start = 0;   // seconds since the epoch
  double end = 0;
  std::vector<PointReading> readings;
  float minimum = 0;
  float maximum = 0;
  float mean = 0;
  std::optional<float> reference;
  std::optional<double> band;  // the permissible error in the channel's unit
};

// A protocol laid out as text in its language, ready to be drawn: the header, the points table split
// into pages, the verdict, the signature, and the chart page last. Numbers carry the language's
// decimal comma.
struct ProtocolDocument {
  bool russian = true;
  std::string title;
  std::string subtitle;
  std::vector<std::pair<std::string, std::string>> header;
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
  std::vector<std::pair<size_t, size_t>> tablePages;  // first row and row count of each table page
  std::string verdict;
  Verdict overall = Verdict::None;
  std::string signature;
  std::vector<std::string> footers;  // one per page, the chart page's last

  std::string chartTitle;
  std::string timeAxis;
  std::string valueAxis;
  std::string legendReadings;
  std::string legendSpan;
  std::string legendReference;
  std::string legendBand;
  std::vector<ProtocolChartPoint> chart;
};

// A measured number as the protocol prints it: the window's precision, a decimal comma.
std::string ProtocolNumber(float value);
// A given number (a range, a limit, a constant) as short as it reads back, with a decimal comma.
std::string ProtocolGivenNumber(float value);

// Lays out a protocol in the language of `texts` (the record's language).
ProtocolDocument ComposeProtocol(const ProtocolRecord& record, const LanguageTexts& texts);

}  // namespace ruvenset
