#include <gtest/gtest.h>

#include "link/virtual_link_clock.h"
#include "shell/connect_operation.h"
#include "shell/connection_summary.h"

namespace ruvenset {
namespace {

class ConnectionTexts : public ::testing::Test {
 protected:
  void Use(int langRus) {
    state.config.langRus = langRus;
    const std::string path = std::string(RUVENSET_SOURCE_DIR) + "/lang/" + LanguageCatalogueName(langRus);
    ASSERT_EQ(LanguageTexts::Load(path, state.texts).status, LangLoadStatus::Ok);
  }
  VirtualLinkClock clock;
  ProgramState state{clock};
};

TEST_F(ConnectionTexts, ThePanelNamesTheSlotOrTheDeviceGivenAtStart) {
  Use(1);
  state.config.link.portIndex = 1;
  state.config.link.speedIndex = 9;
  EXPECT_EQ(ConnectionPanelText(state), "COM2, 9600 бит/с");
  state.givenPort = {"/dev/ttyACM0", false};
  EXPECT_EQ(ConnectionPanelText(state), "/dev/ttyACM0, 9600 бит/с");
  state.givenPort = {"/dev/pts/7", true};
  EXPECT_EQ(ConnectionPanelText(state), "Имитатор вычислителя (/dev/pts/7), 9600 бит/с");
  Use(0);
  EXPECT_EQ(ConnectionPanelText(state), "Імітатор обчислювача (/dev/pts/7), 9600 біт/с");
  // A device that does not open is named by its path, not by the slot it does not belong to.
  const std::string failed = PortFailureText(state, "/dev/pts/7", {PortOpenError::NotFound, 2});
  EXPECT_EQ(failed.substr(0, failed.find('\n')), "Не вдалося відкрити порт /dev/pts/7");
}

TEST_F(ConnectionTexts, TheSummaryTellsWhatTheConnectLearnedAndNothingWithoutIt) {
  Use(1);
  state.linkMode = 1;
  state.record.id.type = 6;
  state.record.id.extended = true;
  state.record.id.version = 25;
  state.record.id.revision = 3;
  state.record.id.byteOrder = DeviceByteOrder::LsbFirst;
  state.record.identificationText = std::string("  Узел 4 ГРС") + std::string(2, '\0');
  state.record.configuration[16] = 3;
  state.config.link.speedIndex = 9;
  EXPECT_TRUE(ConnectionSummary(state).empty());

  state.connected = true;
  const std::vector<SummaryLine> lines = ConnectionSummary(state);
  ASSERT_EQ(lines.size(), 6u);
  const std::pair<std::string, std::string> expected[] = {
      {"Тип вычислителя", "6 (12)"},
      {"Версия ПО", "25, редакция 3"},
      {"Идентификация", "Узел 4 ГРС"},
      {"Трубопроводов", "3"},
      {"Порядок байтов", "младший байт первым"},
      {"Порт", "COM2, 9600 бит/с"},
  };
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].label, expected[i].first) << i;
    EXPECT_EQ(lines[i].value, expected[i].second) << i;
  }
  state.linkMode = 0;
  EXPECT_TRUE(ConnectionSummary(state).empty());
}

}  // namespace
}  // namespace ruvenset
