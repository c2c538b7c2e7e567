#pragma once
#include <string>
#include <vector>

#include "shell/main_menu.h"

namespace ruvenset {

// The shown items of a menu in menu order; for MenuItem::Count, the shown menus of the menu bar.
std::vector<MenuItem> ShownChildren(const MenuVisibility& visibility, MenuItem menu);

// Where replaying a recorded menu position (the keys of MenuPathKeys) ends: the menu opened on the
// bar first, then the highlighted item of each opened menu. Only the menu itself when the path opens
// nothing; empty when no menu is shown. Keys behave as in a desktop menu: Down opens a menu on its
// first item and then moves down, Right opens a submenu or moves on to the next menu, both wrap around.
std::vector<MenuItem> ReplayMenuPath(const MenuVisibility& visibility, const std::string& path);

}  // namespace ruvenset
