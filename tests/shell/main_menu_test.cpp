#include <gtest/gtest.h>

#include "shell/main_menu.h"

namespace ruvenset {
namespace {

using M = MenuItem;

TEST(MenuRules, ByMeasurementMethodAndType) {
  struct Case {
    int type, method;
    bool temperature, meter, measurementParameters;
  };
  const Case cases[] = {
      {7, 2, true, true, false},   {16, 2, true, true, false},   {7, 3, true, false, false},
      {16, 3, true, false, false}, {7, 5, false, false, true},   {16, 5, false, false, true},
      {8, 5, true, false, false},  {16, 12, false, false, true},
  };
  for (const auto& c : cases) {
    const MenuVisibility v = MenuRules(1, c.type, c.method);
    EXPECT_EQ(v.shown(M::Temperature), c.temperature) << c.type << "/" << c.method;
    EXPECT_EQ(v.shown(M::Meter), c.meter) << c.type << "/" << c.method;
    EXPECT_EQ(v.shown(M::N30), c.measurementParameters) << c.type << "/" << c.method;
    for (M hidden :
         {M::Pressure, M::DiffPressure, M::UpperDiffPressure, M::LowerDiffPressure, M::N8, M::N31, M::N45}) {
      EXPECT_FALSE(v.shown(hidden));
    }
    EXPECT_TRUE(v.shown(M::General));
    EXPECT_TRUE(v.shown(M::N17));
  }
}

TEST(MenuRules, NoLinkOffersOnlyTheOfflineItems) {
  const MenuVisibility v = MenuRules(0, 0, 0);
  EXPECT_TRUE(v.shown(M::Temperature));
  EXPECT_TRUE(v.shown(M::N23));
  EXPECT_FALSE(v.shown(M::N20));
  EXPECT_FALSE(v.shown(M::N22));
  EXPECT_TRUE(v.shown(M::N48));
  EXPECT_FALSE(v.shown(M::N7));
  EXPECT_FALSE(v.shown(M::N17));
  EXPECT_FALSE(v.shown(M::Meter));

  const MenuVisibility start = InitialMenus();
  EXPECT_TRUE(start.shown(M::Link));
  EXPECT_TRUE(start.shown(M::About));
  EXPECT_FALSE(start.shown(M::Temperature));
  EXPECT_FALSE(start.shown(M::General));
}

TEST(MenuPath, CountsShownItemsAndReplaysAsKeys) {
  const MenuVisibility v = MenuRules(1, 16, 2);
  // Link, Temperature (Pressure is hidden): the second shown item of the Temperature menu.
  EXPECT_EQ(MenuPath(v, M::N21), "12");
  EXPECT_EQ(MenuPath(InitialMenus(), M::N46), "01");
  EXPECT_EQ(MenuPath(InitialMenus(), M::Link), kLinkMenuPath);
  // About is the fourth shown menu (Link, Temperature, Meter, General, About): version, guide, language ->
  // Ukrainian.
  EXPECT_EQ(MenuPath(v, M::MNMNU2), "4311");
  const std::vector<MenuKey> keys = MenuPathKeys("12");
  EXPECT_EQ(keys, (std::vector<MenuKey>{MenuKey::F10, MenuKey::Right, MenuKey::Down, MenuKey::Down}));
}

}  // namespace
}  // namespace ruvenset
