#include "shell/menu_replay.h"

namespace ruvenset {

std::vector<MenuItem> ShownChildren(const MenuVisibility& visibility, MenuItem menu) {
  std::vector<MenuItem> children;
  for (int i = 0; i < kMenuItemCount; ++i) {
    const MenuItem item = static_cast<MenuItem>(i);
    if (MenuParent(item) == menu && visibility.shown(item)) children.push_back(item);
  }
  return children;
}

std::vector<MenuItem> ReplayMenuPath(const MenuVisibility& visibility, const std::string& path) {
  const std::vector<MenuItem> bar = ShownChildren(visibility, MenuItem::Count);
  if (bar.empty()) return {};
  struct Level {
    std::vector<MenuItem> items;
    size_t index = 0;
  };
  size_t barIndex = 0;
  std::vector<Level> open;
  const auto openMenu = [&](MenuItem menu) { open.push_back({ShownChildren(visibility, menu), 0}); };
  for (MenuKey key : MenuPathKeys(path)) {
    switch (key) {
      case MenuKey::F10:
        barIndex = 0;
        open.clear();
        break;
      case MenuKey::Down:
        if (open.empty()) {
          openMenu(bar[barIndex]);
        } else if (!open.back().items.empty()) {
          open.back().index = (open.back().index + 1) % open.back().items.size();
        }
        break;
      case MenuKey::Right:
        if (open.empty()) {
          barIndex = (barIndex + 1) % bar.size();
        } else if (!open.back().items.empty() && IsMenu(open.back().items[open.back().index])) {
          openMenu(open.back().items[open.back().index]);
        } else {
          barIndex = (barIndex + 1) % bar.size();
          open.clear();
          openMenu(bar[barIndex]);
        }
        break;
    }
  }
  std::vector<MenuItem> chain = {bar[barIndex]};
  for (const Level& level : open) {
    if (level.items.empty()) break;
    chain.push_back(level.items[level.index]);
  }
  return chain;
}

}  // namespace ruvenset
