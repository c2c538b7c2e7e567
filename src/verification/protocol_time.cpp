#include "verification/protocol_time.h"

#include <cstdio>

namespace ruvenset {
namespace {

std::tm Local(std::time_t seconds) {
  std::tm local{};
  localtime_r(&seconds, &local);
  return local;
}

// Reads exactly `width` digits at `at`.
bool Digits(std::string_view text, size_t at, size_t width, int& value) {
  if (at + width > text.size()) return false;
  value = 0;
  for (size_t i = at; i < at + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

std::string ProtocolDate(std::time_t seconds) {
  const std::tm t = Local(seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
  return text;
}

std::string ProtocolTimeOfDay(std::time_t seconds) {
  const std::tm t = Local(seconds);
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

std::string ProtocolTimestamp(std::time_t seconds) {
  const std::tm t = Local(seconds);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

std::optional<std::time_t> ParseProtocolTimestamp(std::string_view text) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
      text[16] != ':' || !Digits(text, 0, 4, year) || !Digits(text, 5, 2, month) ||
      !Digits(text, 8, 2, day) || !Digits(text, 11, 2, hour) || !Digits(text, 14, 2, minute) ||
      !Digits(text, 17, 2, second))
    return std::nullopt;
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60)
    return std::nullopt;
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&t);
  if (seconds == static_cast<std::time_t>(-1)) return std::nullopt;
  return seconds;
}

}  // namespace ruvenset
