#pragma once
#include <array>
#include <string>
#include <vector>

namespace ruvenset {

// Every menu and item of the main window, in menu order. The names are the window's component names.
enum class MenuItem : int {
  Link,  // menu
  N46,   // direct link
  N47,   // no link
  NP1,   // number of preambles
  Pressure,
  N10,
  N14,
  N15,
  N16,
  N36,
  N18,
  Temperature,
  N20,
  N21,
  N22,
  N23,
  DiffPressure,
  N5,
  N25,
  N26,
  N27,
  N28,
  N29,
  UpperDiffPressure,
  N38,
  N39,
  N40,
  LowerDiffPressure,
  N42,
  N43,
  N44,
  Meter,
  N34,
  N35,
  General,
  N7,
  N45,
  N48,
  N2,
  N30,
  N8,
  N9,
  N31,
  N17,
  About,
  N12,
  Guide,     // the technician's guide
  Language,  // submenu
  MNMNU1,    // Russian
  MNMNU2,    // Ukrainian
  N13,       // exit
  Count
};

inline constexpr int kMenuItemCount = static_cast<int>(MenuItem::Count);

// The parent of an item (a top menu has MenuItem::Count as its parent).
MenuItem MenuParent(MenuItem item);
bool IsMenu(MenuItem item);

// Which menus and items are shown.
class MenuVisibility {
 public:
  MenuVisibility() { shown_.fill(true); }
  bool shown(MenuItem item) const { return shown_[static_cast<int>(item)]; }
  void Set(MenuItem item, bool on) { shown_[static_cast<int>(item)] = on; }

 private:
  std::array<bool, kMenuItemCount> shown_;
};

// At start-up: only Link and About reachable; every item inside the menus visible.
MenuVisibility InitialMenus();

// The temperature edition serves the temperature channel; on request every channel's menus are shown.
enum class MenuEdition { Temperature, AllChannels };

// After a connect (linkMode 1) or in no-link mode (0): the menus that suit the flow computer's type
// and the measurement method code of pipeline 1.
MenuVisibility MenuRules(int linkMode, int deviceType, int methodCode,
                         MenuEdition edition = MenuEdition::Temperature);

// The menu position of an item: for each level from the menu bar, the number of shown items before it
// (right steps on the bar, down steps in a menu), as digit pairs ready to be replayed.
std::string MenuPath(const MenuVisibility& visibility, MenuItem item);
// The path that reopens the Link menu.
inline constexpr const char* kLinkMenuPath = "01";

// The key presses that replay a path: F10 then, for each pair, Right x first digit and Down x second.
enum class MenuKey { F10, Right, Down };
std::vector<MenuKey> MenuPathKeys(const std::string& path);

}  // namespace ruvenset
