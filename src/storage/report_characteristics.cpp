#include "storage/report_characteristics.h"

#include <cstdio>
#include <cstdlib>

#include "common/trimmed_text.h"

namespace ruvenset {
namespace {

constexpr const char* kChannelHeadings[] = {
    "Давление:", "Тиск:", "Температура газа:", "Температура газу:", "Перепад давления:", "Перепад тиску:"};

bool StartsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

// The number after the last ": " of a Тос line.
double TosValue(const std::string& line) {
  const size_t colon = line.rfind(": ");
  return colon == std::string::npos ? 0.0 : std::strtod(line.c_str() + colon + 2, nullptr);
}

}  // namespace

std::vector<ChannelCharacteristic> ReportCharacteristics(const std::vector<std::string>& lines) {
  std::vector<ChannelCharacteristic> channels;
  ChannelCharacteristic* channel = nullptr;
  for (const std::string& line : lines) {
    const std::string trimmed = Trimmed(line);
    bool heading = false;
    for (const char* h : kChannelHeadings) heading = heading || (StartsWith(line, "  ") && trimmed == h);
    if (heading) {
      channels.push_back({trimmed.substr(0, trimmed.size() - 1), {}, {}});
      channel = &channels.back();
      continue;
    }
    if (StartsWith(line, "            ") && !trimmed.empty()) channel = nullptr;  // a section title
    if (channel == nullptr) continue;
    if (StartsWith(line, "  Номер точки Тос:") || StartsWith(line, "  Номер точки Тд:")) {
      channel->curves.push_back({TosValue(line), {}});
      continue;
    }
    if (StartsWith(line, "   № точки")) {
      const size_t comma = line.rfind(", ");
      if (comma != std::string::npos) channel->unit = Trimmed(line.substr(comma + 2));
      continue;
    }
    int number = 0;
    double code = 0;
    double value = 0;
    char tail = 0;
    if (!channel->curves.empty() &&
        std::sscanf(line.c_str(), "%d %lf %lf %c", &number, &code, &value, &tail) == 3)
      channel->curves.back().points.emplace_back(code, value);
  }
  std::vector<ChannelCharacteristic> drawn;
  for (ChannelCharacteristic& c : channels) {
    bool any = false;
    for (const CharacteristicCurve& curve : c.curves) any = any || !curve.points.empty();
    if (any) drawn.push_back(std::move(c));
  }
  return drawn;
}

bool ReportIsRussian(const std::vector<std::string>& lines) {
  for (const std::string& line : lines) {
    if (line.find("Отчет о параметрах калибровки") != std::string::npos) return true;
    if (line.find("Звіт о параметрах калібровки") != std::string::npos) return false;
  }
  return true;
}

}  // namespace ruvenset
