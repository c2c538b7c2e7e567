#include <gtest/gtest.h>

#include "link/configuration.h"
#include "shell/main_menu.h"
#include "shell/menu_captions.h"

namespace ruvenset {
namespace {

using M = MenuItem;

TEST(AllChannelsMenu, TheTemperatureEditionKeepsTheChannelMenusHidden) {
  for (int method : {2, 3, 5, 7}) {
    const MenuVisibility v = MenuRules(1, 16, method);
    for (M m : {M::Pressure, M::DiffPressure, M::UpperDiffPressure, M::LowerDiffPressure, M::N8, M::N31})
      EXPECT_FALSE(v.shown(m)) << method;
  }
  EXPECT_EQ(EditionSuffix(1), "-X-3\" (только канал температуры)");
}

TEST(AllChannelsMenu, TheMeasurementMethodChoosesTheChannelMenus) {
  struct Row {
    int method;
    bool dp, upperLower;
  };
  const Row rows[] = {{2, false, false}, {3, true, false}, {5, false, true}, {9, false, false}};
  for (const Row& r : rows) {
    const MenuVisibility v = MenuRules(1, 3, r.method, MenuEdition::AllChannels);
    const MenuVisibility temperature = MenuRules(1, 3, r.method);
    EXPECT_TRUE(v.shown(M::Pressure)) << r.method;
    EXPECT_TRUE(v.shown(M::N36) && v.shown(M::N18)) << r.method;
    EXPECT_EQ(v.shown(M::DiffPressure), r.dp) << r.method;
    EXPECT_EQ(v.shown(M::UpperDiffPressure), r.upperLower) << r.method;
    EXPECT_EQ(v.shown(M::LowerDiffPressure), r.upperLower) << r.method;
    EXPECT_TRUE(v.shown(M::N8) && v.shown(M::N31)) << r.method;
    EXPECT_FALSE(v.shown(M::N45)) << r.method;
    // The temperature and meter menus follow the same rules in both editions.
    for (M m : {M::Temperature, M::Meter, M::N30}) EXPECT_EQ(v.shown(m), temperature.shown(m)) << r.method;
  }
  // The zero items' positions count the channel menus now shown on the bar.
  EXPECT_EQ(MenuPath(MenuRules(1, 16, 3, MenuEdition::AllChannels), M::N28), "35");
  EXPECT_EQ(EditionSuffix(0, MenuEdition::AllChannels), "-X-3\"");
}

TEST(AllChannelsMenu, WithoutALinkOnlyTheFileEditorsOfTheChannels) {
  const MenuVisibility v = MenuRules(0, 0, 0, MenuEdition::AllChannels);
  EXPECT_TRUE(v.shown(M::Pressure) && v.shown(M::N16));
  EXPECT_TRUE(v.shown(M::DiffPressure) && v.shown(M::N27));
  for (M m : {M::N10, M::N14, M::N15, M::N36, M::N18, M::N5, M::N28, M::N29, M::UpperDiffPressure})
    EXPECT_FALSE(v.shown(m));
  EXPECT_TRUE(v.shown(M::N23) && v.shown(M::N48));
}

TEST(AllChannelsMenu, AConfigurationKeyBesideTheLanguage) {
  EXPECT_EQ(ParseConfiguration("[Language]\nLangRus=0\nAllChannels=1\n").allChannels, 1);
  EXPECT_EQ(ParseConfiguration("[Language]\nAllChannels=2\n").allChannels, 0);
  EXPECT_EQ(ParseConfiguration("").allChannels, 0);
  Configuration c;
  c.allChannels = 1;
  const std::string text = FormatConfiguration(c);
  const size_t language = text.find("LangRus=");
  ASSERT_NE(language, std::string::npos);
  EXPECT_GT(text.find("AllChannels=1"), language);
}

}  // namespace
}  // namespace ruvenset
