#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "session/calibration_image.h"
#include "storage/canonical_order.h"
#include "storage_test_support.h"

namespace ruvenset {
namespace {

struct LayoutCase {
  const char* name;
  std::function<void(CalibrationImage&)> set;
  size_t offset;
  std::vector<uint8_t> bytes;
};

TEST(CalibrationImageLayout, FieldsLandAtTheirFileOffsets) {
  const auto channel = [](CalibrationImage& im, CalibrationSection s) { return im.Channel(s); };
  const LayoutCase cases[] = {
      {"pressure Тос count",
       [&](auto& im) { channel(im, CalibrationSection::Pressure).SetTosCount(0x0B0A); },
       0,
       {0x0A, 0x0B}},
      {"pressure Тос code 10",
       [&](auto& im) { channel(im, CalibrationSection::Pressure).SetTosPoint(10, 0x01020304, 0.0f); },
       2 + 40,
       {0x04, 0x03, 0x02, 0x01}},
      {"pressure Тос value 0",
       [&](auto& im) { channel(im, CalibrationSection::Pressure).SetTosPoint(0, 0, 1.0f); },
       46,
       {0x00, 0x00, 0x80, 0x3F}},
      {"pressure table 2 count",
       [&](auto& im) { channel(im, CalibrationSection::Pressure).SetPointCount(2, 25); },
       90 + 404,
       {25, 0}},
      {"pressure table 2 code 1",
       [&](auto& im) { channel(im, CalibrationSection::Pressure).SetPoint(2, 1, 0xABCDEF, 0.0f); },
       90 + 404 + 2 + 4,
       {0xEF, 0xCD, 0xAB, 0x00}},
      {"pressure table 10 value 24",
       [&](auto& im) { channel(im, CalibrationSection::Pressure).SetPoint(10, 24, 0, -2.0f); },
       90 + 2020 + 102 + 96,
       {0x00, 0x00, 0x00, 0xC0}},
      {"temperature Тос count",
       [&](auto& im) { channel(im, CalibrationSection::Temperature).SetTosCount(5); },
       2312,
       {5, 0}},
      {"temperature Тос code 4",
       [&](auto& im) { channel(im, CalibrationSection::Temperature).SetTosPoint(4, 65535, 0.0f); },
       2314 + 16,
       {0xFF, 0xFF, 0x00, 0x00}},
      {"temperature Тос value 1",
       [&](auto& im) { channel(im, CalibrationSection::Temperature).SetTosPoint(1, 0, 20.0f); },
       2334 + 4,
       {0x00, 0x00, 0xA0, 0x41}},
      {"temperature table 4 count",
       [&](auto& im) { channel(im, CalibrationSection::Temperature).SetPointCount(4, 11); },
       2354 + 360,
       {11, 0}},
      {"temperature table 1 value 10",
       [&](auto& im) { channel(im, CalibrationSection::Temperature).SetPoint(1, 10, 0, 1.0f); },
       2354 + 90 + 46 + 40,
       {0x00, 0x00, 0x80, 0x3F}},
      {"identification code",
       [](auto& im) { im.SetIdentificationCode(0x11223344); },
       2814,
       {0x44, 0x33, 0x22, 0x11}},
      {"differential Тос count",
       [&](auto& im) { channel(im, CalibrationSection::DifferentialPressure).SetTosCount(7); },
       2818,
       {7, 0}},
      {"differential Тос value 0",
       [&](auto& im) { channel(im, CalibrationSection::DifferentialPressure).SetTosPoint(0, 0, -2.0f); },
       2864,
       {0x00, 0x00, 0x00, 0xC0}},
      {"differential table 1 code 0",
       [&](auto& im) {
         channel(im, CalibrationSection::DifferentialPressure).SetPoint(1, 0, 0x7FFFFF, 0.0f);
       },
       2908 + 202 + 2,
       {0xFF, 0xFF, 0x7F, 0x00}},
      {"characteristic",
       [](auto& im) { im.SetCharacteristic(CalibrationSection::DifferentialPressure, 0, 1.0f); },
       5152,
       {0x00, 0x00, 0x80, 0x3F}},
      {"correction count", [](auto& im) { im.SetCorrectionCount(33); }, 5168, {33, 0}},
      {"correction flow 32",
       [](auto& im) { im.SetCorrectionPoint(32, 1.0f, 0.0f); },
       5170 + 128,
       {0x00, 0x00, 0x80, 0x3F}},
      {"correction multiplier 0",
       [](auto& im) { im.SetCorrectionPoint(0, 0.0f, -2.0f); },
       5302,
       {0x00, 0x00, 0x00, 0xC0}},
  };
  for (const LayoutCase& c : cases) {
    CalibrationImage image;
    c.set(image);
    const std::vector<uint8_t> bytes = test::ImageBytes(image);
    for (size_t i = 0; i < bytes.size(); ++i) {
      const bool inField = i >= c.offset && i < c.offset + c.bytes.size();
      const uint8_t expected = inField ? c.bytes[i - c.offset] : 0;
      ASSERT_EQ(bytes[i], expected) << c.name << " at offset " << i;
    }
  }
}

TEST(CalibrationImageLayout, ReadsFieldsBackFromRawBytes) {
  CalibrationImage image;
  uint8_t* b = image.Bytes();
  b[2813] = 1;
  b[5139] = 2;
  b[5166] = 18;
  b[5167] = 25;
  b[5434 + 2] = 0x2C;  // temperature pause 300 ms
  b[5434 + 3] = 0x01;
  b[5444 + 2] = 9;
  EXPECT_EQ(image.UnitCode(CalibrationSection::Pressure), 1);
  EXPECT_EQ(image.UnitCode(CalibrationSection::DifferentialPressure), 2);
  EXPECT_EQ(image.modelCode, 18);
  EXPECT_EQ(image.softwareVersion, 25);
  EXPECT_EQ(image.MeasurementPause(1), 300);
  EXPECT_EQ(image.ConversionCount(2), 9);
  EXPECT_EQ(image.AdcParameters(CalibrationSection::Temperature), b + 2804);
  EXPECT_EQ(image.AdcParameters(CalibrationSection::DifferentialPressure), b + 5130);
}

TEST(CalibrationImageLayout, IndicesBeyondCapacityReadZeroAndWriteNothing) {
  CalibrationImage image;
  const ChannelSection t = image.Channel(CalibrationSection::Temperature);
  t.SetTosCount(65535);
  t.SetPointCount(5, 3);
  t.SetPoint(0, 11, 1, 1.0f);
  t.SetTosPoint(-1, 1, 1.0f);
  image.SetCorrectionPoint(33, 1.0f, 1.0f);
  EXPECT_EQ(t.UsedTosPoints(), 5);
  EXPECT_EQ(t.PointCount(5), 0);
  EXPECT_EQ(t.PointCode(0, 11), 0);
  EXPECT_EQ(image.CorrectionFlow(33), 0.0f);
  CalibrationImage expected;
  expected.Channel(CalibrationSection::Temperature).SetTosCount(65535);
  EXPECT_EQ(test::ImageBytes(image), test::ImageBytes(expected));
  EXPECT_EQ(image.Channel(CalibrationSection::CorrectionMultipliers).TosCount(), 0);
}

TEST(CalibrationImageCheck, ZeroImageCarriesItsCrcLowByteFirst) {
  CalibrationImage image;
  image.StoreCheckBytes();
  EXPECT_EQ(image.Bytes()[6256], 0xE2);
  EXPECT_EQ(image.Bytes()[6257], 0x4B);
  EXPECT_TRUE(image.CheckBytesValid());
}

TEST(CalibrationImageCheck, EverySingleBitFlipIsDetected) {
  const CalibrationImage image = test::SampleImage();
  ASSERT_TRUE(image.CheckBytesValid());
  for (size_t byte = 0; byte < kCalibrationImageSize; ++byte) {
    for (int bit = 0; bit < 8; ++bit) {
      CalibrationImage damaged = image;
      damaged.Bytes()[byte] ^= static_cast<uint8_t>(1u << bit);
      ASSERT_FALSE(damaged.CheckBytesValid()) << "byte " << byte << " bit " << bit;
    }
  }
}

TEST(CanonicalOrder, TosPointsMoveWithTheirValuesAndTables) {
  CalibrationImage image;
  const ChannelSection p = image.Channel(CalibrationSection::Pressure);
  p.SetTosCount(3);
  const int32_t codes[] = {300, 100, 200};
  for (int k = 0; k < 3; ++k) {
    p.SetTosPoint(k, codes[k], static_cast<float>(codes[k]) / 10.0f);
    p.SetPointCount(k, 2);
    p.SetPoint(k, 0, codes[k], 1.0f);
    p.SetPoint(k, 1, codes[k] + 1, 2.0f);
  }
  PutInCanonicalOrder(image, CalibrationSection::Pressure, 16);
  for (int k = 0; k < 3; ++k) {
    const int32_t code = 100 * (k + 1);
    EXPECT_EQ(p.TosCode(k), code);
    EXPECT_FLOAT_EQ(p.TosValue(k), static_cast<float>(code) / 10.0f);
    EXPECT_EQ(p.PointCode(k, 0), code);
    EXPECT_EQ(p.PointCode(k, 1), code + 1);
  }
}

TEST(CanonicalOrder, PointsOfEveryTableSortByCode) {
  for (CalibrationSection s : {CalibrationSection::Pressure, CalibrationSection::Temperature,
                               CalibrationSection::DifferentialPressure}) {
    CalibrationImage image;
    const ChannelSection c = image.Channel(s);
    c.SetTosCount(2);
    c.SetPointCount(1, 2);
    c.SetPoint(1, 0, 5, 2.0f);
    c.SetPoint(1, 1, 1, 0.5f);
    c.SetPoint(0, 0, 9, 1.0f);  // table 0 has no points: left alone
    c.SetPoint(0, 1, 3, 1.0f);
    PutInCanonicalOrder(image, s, 16);
    EXPECT_EQ(c.PointCode(1, 0), 1);
    EXPECT_EQ(c.PointValue(1, 0), 0.5f);
    EXPECT_EQ(c.PointCode(1, 1), 5);
    EXPECT_EQ(c.PointValue(1, 1), 2.0f);
    EXPECT_EQ(c.PointCode(0, 0), 9);
  }
}

TEST(CanonicalOrder, ModelNineKeepsTemperatureTosOrderButSortsTables) {
  CalibrationImage image;
  const ChannelSection t = image.Channel(CalibrationSection::Temperature);
  t.SetTosCount(2);
  t.SetTosPoint(0, 500, 1.0f);
  t.SetTosPoint(1, 100, 2.0f);
  t.SetPointCount(0, 2);
  t.SetPoint(0, 0, 50, 1.0f);
  t.SetPoint(0, 1, 10, 0.0f);
  PutInCanonicalOrder(image, CalibrationSection::Temperature, 9);
  EXPECT_EQ(t.TosCode(0), 500);
  EXPECT_EQ(t.PointCode(0, 0), 10);
  PutInCanonicalOrder(image, CalibrationSection::Temperature, 18);
  EXPECT_EQ(t.TosCode(0), 100);
}

TEST(CanonicalOrder, CorrectionPointsSortByFlowAndOnlyTheSectionAsked) {
  CalibrationImage image;
  image.SetCorrectionCount(3);
  image.SetCorrectionPoint(0, 30.0f, 1.03f);
  image.SetCorrectionPoint(1, 10.0f, 1.01f);
  image.SetCorrectionPoint(2, 20.0f, 1.02f);
  const ChannelSection p = image.Channel(CalibrationSection::Pressure);
  p.SetTosCount(2);
  p.SetTosPoint(0, 9, 0.0f);
  PutInCanonicalOrder(image, CalibrationSection::CorrectionMultipliers, 16);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(image.CorrectionFlow(i), 10.0f * static_cast<float>(i + 1));
    EXPECT_FLOAT_EQ(image.CorrectionMultiplier(i), 1.01f + 0.01f * static_cast<float>(i));
  }
  EXPECT_EQ(p.TosCode(0), 9);
}

TEST(CanonicalOrder, DamagedCountsAndNanValuesSortWithoutReachingPastTheArrays) {
  CalibrationImage image;
  const ChannelSection d = image.Channel(CalibrationSection::DifferentialPressure);
  d.SetTosCount(65535);
  for (int k = 0; k < 11; ++k) {
    d.SetTosPoint(k, 11 - k, std::numeric_limits<float>::quiet_NaN());
    d.SetPointCount(k, 65535);
    for (int i = 0; i < 25; ++i) d.SetPoint(k, i, 25 - i, std::numeric_limits<float>::quiet_NaN());
  }
  image.SetCorrectionCount(65535);
  for (int i = 0; i < 33; ++i) image.SetCorrectionPoint(i, std::numeric_limits<float>::quiet_NaN(), 1.0f);
  const std::vector<uint8_t> after5130(image.Bytes() + 5130, image.Bytes() + 5168);
  PutInCanonicalOrder(image, CalibrationSection::DifferentialPressure, 7);
  PutInCanonicalOrder(image, CalibrationSection::CorrectionMultipliers, 7);
  EXPECT_EQ(d.TosCode(0), 1);
  EXPECT_EQ(d.PointCode(3, 0), 1);
  EXPECT_EQ(d.PointCode(3, 24), 25);
  EXPECT_TRUE(std::isnan(d.PointValue(3, 0)));
  EXPECT_EQ(std::vector<uint8_t>(image.Bytes() + 5130, image.Bytes() + 5168), after5130);
}

}  // namespace
}  // namespace ruvenset
