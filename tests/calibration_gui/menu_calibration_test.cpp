#include <unistd.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <filesystem>

#include "../shell_gui/gui_support.h"
#include "app/procedures.h"
#include "calibration/windows/measurement_window.h"
#include "sim/sim_server.h"

namespace ruvenset {
namespace {

using M = MenuItem;
using testing::GuiState;
using testing::ModalScript;

// The temperature calibration as a technician starts it from the main window connected to the simulated
// flow computer, and stops it in the first measurement window: the windows come in their order and the
// flow computer is out of service mode again.
class MenuCalibration : public ::testing::Test, public GuiState {};

TEST_F(MenuCalibration, StopInTheFirstMeasurementWindowLeavesServiceMode) {
  sim::SimOptions simOptions;
  simOptions.pace = false;
  std::string error;
  auto simulator = sim::SimServer::Start(simOptions, &error);
  ASSERT_TRUE(simulator) << error;
  ASSERT_EQ(simulator->Control("set delay 200").substr(0, 2), "ok");
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("calibration_gui_" + std::to_string(getpid()));
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
  ASSERT_TRUE(testing::WaitFor([&] { return !window.busy(); }));
  ASSERT_TRUE(state.connected) << script.seen().join(",").toStdString();
  ASSERT_TRUE(window.Action(M::N21)->isVisible());
  ASSERT_TRUE(window.Action(M::N21)->isEnabled());
  EXPECT_TRUE(window.Action(M::N9)->isEnabled());

  const std::string path = (folder / "CALIBR" / "stop.klb").string();
  script.On("Form45", ModalScript::Click("BitBtn1"));
  script.On("Form80", ModalScript::Click("BitBtn1"));
  script.On("SaveDialog", [&path](QWidget* w) {
    auto* dialog = static_cast<QFileDialog*>(w);
    dialog->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(dialog)->accept();
  });
  script.On("Form24", [](QWidget* w) {
    EXPECT_EQ(w->findChild<QLineEdit*>("Edit1")->text(), "160123");
    ModalScript::Click("BitBtn1")(w);
  });
  script.On("NSHP", ModalScript::Click("BitBtn1"));
  script.On("Form53", [](QWidget*) {});
  bool inService = false;
  script.On("Form60", [&](QWidget* w) {
    inService = simulator->Control("get state 1") == "ok 3";
    static_cast<TForm60*>(w)->BitBtn3->click();
  });
  // Continue measuring? No.
  script.On("OKBottomDlg", ModalScript::Click("CancelBtn"));
  const qsizetype connectWindows = script.seen().size();
  window.Action(M::N21)->trigger();
  ASSERT_TRUE(testing::WaitFor([&] { return !window.busy(); }, 60000));

  EXPECT_EQ(script.seen().mid(connectWindows).join(",").toStdString(),
            "Form45,Form80,SaveDialog,NSHP,Form24,Form53,Form60,OKBottomDlg,Form53");
  EXPECT_TRUE(inService);
  EXPECT_EQ(simulator->Control("get state 1"), "ok 0");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace ruvenset
