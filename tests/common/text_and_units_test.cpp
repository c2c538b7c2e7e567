#include <gtest/gtest.h>
#include <cmath>

#include "common/adaptive_format.h"
#include "common/code_page.h"
#include "common/unit_tables.h"

namespace ruvenset {
namespace {

TEST(AdaptiveFormat, PrecisionFollowsMagnitude) {
  struct Row {
    float value;
    const char* text;
  };
  const Row rows[] = {
      {12345.6f, "12346"},  {1234.56f, "1234.6"},   {123.456f, "123.46"}, {12.3456f, "12.346"},
      {1.23456f, "1.2346"}, {-1234.56f, "-1234.6"}, {0.0f, "0.0000"},     {9999.99f, "10000.0"},
  };
  for (const auto& r : rows) EXPECT_EQ(FormatAdaptive(r.value), r.text) << r.value;
  EXPECT_EQ(std::string(AdaptiveFormat(std::nanf(""))), "%.4f");
  EXPECT_FLOAT_EQ(RoundToDisplayed(1.234567f), 1.2346f);
}

TEST(CodePages, DeviceLettersMoveBetweenCodePages) {
  EXPECT_EQ(Cp1251ToCp866(0xC0), 0x80);  // А
  EXPECT_EQ(Cp1251ToCp866(0xFF), 0xEF);  // я
  EXPECT_EQ(Cp1251ToCp866(0xA8), 0xA8);  // Ё passes unchanged
  EXPECT_EQ(Cp1251ToCp866('7'), '7');
  for (int b = 0xC0; b <= 0xFF; ++b) EXPECT_EQ(Cp866ToCp1251(Cp1251ToCp866(static_cast<uint8_t>(b))), b);
  for (int b = 0; b < 0x80; ++b) EXPECT_EQ(Cp866ToCp1251(static_cast<uint8_t>(b)), b);

  const uint8_t device[] = {0x8A, 0xAE, 0xE0, 0xE0, 0xA5, 0xAA, 0xE2, 0xAE, 0xE0, ' ', '1', 0, 'x'};
  EXPECT_EQ(DeviceTextToUtf8(device, sizeof device), "Корректор 1");
}

TEST(CodePages, Utf8RoundTrip) {
  const std::string text = "Пароль Ёё №5 Ґґ Іі";
  EXPECT_EQ(Cp1251ToUtf8(Utf8ToCp1251(text)), text);
  EXPECT_EQ(Utf8ToCp1251("日"), "?");
  EXPECT_EQ(Utf8ToCp1251(std::string("\xD0", 1)), "?");  // a cut sequence never reads past the text
}

TEST(UnitTables, FactorsAndGuards) {
  EXPECT_FLOAT_EQ(PressureUnitFactor(0, 2), 98.0665f);
  EXPECT_FLOAT_EQ(PressureUnitFactor(1, 0), 10.197162f);
  EXPECT_FLOAT_EQ(DiffPressureUnitFactor(1, 4), 4.0146308f);
  EXPECT_FLOAT_EQ(PressureUnitFactor(7, 0), 1.0f);
  EXPECT_FLOAT_EQ(DiffPressureUnitFactor(0, 9), 1.0f);
  // 101.325 kPa of atmosphere is 1.0332 kgf/cm2.
  EXPECT_NEAR(101.325f / PressureUnitFactor(0, 2), 1.0332f, 1e-4f);
  EXPECT_FLOAT_EQ(AtmosphericPressureRange(7).max, 1066.9635f);
  EXPECT_EQ(MapHartPressureUnit(237), 1);
  EXPECT_EQ(MapHartDiffPressureUnit(1), 2);
  EXPECT_EQ(MapHartPressureUnit(99), -1);
  EXPECT_FLOAT_EQ(HartDiffPressureFactor(2, 0), 25.4f);
  EXPECT_FLOAT_EQ(RecordUnitFactor(0, 1, 0), 0.0980665f);
  EXPECT_FLOAT_EQ(RecordUnitFactor(2, 0, 1), 101.97162f);
  EXPECT_FLOAT_EQ(RecordUnitFactor(1, 0, 1), 1.0f);
}

}  // namespace
}  // namespace ruvenset
