#include <gtest/gtest.h>
#include <cmath>

#include "common/adaptive_format.h"
#include "common/code_page.h"
#include "common/trimmed_text.h"
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

// A report in code page 1251 is told from one in UTF-8 by the shape of its sequences; every 1251 text
// converted is UTF-8.
TEST(CodePages, Utf8IsToldFromCodePage1251) {
  EXPECT_TRUE(IsUtf8("Отчёт Звіт 日 ok"));
  EXPECT_TRUE(IsUtf8(""));
  const std::string cp1251 = Utf8ToCp1251("Отчёт");
  EXPECT_FALSE(IsUtf8(cp1251));
  EXPECT_TRUE(IsUtf8(Cp1251ToUtf8(cp1251)));
  EXPECT_FALSE(IsUtf8("\xD0"));                  // cut at the end
  EXPECT_FALSE(IsUtf8("\xE6\x97x"));             // a continuation byte missing
  EXPECT_FALSE(IsUtf8("\xF8\x80\x80\x80\x80"));  // no such lead byte
  std::string every;
  for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
  EXPECT_TRUE(IsUtf8(Cp1251ToUtf8(every)));
}

TEST(TrimmedText, PaddingOnEitherSideOnly) {
  using namespace std::string_literals;
  EXPECT_EQ(Trimmed("  Давление:  "), "Давление:");
  EXPECT_EQ(Trimmed("a b"), "a b");
  EXPECT_EQ(Trimmed("    "), "");
  EXPECT_EQ(Trimmed(""), "");
  // An identification text padded with blanks and zero bytes keeps the zero byte inside it.
  EXPECT_EQ(Trimmed("\0 VALDOR\0x \0\0"s, kDeviceTextPadding), "VALDOR\0x"s);
  EXPECT_EQ(Trimmed("\0\0 \0"s, kDeviceTextPadding), "");
  EXPECT_EQ(Trimmed(" key\t\r", " \t\r"), "key");
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

// Every entry of the conversion tables, from the flow computer's unit (rows) to the chosen unit.
TEST(UnitTables, EveryFactorOfEveryTable) {
  const float pressure[2][8] = {
      {1, 0.0980665f, 98.0665f, 10, 14.223338f, 0.980665f, 735.56f, 980.665f},
      {10.197162f, 1, 1000, 101.97162f, 145.03767f, 10, 7501.032f, 10000},
  };
  const float differential[2][9] = {
      {1, 0.00980665f, 1, 0.1f, 0.039370079f, 0.0014223338f, 0.0980665f, 0.0000980665f, 0.0001f},
      {101.97162f, 1, 101.97162f, 10.197162f, 4.0146308f, 0.14503768f, 10, 0.01f, 0.010197162f},
  };
  const ValueRange atmospheric[8] = {{0.8564f, 1.088f}, {0.083984f, 0.106696f},   {83.98415f, 106.69635f},
                                     {8.564f, 10.88f},  {12.180866f, 15.474992f}, {0.839841f, 1.066964f},
                                     {629.96783f, 800}, {840, 1066.9635f}};
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 8; ++col)
      EXPECT_EQ(PressureUnitFactor(row, col), pressure[row][col]) << row << col;
    for (int col = 0; col < 9; ++col)
      EXPECT_EQ(DiffPressureUnitFactor(row, col), differential[row][col]) << row << col;
  }
  for (int unit = 0; unit < 8; ++unit) {
    EXPECT_EQ(AtmosphericPressureRange(unit).min, atmospheric[unit].min) << unit;
    EXPECT_EQ(AtmosphericPressureRange(unit).max, atmospheric[unit].max) << unit;
  }
}

// A HART reading in the transmitter's unit, by its HART unit code, into the flow computer's units.
TEST(UnitTables, HartUnitCodesAndTheirFactors) {
  struct Case {
    int hartCode;
    float toKgfCm2, toMpa;
  };
  const Case pressure[] = {{10, 1, 0.0980665f},
                           {237, 10.197162f, 1},
                           {12, 0.010197162f, 0.001f},
                           {6, 0.070307f, 0.00689476f},
                           {7, 1.0197162f, 0.1f}};
  for (const Case& c : pressure) {
    const int unit = MapHartPressureUnit(c.hartCode);
    EXPECT_EQ(HartPressureFactor(unit, 0), c.toKgfCm2) << c.hartCode;
    EXPECT_EQ(HartPressureFactor(unit, 1), c.toMpa) << c.hartCode;
  }
  const Case differential[] = {{4, 1, 0.00980665f},      {12, 101.97162f, 1},  {1, 25.4f, 0.249089f},
                               {6, 703.0699f, 6.89476f}, {7, 10197.162f, 100}, {10, 10000, 98.0665f}};
  for (const Case& c : differential) {
    const int unit = MapHartDiffPressureUnit(c.hartCode);
    EXPECT_EQ(HartDiffPressureFactor(unit, 0), c.toKgfCm2) << c.hartCode;
    EXPECT_EQ(HartDiffPressureFactor(unit, 1), c.toMpa) << c.hartCode;
  }
}

}  // namespace
}  // namespace ruvenset
