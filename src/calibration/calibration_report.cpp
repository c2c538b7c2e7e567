#include "calibration/calibration_report.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "session/language_texts.h"
#include "storage/adc_parameters.h"

namespace ruvenset {
namespace {

__attribute__((format(printf, 1, 2))) std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out(size > 0 ? static_cast<size_t>(size) : 0, '\0');
  if (size > 0) std::vsnprintf(out.data(), out.size() + 1, format, args);
  va_end(args);
  return out;
}

std::string RightAligned(const std::string& field, size_t width) {
  return field.size() >= width ? field : std::string(width - field.size(), ' ') + field;
}

std::string Row(unsigned number, const std::string& middle, const std::string& right) {
  return "   " + RightAligned(std::to_string(number), 3) + "             " + RightAligned(middle, 10) +
         "             " + RightAligned(right, 10) + "   \n";
}

// The flow computer keeps no temperature Тос values.
constexpr int kTosValueNotKept = 3301;

const std::string kRule = "  " + std::string(70, '-') + " ";

class Writer {
 public:
  Writer(const CalibrationImage& image, const ReportOptions& options, const LanguageTexts& texts)
      : image_(image), o_(options), texts_(texts) {}

  std::string Build();

 private:
  const char* L(const char* russian, const char* ukrainian) const { return o_.russian ? russian : ukrainian; }
  const char* PressureUnit() const { return image_.pressureUnit == 1 ? "MПа" : "кгс/см2"; }
  const char* DifferentialUnit() const { return image_.differentialUnit == 1 ? "кПа" : "кгс/м2"; }
  void Header();
  void Section(CalibrationSection section);
  void AdcParameters();
  void SlopeAndOffset();
  void Correction();
  void MeasurementParameters();

