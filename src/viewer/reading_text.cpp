#include "viewer/reading_text.h"

#include <cstdio>

#include "common/verification_record.h"

namespace ruvenset {
namespace {

template <class... Args>
std::string Format(const char* format, Args... args) {
  char text[64];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

}  // namespace

std::string FormatReadingDate(double oleDate) {
  LocalDateTime t{};
  if (!LocalFromOleDate(oleDate, t)) return {};
  return Format("%02d.%02d.%04d", t.day, t.month, t.year);
}

std::string FormatReadingTime(double oleDate) {
  LocalDateTime t{};
  if (!LocalFromOleDate(oleDate, t)) return {};
  return Format("%02d:%02d:%02d:%03d", t.hour, t.minute, t.second, t.millisecond);
}

std::string FormatChannelAdc(uint32_t code) {
  return Format("0x%06X", static_cast<unsigned>(code));
}

std::string FormatReadingValue(float value) {
  return Format("%.6f", static_cast<double>(value));
}

std::string FormatAmbientAdc(uint16_t code) {
  return Format("0x%04X", static_cast<unsigned>(code));
}

std::string FormatCursorTime(double oleDate) {
  LocalDateTime t{};
  if (!LocalFromOleDate(oleDate, t)) return {};
  return Format("%02d.%02d  %02d:%02d:%02d", t.day, t.month, t.hour, t.minute, t.second);
}

}  // namespace ruvenset
