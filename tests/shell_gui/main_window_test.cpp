#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "gui_support.h"
#include "shell/connection_summary.h"
#include "shell/menu_captions.h"
#include "shell/menu_table.h"
#include "shell/windows/about_box.h"
#include "shell/windows/main_window.h"
#include "sim/sim_server.h"

namespace ruvenset {
namespace {

using M = MenuItem;
using testing::GuiState;
using testing::ModalScript;
using testing::WaitFor;

class MainWindowTest : public ::testing::Test, public GuiState {
 protected:
  MainWindowTest() {
    options.opener = [](const std::string&, std::unique_ptr<SerialPort>&) {
      return PortOpenResult{PortOpenError::NotFound, 2};
    };
    options.startConnect = MainWindowOptions::StartConnect::Never;
  }
  ~MainWindowTest() override {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->inherits("QMenu")) top->hide();
    }
  }
  bool Shown(TForm1& window, MenuItem item) { return window.Action(item)->isVisible(); }
  // The menu the window has opened and the item highlighted in it.
  std::pair<QAction*, QAction*> OpenedAt(TForm1& window) {
    EXPECT_TRUE(WaitFor([&] { return window.menuBar()->activeAction() != nullptr; }));
    QAction* top = window.menuBar()->activeAction();
    return {top, top != nullptr && top->menu() != nullptr ? top->menu()->activeAction() : nullptr};
  }

  MainWindowOptions options;
};

TEST_F(MainWindowTest, StartsWithOnlyLinkAndAboutAndTheEditionInTheStatusBar) {
  TForm1 window(state, options);
  EXPECT_EQ(window.windowTitle(), "Div3AzErur");
  for (M top : {M::Link, M::About}) EXPECT_TRUE(Shown(window, top));
  for (M top : {M::Pressure, M::Temperature, M::DiffPressure, M::UpperDiffPressure, M::LowerDiffPressure,
                M::Meter, M::General}) {
    EXPECT_FALSE(Shown(window, top));
  }
  EXPECT_EQ(window.StatusPanel1->text().toStdString(),
            state.Text(2361) + "-X-3\" (только канал температуры)");
  EXPECT_EQ(window.Action(M::N46)->text(), "Непосредственная связь");
  EXPECT_EQ(window.Action(M::Link)->text().toStdString(), state.Text(2653));
  EXPECT_TRUE(window.ConnectionPanel->text().isEmpty());
}

// An exchange holds the event loop, so the panel must take the width of its text at once, in both
// languages.
TEST_F(MainWindowTest, TheExchangePanelTakesTheWidthOfItsTextAtOnce) {
  TForm1 window(state, options);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  for (int lang : {1, 0}) {
    if (lang == 0) window.MNMNU2Click();
    window.technician().SetStatusText(state.Text(2615));
    EXPECT_GE(window.StatusPanel2->width(), window.StatusPanel2->sizeHint().width()) << lang;
    EXPECT_EQ(window.StatusPanel2->text().toStdString(), state.Text(2615));
    window.technician().SetStatusText("");
  }
}

TEST_F(MainWindowTest, AboutShowsTheProgramsVersion) {
  TAboutBox box(nullptr, state);
  const QString version = box.ProgramVersion->text();
  EXPECT_TRUE(version.startsWith(QString::fromStdString(state.Text(2277)))) << version.toStdString();
  EXPECT_TRUE(QRegularExpression("\\d+\\.\\d+").match(version).hasMatch()) << version.toStdString();
}

TEST_F(MainWindowTest, EveryItemOfTheMenuTableReachesItsHandler) {
  TForm1 window(state, options);
  for (const MenuEntry& entry : MenuTable()) {
    if (entry.handler == nullptr) continue;
    const std::string slot = std::string(entry.handler) + "()";
    EXPECT_GE(window.metaObject()->indexOfSlot(slot.c_str()), 0) << entry.name;
  }
  // The two upper zero items share one handler, which tells them apart by the item that was chosen.
  std::vector<MenuItem> ran;
  window.SetProcedure(M::N28, [&] { ran.push_back(M::N28); });
  window.SetProcedure(M::N40, [&] { ran.push_back(M::N40); });
  window.Action(M::N40)->trigger();
  window.Action(M::N28)->trigger();
  QTRY_COMPARE(ran.size(), size_t{2});
  EXPECT_EQ(ran, (std::vector<MenuItem>{M::N40, M::N28}));
}

