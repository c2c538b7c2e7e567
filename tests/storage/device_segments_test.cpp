#include <gtest/gtest.h>

#include <vector>

#include "storage/device_segments.h"
#include "storage/write_back_checks.h"

namespace ruvenset {
namespace {

struct ExpectedBlock {
  uint16_t address;
  std::vector<uint8_t> bytes;
};

// Pressure: Тос points (1000, 10.0 °C) and (3000, 30.0 °C); table 0 (100, 1.0) (200, 1.5) (300, 2.0);
// table 1 (0, 0.5) (0x123456, 2.5).
CalibrationImage PressureSample() {
  CalibrationImage image;
  const ChannelSection p = image.Channel(CalibrationSection::Pressure);
  p.SetTosCount(2);
  p.SetTosPoint(0, 1000, 10.0f);
  p.SetTosPoint(1, 3000, 30.0f);
  p.SetPointCount(0, 3);
  p.SetPoint(0, 0, 100, 1.0f);
  p.SetPoint(0, 1, 200, 1.5f);
  p.SetPoint(0, 2, 300, 2.0f);
  p.SetPointCount(1, 2);
  p.SetPoint(1, 0, 0, 0.5f);
  p.SetPoint(1, 1, 0x123456, 2.5f);
  return image;
}

// The device tables worked out by hand from the table format: count byte, 3-byte codes, records of
// start value and slope, check bytes (CRC-16/MODBUS, low byte first) over the bytes as sent.
const ExpectedBlock kPressureMsbFirst[] = {
    {0, {0x01, 0x00, 0x03, 0xE8, 0x01, 0x66}},
    {33, {0x41, 0x20, 0x00, 0x00, 0x3C, 0x23, 0xD7, 0x0A, 0x86, 0x58}},  // 10.0, slope 0.01
    {133, {0x02, 0x03, 0xE8, 0x0B, 0xB8, 0xDA, 0xF2}},
    {158, {0x02, 0x00, 0x00, 0x64, 0x00, 0x00, 0xC8, 0x26, 0x66}},
    {233, {0x3F, 0x80, 0x00, 0x00, 0x3B, 0xA3, 0xD7, 0x0A, 0xA0, 0x66}},  // 1.0, slope 0.005
    {243, {0x3F, 0xC0, 0x00, 0x00, 0x3B, 0xA3, 0xD7, 0x0A, 0xE1, 0xA2}},  // 1.5, slope 0.005
    {473, {0x01, 0x00, 0x00, 0x00, 0x01, 0xD8}},
    {548, {0x3F, 0x00, 0x00, 0x00, 0x35, 0xE1, 0x00, 0x06, 0xDC, 0xA7}},  // 0.5, slope 2/0x123456
};

const ExpectedBlock kPressureLsbFirst[] = {
    {0, {0x01, 0xE8, 0x03, 0x00, 0x81, 0x1C}},
    {33, {0x00, 0x00, 0x20, 0x41, 0x0A, 0xD7, 0x23, 0x3C, 0xD1, 0xA5}},
    {133, {0x02, 0xE8, 0x03, 0xB8, 0x0B, 0xAB, 0xA7}},
    {158, {0x02, 0x64, 0x00, 0x00, 0xC8, 0x00, 0x00, 0xB1, 0x1A}},
    {233, {0x00, 0x00, 0x80, 0x3F, 0x0A, 0xD7, 0xA3, 0x3B, 0xC1, 0x0D}},
    {243, {0x00, 0x00, 0xC0, 0x3F, 0x0A, 0xD7, 0xA3, 0x3B, 0xCF, 0xCD}},
    {473, {0x01, 0x00, 0x00, 0x00, 0x01, 0xD8}},
    {548, {0x00, 0x00, 0x00, 0x3F, 0x06, 0x00, 0xE1, 0x35, 0xDC, 0xC1}},
};

// Correction table: flows 0, 50, 100 with multipliers 1.0, 1.02, 0.98.
const ExpectedBlock kCorrectionMsbFirst[] = {
    {4324, {0x02, 0x00, 0x00, 0x00, 0x00, 0x42, 0x48, 0x00, 0x00, 0x87, 0xFE}},
    {4455, {0x3F, 0x80, 0x00, 0x00, 0x39, 0xD1, 0xB7, 0x0A, 0x29, 0xC5}},
    {4465, {0x3F, 0x82, 0x8F, 0x5C, 0xBA, 0x51, 0xB7, 0x0A, 0xED, 0x5B}},
};

const ExpectedBlock kCorrectionLsbFirst[] = {
    {4324, {0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x48, 0x42, 0xA5, 0xA1}},
    {4455, {0x00, 0x00, 0x80, 0x3F, 0x0A, 0xB7, 0xD1, 0x39, 0x64, 0x72}},
    {4465, {0x5C, 0x8F, 0x82, 0x3F, 0x0A, 0xB7, 0x51, 0xBA, 0x3E, 0x50}},
};

template <size_t N>
void ExpectBlocks(const DeviceMemoryMirror& mirror, const ExpectedBlock (&blocks)[N], const char* what) {
  size_t total = 0;
  for (const ExpectedBlock& b : blocks) {
    std::vector<uint8_t> got(b.bytes.size());
    ASSERT_TRUE(mirror.Load(b.address, got.data(), got.size())) << what << " at " << b.address;
    EXPECT_EQ(got, b.bytes) << what << " at " << b.address;
    total += b.bytes.size();
  }
  size_t known = 0;
  for (uint32_t a = 0; a < DeviceMemoryMirror::kSize; ++a) known += mirror.Known(a, 1) ? 1 : 0;
  EXPECT_EQ(known, total) << what << ": bytes written outside the expected tables";
}

TEST(DeviceSegments, PressureTablesByteExactInBothOrders) {
  const CalibrationImage image = PressureSample();
  DeviceMemoryMirror msb;
  ConvertSectionTables(image, CalibrationSection::Pressure, 16, DeviceByteOrder::MsbFirst, msb);
  ExpectBlocks(msb, kPressureMsbFirst, "most significant first");
  DeviceMemoryMirror lsb;
  ConvertSectionTables(image, CalibrationSection::Pressure, 16, DeviceByteOrder::LsbFirst, lsb);
  ExpectBlocks(lsb, kPressureLsbFirst, "least significant first");
}

TEST(DeviceSegments, DifferentialTablesLieAtTheirOwnBase) {
  CalibrationImage image = PressureSample();
  std::copy(image.Bytes(), image.Bytes() + sizeof(WideChannelLayout),
            reinterpret_cast<uint8_t*>(&image.differentialPressure));
  DeviceMemoryMirror mirror;
  ConvertSectionTables(image, CalibrationSection::DifferentialPressure, 7, DeviceByteOrder::MsbFirst, mirror);
  for (const ExpectedBlock& b : kPressureMsbFirst) {
    std::vector<uint8_t> got(b.bytes.size());
    ASSERT_TRUE(mirror.Load(b.address + 4324u, got.data(), got.size())) << b.address;
    EXPECT_EQ(got, b.bytes) << b.address;
  }
}

TEST(DeviceSegments, CorrectionTableByteExactInBothOrders) {
  CalibrationImage image;
  image.SetCorrectionCount(3);
  image.SetCorrectionPoint(0, 0.0f, 1.0f);
  image.SetCorrectionPoint(1, 50.0f, 1.02f);
  image.SetCorrectionPoint(2, 100.0f, 0.98f);
  DeviceMemoryMirror msb;
  ConvertSectionTables(image, CalibrationSection::CorrectionMultipliers, 16, DeviceByteOrder::MsbFirst, msb);
  ExpectBlocks(msb, kCorrectionMsbFirst, "most significant first");
  DeviceMemoryMirror lsb;
  ConvertSectionTables(image, CalibrationSection::CorrectionMultipliers, 16, DeviceByteOrder::LsbFirst, lsb);
  ExpectBlocks(lsb, kCorrectionLsbFirst, "least significant first");
}

TEST(DeviceSegments, TemperatureTablesAndTheModelNineRule) {
  CalibrationImage image;
  const ChannelSection t = image.Channel(CalibrationSection::Temperature);
  t.SetTosCount(2);
  t.SetTosPoint(0, 0x1234, 0.0f);
  t.SetTosPoint(1, 0x5678, 0.0f);
  for (int k = 0; k < 2; ++k) {
    t.SetPointCount(k, 2);
    t.SetPoint(k, 0, 0, -45.0f);
    t.SetPoint(k, 1, 8388607, 20.0f);
  }
  DeviceMemoryMirror mirror;
  ConvertSectionTables(image, CalibrationSection::Temperature, 18, DeviceByteOrder::MsbFirst, mirror);
  uint8_t directory[5];
  ASSERT_TRUE(mirror.Load(3623, directory, 5));
  EXPECT_EQ(std::vector<uint8_t>(directory, directory + 5),
            (std::vector<uint8_t>{2, 0x12, 0x34, 0x56, 0x78}));
  uint8_t header[4];
  ASSERT_TRUE(mirror.Load(3636 + 133, header, 4));
  EXPECT_EQ(std::vector<uint8_t>(header, header + 4), (std::vector<uint8_t>{1, 0, 0, 0}));
  EXPECT_TRUE(mirror.Known(3669 + 133, 10));

  DeviceMemoryMirror nine;
  ConvertSectionTables(image, CalibrationSection::Temperature, 9, DeviceByteOrder::MsbFirst, nine);
  EXPECT_FALSE(nine.Known(3623, 1));
  EXPECT_TRUE(nine.Known(3636, 6));
  EXPECT_FALSE(nine.Known(3636 + 133, 1));
}

TEST(DeviceSegments, CountBytesAndCodes) {
  const struct {
    int entries;
    uint8_t count;
  } counts[] = {{0, 0xFF}, {1, 0}, {2, 1}, {25, 24}, {26, 25}, {256, 0xFF}, {65535, 0xFF}};
  for (const auto& c : counts) EXPECT_EQ(SegmentCountByte(c.entries), c.count) << c.entries;
  uint8_t p[3];
  StoreDeviceCode24(p, 0x12345678, DeviceByteOrder::MsbFirst);
  EXPECT_EQ(std::vector<uint8_t>(p, p + 3), (std::vector<uint8_t>{0x34, 0x56, 0x78}));
  StoreDeviceCode24(p, 0x12345678, DeviceByteOrder::LsbFirst);
  EXPECT_EQ(std::vector<uint8_t>(p, p + 3), (std::vector<uint8_t>{0x78, 0x56, 0x34}));
  EXPECT_EQ(SegmentSlope(1.0, 2.0, 5.0, 5.0), 0.0f);
  EXPECT_FLOAT_EQ(SegmentSlope(1.0, 1.5, 100.0, 200.0), 0.005f);
}

TEST(DeviceSegments, TwentyFivePointsMakeTwentyFourRecordsAndEmptyTablesAreRefused) {
  CalibrationImage image;
  const ChannelSection d = image.Channel(CalibrationSection::DifferentialPressure);
  d.SetTosCount(2);
  d.SetPointCount(0, 25);
  for (int i = 0; i < 25; ++i) d.SetPoint(0, i, 1000 * i, static_cast<float>(i));
  d.SetPointCount(1, 0);
  DeviceMemoryMirror mirror;
  ConvertSectionTables(image, CalibrationSection::DifferentialPressure, 7, DeviceByteOrder::MsbFirst, mirror);
  uint8_t count = 0;
  ASSERT_TRUE(mirror.Load(4482, &count, 1));
  EXPECT_EQ(count, 24);
  EXPECT_TRUE(mirror.Known(4482, 75 + 240));
  ASSERT_TRUE(mirror.Load(4482 + 315, &count, 1));
  EXPECT_EQ(count, 0xFF);
  EXPECT_FALSE(mirror.Known(4482 + 315 + 3, 1));
  const WriteBackCheck check =
      CheckDeviceTables(mirror, CalibrationSection::DifferentialPressure, {7, 21, DeviceByteOrder::MsbFirst});
  EXPECT_EQ(check.status, WriteBackStatus::TableCountTooHigh);
}

TEST(DeviceSegments, DamagedCountsNeverReachPastTheTables) {
  CalibrationImage image;
  const ChannelSection p = image.Channel(CalibrationSection::Pressure);
  p.SetTosCount(65535);
  for (int k = 0; k < 11; ++k) p.SetPointCount(k, 65535);
  image.SetCorrectionCount(65535);
  DeviceMemoryMirror mirror;
  ConvertSectionTables(image, CalibrationSection::Pressure, 16, DeviceByteOrder::MsbFirst, mirror);
  EXPECT_TRUE(mirror.Known(0, 3623));
  EXPECT_FALSE(mirror.Known(3623, 1));
  const WriteBackTarget target{16, 21, DeviceByteOrder::MsbFirst};
  EXPECT_EQ(CheckDeviceTables(mirror, CalibrationSection::Pressure, target).status,
            WriteBackStatus::TooManyTosPoints);
  DeviceMemoryMirror correction;
  ConvertSectionTables(image, CalibrationSection::CorrectionMultipliers, 16, DeviceByteOrder::MsbFirst,
                       correction);
  EXPECT_TRUE(correction.Known(4324, 131 + 320));
  EXPECT_FALSE(correction.Known(4324 + 131 + 320, 1));
  EXPECT_EQ(CheckDeviceTables(correction, CalibrationSection::CorrectionMultipliers, target).status,
            WriteBackStatus::TooManyCorrectionSegments);
}

TEST(DeviceMemoryMirror, KnowsOnlyWhatWasStored) {
  DeviceMemoryMirror mirror;
  const uint8_t data[] = {1, 2, 3, 4};
  mirror.Store(65534, data, 4);
  EXPECT_TRUE(mirror.Known(65534, 2));
  EXPECT_FALSE(mirror.Known(65534, 3));
  EXPECT_FALSE(mirror.Known(65533, 1));
  uint8_t out[2] = {9, 9};
  EXPECT_FALSE(mirror.Load(65533, out, 2));
  EXPECT_EQ(out[0], 9);
  EXPECT_TRUE(mirror.Load(65534, out, 2));
  EXPECT_EQ(out[1], 2);
  mirror.Forget();
  EXPECT_FALSE(mirror.Known(65534, 1));
}

}  // namespace
}  // namespace ruvenset
