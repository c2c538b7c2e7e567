#include "shell/menu_table.h"

#include <array>

namespace ruvenset {
namespace {

using M = MenuItem;

// item, name, parent, menu, caption text, Russian and Ukrainian built-in captions, handler,
// separator before, own item, channel
constexpr std::array<MenuEntry, kMenuItemCount> kMenus = {{
    {M::Link, "Link", M::Count, true, 2653, nullptr, nullptr, nullptr, false, true, {}},
    {M::N46,
     "N46",
     M::Link,
     false,
     0,
     "Непосредственная связь",
     "Безпосередній зв'язок",
     "N6Click",
     false,
     true,
     {}},
    {M::N47, "N47", M::Link, false, 0, "Без связи", "Без зв'язку", "N47Click", false, true, {}},
    {M::NP1,
     "NP1",
     M::Link,
     false,
     0,
     "Количество преамбул",
     "Кількість преамбул",
     "NP1Click",
     true,
     true,
     {}},
    {M::Pressure, "Pressure", M::Count, true, 2125, nullptr, nullptr, nullptr, false, true, {}},
    {M::N10, "N10", M::Pressure, false, 2208, nullptr, nullptr, "N10Click", false, false, {0, 0}},
    {M::N14, "N14", M::Pressure, false, 2238, nullptr, nullptr, "N14Click", false, false, {0, 0}},
    {M::N15, "N15", M::Pressure, false, 2916, nullptr, nullptr, "N15Click", false, false, {0, 0}},
    {M::N16, "N16", M::Pressure, false, 2931, nullptr, nullptr, "N16Click", false, false, {0, 0}},
    {M::N36, "N36", M::Pressure, false, 2694, nullptr, nullptr, "N36Click", true, false, {}},
    {M::N18, "N18", M::Pressure, false, 3059, nullptr, nullptr, "N18Click", false, false, {}},
    {M::Temperature, "Temperature", M::Count, true, 2126, nullptr, nullptr, nullptr, false, true, {}},
    {M::N20, "N20", M::Temperature, false, 2208, nullptr, nullptr, "N20Click", false, false, {1, 1}},
    {M::N21, "N21", M::Temperature, false, 2238, nullptr, nullptr, "N21Click", false, false, {1, 1}},
    {M::N22, "N22", M::Temperature, false, 2916, nullptr, nullptr, "N22Click", false, false, {1, 1}},
    {M::N23, "N23", M::Temperature, false, 2931, nullptr, nullptr, "N23Click", false, false, {1, 1}},
    {M::DiffPressure, "DiffPressure", M::Count, true, 2127, nullptr, nullptr, nullptr, false, true, {}},
    {M::N5, "N5", M::DiffPressure, false, 2208, nullptr, nullptr, "N5Click", false, false, {2, 2}},
    {M::N25, "N25", M::DiffPressure, false, 2238, nullptr, nullptr, "N25Click", false, false, {2, 2}},
    {M::N26, "N26", M::DiffPressure, false, 2916, nullptr, nullptr, "N26Click", false, false, {2, 2}},
    {M::N27, "N27", M::DiffPressure, false, 2931, nullptr, nullptr, "N27Click", false, false, {2, 2}},
    {M::N28, "N28", M::DiffPressure, false, 2694, nullptr, nullptr, "N28Click", true, false, {}},
    {M::N29, "N29", M::DiffPressure, false, 3059, nullptr, nullptr, "N29Click", false, false, {}},
    {M::UpperDiffPressure,
     "UpperDiffPressure",
     M::Count,
     true,
     2129,
     nullptr,
     nullptr,
     nullptr,
     false,
     true,
     {}},
    {M::N38, "N38", M::UpperDiffPressure, false, 2208, nullptr, nullptr, "N38Click", false, false, {4, 2}},
    {M::N39, "N39", M::UpperDiffPressure, false, 2238, nullptr, nullptr, "N39Click", false, false, {4, 2}},
    {M::N40, "N40", M::UpperDiffPressure, false, 2694, nullptr, nullptr, "N28Click", true, false, {}},
    {M::LowerDiffPressure,
     "LowerDiffPressure",
     M::Count,
     true,
     2128,
     nullptr,
     nullptr,
     nullptr,
     false,
     true,
     {}},
    {M::N42, "N42", M::LowerDiffPressure, false, 2208, nullptr, nullptr, "N42Click", false, false, {3, 3}},
    {M::N43, "N43", M::LowerDiffPressure, false, 2238, nullptr, nullptr, "N43Click", false, false, {3, 3}},
    {M::N44, "N44", M::LowerDiffPressure, false, 2694, nullptr, nullptr, "N44Click", true, false, {}},
    {M::Meter, "Meter", M::Count, true, 1214, nullptr, nullptr, nullptr, false, true, {}},
    {M::N34, "N34", M::Meter, false, 1215, nullptr, nullptr, "N34Click", false, false, {5, 4}},
    {M::N35, "N35", M::Meter, false, 1216, nullptr, nullptr, "N35Click", false, false, {5, 4}},
    {M::General, "General", M::Count, true, 2356, nullptr, nullptr, nullptr, false, true, {}},
    {M::N7, "N7", M::General, false, 2915, nullptr, nullptr, "N7Click", false, false, {}},
    {M::N45,
     "N45",
     M::General,
     false,
     0,
     "Печать параметров калибровки",
     "Роздруковка параметрів калібровки",
     "N45Click",
     false,
     false,
     {}},
    {M::N48,
     "N48",
     M::General,
     false,
     0,
     "Просмотр данных поверки (графики)",
     "Перегляд даних повірки (графіки)",
     "N48Click",
     true,
     true,
     {}},
    {M::N2, "N2", M::General, false, 1573, nullptr, nullptr, "N2Click", false, false, {-1, 3}},
    {M::N30, "N30", M::General, false, 1207, nullptr, nullptr, "N30Click", false, false, {-1, 3}},
    {M::N8, "N8", M::General, false, 2917, nullptr, nullptr, "N8Click", false, false, {}},
    {M::N9, "N9", M::General, false, 2918, nullptr, nullptr, "N9Click", false, false, {}},
    {M::N31, "N31", M::General, false, 2934, nullptr, nullptr, "N31Click", false, false, {}},
    {M::N17, "N17", M::General, false, 2358, nullptr, nullptr, "N17Click", true, false, {}},
    {M::About, "About", M::Count, true, 2359, nullptr, nullptr, nullptr, false, true, {}},
    {M::N12, "N12", M::About, false, 2277, nullptr, nullptr, "N12Click", false, true, {}},
    {M::Guide, "Guide", M::About, false, 3366, nullptr, nullptr, "GuideClick", false, true, {}},
    {M::Language, "Language", M::About, true, 2852, nullptr, nullptr, nullptr, false, true, {}},
    {M::MNMNU1, "MNMNU1", M::Language, false, 2853, nullptr, nullptr, "MNMNU1Click", false, true, {}},
    {M::MNMNU2, "MNMNU2", M::Language, false, 2854, nullptr, nullptr, "MNMNU2Click", false, true, {}},
    {M::N13, "N13", M::About, false, 2278, nullptr, nullptr, "N13Click", true, true, {}},
}};

constexpr bool InMenuOrder() {
  for (int i = 0; i < kMenuItemCount; ++i) {
    if (static_cast<int>(kMenus[i].item) != i) return false;
  }
  return true;
}
static_assert(InMenuOrder(), "the menu table lists every item once, in menu order");

}  // namespace

std::span<const MenuEntry> MenuTable() {
  return kMenus;
}

const MenuEntry& MenuEntryOf(MenuItem item) {
  return kMenus[static_cast<size_t>(item)];
}

}  // namespace ruvenset
