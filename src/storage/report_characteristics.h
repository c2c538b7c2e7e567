#pragma once
#include <string>
#include <utility>
#include <vector>

namespace ruvenset {

// The characteristics a calibration report lists, taken back from its lines: per channel one curve
// per Тос point, each the (ADC code, value) points of its table, for drawing.

struct CharacteristicCurve {
  double tosValue = 0.0;                          // °C
  std::vector<std::pair<double, double>> points;  // ADC code, value
};

struct ChannelCharacteristic {
  std::string title;  // the channel's heading in the report ("Давление", "Тиск", ...)
  std::string unit;   // the unit of its values as the table heading names it
  std::vector<CharacteristicCurve> curves;
};

// The channels with at least one point, in the report's order.
std::vector<ChannelCharacteristic> ReportCharacteristics(const std::vector<std::string>& lines);

// Whether the report is the Russian one (its title line), so that its charts speak its language.
bool ReportIsRussian(const std::vector<std::string>& lines);

}  // namespace ruvenset
