#include <unistd.h>

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "../shell_gui/gui_support.h"
#include "app/procedures.h"
#include "sim/sim_server.h"
#include "verification/windows/measuring_windows.h"

namespace ruvenset {
namespace {

using M = MenuItem;
using testing::GuiState;
using testing::ModalScript;
using testing::WaitFor;

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The temperature verification as a technician runs it: the main window connected to the simulated
// flow computer on a pseudo-terminal, the item chosen from the menu and every window answered as it
// opens; the windows' timers run in real time.
TEST(MenuVerification, TemperatureFromTheMenuRecordsReadingsAndLeavesServiceMode) {
  GuiState gui;
  ProgramState& state = gui.state;
  sim::SimOptions simOptions;
  simOptions.pace = false;
  simOptions.pipelines = 1;
  std::string error;
  auto simulator = sim::SimServer::Start(simOptions, &error);
  ASSERT_TRUE(simulator) << error;
  ASSERT_EQ(simulator->Control("set delay 200").substr(0, 2), "ok");
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("verification_gui_" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  state.startDirectory = folder.string();
  state.config.waitForUser = 1;
  state.config.link.speedSearch = 0;
  state.configPath = (folder / "ruvenset.ini").string();

  MainWindowOptions options;
  options.portOverride = simulator->path();
  options.startConnect = MainWindowOptions::StartConnect::Never;
  TForm1 window(state, options);
  RegisterProcedures(window, options);
  window.show();

  ModalScript script;
  script.AnswerConnect();
  window.N6Click();
  ASSERT_TRUE(WaitFor([&] { return !window.busy(); }));
  ASSERT_TRUE(state.connected) << script.seen().join(",").toStdString();
  ASSERT_TRUE(window.Action(M::N20)->isVisible());
  ASSERT_TRUE(window.Action(M::N20)->isEnabled());
  for (M hidden : {M::N10, M::N5, M::N38, M::N42}) EXPECT_TRUE(window.Action(hidden)->isEnabled());

  const std::string path = (folder / "temperature.ctr").string();
  script.On("Form45", ModalScript::Click("BitBtn1"));
  script.On("Fdann", [](QWidget* w) {
    w->findChild<QAbstractButton*>("Item1")->click();
    ModalScript::Click("BitBtn1")(w);
  });
  script.On("SaveDialog1", [&path](QWidget* w) {
    auto* dialog = static_cast<QFileDialog*>(w);
    EXPECT_EQ(dialog->windowTitle(), "Запись файла данных поверки");
    dialog->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, public through QDialog
  });
  script.On("OKBottomDlg", [&state](QWidget* w) {
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->text().toStdString(), state.Text(1156));
    ModalScript::Click("OKBtn")(w);
  });
  script.On("Form51", [](QWidget* w) {
    w->findChild<QLineEdit*>("Edit1")->setText("20");
    ModalScript::Click("BitBtn1")(w);
  });
  script.On("Form52", ModalScript::Click("BitBtn1"));
  script.On("Form53", [](QWidget*) {});
  uint32_t counted = 0;
  script.On("Form54", [&counted](QWidget* w) {
    // Finish once three readings have been taken.
    auto* poll = new QTimer(w);
    QObject::connect(poll, &QTimer::timeout, w, [w, poll, &counted] {
      const QLabel* count = static_cast<MeasuringForm*>(w)->Line("count");
      counted = count->text().toUInt();
      if (counted < 3) return;
      poll->stop();
      static_cast<MeasuringForm*>(w)->BitBtn1->click();
    });
    poll->start(50);
  });
  const qsizetype connectWindows = script.seen().size();
  window.Action(M::N20)->trigger();
  ASSERT_TRUE(WaitFor([&] { return !window.busy(); }, 60000));

  EXPECT_EQ(script.seen().mid(connectWindows).join(",").toStdString(),
            "Form45,Fdann,SaveDialog1,OKBottomDlg,Form51,Form52,Form53,Form54,Form53");
  EXPECT_GE(counted, 3u);
  const std::vector<uint8_t> file = ReadFile(path);
  ASSERT_GE(file.size(), 4u + 3 * 24);
  EXPECT_EQ((file.size() - 4) % 24, 0u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "STAT");
  EXPECT_EQ(file[4 + 8], 1);  // the temperature channel
  EXPECT_EQ(simulator->Control("get state 1"), "ok 0");

  // The menu opens again at the item that started the verification.
  ASSERT_TRUE(WaitFor([&] { return window.menuBar()->activeAction() != nullptr; }));
  QAction* top = window.menuBar()->activeAction();
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top, window.Menu(M::Temperature)->menuAction());
  EXPECT_EQ(top->menu()->activeAction(), window.Action(M::N20));
  top->menu()->hide();
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace ruvenset
