#include <gtest/gtest.h>

#include <string>

#include "session/language_texts.h"
#include "storage/adc_parameters.h"

namespace ruvenset {
namespace {

LanguageTexts Russian() {
  LanguageTexts texts;
  LanguageTexts::Load(std::string(RUVENSET_SOURCE_DIR) + "/lang/Lang01.txt", texts);
  return texts;
}

TEST(AdcParameters, PolarityOfTheOtherModelsSetsItsMarkerBitsByBlock) {
  uint8_t main[9]{};
  uint8_t second[9]{};
  EncodeAdcSetting(main, AdcFamily::Classic, {AdcBlock::Main, 0, AdcField::Polarity}, 1);
  EncodeAdcSetting(second, AdcFamily::Classic, {AdcBlock::Second, 0, AdcField::Polarity}, 1);
  EXPECT_EQ(main[1], 0xD0);
  EXPECT_EQ(second[1], 0x90);
  // Clearing the option keeps the markers and the filter's high part.
  main[1] = 0xD5;
  EncodeAdcSetting(main, AdcFamily::Classic, {AdcBlock::Main, 0, AdcField::Polarity}, 0);
  EXPECT_EQ(main[1], 0xC5);
  EXPECT_EQ(DecodeAdcSetting(main, AdcFamily::Classic, {AdcBlock::Main, 0, AdcField::Polarity}), 0);
}

TEST(AdcParameters, FilterIsTwelveBitsAcrossTwoBytes) {
  uint8_t block[9]{};
  block[4] = 0xF7;  // input 1: option markers above, old filter high part below
  const AdcSetting filter{AdcBlock::Main, 1, AdcField::Filter};
  EncodeAdcSetting(block, AdcFamily::Classic, filter, 1000);
  EXPECT_EQ(block[4], 0xF3);
  EXPECT_EQ(block[5], 0xE8);
  EXPECT_EQ(DecodeAdcSetting(block, AdcFamily::Classic, filter), 1000);
  EncodeAdcSetting(block, AdcFamily::Classic, filter, 2000);
  EXPECT_EQ(DecodeAdcSetting(block, AdcFamily::Classic, filter), 2000);
  EncodeAdcSetting(block, AdcFamily::Classic, filter, 5000);  // beyond the field: the upper bound
  EXPECT_EQ(DecodeAdcSetting(block, AdcFamily::Classic, filter), kFilterMax);
  EncodeAdcSetting(block, AdcFamily::Classic, filter, 3);
  EXPECT_EQ(DecodeAdcSetting(block, AdcFamily::Classic, filter), kFilterMin);
  for (int i : {0, 1, 2, 3, 6, 7, 8}) EXPECT_EQ(block[i], 0) << i;
}

TEST(AdcParameters, EachFieldChangesOnlyItsOwnBits) {
  struct Case {
    AdcFamily family;
    AdcSetting setting;
    int byte;
    uint8_t mask;
  };
  const Case cases[] = {
      {AdcFamily::Sigma, {AdcBlock::Main, 2, AdcField::Gain}, 2, 0x07},
      {AdcFamily::Sigma, {AdcBlock::Main, 1, AdcField::Rate}, 4, 0x03},
      {AdcFamily::Sigma, {AdcBlock::Main, 0, AdcField::Range}, 3, 0x04},
      {AdcFamily::Sigma, {AdcBlock::Main, 0, AdcField::Buffer}, 3, 0x10},
      {AdcFamily::Sigma, {AdcBlock::Main, 0, AdcField::ClockDivider}, 3, 0x20},
      {AdcFamily::Sigma, {AdcBlock::Main, 2, AdcField::Polarity}, 5, 0x40},
      {AdcFamily::Model9, {AdcBlock::Main, 0, AdcField::Gain}, 0, 0x03},
      {AdcFamily::Model9, {AdcBlock::Main, 0, AdcField::Rate}, 1, 0x38},
      {AdcFamily::Model9, {AdcBlock::Main, 0, AdcField::Clock}, 1, 0x20},
      {AdcFamily::Model9, {AdcBlock::Main, 0, AdcField::Range}, 1, 0x04},
      {AdcFamily::Model9, {AdcBlock::Main, 0, AdcField::Buffer}, 1, 0x02},
      {AdcFamily::Model9, {AdcBlock::Main, 0, AdcField::FilterSync}, 1, 0x01},
      {AdcFamily::Classic, {AdcBlock::Main, 2, AdcField::Gain}, 6, 0x1C},
  };
  for (const Case& c : cases) {
    for (uint8_t fill : {uint8_t{0x00}, uint8_t{0xFF}}) {
      uint8_t block[9];
      std::fill(block, block + 9, fill);
      const int highest = (c.mask >> __builtin_ctz(c.mask));
      EncodeAdcSetting(block, c.family, c.setting, fill ? 0 : highest);
      for (int i = 0; i < 9; ++i) {
        const uint8_t expected = i != c.byte ? fill : static_cast<uint8_t>(fill ? fill & ~c.mask : c.mask);
        EXPECT_EQ(block[i], expected) << "byte " << i << " mask " << int(c.mask) << " fill " << int(fill);
      }
      EXPECT_EQ(DecodeAdcSetting(block, c.family, c.setting), fill ? 0 : highest);
    }
  }
}

TEST(AdcParameters, RowsFollowTheModelFamily) {
  const LanguageTexts texts = Russian();
  AdcBlocks blocks;
  blocks.main[1] = 0x05;  // input 1 gain 5 (32)
  blocks.main[4] = 0x42;  // input 1: unipolar, rate 3.75
  std::vector<AdcRow> rows = AdcRows(16, 1);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(AdcRowText(blocks, 16, rows[0], texts), "Вход 2: коэффициент усиления: 32 ");
  EXPECT_EQ(AdcRowText(blocks, 16, rows[1], texts), "Вход 2: полярность входа: униполярный");
  EXPECT_EQ(AdcRowText(blocks, 16, rows[5], texts), "Вход 2: частота преобразования: 3.75");
  EXPECT_EQ(AdcRows(16, 0).size(), 12u);
  EXPECT_EQ(AdcRows(16, 2)[0].setting.block, AdcBlock::Second);
  EXPECT_EQ(AdcRows(16, 3).size(), 30u);
  EXPECT_EQ(AdcRows(20, 3).size(), 18u);  // no second block

  AdcBlocks classic;
  classic.main[3] = 0x0C;  // input 2 gain code 3
  classic.main[4] = 0x13;  // bipolar/unipolar bit set, filter high part 3
  classic.main[5] = 0xE8;
  rows = AdcRows(7, 1);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(AdcRowText(classic, 7, rows[0], texts), "Вход 2: коэффициент усиления: 8");
  EXPECT_EQ(AdcRowText(classic, 7, rows[1], texts), "Вход 2: полярность входа: униполярный");
  EXPECT_EQ(AdcRowText(classic, 7, rows[2], texts), "Вход 2: значение фильтра: 1000");

  AdcBlocks nine;
  nine.main[0] = 0x02;
  nine.main[1] = 0x28;  // clock 2.4576 MHz, rate code 5 (60 Hz)
  rows = AdcRows(9, 1);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(AdcRowText(nine, 9, rows[0], texts), "Коэффициент усиления: 32 ");
  EXPECT_EQ(AdcRowText(nine, 9, rows[1], texts), "Тактовая частота: 2.4576 МГц");
  EXPECT_EQ(AdcRowText(nine, 9, rows[2], texts), "Частота выдачи результатов: 60 Гц");
  EXPECT_TRUE(AdcRows(9, 0).empty());
}

TEST(AdcParameters, ReportListsPerModel) {
  const LanguageTexts texts = Russian();
  AdcBlocks blocks;
  blocks.main[1] = 0x07;
  blocks.main[4] = 0x24;  // clock divider Fosc/256, range ±Vref/2
  const std::vector<std::string> sigma = AdcReportLines(blocks, 16, true, texts);
  ASSERT_EQ(sigma.size(), 6u);
  EXPECT_EQ(sigma[1], "    Делитель тактовой частоты: Fosc/256");
  EXPECT_EQ(sigma[3], "    Диапазон входа: ±Vref/2");
  EXPECT_EQ(sigma[5], "    Температура: коэффициент усиления: 128");
  EXPECT_TRUE(AdcReportLines(blocks, 20, false, texts).empty());
  EXPECT_EQ(AdcReportLines(blocks, 9, false, texts).size(), 6u);
  const std::vector<std::string> classic = AdcReportLines(blocks, 7, true, texts);
  ASSERT_EQ(classic.size(), 17u);
  EXPECT_EQ(classic[10], "  Блок АЦП перепада давления:");
  EXPECT_EQ(classic[16], "    Перепад давления, вход 2: значение фильтра: 0");
  EXPECT_EQ(AdcReportLines(blocks, 7, false, texts).size(), 10u);
}

}  // namespace
}  // namespace ruvenset
