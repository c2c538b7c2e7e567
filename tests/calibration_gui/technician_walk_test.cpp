#include <unistd.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

#include "../shell_gui/gui_support.h"
#include "app/procedures.h"
#include "sim/sim_server.h"
#include "storage/windows/report_window.h"
#include "temp_folder.h"

namespace ruvenset {
namespace {

using M = MenuItem;
using testing::GuiState;
using testing::ModalScript;

QString Label(QWidget* w) {
  return w->findChild<QLabel*>("Label1")->text();
}

// A technician at the main window, connected to the simulated flow computer, who answers every window
// as it opens.
class TechnicianWalk : public ::testing::Test, public GuiState {
 protected:
  void SetUp() override {
    sim::SimOptions simOptions;
    simOptions.pace = false;
    std::string error;
    simulator = sim::SimServer::Start(simOptions, &error);
    ASSERT_TRUE(simulator) << error;
    state.startDirectory = folder.Path();
    state.config.waitForUser = 1;
    state.config.link.speedSearch = 0;
    state.configPath = folder.File("ruvenset.ini");
    options.portOverride = simulator->path();
    options.startConnect = MainWindowOptions::StartConnect::Never;
    window = std::make_unique<TForm1>(state, options);
    RegisterProcedures(*window, options);
    window->show();
    script.AnswerConnect();
    window->N6Click();
    ASSERT_TRUE(testing::WaitFor([&] { return !window->busy(); }));
    ASSERT_TRUE(state.connected) << script.seen().join(",").toStdString();
  }
  void Run(MenuItem item) {
    seenBefore = script.seen().size();
    window->Action(item)->trigger();
    ASSERT_TRUE(testing::WaitFor([&] { return !window->busy(); }, 60000));
  }
  std::string SeenSince() const { return script.seen().mid(seenBefore).join(",").toStdString(); }

  testing::TempFolder folder;
  std::unique_ptr<sim::SimServer> simulator;
  MainWindowOptions options;
  std::unique_ptr<TForm1> window;
  ModalScript script;
  qsizetype seenBefore = 0;
};

// The ADC parameters: Enter on the write question writes nothing (No is its default); Yes writes and the
// technician is told which settings were stored and that the flow computer left service mode.
TEST_F(TechnicianWalk, AdcParametersAskWithNoAndSayWhatWasStored) {
  const std::string before = simulator->Control("get memory 4301 11");
  int lists = 0;
  script.On("TParamCh", [&](QWidget* w) {
    auto* list = w->findChild<QListWidget*>("ListBox1");
    list->setCurrentRow(0);
    ModalScript::Click(++lists % 2 == 1 ? "BitBtn2" : "BitBtn3")(w);
  });
  QString chosen;
  script.On("TPch1", [&](QWidget* w) {
    for (QRadioButton* radio : w->findChildren<QRadioButton*>()) {
      if (!radio->isChecked()) {
        radio->setChecked(true);
        chosen = radio->text();
        break;
      }
    }
    ModalScript::Click("BitBtn1")(w);
  });
  bool noWasTheDefault = false;
  script.On("OKBottomDlg", [&](QWidget* w) {
    noWasTheDefault = w->findChild<QPushButton*>("CancelBtn")->isDefault();
    QTest::keyClick(w, Qt::Key_Return);
  });
  Run(M::N2);
  EXPECT_TRUE(noWasTheDefault);
  EXPECT_EQ(SeenSince(), "TParamCh,TPch1,TParamCh,OKBottomDlg");
  EXPECT_EQ(simulator->Control("get memory 4301 11"), before);

  lists = 0;
  script.On("OKBottomDlg", ModalScript::Click("OKBtn"));
  script.On("Form53", [](QWidget*) {});
  QString told;
  script.On("FormMess", [&](QWidget* w) {
    told = Label(w);
    ModalScript::Click("BitBtn1")(w);
  });
  Run(M::N2);
  EXPECT_NE(simulator->Control("get memory 4301 11"), before);
  EXPECT_TRUE(told.startsWith(QString::fromStdString(state.Text(3363)))) << told.toStdString();
  EXPECT_TRUE(told.contains(chosen.trimmed())) << told.toStdString();
  EXPECT_TRUE(told.endsWith(QString::fromStdString(state.Text(3359)))) << told.toStdString();
  EXPECT_EQ(simulator->Control("get state 1"), "ok 0");
}

// Saving the flow computer's calibration names the two files and opens the report, whose Print opens
// the print dialog; the port stays in the status bar. Saving again over the file asks with No as the
// default, and Enter keeps the file.
TEST_F(TechnicianWalk, SavingTheCalibrationNamesTheFilesAndOpensTheReport) {
  const std::string path = folder.File("CALIBR/device.klb");
  const QString port = window->ConnectionPanel->text();
  ASSERT_FALSE(port.isEmpty());
  script.On("SaveDialog", [&path](QWidget* w) {
    auto* dialog = static_cast<QFileDialog*>(w);
    dialog->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(dialog)->accept();
  });
  QString offer;
  script.On("OKBottomDlg", [&](QWidget* w) {
    offer = Label(w);
    ModalScript::Click("OKBtn")(w);
  });
  int reportLines = 0;
  bool printed = false;
  QString pdf;
  script.On("TOtchK", [&](QWidget* w) {
    reportLines = w->findChild<QListWidget*>("ListBox1")->count();
    QTimer::singleShot(0, w, [w] { static_cast<TOtchK*>(w)->BitBtn3->click(); });
  });
  script.On("PrintDialog1", [&](QWidget* w) {
    printed = true;
    pdf = static_cast<QPrintDialog*>(w)->printer()->outputFileName();
    static_cast<QDialog*>(w)->reject();
    QTimer::singleShot(0, [] {
      if (auto* report = qobject_cast<TOtchK*>(QApplication::activeModalWidget())) report->BitBtn1->click();
    });
  });
  Run(M::N7);
  EXPECT_EQ(SeenSince(), "SaveDialog,OKBottomDlg,TOtchK,PrintDialog1");
  EXPECT_TRUE(offer.contains(QString::fromStdString(path))) << offer.toStdString();
  EXPECT_TRUE(offer.contains(QString::fromStdString(folder.File("CALIBR/device.rcl"))))
      << offer.toStdString();
  EXPECT_GT(reportLines, 20);
  EXPECT_TRUE(printed);
  EXPECT_EQ(pdf.toStdString(), folder.File("CALIBR/device.pdf"));  // printed to a file, beside the report
  EXPECT_EQ(window->ConnectionPanel->text(), port);

  const auto written = std::filesystem::last_write_time(path);
  int dialogs = 0;
  script.On("SaveDialog", [&](QWidget* w) {
    auto* dialog = static_cast<QFileDialog*>(w);
    if (++dialogs == 2) return static_cast<QDialog*>(dialog)->reject();
    dialog->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(dialog)->accept();
  });
  bool noWasTheDefault = false;
  script.On("OKBottomDlg", [&](QWidget* w) {
    noWasTheDefault = w->findChild<QPushButton*>("CancelBtn")->isDefault();
    QTest::keyClick(w, Qt::Key_Return);
  });
  Run(M::N7);
  EXPECT_EQ(SeenSince(), "SaveDialog,OKBottomDlg,SaveDialog");
  EXPECT_TRUE(noWasTheDefault);
  EXPECT_EQ(std::filesystem::last_write_time(path), written);
}

}  // namespace
}  // namespace ruvenset