  const CalibrationImage& image_;
  const ReportOptions& o_;
  const LanguageTexts& texts_;
  std::string out_;
};

void Writer::Header() {
  out_ += "\n\n";
  out_ += L("                    Отчет о параметрах калибровки.               \n\n",
            "                    Звіт о параметрах калібровки.               \n\n");
  out_ += L("  ВАЛДОР-ТМ-X-3\" (только канал температуры)", "  ВАЛДОР-ТМ-X-3\" (тільки канал температури)");
  out_ += "\n";
  out_ += Format(L("  Номер платы: %u \n", "  Номер плати: %u \n"), unsigned{image_.modelCode});
  out_ += Format(L("  Версия ПО: %u \n", "  Версія ПЗ: %u \n"), unsigned{image_.softwareVersion});
  out_ += Format(L("  Заводской №  %u. \n\n", "  Заводський №  %u. \n\n"), image_.IdentificationCode());
  out_ += ReportDateLine(o_.when, o_.russian);
}

void Writer::Section(CalibrationSection section) {
  const ConstChannelSection channel = image_.Channel(section);
  std::string heading;
  switch (section) {
    case CalibrationSection::Pressure:
      out_ += L("  Давление:               \n\n", "  Тиск:               \n\n");
      out_ += Format(
          L("  Единица измерений давления:   %s.  \n\n", "  Одиниця вимірюваннь тиску:   %s.      \n\n"),
          PressureUnit());
      out_ += Format(L("  Количество точек Тос для давления:   %u.   \n\n",
                       "  Кількість точок Тд для тиску:   %u.   \n\n"),
                     unsigned{channel.TosCount()});
      heading = Format(L("   № точки            Код АЦП          Давление, %s \n",
                         "   № точки            Код АЦП           Тиск, %s \n"),
                       PressureUnit());
      break;
    case CalibrationSection::Temperature:
      out_ += L("  Температура газа:               \n\n", "  Температура газу:               \n\n");
      out_ += Format(L("  Количество точек Тос для температуры газа:   %u.   \n\n",
                       "  Кількість точок Тд для температури газу:   %u.   \n\n"),
                     unsigned{channel.TosCount()});
      heading = L("   № точки            Код АЦП          Температура, град. С \n",
                  "   № точки            Код АЦП           Температура, град. С \n");
      break;
    default:
      out_ += L("  Перепад давления:               \n\n", "  Перепад тиску:               \n\n");
      out_ += Format(L("  Единица измерений перепада давления:  %s.  \n\n",
                       "  Одиниця вимірюваннь перепаду тиску:  %s.    \n\n"),
                     DifferentialUnit());
      out_ += Format(L("  Количество точек Тос для перепада давления:   %u.   \n\n",
                       "  Кількість точок Тд для перепаду тиску:   %u.   \n\n"),
                     unsigned{channel.TosCount()});
      heading = Format(L("   № точки            Код АЦП          Перепад давления, %s \n",
                         "   № точки            Код АЦП           Перепад тиску, %s \n"),
                       DifferentialUnit());
      break;
  }
  const char* tosLine = o_.russian ? "  Номер точки Тос: %u   Код АЦП Тос: %u   Значение Тос: %g град.Целс \n"
                        : section == CalibrationSection::Temperature
                            ? "  Номер точки Тд: %u    Код АЦП Тд: %u    Значение Тд: %g град.Целс \n"
                            : "  Номер точки Тд: %u    Код АЦП Тд: %u    Значення Тд: %g град.Целс \n";
  const bool tosValues = section != CalibrationSection::Temperature || o_.temperatureTosValues;
  for (int k = 0; k < channel.UsedTosPoints(); ++k) {
    if (tosValues) {
      out_ += Format(tosLine, static_cast<unsigned>(k + 1), static_cast<unsigned>(channel.TosCode(k)),
                     static_cast<double>(channel.TosValue(k)));
    } else {
      // The line up to its value, then why there is none.
      std::string line =
          Format(tosLine, static_cast<unsigned>(k + 1), static_cast<unsigned>(channel.TosCode(k)), 0.0);
      line.erase(line.rfind(':') + 2);
      out_ += line + texts_.Text(kTosValueNotKept) + " \n";
    }
    out_ += kRule + "\n";
    out_ += heading;
    out_ += kRule + "\n";
    for (int i = 0; i < channel.UsedPoints(k); ++i) {
      // The tables are kept in the flow computer's unit, the one the heading names.
      const double value = static_cast<double>(channel.PointValue(k, i));
      out_ += Row(static_cast<unsigned>(i + 1), Format("%u", static_cast<unsigned>(channel.PointCode(k, i))),
                  Format("%g", value));
    }
    out_ += kRule + "\n";
  }
  out_ += kRule + "\n\n";
}

void Writer::AdcParameters() {
  if (image_.modelCode == 20) return;
  out_ += L("            Параметры каналов АЦП.      \n\n", "            Параметри каналів АЦП.      \n\n");
  AdcBlocks blocks;
  std::copy(image_.pressureAdcParameters, image_.pressureAdcParameters + kAdcBlockBytes, blocks.main);
  std::copy(image_.differentialAdcParameters, image_.differentialAdcParameters + kAdcBlockBytes,
            blocks.second);
  for (const std::string& line : AdcReportLines(blocks, image_.modelCode, o_.differentialChannel, texts_))
    out_ += line + "\n";
  out_ += "\n\n";
}

void Writer::SlopeAndOffset() {
  using S = CalibrationSection;
  if (image_.softwareVersion < 20) {
    out_ += L("            Смещение.      \n\n", "            Зміщення.      \n\n");
    out_ +=
        Format(L("  Перепад давления: Смещение: %g %s \n", "  Перепад тиску: Зміщення: %g %s \n"),
               static_cast<double>(image_.CharacteristicOffset(S::DifferentialPressure)), DifferentialUnit());
  } else {
    out_ +=
        L("            Наклон НСХП и смещение.      \n\n", "            Нахил НСХП та зміщення.      \n\n");
    out_ += Format(L("  Давление:         Наклон: %g,  Смещение: %g %s  \n",
                     "  Тиск:          Нахил: %g,  Зміщення: %g %s \n"),
                   static_cast<double>(image_.CharacteristicSlope(S::Pressure)),
                   static_cast<double>(image_.CharacteristicOffset(S::Pressure)), PressureUnit());
    if (o_.differentialChannel)
      out_ += Format(L("  Перепад давления: Наклон: %g,  Смещение: %g %s \n",
                       "  Перепад тиску: Нахил: %g,  Зміщення: %g %s \n"),
                     static_cast<double>(image_.CharacteristicSlope(S::DifferentialPressure)),
                     static_cast<double>(image_.CharacteristicOffset(S::DifferentialPressure)),
                     DifferentialUnit());
  }
  out_ += "\n\n";
}

void Writer::Correction() {
  out_ += L("            Поправочные множители.      \n\n", "            Поправочні множники.      \n\n");
  out_ += Format(L("  Количество точек расхода:   %u.   \n\n", "  Кількість точок витрати:   %u.   \n\n"),
                 unsigned{image_.CorrectionCount()});
  out_ += L("   № точки            Расход,м3/ч        Значение коэф. \n",
            "   № точки            Витрата,м3/г        Значення коеф. \n");
  out_ += kRule + "\n";
  for (int i = 0; i < image_.UsedCorrectionPoints(); ++i)
    out_ += Row(static_cast<unsigned>(i + 1), Format("%g", static_cast<double>(image_.CorrectionFlow(i))),
                Format("%g", static_cast<double>(image_.CorrectionMultiplier(i))));
  out_ += kRule + "\n\n";
}

void Writer::MeasurementParameters() {
  const std::string& conversions = texts_.Text(1209);
  out_ += Format("                  %s   \n\n", texts_.Text(1207).c_str());
  out_ += kRule + "\n";
  out_ += Format("  %s:  \n", texts_.Text(2125).c_str());
  out_ += Format("  %s: %u \n", conversions.c_str(), unsigned{image_.ConversionCount(0)});
  out_ += Format("  %s,мс: %u \n", texts_.Text(1208).c_str(), unsigned{image_.MeasurementPause(0)});
  out_ += kRule + "\n";
  out_ += Format("  %s: \n", texts_.Text(2126).c_str());
  out_ += Format("  %s: %u \n", conversions.c_str(), unsigned{image_.ConversionCount(1)});
  out_ += kRule + "\n";
  out_ += Format("  %s: \n", texts_.Text(2127).c_str());
  out_ += Format("  %s: %u \n", conversions.c_str(), unsigned{image_.ConversionCount(2)});
  out_ += Format("  %s,мс: %u \n", texts_.Text(1208).c_str(), unsigned{image_.MeasurementPause(2)});
  out_ += kRule + "\n";
}

std::string Writer::Build() {
  Header();
  if (image_.modelCode != 9) Section(CalibrationSection::Pressure);
  Section(CalibrationSection::Temperature);
  if (o_.differentialChannel) Section(CalibrationSection::DifferentialPressure);
  AdcParameters();
  SlopeAndOffset();
  if (o_.correctionTable) Correction();
  if (image_.modelCode == 18 || image_.modelCode == 20) MeasurementParameters();
  return out_;
}

}  // namespace

std::string ReportDateLine(const std::tm& when, bool russian) {
  // Room for every byte of the UTF-8 text (the Cyrillic letters take two each).
  char buffer[128];
  const char* format =
      russian ? "  Дата: %d.%m.%y г.  Время:  %H:%M:%S.\n\n" : "  Дата: %d.%m.%y р.  Час:  %H:%M:%S.\n\n";
  const size_t size = std::strftime(buffer, sizeof buffer, format, &when);
  return std::string(buffer, size);
}

std::string CalibrationReportText(const CalibrationImage& image, const ReportOptions& options,
                                  const LanguageTexts& texts) {
  return Writer(image, options, texts).Build();
}

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace ruvenset
