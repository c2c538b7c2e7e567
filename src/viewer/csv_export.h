#pragma once
#include <string>

#include "viewer/readings.h"

namespace ruvenset {

// Writes the readings table as UTF-8 CSV: a header line, then one line per reading with the table's
// cells (date, time, channel ADC code, value in the shown unit, ambient ADC code), LF line ends. The
// file is written beside the target and renamed over it, so a failed export leaves an older file whole.
bool WriteReadingsCsv(const std::string& path, const Readings& readings, float valueFactor);

}  // namespace ruvenset
