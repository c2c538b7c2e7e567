#include <gtest/gtest.h>

#include "shell/menu_replay.h"

namespace ruvenset {
namespace {

using M = MenuItem;

std::vector<MenuItem> ChainOf(MenuItem item) {
  std::vector<MenuItem> chain;
  for (MenuItem m = item; m != M::Count; m = MenuParent(m)) chain.insert(chain.begin(), m);
  return chain;
}

bool Reachable(const MenuVisibility& v, MenuItem item) {
  for (MenuItem m : ChainOf(item)) {
    if (!v.shown(m)) return false;
  }
  return true;
}

// Every reachable item, under every set of menus the program shows, is reopened by its own path.
TEST(MenuReplay, EveryShownItemIsReachedByItsRecordedPath) {
  const MenuVisibility sets[] = {InitialMenus(),      MenuRules(0, 0, 0), MenuRules(1, 7, 2),
                                 MenuRules(1, 16, 3), MenuRules(1, 7, 5), MenuRules(1, 8, 5),
                                 MenuRules(1, 16, 12)};
  int checked = 0;
  for (const MenuVisibility& v : sets) {
    for (int i = 0; i < kMenuItemCount; ++i) {
      const MenuItem item = static_cast<MenuItem>(i);
      if (IsMenu(item) || !Reachable(v, item)) continue;
      EXPECT_EQ(ReplayMenuPath(v, MenuPath(v, item)), ChainOf(item))
          << "item " << i << " path " << MenuPath(v, item);
      ++checked;
    }
  }
  EXPECT_GT(checked, 40);
}

TEST(MenuReplay, LinkPathOpensTheLinkMenuOnItsFirstItem) {
  EXPECT_EQ(ReplayMenuPath(InitialMenus(), kLinkMenuPath), (std::vector<MenuItem>{M::Link, M::N46}));
  EXPECT_EQ(ReplayMenuPath(MenuRules(1, 7, 2), kLinkMenuPath), (std::vector<MenuItem>{M::Link, M::N46}));
}

TEST(MenuReplay, KeysBeyondTheEndWrapAroundAndNothingShownGivesNothing) {
  const MenuVisibility start = InitialMenus();  // Link and About on the bar
  EXPECT_EQ(ReplayMenuPath(start, "21"), (std::vector<MenuItem>{M::Link, M::N46}));
  EXPECT_EQ(ReplayMenuPath(start, "15"), (std::vector<MenuItem>{M::About, M::N12}));  // four items
  EXPECT_EQ(ReplayMenuPath(start, "10"), (std::vector<MenuItem>{M::About}));
  MenuVisibility none;
  for (int i = 0; i < kMenuItemCount; ++i) none.Set(static_cast<MenuItem>(i), false);
  EXPECT_TRUE(ReplayMenuPath(none, "01").empty());
  // Right on an item without a submenu moves on to the next menu of the bar, opened on its first item.
  EXPECT_EQ(ReplayMenuPath(start, "0110"), (std::vector<MenuItem>{M::About, M::N12}));
}

}  // namespace
}  // namespace ruvenset
