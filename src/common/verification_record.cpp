#include "common/verification_record.h"

#include <cmath>
#include <cstring>

#include "common/byte_order.h"

namespace ruvenset {
namespace {

constexpr int64_t kMillisecondsPerDay = 86400000;
// Day numbers relative to 1 January 1970.
constexpr int64_t kOleEpochDay = -25569;  // 30 December 1899
// OLE dates of 1 January 0001 and of the day after 31 December 9999.
constexpr double kFirstOleDay = -693593.0;
constexpr double kEndOleDay = 2958466.0;

int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

}  // namespace

void EncodeVerificationRecord(const VerificationRecord& record, uint8_t* out) {
  StoreLeDouble(out, record.time);
  out[8] = record.channel;
  out[9] = record.unit;
  StoreLe16(out + 10, record.ambientAdc);
  StoreLe32(out + 12, record.replyWord);
  StoreLe32(out + 16, record.channelAdc);
  StoreLeFloat(out + 20, record.value);
}

VerificationRecord DecodeVerificationRecord(const uint8_t* in) {
  VerificationRecord record{};
  record.time = LoadLeDouble(in);
  record.channel = in[8];
  record.unit = in[9];
  record.ambientAdc = LoadLe16(in + 10);
  record.replyWord = LoadLe32(in + 12);
  record.channelAdc = LoadLe32(in + 16);
  record.value = LoadLeFloat(in + 20);
  return record;
}

bool HasVerificationMagic(const uint8_t* data, size_t size) {
  return size >= kVerificationMagicSize && std::memcmp(data, kVerificationMagic, kVerificationMagicSize) == 0;
}

uint64_t WholeRecordCount(uint64_t fileSize) {
  if (fileSize < kVerificationMagicSize) return 0;
  return (fileSize - kVerificationMagicSize) / kVerificationRecordSize;
}

double OleDateFromLocal(const LocalDateTime& local) {
  const int64_t day = DaysFromCivil(local.year, local.month, local.day) - kOleEpochDay;
  const int64_t ms =
      ((static_cast<int64_t>(local.hour) * 60 + local.minute) * 60 + local.second) * 1000 + local.millisecond;
  const double fraction = static_cast<double>(ms) / static_cast<double>(kMillisecondsPerDay);
  return day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
}

bool IsValidOleDate(double date) {
  return date > kFirstOleDay - 1.0 && date < kEndOleDay;
}

double LinearOleDays(double date) {
  const double whole = std::trunc(date);
  return date >= 0.0 ? date : whole + (whole - date);
}

bool LocalFromOleDate(double date, LocalDateTime& out) {
  if (!IsValidOleDate(date)) return false;
  const double whole = std::trunc(date);
  int64_t day = static_cast<int64_t>(whole);
  int64_t ms = std::llround(std::fabs(date - whole) * static_cast<double>(kMillisecondsPerDay));
  if (ms >= kMillisecondsPerDay) {
    ms -= kMillisecondsPerDay;
    ++day;
  }
  LocalDateTime result{};
  CivilFromDays(day + kOleEpochDay, result.year, result.month, result.day);
  if (result.year < 1 || result.year > 9999) return false;
  result.millisecond = static_cast<int>(ms % 1000);
  result.second = static_cast<int>(ms / 1000 % 60);
  result.minute = static_cast<int>(ms / 60000 % 60);
  result.hour = static_cast<int>(ms / 3600000);
  out = result;
  return true;
}

double OleDateFromMoment(std::time_t seconds, int milliseconds) {
  std::tm tm{};
  localtime_r(&seconds, &tm);
  return OleDateFromLocal(LocalDateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                                        tm.tm_sec, milliseconds});
}

}  // namespace ruvenset