TEST_F(MainWindowTest, NoLinkOffersTheOfflineItemsAndLaterProceduresStayDisabled) {
  TForm1 window(state, options);
  window.show();
  window.N47Click();
  EXPECT_TRUE(Shown(window, M::Temperature));
  EXPECT_TRUE(Shown(window, M::General));
  EXPECT_FALSE(Shown(window, M::N20));
  EXPECT_TRUE(Shown(window, M::N23));
  EXPECT_FALSE(window.Action(M::N23)->isEnabled());
  EXPECT_TRUE(window.Action(M::N48)->isEnabled());

  std::atomic<bool> ran = false;
  window.SetProcedure(M::N23, [&] {
    ran = true;
    EXPECT_EQ(window.state().channel.code, 1);
    EXPECT_EQ(window.state().channel.kind, 1);
  });
  EXPECT_TRUE(window.Action(M::N23)->isEnabled());
  window.Action(M::N23)->trigger();
  EXPECT_TRUE(window.busy());
  EXPECT_FALSE(window.menuBar()->isEnabled());  // nothing else starts meanwhile
  ASSERT_TRUE(WaitFor([&] { return ran && !window.busy(); }));
  EXPECT_TRUE(window.menuBar()->isEnabled());
  const auto [top, item] = OpenedAt(window);
  EXPECT_EQ(top, window.Menu(M::Temperature)->menuAction());
  EXPECT_EQ(item, window.Action(M::N23));
}

TEST_F(MainWindowTest, LanguageSwitchReloadsTextsAndKeepsTheMenuRules) {
  TForm1 window(state, options);
  window.N47Click();
  window.MNMNU2Click();
  EXPECT_EQ(state.config.langRus, 0);
  EXPECT_EQ(window.Action(M::N46)->text(), "Безпосередній зв'язок");
  EXPECT_EQ(window.Action(M::N48)->text(), "Перегляд даних повірки (графіки)");
  EXPECT_TRUE(window.StatusPanel1->text().endsWith("(тільки канал температури)"));
  EXPECT_TRUE(Shown(window, M::Temperature));
  EXPECT_TRUE(window.Action(M::MNMNU2)->isChecked());
  window.MNMNU1Click();
  EXPECT_EQ(window.Action(M::N46)->text(), "Непосредственная связь");
}

TEST_F(MainWindowTest, CancelledConnectLeavesLinkAndAboutAndReopensTheLinkMenu) {
  TForm1 window(state, options);
  window.show();
  ModalScript script;
  script.On("Form73", ModalScript::Click("BitBtn2"));
  window.N6Click();
  ASSERT_TRUE(WaitFor([&] { return !window.busy(); }));
  EXPECT_EQ(script.seen(), QStringList{"Form73"});
  EXPECT_FALSE(state.connected);
  EXPECT_FALSE(Shown(window, M::Temperature));
  EXPECT_FALSE(Shown(window, M::General));
  EXPECT_TRUE(window.ConnectionPanel->text().isEmpty());
  const auto [top, item] = OpenedAt(window);
  EXPECT_EQ(top, window.Menu(M::Link)->menuAction());
  EXPECT_EQ(item, window.Action(M::N46));
}

TEST_F(MainWindowTest, PortThatDoesNotOpenIsReportedAndTheConnectEnds) {
  TForm1 window(state, options);
  window.show();
  ModalScript script;
  script.On("Form73", ModalScript::Click("BitBtn1"));
  script.On("FormMess", ModalScript::Click("BitBtn1"));
  window.N6Click();
  ASSERT_TRUE(WaitFor([&] { return !window.busy(); }));
  EXPECT_EQ(script.seen(), (QStringList{"Form73", "FormMess"}));
  EXPECT_FALSE(state.connected);
  EXPECT_FALSE(Shown(window, M::General));
  EXPECT_EQ(OpenedAt(window).first, window.Menu(M::Link)->menuAction());
}

TEST_F(MainWindowTest, PreamblesAreSetAndTheMenuReopensAtTheItem) {
  TForm1 window(state, options);
  window.show();
  ModalScript script;
  script.On("Preambula", [](QWidget* w) {
    w->findChild<QComboBox*>("ComboBox4")->setCurrentIndex(7);
    ModalScript::Click("BitBtn1")(w);
  });
  window.NP1Click();
  EXPECT_EQ(state.config.link.preambles, 7);
  EXPECT_EQ(window.menuPath(), "03");
  const auto [top, item] = OpenedAt(window);
  EXPECT_EQ(top, window.Menu(M::Link)->menuAction());
  EXPECT_EQ(item, window.Action(M::NP1));
}

