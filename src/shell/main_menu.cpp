#include "shell/main_menu.h"

#include "common/device_models.h"
#include "shell/menu_table.h"

namespace ruvenset {
namespace {

using M = MenuItem;

}  // namespace

bool IsMenu(MenuItem item) {
  return MenuEntryOf(item).menu;
}

MenuItem MenuParent(MenuItem item) {
  return MenuEntryOf(item).parent;
}

MenuVisibility InitialMenus() {
  MenuVisibility v;
  for (M m : {M::Temperature, M::Pressure, M::Meter, M::DiffPressure, M::UpperDiffPressure,
              M::LowerDiffPressure, M::General, M::N45}) {
    v.Set(m, false);
  }
  return v;
}

namespace {

// The channel menus a measurement method code of pipeline 1 shows when every channel is served: a
// volume meter measures pressure (and temperature), one differential-pressure sensor adds the
// differential-pressure menu, upper and lower sensors add their two menus. Any other code: pressure.
struct ChannelMenuRow {
  int methodCode;
  bool diffPressure;
  bool upperLower;
};
constexpr ChannelMenuRow kChannelMenus[] = {{2, false, false}, {3, true, false}, {5, false, true}};

void ShowChannelMenus(MenuVisibility& v, int linkMode, int methodCode) {
  v.Set(M::Pressure, true);
  if (linkMode == 0) {
    // Without a link only the calibration parameter files can be edited.
    v.Set(M::DiffPressure, true);
    for (int i = 0; i < kMenuItemCount; ++i) {
      const M item = static_cast<M>(i);
      const M parent = MenuParent(item);
      if (parent == M::Pressure || parent == M::DiffPressure) v.Set(item, item == M::N16 || item == M::N27);
    }
    return;
  }
  ChannelMenuRow row{methodCode, false, false};
  for (const ChannelMenuRow& r : kChannelMenus) {
    if (r.methodCode == methodCode) row = r;
  }
  v.Set(M::DiffPressure, row.diffPressure);
  v.Set(M::UpperDiffPressure, row.upperLower);
  v.Set(M::LowerDiffPressure, row.upperLower);
  v.Set(M::N8, true);
  v.Set(M::N31, true);
  v.Set(M::N36, true);
  v.Set(M::N18, true);
}

MenuVisibility TemperatureEditionRules(int linkMode, int deviceType, int methodCode) {
  MenuVisibility v = InitialMenus();
  if (linkMode == 0) {
    v.Set(M::Temperature, true);
    v.Set(M::General, true);
    for (int i = 0; i < kMenuItemCount; ++i) {
      const M item = static_cast<M>(i);
      const M parent = MenuParent(item);
      if (parent == M::Temperature || parent == M::General) v.Set(item, false);
    }
    v.Set(M::N23, true);
    v.Set(M::N48, true);
    return v;
  }
  v.Set(M::General, true);
  const bool splitHidesTemperature = ModelOf(deviceType).noTemperatureWithSplitDiffPressure;
  bool temperature = false;
  bool meter = false;
  bool measurementParameters = false;
  if (methodCode == 2) {
    temperature = meter = true;
  } else if (methodCode == 3 || (methodCode == 5 && !splitHidesTemperature)) {
    temperature = true;
  } else {
    measurementParameters = true;
  }
  v.Set(M::Temperature, temperature);
  v.Set(M::Meter, meter);
  v.Set(M::N30, measurementParameters);
  // This edition serves the temperature channel: the pressure and differential-pressure procedures,
  // units during calibration and the characteristic slope and offset stay hidden.
  for (M m : {M::N8, M::N31, M::N36, M::N18, M::N45}) v.Set(m, false);
  return v;
}

}  // namespace

MenuVisibility MenuRules(int linkMode, int deviceType, int methodCode, MenuEdition edition) {
  MenuVisibility v = TemperatureEditionRules(linkMode, deviceType, methodCode);
  if (edition == MenuEdition::AllChannels) ShowChannelMenus(v, linkMode, methodCode);
  return v;
}

std::string MenuPath(const MenuVisibility& visibility, MenuItem item) {
  std::vector<MenuItem> chain;
  for (M m = item; m != M::Count; m = MenuParent(m)) chain.insert(chain.begin(), m);
  std::string path;
  int barIndex = 0;
  for (const MenuEntry& entry : MenuTable()) {
    if (entry.item == chain.front()) break;
    if (entry.parent == M::Count && visibility.shown(entry.item)) ++barIndex;
  }
  // Each level: the steps to reach the item within its menu (one Down opens the menu on its first item).
  int right = barIndex;
  for (size_t level = 1; level < chain.size(); ++level) {
    int before = 0;
    for (int i = 0; i < kMenuItemCount; ++i) {
      const M sibling = static_cast<M>(i);
      if (sibling == chain[level]) break;
      if (MenuParent(sibling) == chain[level - 1] && visibility.shown(sibling)) ++before;
    }
    path += static_cast<char>('0' + right);
    path += static_cast<char>('0' + (level == 1 ? before + 1 : before));
    right = level + 1 < chain.size() ? 1 : 0;
  }
  if (chain.size() == 1) path += std::string(1, static_cast<char>('0' + right)) + "1";
  return path;
}

std::vector<MenuKey> MenuPathKeys(const std::string& path) {
  std::vector<MenuKey> keys = {MenuKey::F10};
  for (size_t i = 0; i + 1 < path.size(); i += 2) {
    for (int r = 0; r < path[i] - '0'; ++r) keys.push_back(MenuKey::Right);
    for (int d = 0; d < path[i + 1] - '0'; ++d) keys.push_back(MenuKey::Down);
  }
  return keys;
}

}  // namespace ruvenset
