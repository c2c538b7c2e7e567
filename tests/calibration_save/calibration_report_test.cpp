#include <gtest/gtest.h>

#include <string>

#include "calibration/calibration_report.h"
#include "shell/language_texts.h"

namespace ruvenset {
namespace {

LanguageTexts Catalogue(bool russian) {
  LanguageTexts texts;
  LanguageTexts::Load(std::string(RUVENSET_SOURCE_DIR) + (russian ? "/lang/Lang01.txt" : "/lang/Lang00.txt"),
                      texts);
  return texts;
}

std::tm Morning() {
  std::tm when{};
  when.tm_year = 126;
  when.tm_mon = 11;
  when.tm_mday = 8;
  when.tm_hour = 4;
  when.tm_min = 5;
  when.tm_sec = 6;
  return when;
}

void SetTable(ChannelSection channel, int32_t tosCode, float tosValue,
              std::initializer_list<std::pair<int32_t, float>> points) {
  channel.SetTosCount(1);
  channel.SetTosPoint(0, tosCode, tosValue);
  channel.SetPointCount(0, static_cast<uint16_t>(points.size()));
  int i = 0;
  for (const auto& [code, value] : points) channel.SetPoint(0, i++, code, value);
}

// Model 16 with a volume meter: pressure in MPa, temperature, the temperature input's ADC settings,
// slope and offset (version 35) and the correction multipliers.
TEST(CalibrationReport, Model16InRussian) {
  CalibrationImage image;
  image.modelCode = 16;
  image.softwareVersion = 35;
  image.SetIdentificationCode(160123);
  image.pressureUnit = 1;
  SetTable(image.Channel(CalibrationSection::Pressure), 32768, 20.0f, {{100000, 0.0f}, {8000000, 16.0f}});
  SetTable(image.Channel(CalibrationSection::Temperature), 33000, 21.5f,
           {{4000000, -45.0f}, {8000000, 85.0f}});
  image.pressureAdcParameters[1] = 0x03;
  image.pressureAdcParameters[4] = 0x51;
  image.SetCharacteristic(CalibrationSection::Pressure, -0.5f, 1.02f);
  image.SetCorrectionCount(2);
  image.SetCorrectionPoint(0, 0.0f, 1.0f);
  image.SetCorrectionPoint(1, 500.0f, 1.002f);
  ReportOptions options;
  options.russian = true;
  options.correctionTable = true;
  options.when = Morning();
  const std::string expected =
      "\n"
      "\n"
      "                    Отчет о параметрах калибровки.               \n"
      "\n"
      "  ВАЛДОР-ТМ-X-3\" (только канал температуры)\n"
      "  Номер платы: 16 \n"
      "  Версия ПО: 35 \n"
      "  Заводской №  160123. \n"
      "\n"
      "  Дата: 08.12.26 г.  Время:  04:05:06.\n"
      "\n"
      "  Давление:               \n"
      "\n"
      "  Единица измерений давления:   MПа.  \n"
      "\n"
      "  Количество точек Тос для давления:   1.   \n"
      "\n"
      "  Номер точки Тос: 1   Код АЦП Тос: 32768   Значение Тос: 20 град.Целс \n"
      "  ---------------------------------------------------------------------- \n"
      "   № точки            Код АЦП          Давление, MПа \n"
      "  ---------------------------------------------------------------------- \n"
      "     1                 100000                      0   \n"
      "     2                8000000                1.56906   \n"
      "  ---------------------------------------------------------------------- \n"
      "  ---------------------------------------------------------------------- \n"
      "\n"
      "  Температура газа:               \n"
      "\n"
      "  Количество точек Тос для температуры газа:   1.   \n"
      "\n"
      "  Номер точки Тос: 1   Код АЦП Тос: 33000   Значение Тос: 21.5 град.Целс \n"
      "  ---------------------------------------------------------------------- \n"
      "   № точки            Код АЦП          Температура, град. С \n"
      "  ---------------------------------------------------------------------- \n"
      "     1                4000000                    -45   \n"
      "     2                8000000                     85   \n"
      "  ---------------------------------------------------------------------- \n"
      "  ---------------------------------------------------------------------- \n"
      "\n"
      "            Параметры каналов АЦП.      \n"
      "\n"
      "    Полярность входа: униполярный\n"
      "    Делитель тактовой частоты: Fosc/128\n"
      "    Входной буфер: включен\n"
      "    Диапазон входа: ±Vref\n"
      "    Частота преобразования: 7.5 \n"
      "    Температура: коэффициент усиления: 8 \n"
      "\n"
      "\n"
      "            Наклон НСХП и смещение.      \n"
      "\n"
      "  Давление:         Наклон: 1.02,  Смещение: -0.5 MПа  \n"
      "\n"
      "\n"
      "            Поправочные множители.      \n"
      "\n"
      "  Количество точек расхода:   2.   \n"
      "\n"
      "   № точки            Расход,м3/ч        Значение коэф. \n"
      "  ---------------------------------------------------------------------- \n"
      "     1                      0                      1   \n"
      "     2                    500                  1.002   \n"
      "  ---------------------------------------------------------------------- \n"
      "\n";
  EXPECT_EQ(CalibrationReportText(image, options, Catalogue(true)), expected);
}

// Model 7 below version 20: no pressure Тос points, the differential-pressure section in kPa, every ADC
// input of both blocks, the differential-pressure offset alone.
TEST(CalibrationReport, Model7InUkrainian) {
  CalibrationImage image;
  image.modelCode = 7;
  image.softwareVersion = 19;
  image.SetIdentificationCode(42);
  image.differentialUnit = 1;
  SetTable(image.Channel(CalibrationSection::Temperature), 33000, 21.5f,
           {{4000000, -45.0f}, {8000000, 85.0f}});
  SetTable(image.Channel(CalibrationSection::DifferentialPressure), 40000, -5.25f,
           {{10, 0.0f}, {12345678, 2500.0f}});
  const uint8_t main[9] = {0x0C, 0xD3, 0xE8, 0x00, 0x00, 0x32, 0x00, 0x00, 0x64};
  std::copy(main, main + 9, image.pressureAdcParameters);
  image.differentialAdcParameters[2] = 0x13;
  image.SetCharacteristic(CalibrationSection::DifferentialPressure, 0.25f, 1.0f);
  ReportOptions options;
  options.russian = false;
  options.differentialChannel = true;
  options.when = Morning();
  const std::string expected =
      "\n"
      "\n"
      "                    Звіт о параметрах калібровки.               \n"
      "\n"
      "  ВАЛДОР-ТМ-X-3\" (тільки канал температури)\n"
      "  Номер плати: 7 \n"
      "  Версія ПЗ: 19 \n"
      "  Заводський №  42. \n"
      "\n"
      "  Дата: 08.12.26 р.  Час:  04:05:06.\n"
      "\n"
      "  Тиск:               \n"
      "\n"
      "  Одиниця вимірюваннь тиску:   кгс/см2.      \n"
      "\n"
      "  Кількість точок Тд для тиску:   0.   \n"
      "\n"
      "  ---------------------------------------------------------------------- \n"
      "\n"
      "  Температура газу:               \n"
      "\n"
      "  Кількість точок Тд для температури газу:   1.   \n"
      "\n"
      "  Номер точки Тд: 1    Код АЦП Тд: 33000    Значение Тд: 21.5 град.Целс \n"
      "  ---------------------------------------------------------------------- \n"
      "   № точки            Код АЦП           Температура, град. С \n"
      "  ---------------------------------------------------------------------- \n"
      "     1                4000000                    -45   \n"
      "     2                8000000                     85   \n"
      "  ---------------------------------------------------------------------- \n"
      "  ---------------------------------------------------------------------- \n"
      "\n"
      "  Перепад тиску:               \n"
      "\n"
      "  Одиниця вимірюваннь перепаду тиску:  кПа.    \n"
      "\n"
      "  Кількість точок Тд для перепаду тиску:   1.   \n"
      "\n"
      "  Номер точки Тд: 1    Код АЦП Тд: 40000    Значення Тд: -5.25 град.Целс \n"
      "  ---------------------------------------------------------------------- \n"
      "   № точки            Код АЦП           Перепад тиску, кПа \n"
      "  ---------------------------------------------------------------------- \n"
      "     1                     10                      0   \n"
      "     2               12345678                24.5166   \n"
      "  ---------------------------------------------------------------------- \n"
      "  ---------------------------------------------------------------------- \n"
      "\n"
      "            Параметри каналів АЦП.      \n"
      "\n"
      "  Блок АЦП тиску та температури:\n"
      "    Тиск, вхід 1: коефіцієнт підсилення: 8\n"
      "    Тиск, вхід 1: полярність входу: уніполярний\n"
      "    Тиск, вхід 1: значення фільтра: 1000\n"
      "    Температура: коефіцієнт підсилення: 1\n"
      "    Температура: полярність входу: біполярний\n"
      "    Температура: значення фільтра: 50\n"
      "    Тиск, вхід 2: коефіцієнт підсилення: 1\n"
      "    Тиск, вхід 2: полярність входу: біполярний\n"
      "    Тиск, вхід 2: значення фільтра: 100\n"
      "  Блок АЦП перепаду тиску:\n"
      "    Перепад тиску, вхід 1: коефіцієнт підсилення: 1\n"
      "    Перепад тиску, вхід 1: полярність входу: біполярний\n"
      "    Перепад тиску, вхід 1: значення фільтра: 19\n"
      "    Перепад тиску, вхід 2: коефіцієнт підсилення: 1\n"
      "    Перепад тиску, вхід 2: полярність входу: біполярний\n"
      "    Перепад тиску, вхід 2: значення фільтра: 0\n"
      "\n"
      "\n"
      "            Зміщення.      \n"
      "\n"
      "  Перепад тиску: Зміщення: 0.25 кПа \n"
      "\n"
      "\n";
  EXPECT_EQ(CalibrationReportText(image, options, Catalogue(false)), expected);
}

TEST(CalibrationReport, MeasurementParametersOfModels18And20AndCrLf) {
  CalibrationImage image;
  image.modelCode = 20;
  image.softwareVersion = 35;
  StoreLe16(image.measurementPauses[0], 150);
  StoreLe16(image.measurementPauses[2], 60);
  image.conversionCounts[0] = 5;
  image.conversionCounts[1] = 3;
  image.conversionCounts[2] = 9;
  ReportOptions options;
  options.when = Morning();
  const std::string text = CalibrationReportText(image, options, Catalogue(true));
  const std::string rule = "  " + std::string(70, '-') + " \n";
  const std::string tail =
      "                  Параметры измерения   \n\n" + rule +
      "  Давление:  \n  Количество преобразований: 5 \n  Пауза перед измерением,мс: 150 \n" + rule +
      "  Температура: \n  Количество преобразований: 3 \n" + rule +
      "  Перепад давления: \n  Количество преобразований: 9 \n  Пауза перед измерением,мс: 60 \n" + rule;
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
  EXPECT_EQ(text.find("Параметры каналов АЦП"), std::string::npos);  // model 20 prints none
  EXPECT_EQ(WithCrLf("a\n\nb\n"), "a\r\n\r\nb\r\n");
}

// The Russian line takes more than 44 bytes in UTF-8; none of them is lost.
TEST(CalibrationReport, DateLineKeepsEveryByte) {
  EXPECT_EQ(ReportDateLine(Morning(), false), "  Дата: 08.12.26 р.  Час:  04:05:06.\n\n");
  const std::string russian = ReportDateLine(Morning(), true);
  EXPECT_EQ(russian, "  Дата: 08.12.26 г.  Время:  04:05:06.\n\n");
  EXPECT_GT(russian.size(), 44u);
}

}  // namespace
}  // namespace ruvenset