TEST_F(MainWindowTest, ConnectsToTheSimulatedFlowComputerAndSavesTheConfigurationOnClose) {
  sim::SimOptions simOptions;
  simOptions.pace = false;  // answers at once instead of at 1200 bit/s
  std::string error;
  auto simulator = sim::SimServer::Start(simOptions, &error);
  ASSERT_TRUE(simulator) << error;
  const std::string configPath =
      (std::filesystem::temp_directory_path() / ("shell_gui_config_" + std::to_string(getpid()) + ".ini"))
          .string();
  state.configPath = configPath;
  state.config.waitForUser = 1;
  options.opener = OpenSerialPort;
  options.portOverride = simulator->path();
  options.portSimulated = true;
  TForm1 window(state, options);
  window.show();

  ModalScript script;
  script.AnswerConnect();
  window.N6Click();
  ASSERT_TRUE(WaitFor([&] { return !window.busy(); }));
  ASSERT_TRUE(state.connected) << script.seen().join(",").toStdString();
  EXPECT_TRUE(Shown(window, M::General));
  EXPECT_TRUE(window.Action(M::N17)->isEnabled());
  EXPECT_FALSE(window.Action(M::N7)->isEnabled());
  EXPECT_EQ(Shown(window, M::Temperature),
            state.record.derived[0][0] != 5 || (state.record.id.type != 7 && state.record.id.type != 16));
  // The status bar and the summary name the device given at start, here the simulated flow computer.
  EXPECT_EQ(window.ConnectionPanel->text().toStdString(), ConnectionPanelText(state));
  EXPECT_NE(window.ConnectionPanel->text().toStdString().find(simulator->path()), std::string::npos);
  const std::string summary = window.SummaryPanel->text().toStdString();
  for (const SummaryLine& line : ConnectionSummary(state)) {
    EXPECT_NE(summary.find(line.label), std::string::npos) << line.label;
    EXPECT_NE(summary.find(line.value), std::string::npos) << line.value;
  }
  EXPECT_NE(summary.find(simulator->path()), std::string::npos);

  // Removal from service: no pipeline is in service mode, which the message window says.
  script.On("FormMess", [this](QWidget* w) {
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->text().toStdString(), state.Text(2258));
    ModalScript::Click("BitBtn1")(w);
  });
  window.N17Click();
  ASSERT_TRUE(WaitFor([&] { return !window.busy(); }));
  EXPECT_TRUE(script.seen().contains("FormMess"));

  window.N47Click();
  EXPECT_TRUE(window.SummaryPanel->text().isEmpty());
  window.close();
  std::ifstream saved(configPath);
  std::stringstream text;
  text << saved.rdbuf();
  EXPECT_NE(text.str().find("TypSvyaz=0"), std::string::npos) << text.str();
  std::filesystem::remove(configPath);
}

// The status bar's Stop during a 20 s wait for an answer ends the wait at once, and the procedure
// asks whether to try again as for any missing answer.
TEST_F(MainWindowTest, StopInTheStatusBarEndsTheWaitForAnAnswer) {
  sim::SimOptions simOptions;
  simOptions.pace = false;
  std::string error;
  auto simulator = sim::SimServer::Start(simOptions, &error);
  ASSERT_TRUE(simulator) << error;
  options.opener = OpenSerialPort;
  options.portOverride = simulator->path();
  TForm1 window(state, options);
  window.show();
  ModalScript script;
  script.AnswerConnect();
  window.N6Click();
  ASSERT_TRUE(WaitFor([&] { return !window.busy(); }));
  ASSERT_TRUE(state.connected) << script.seen().join(",").toStdString();
  EXPECT_TRUE(window.StopButton->isHidden());

  state.config.link.firstByteWait = 20;
  state.config.link.attempts = 5;
  ASSERT_EQ(simulator->Control("fault drop 1"), "ok");
  bool asked = false;
  script.On("OKBottomDlg", [&](QWidget* w) {
    asked = true;
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->text().toStdString(), state.Text(2196));
    ModalScript::Click("CancelBtn")(w);
  });
  window.N17Click();
  ASSERT_TRUE(WaitFor([&] { return !window.StopButton->isHidden(); }, 5000));
  window.StopButton->click();
  // Far sooner than the 20 s the wait would take (and the four attempts after it).
  EXPECT_TRUE(WaitFor([&] { return asked; }, 5000));
  ASSERT_TRUE(WaitFor([&] { return !window.busy(); }));
  EXPECT_TRUE(window.StopButton->isHidden());
  EXPECT_TRUE(window.menuBar()->isEnabled());
}

}  // namespace
}  // namespace ruvenset
