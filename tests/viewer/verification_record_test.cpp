#include "common/verification_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace ruvenset {
namespace {

TEST(VerificationRecord, EncodesTheFileBytesLittleEndian) {
  // 12 March 2026 10:15:30 = day 46093 + 36930/86400.
  const VerificationRecord r{46093.0 + 36930.0 / 86400.0, 1, 0, 0x7A40, 0x007A4012, 0x52EE43, 20.5f};
  uint8_t bytes[kVerificationRecordSize];
  EncodeVerificationRecord(r, bytes);
  uint64_t timeBits;
  std::memcpy(&timeBits, &r.time, 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(bytes[i], static_cast<uint8_t>(timeBits >> (8 * i))) << i;
  const uint8_t tail[16] = {0x01, 0x00, 0x40, 0x7A, 0x12, 0x40, 0x7A, 0x00,
                            0x43, 0xEE, 0x52, 0x00, 0x00, 0x00, 0xA4, 0x41};  // 20.5f = 0x41A40000
  EXPECT_EQ(0, std::memcmp(bytes + 8, tail, sizeof tail));

  const VerificationRecord back = DecodeVerificationRecord(bytes);
  EXPECT_EQ(0, std::memcmp(&back, &r, sizeof r));
}

TEST(VerificationRecord, MagicAndWholeRecordCount) {
  const uint8_t stat[] = {'S', 'T', 'A', 'T', 0};
  const uint8_t other[] = {'S', 'T', 'A', 'X'};
  EXPECT_TRUE(HasVerificationMagic(stat, 4));
  EXPECT_FALSE(HasVerificationMagic(stat, 3));
  EXPECT_FALSE(HasVerificationMagic(other, 4));
  const struct {
    uint64_t size, records;
  } cases[] = {{0, 0},  {3, 0},  {4, 0},  {27, 0},
               {28, 1}, {51, 1}, {52, 2}, {4 + 24 * 1000000ull + 23, 1000000}};
  for (const auto& c : cases) EXPECT_EQ(WholeRecordCount(c.size), c.records) << c.size;
}

TEST(OleDate, KnownDatesAndTimes) {
  const struct {
    LocalDateTime local;
    double date;
  } cases[] = {
      {{1899, 12, 30, 0, 0, 0, 0}, 0.0},       {{1900, 1, 1, 0, 0, 0, 0}, 2.0},
      {{1899, 12, 29, 6, 0, 0, 0}, -1.25},  // before the epoch the fraction still adds time
      {{1899, 12, 30, 12, 0, 0, 0}, 0.5},      {{2000, 1, 1, 0, 0, 0, 0}, 36526.0},
      {{2026, 3, 12, 18, 0, 0, 0}, 46093.75},  {{1, 1, 1, 0, 0, 0, 0}, -693593.0},
      {{9999, 12, 31, 0, 0, 0, 0}, 2958465.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(OleDateFromLocal(c.local), c.date) << c.date;
    LocalDateTime back{};
    ASSERT_TRUE(LocalFromOleDate(c.date, back)) << c.date;
    EXPECT_EQ(back.year, c.local.year);
    EXPECT_EQ(back.month, c.local.month);
    EXPECT_EQ(back.day, c.local.day);
    EXPECT_EQ(back.hour, c.local.hour);
  }
}

TEST(OleDate, MillisecondsRoundTripAndRoundUpToTheNextDay) {
  const LocalDateTime t{2024, 2, 29, 23, 59, 59, 999};
  LocalDateTime back{};
  ASSERT_TRUE(LocalFromOleDate(OleDateFromLocal(t), back));
  EXPECT_EQ(back.day, 29);
  EXPECT_EQ(back.millisecond, 999);
  ASSERT_TRUE(LocalFromOleDate(45352.0 - 1e-10, back));  // a hair before 1 March 2024 rounds to it
  EXPECT_EQ(back.month, 3);
  EXPECT_EQ(back.day, 1);
  EXPECT_EQ(back.hour, 0);
  EXPECT_EQ(back.millisecond, 0);
}

TEST(OleDate, RejectsDatesOutsideTheCalendar) {
  const double bad[] = {std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(),
                        1e300,
                        -1e300,
                        2958466.0,
                        -693594.0};
  for (double d : bad) {
    LocalDateTime out{7, 7, 7, 7, 7, 7, 7};
    EXPECT_FALSE(LocalFromOleDate(d, out)) << d;
    EXPECT_EQ(out.year, 7);
    EXPECT_FALSE(IsValidOleDate(d));
  }
}

TEST(OleDate, LinearDaysGrowAcrossTheEpoch) {
  EXPECT_LT(LinearOleDays(-1.25), LinearOleDays(-1.75));  // 29 Dec 06:00 is before 29 Dec 18:00
  EXPECT_LT(LinearOleDays(-1.75), LinearOleDays(0.25));
  EXPECT_DOUBLE_EQ(LinearOleDays(-1.25), -0.75);
  EXPECT_DOUBLE_EQ(LinearOleDays(3.5), 3.5);
}

}  // namespace
}  // namespace ruvenset
