#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ctr_files.h"
#include "viewer/readings.h"
#include "viewer/readings_plot.h"

namespace ruvenset {
namespace {

using testing::FileImage;
using testing::Reading;
using testing::TempFolder;
using testing::WriteBytes;

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(LoadReadings, RejectsWhatIsNotAVerificationFile) {
  TempFolder folder;
  const std::string magicOnly = folder.File("only.ctr");
  WriteBytes(magicOnly, FileImage({}));
  const std::string wrong = folder.File("wrong.ctr");
  std::vector<uint8_t> image = FileImage({Reading(1, 0, 20.0f)});
  image[3] = 'X';
  WriteBytes(wrong, image);
  const std::string tiny = folder.File("tiny.ctr");
  WriteBytes(tiny, {'S', 'T'});
  const std::string others = folder.File("others.ctr");
  WriteBytes(others, FileImage({Reading(0, 0, 1.0f), Reading(2, 0, 2.0f)}));

  const struct {
    std::string path;
    int channel;
    VerificationReadStatus status;
    std::string text;
  } cases[] = {
      {magicOnly, 0, VerificationReadStatus::NoChannelData,
       "В файлe only.ctr нет данных по выбранному каналу"},
      {magicOnly, 1, VerificationReadStatus::NoChannelData,
       "В файлe only.ctr нет данных по выбранному каналу"},
      {wrong, 1, VerificationReadStatus::NotVerificationFile,
       "Файл wrong.ctr не является файлом статистики поверки"},
      {tiny, 1, VerificationReadStatus::NotVerificationFile,
       "Файл tiny.ctr не является файлом статистики поверки"},
      {others, 1, VerificationReadStatus::NoChannelData,
       "В файлe others.ctr нет данных по выбранному каналу"},
      {folder.File("missing.ctr"), 1, VerificationReadStatus::CannotOpen, "Ошибка открытия файла"},
      {"/tmp", 1, VerificationReadStatus::CannotOpen, "Ошибка открытия файла"},
  };
  for (const auto& c : cases) {
    Readings readings;
    EXPECT_EQ(LoadReadings(c.path, static_cast<uint8_t>(c.channel), readings), c.status) << c.path;
    EXPECT_EQ(LoadFailureText(c.status, c.path), c.text);
  }
}

TEST(LoadReadings, KeepsTheChosenChannelOfInterleavedRecordsAndIgnoresAPartialTail) {
  TempFolder folder;
  const std::string path = folder.File("mixed.ctr");
  WriteBytes(path, FileImage({Reading(1, 0, 20.1f, 46000.1, 0x10), Reading(0, 1, 0.5f),
                              Reading(1, 0, 20.2f, 46000.2, 0x20), Reading(2, 0, 100.0f), Reading(7, 0, 5.0f),
                              Reading(1, 1, 20.3f, 46000.3, 0x30)},
                             23));
  Readings t;
  ASSERT_EQ(LoadReadings(path, 1, t), VerificationReadStatus::Ok);
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t.channelAdc, (std::vector<uint32_t>{0x10, 0x20, 0x30}));
  EXPECT_EQ(t.value, (std::vector<float>{20.1f, 20.2f, 20.3f}));  // temperature ignores the unit byte
  EXPECT_EQ(t.time[2], 46000.3);
  Readings p;
  ASSERT_EQ(LoadReadings(path, 0, p), VerificationReadStatus::Ok);
  EXPECT_EQ(p.size(), 1u);
  Readings other;
  ASSERT_EQ(LoadReadings(path, 7, other), VerificationReadStatus::Ok);
  EXPECT_EQ(other.value, std::vector<float>{5.0f});
}

TEST(LoadReadings, ConvertsLaterRecordsIntoTheUnitOfTheFirst) {
  TempFolder folder;
  const std::string path = folder.File("units.ctr");
  WriteBytes(path, FileImage({Reading(0, 1, 0.5f), Reading(0, 0, 10.0f), Reading(0, 5, 0.25f),
                              Reading(2, 0, 1000.0f), Reading(2, 1, 9.80665f)}));
  Readings p;
  ASSERT_EQ(LoadReadings(path, 0, p), VerificationReadStatus::Ok);
  EXPECT_EQ(p.unit, 1);  // MPa; unit code 5 counts as MPa too
  ASSERT_EQ(p.size(), 3u);
  EXPECT_FLOAT_EQ(p.value[0], 0.5f);
  EXPECT_FLOAT_EQ(p.value[1], 10.0f * 0.0980665f);
  EXPECT_FLOAT_EQ(p.value[2], 0.25f);
  EXPECT_FLOAT_EQ(p.maxValue, 0.980665f);  // the range is taken of converted values
  Readings d;
  ASSERT_EQ(LoadReadings(path, 2, d), VerificationReadStatus::Ok);
  EXPECT_EQ(d.unit, 0);
  EXPECT_FLOAT_EQ(d.value[1], 9.80665f * 101.97162f);
}

TEST(LoadReadings, ReadsAGrowingFileUpToItsLengthWhenOpened) {
  TempFolder folder;
  const std::string path = folder.File("growing.ctr");
  WriteBytes(path, FileImage({Reading(1, 0, 1.0f), Reading(1, 0, 2.0f)}, 10));
  VerificationFileReader reader;
  ASSERT_EQ(reader.Open(path), VerificationReadStatus::Ok);
  EXPECT_EQ(reader.RecordCount(), 2u);
  WriteBytes(path, std::vector<uint8_t>(14 + 24 * 3, 0x11), "ab");  // the writer appends meanwhile
  ChannelSummary summary;
  ASSERT_EQ(SummariseChannel(reader, 1, summary), VerificationReadStatus::Ok);
  EXPECT_EQ(summary.count, 2u);
  EXPECT_EQ(summary.max, 2.0f);
  std::vector<float> values;
  EXPECT_EQ(reader.ForEachRecord([&](const VerificationRecord& r) { values.push_back(r.value); }), 2u);
  EXPECT_EQ(values, (std::vector<float>{1.0f, 2.0f}));
}

TEST(LoadReadings, BadValuesAndDatesKeepRangesFinite) {
  TempFolder folder;
  const std::string path = folder.File("bad.ctr");
  const double nan = std::numeric_limits<double>::quiet_NaN();
  WriteBytes(path, FileImage({Reading(1, 0, kNaN, 46000.0), Reading(1, 0, 21.0f, nan),
                              Reading(1, 0, kInf, 46000.1), Reading(1, 0, 3.0e38f, 1e300),
                              Reading(1, 0, 19.0f, 46000.2), Reading(1, 0, -kInf, -1e9)}));
  Readings r;
  ASSERT_EQ(LoadReadings(path, 1, r), VerificationReadStatus::Ok);
  ASSERT_EQ(r.size(), 6u);
  EXPECT_EQ(r.minValue, 19.0f);
  EXPECT_EQ(r.maxValue, 3.0e38f);
  const ReadingsPlot plot(r);
  EXPECT_EQ(plot.Index().size(), 3u);  // three readings have a date
  const AxisRange axis = plot.ValueAxis();
  EXPECT_TRUE(std::isfinite(axis.lo) && std::isfinite(axis.hi));
  EXPECT_EQ(axis.lo, -50.0);
  EXPECT_GT(axis.hi, 3.0e38);
  const Envelope e = plot.Extent(PlotSeries::Value);
  EXPECT_EQ(e.lo, 19.0f);  // NaN and infinity are not drawn
  EXPECT_EQ(e.hi, 19.0f);
  std::vector<TraceLine> lines;
  plot.Trace(PlotSeries::Value, StripWindow{0.0, 1.0, 100000}, lines);
  for (const TraceLine& l : lines) EXPECT_TRUE(std::isfinite(l.v1) && std::isfinite(l.v2));
}

}  // namespace
}  // namespace ruvenset
