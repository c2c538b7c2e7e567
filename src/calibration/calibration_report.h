#pragma once
#include <ctime>
#include <string>

#include "session/calibration_image.h"

namespace ruvenset {

class LanguageTexts;

// The calibration report: a plain text that sums up a calibration image read from a flow computer
// (device, date, the point tables of every channel with their Тос points, the ADC channel parameters,
// slope and offset, correction multipliers and the measurement parameters of models 18 and 20).

struct ReportOptions {
  bool russian = true;               // the report's language; texts must be the same language's catalogue
  bool differentialChannel = false;  // the flow computer has a differential-pressure channel
  bool correctionTable = false;      // the flow computer keeps meter correction multipliers
  // The temperature Тос values are known; otherwise the report says the flow computer does not keep them.
  bool temperatureTosValues = true;
  std::tm when{};  // local date and time of the reading
};

// The report with "\n" line ends, every line in its fixed order.
std::string CalibrationReportText(const CalibrationImage& image, const ReportOptions& options,
                                  const LanguageTexts& texts);

// The same text with CR LF line ends, as the report file holds it.
std::string WithCrLf(const std::string& text);

// The date line ("  Дата: 08.12.26 г.  Время:  04:05:06.") and its two line ends.
std::string ReportDateLine(const std::tm& when, bool russian);

}  // namespace ruvenset
