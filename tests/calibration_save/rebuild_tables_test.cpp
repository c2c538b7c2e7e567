#include <gtest/gtest.h>

#include <cmath>

#include "calibration/save_calibration_tables.h"
#include "storage/device_segments.h"

namespace ruvenset {
namespace {

SegmentData Segments(std::initializer_list<uint32_t> starts, std::initializer_list<float> values,
                     std::initializer_list<float> slopes) {
  return {starts, values, slopes};
}

void ExpectEnd(const PointTable& t, size_t count, int32_t code, double value) {
  ASSERT_EQ(t.codes.size(), count);
  ASSERT_EQ(t.values.size(), count);
  EXPECT_EQ(t.codes.back(), code);
  EXPECT_NEAR(t.values.back(), value, std::abs(value) * 1e-6 + 1e-6);
}

TEST(RebuildPointTable, EndPointRules) {
  // Two codes 100, 200 continue to 300, its value along the last slope.
  ExpectEnd(RebuildPointTable(Segments({100, 200}, {1.0f, 2.0f}, {0.01f, 0.01f}), 16.8), 3, 300, 3.0);
  // One point: the limit, at the code its slope reaches it.
  ExpectEnd(RebuildPointTable(Segments({1000}, {2.0f}, {0.01f}), 16.8), 2, 2480, 16.8);
  // Continuing would pass the limit: the limit, its code truncated.
  ExpectEnd(RebuildPointTable(Segments({100, 200}, {10.0f, 16.0f}, {0.06f, 0.06f}), 16.8), 3, 213, 16.8);
  // Continuing would leave the code range; the slope reaches the limit beyond it: clamped there.
  ExpectEnd(RebuildPointTable(Segments({16000000, 16700000}, {1.0f, 2.0f}, {1e-6f, 1e-9f}), 16.8), 3,
            16777215, 2.0 + 77215 * static_cast<double>(1e-9f));
  // A slope so small the code would overflow 32 bits: clamped, never wrapped.
  ExpectEnd(RebuildPointTable(Segments({5000}, {2.0f}, {1e-12f}), 84.0), 2, 16777215,
            2.0 + (16777215 - 5000) * static_cast<double>(1e-12f));
  // Temperature's fixed limit of 84 °C.
  ExpectEnd(RebuildPointTable(Segments({0}, {-40.0f}, {0.0001f}), 84.0), 2, 1240000, 84.0);
}

TEST(RebuildPointTable, FlatFallingAndEmptyTablesStaySane) {
  // A flat last segment never reaches the limit (its code would divide by zero): the end of the range.
  ExpectEnd(RebuildPointTable(Segments({100, 200}, {1.0f, 1.0f}, {0.0f, 0.0f}), 16.8), 3, 16777215, 1.0);
  // A falling one would go backwards: the end of the range, along the segment.
  ExpectEnd(RebuildPointTable(Segments({100}, {2.0f}, {-1e-7f}), 16.8), 2, 16777215,
            2.0 - (16777215 - 100) * static_cast<double>(1e-7f));
  // A table that already ends at the last code keeps its stored points only.
  const PointTable full = RebuildPointTable(Segments({16777215}, {1.0f}, {0.0f}), 16.8);
  EXPECT_EQ(full.codes.size(), 1u);
  // No segments: an empty table.
  const PointTable empty = RebuildPointTable({}, 16.8);
  EXPECT_TRUE(empty.codes.empty());
  EXPECT_TRUE(empty.values.empty());
}

// The device tables written by the write-back's converter read back as the image they came from.
TEST(RebuildChannelSection, TosValuesAndTablesFromTheMirror) {
  for (DeviceByteOrder order : {DeviceByteOrder::MsbFirst, DeviceByteOrder::LsbFirst}) {
    CalibrationImage image;
    const ChannelSection p = image.Channel(CalibrationSection::Pressure);
    p.SetTosCount(3);
    for (int k = 0; k < 3; ++k) {
      p.SetTosPoint(k, 30000 + 1000 * k, -10.0f + 15.0f * static_cast<float>(k));
      p.SetPointCount(k, 4);
      for (int i = 0; i < 4; ++i) p.SetPoint(k, i, 1000 + 2000 * i + k, 4.0f * static_cast<float>(i));
    }
    p.SetPointCount(3, 7);  // a stale table past the Тос count
    DeviceMemoryMirror mirror;
    ConvertChannelTables(image.Channel(CalibrationSection::Pressure), kPressureDeviceTables, 3, true, order,
                         mirror);
    CalibrationImage read;
    RebuildChannelSection(mirror, kPressureDeviceTables, order, 16.8,
                          read.Channel(CalibrationSection::Pressure));
    const ConstChannelSection r = read.Channel(CalibrationSection::Pressure);
    ASSERT_EQ(r.TosCount(), 3);
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(r.TosCode(k), 30000 + 1000 * k);
      EXPECT_NEAR(r.TosValue(k), -10.0f + 15.0f * static_cast<float>(k), 1e-4);  // the last extrapolated
      ASSERT_EQ(r.PointCount(k), 4);
      EXPECT_EQ(r.PointCode(k, 3), 7000 + k);
      EXPECT_NEAR(r.PointValue(k, 3), 12.0f, 1e-4);
    }
    EXPECT_EQ(r.PointCount(3), 0);
  }
}

// One Тос point has no Тос segment: its value stays as the image had it.
TEST(RebuildChannelSection, ASingleTosPointKeepsTheImagesValue) {
  CalibrationImage image;
  const ChannelSection p = image.Channel(CalibrationSection::Pressure);
  p.SetTosCount(1);
  p.SetTosPoint(0, 31000, 5.0f);
  p.SetPointCount(0, 2);
  p.SetPoint(0, 0, 10, 0.0f);
  p.SetPoint(0, 1, 20, 1.0f);
  DeviceMemoryMirror mirror;
  ConvertChannelTables(image.Channel(CalibrationSection::Pressure), kPressureDeviceTables, 1, true,
                       DeviceByteOrder::MsbFirst, mirror);
  CalibrationImage read;
  read.Channel(CalibrationSection::Pressure).SetTosPoint(0, 0, 7.5f);
  RebuildChannelSection(mirror, kPressureDeviceTables, DeviceByteOrder::MsbFirst, 16.8,
                        read.Channel(CalibrationSection::Pressure));
  EXPECT_EQ(read.Channel(CalibrationSection::Pressure).TosCode(0), 31000);
  EXPECT_EQ(read.Channel(CalibrationSection::Pressure).TosValue(0), 7.5f);
}

TEST(TemperatureTosFromPressure, ReadOffThePressureTosPointsOfTheSameSensor) {
  CalibrationImage image;
  const ChannelSection pressure = image.Channel(CalibrationSection::Pressure);
  const ChannelSection temperature = image.Channel(CalibrationSection::Temperature);
  temperature.SetTosCount(3);
  temperature.SetTosPoint(0, 50, 0.0f);
  temperature.SetTosPoint(1, 150, 0.0f);
  temperature.SetTosPoint(2, 400, 0.0f);
  pressure.SetTosCount(1);
  pressure.SetTosPoint(0, 100, 10.0f);
  EXPECT_FALSE(TemperatureTosFromPressure(image));  // one point gives no characteristic
  EXPECT_EQ(temperature.TosValue(1), 0.0f);

  pressure.SetTosCount(3);
  pressure.SetTosPoint(1, 200, 20.0f);
  pressure.SetTosPoint(2, 300, 40.0f);
  ASSERT_TRUE(TemperatureTosFromPressure(image));
  EXPECT_FLOAT_EQ(temperature.TosValue(0), 5.0f);   // below the first point, along the first pair
  EXPECT_FLOAT_EQ(temperature.TosValue(1), 15.0f);  // between the first two
  EXPECT_FLOAT_EQ(temperature.TosValue(2), 60.0f);  // beyond the last, along the last pair
  EXPECT_EQ(temperature.TosCode(2), 400);
}

}  // namespace
}  // namespace ruvenset
