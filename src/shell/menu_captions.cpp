#include "shell/menu_captions.h"

namespace ruvenset {

int MenuCaptionText(MenuItem item) {
  using M = MenuItem;
  switch (item) {
    case M::Link:
      return 2653;
    case M::Temperature:
      return 2126;
    case M::Pressure:
      return 2125;
    case M::Meter:
      return 1214;
    case M::N34:
      return 1215;
    case M::N35:
      return 1216;
    case M::DiffPressure:
      return 2127;
    case M::UpperDiffPressure:
      return 2129;
    case M::LowerDiffPressure:
      return 2128;
    case M::N20:
    case M::N10:
    case M::N5:
    case M::N38:
    case M::N42:
      return 2208;
    case M::N21:
    case M::N14:
    case M::N25:
    case M::N39:
    case M::N43:
      return 2238;
    case M::N22:
    case M::N15:
    case M::N26:
      return 2916;
    case M::N23:
    case M::N16:
    case M::N27:
      return 2931;
    case M::N36:
    case M::N28:
    case M::N40:
    case M::N44:
      return 2694;
    case M::N18:
    case M::N29:
      return 3059;
    case M::General:
      return 2356;
    case M::N7:
      return 2915;
    case M::N2:
      return 1573;
    case M::N30:
      return 1207;
    case M::N8:
      return 2917;
    case M::N9:
      return 2918;
    case M::N31:
      return 2934;
    case M::N17:
      return 2358;
    case M::About:
      return 2359;
    case M::N12:
      return 2277;
    case M::Language:
      return 2852;
    case M::MNMNU1:
      return 2853;
    case M::MNMNU2:
      return 2854;
    case M::N13:
      return 2278;
    default:
      return 0;
  }
}

std::string BuiltInMenuCaption(MenuItem item, int langRus) {
  const bool russian = langRus == 1;
  switch (item) {
    case MenuItem::N46:
      return russian ? "Непосредственная связь" : "Безпосередній зв'язок";
    case MenuItem::N47:
      return russian ? "Без связи" : "Без зв'язку";
    case MenuItem::NP1:
      return russian ? "Количество преамбул" : "Кількість преамбул";
    case MenuItem::N45:
      return russian ? "Печать параметров калибровки" : "Роздруковка параметрів калібровки";
    case MenuItem::N48:
      return russian ? "Просмотр данных поверки (графики)" : "Перегляд даних повірки (графіки)";
    default:
      return "";
  }
}

std::string EditionSuffix(int langRus, MenuEdition edition) {
  if (edition == MenuEdition::AllChannels) return "-X-3\"";
  return langRus == 1 ? "-X-3\" (только канал температуры)" : "-X-3\" (тільки канал температури)";
}

}  // namespace ruvenset
