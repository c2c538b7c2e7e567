#pragma once
#include <cstddef>
#include <cstdint>
#include <ctime>

namespace ruvenset {

// A verification data file (.ctr) is the 4 magic bytes "STAT" followed by 24-byte records in the
// order the readings were taken. All fields are little-endian.
inline constexpr size_t kVerificationMagicSize = 4;
inline constexpr uint8_t kVerificationMagic[kVerificationMagicSize] = {0x53, 0x54, 0x41, 0x54};
inline constexpr size_t kVerificationRecordSize = 24;

// Channel codes of the records. Any other code is shown as a temperature channel.
inline constexpr uint8_t kRecordChannelPressure = 0;
inline constexpr uint8_t kRecordChannelTemperature = 1;
inline constexpr uint8_t kRecordChannelDiffPressure = 2;

// One reading as it lies in the file (on a little-endian host the struct is the file image).
struct VerificationRecord {
  double time;          // days since 30 December 1899, fraction = local time of day
  uint8_t channel;      // 0 pressure, 1 temperature, 2 differential pressure
  uint8_t unit;         // pressure 0 kgf/cm2 else MPa; differential pressure 0 kgf/m2 else kPa
  uint16_t ambientAdc;  // ADC code of the ambient temperature sensor
  uint32_t replyWord;   // bytes 12..15 of the measurement reply, most significant first
  uint32_t channelAdc;  // ADC code of the verified channel
  float value;          // measured value in the unit of `unit`
};
static_assert(sizeof(VerificationRecord) == kVerificationRecordSize);
static_assert(offsetof(VerificationRecord, time) == 0);
static_assert(offsetof(VerificationRecord, channel) == 8);
static_assert(offsetof(VerificationRecord, unit) == 9);
static_assert(offsetof(VerificationRecord, ambientAdc) == 10);
static_assert(offsetof(VerificationRecord, replyWord) == 12);
static_assert(offsetof(VerificationRecord, channelAdc) == 16);
static_assert(offsetof(VerificationRecord, value) == 20);

// Writes the record's 24 file bytes at out / reads them from in, whatever the host's byte order.
void EncodeVerificationRecord(const VerificationRecord& record, uint8_t* out);
VerificationRecord DecodeVerificationRecord(const uint8_t* in);

// True when the first bytes of a file are the magic.
bool HasVerificationMagic(const uint8_t* data, size_t size);

// Number of whole records in a file of `fileSize` bytes; a trailing partial record does not count.
uint64_t WholeRecordCount(uint64_t fileSize);

// The unit byte reduced to the two units a channel knows: 0 stays 0, anything else is 1.
inline int RecordUnitIndex(uint8_t unit) {
  return unit == 0 ? 0 : 1;
}

// A calendar date and local time of day.
struct LocalDateTime {
  int year;
  int month;  // 1..12
  int day;    // 1..31
  int hour;
  int minute;
  int second;
  int millisecond;
};

// Days since 30 December 1899 with the time of day as fraction (OLE automation date). Before the
// epoch the day count is negative while the fraction still adds time forward.
double OleDateFromLocal(const LocalDateTime& local);

// The calendar date and time of an OLE date, rounded to the millisecond. False (out untouched) when
// the value is not finite or lies outside the years 1..9999.
bool LocalFromOleDate(double date, LocalDateTime& out);

// True when the date lies within the years 1..9999 (and so is finite).
bool IsValidOleDate(double date);

// The OLE date as a day count that grows steadily with time (before the epoch the fraction of an OLE
// date counts the other way), for measuring spans between readings.
double LinearOleDays(double date);

// The local time of a moment as an OLE date (the writer stamps each reading so).
double OleDateFromMoment(std::time_t seconds, int milliseconds);

}  // namespace ruvenset
