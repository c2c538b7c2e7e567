#include <unistd.h>

#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

#include "../shell_gui/gui_support.h"
#include "app/procedures.h"
#include "pdf_text.h"
#include "sim/sim_server.h"
#include "verification/protocol_csv.h"
#include "verification/windows/measuring_windows.h"
#include "verification/windows/protocol_windows.h"

namespace ruvenset {
namespace {

using M = MenuItem;
using testing::GuiState;
using testing::ModalScript;
using testing::PdfText;
using testing::WaitFor;

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The main window connected to the simulated flow computer on a pseudo-terminal, with every
// procedure registered; the windows' timers run in real time.
class MenuVerification : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::SimOptions simOptions;
    simOptions.pace = false;
    simOptions.pipelines = 1;
    std::string error;
    simulator = sim::SimServer::Start(simOptions, &error);
    ASSERT_TRUE(simulator) << error;
    ASSERT_EQ(simulator->Control("set delay 200").substr(0, 2), "ok");
    folder = std::filesystem::temp_directory_path() / ("verification_gui_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    state.startDirectory = folder.string();
    state.config.waitForUser = 1;
    state.config.link.speedSearch = 0;
    state.configPath = (folder / "ruvenset.ini").string();
    options.portOverride = simulator->path();
    options.startConnect = MainWindowOptions::StartConnect::Never;
    window = std::make_unique<TForm1>(state, options);
    RegisterProcedures(*window, options);
    window->show();
    script.AnswerConnect();
    window->N6Click();
    ASSERT_TRUE(WaitFor([&] { return !window->busy(); }));
    ASSERT_TRUE(state.connected) << script.seen().join(",").toStdString();
    connectWindows = script.seen().size();
  }
  void TearDown() override {
    window.reset();
    std::filesystem::remove_all(folder);
  }
  // Runs the temperature verification from its menu item until the main window is free again.
  void VerifyTemperature() {
    ASSERT_TRUE(window->Action(M::N20)->isVisible());
    ASSERT_TRUE(window->Action(M::N20)->isEnabled());
    window->Action(M::N20)->trigger();
    ASSERT_TRUE(WaitFor([&] { return !window->busy(); }, 60000));
  }
  std::string Seen() const { return script.seen().mid(connectWindows).join(",").toStdString(); }
  // Presses the measuring window's buttons as the readings come: `act` sees the count of readings.
  static void WatchReadings(QWidget* w, std::function<bool(MeasuringForm&, uint32_t)> act) {
    auto* poll = new QTimer(w);
    QObject::connect(poll, &QTimer::timeout, w, [w, poll, act] {
      auto* form = static_cast<MeasuringForm*>(w);
      if (form->working()) return;
      if (act(*form, form->Line("count")->text().toUInt())) poll->stop();
    });
    poll->start(50);
  }

  GuiState gui;
  ProgramState& state = gui.state;
  std::unique_ptr<sim::SimServer> simulator;
  std::filesystem::path folder;
  MainWindowOptions options;
  std::unique_ptr<TForm1> window;
  ModalScript script;
  qsizetype connectWindows = 0;
};

// The temperature verification as a technician runs it: the item chosen from the menu and every
// window answered as it opens.
TEST_F(MenuVerification, TemperatureFromTheMenuRecordsReadingsAndLeavesServiceMode) {
  for (M hidden : {M::N10, M::N5, M::N38, M::N42}) EXPECT_TRUE(window->Action(hidden)->isEnabled());
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
  script.On("OKBottomDlg", [this](QWidget* w) {
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
    WatchReadings(w, [&counted](MeasuringForm& form, uint32_t count) {
      counted = count;
      if (count < 3) return false;
      form.BitBtn1->click();
      return true;
    });
  });
  script.On("FormProtocol", ModalScript::Click("BitBtn2"));  // no protocol this time
  VerifyTemperature();

  EXPECT_EQ(Seen(), "Form45,Fdann,SaveDialog1,OKBottomDlg,Form51,Form52,Form53,Form54,Form53,FormProtocol");
  EXPECT_GE(counted, 3u);
  const std::vector<uint8_t> file = ReadFile(path);
  ASSERT_GE(file.size(), 4u + 3 * 24);
  EXPECT_EQ((file.size() - 4) % 24, 0u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "STAT");
  EXPECT_EQ(file[4 + 8], 1);  // the temperature channel
  EXPECT_EQ(simulator->Control("get state 1"), "ok 0");
  EXPECT_FALSE(std::filesystem::exists(folder / "protocol.pdf"));

  // The menu opens again at the item that started the verification.
  ASSERT_TRUE(WaitFor([&] { return window->menuBar()->activeAction() != nullptr; }));
  QAction* top = window->menuBar()->activeAction();
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top, window->Menu(M::Temperature)->menuAction());
  EXPECT_EQ(top->menu()->activeAction(), window->Action(M::N20));
  top->menu()->hide();
}

// Two points against typed actual values, the second after a new actual value; the protocol page
// holds its entry to the number rule, the save dialog proposes the protocol's name, the preview shows
// both pages and prints them.
TEST_F(MenuVerification, TwoPointsSaveTheirProtocolWhichPreviewsAndPrints) {
  ASSERT_EQ(simulator->Control("set jitter 0").substr(0, 2), "ok");
  const std::string pdf = (folder / "protocol.pdf").string();
  const std::string printed = (folder / "printed.pdf").string();
  script.On("Form45", ModalScript::Click("BitBtn1"));
  script.On("Fdann", ModalScript::Click("BitBtn1"));  // no data file
  script.On("OKBottomDlg", ModalScript::Click("OKBtn"));
  int actuals = 0;
  script.On("Form51", [&actuals](QWidget* w) {
    w->findChild<QLineEdit*>("Edit1")->setText(actuals++ == 0 ? "20" : "20,1");
    ModalScript::Click("BitBtn1")(w);
  });
  script.On("Form52", ModalScript::Click("BitBtn1"));
  script.On("Form53", [](QWidget*) {});
  script.On("Form54", [](QWidget* w) {
    WatchReadings(w, [](MeasuringForm& form, uint32_t count) {
      if (count == 2 && form.BitBtn3->isEnabled() && form.Line("actual")->text() == "20.00") {
        form.BitBtn3->click();  // the second point: a new actual value
        return false;
      }
      if (count < 4) return false;
      form.BitBtn1->click();
      return true;
    });
  });
  bool refused = false;
  script.On("FormProtocol", [&refused](QWidget* w) {
    auto* page = static_cast<TFormProtocol*>(w);
    EXPECT_EQ(page->Label2->text(), "Точек поверки: 2");
    EXPECT_TRUE(page->RadioButton3->isChecked());  // no limit configured
    page->RadioButton1->click();
    page->Edit1->setText("0");
    page->BitBtn1->click();
    refused = page->isVisible() && page->Label3->isVisible();
    page->Edit1->setText("0,05");
    page->Edit2->setText("Іваненко І. І.");
    page->BitBtn1->click();
  });
  std::string proposed;
  script.On("ProtocolSaveDialog", [&](QWidget* w) {
    auto* dialog = static_cast<QFileDialog*>(w);
    proposed = QFileInfo(dialog->selectedFiles().value(0)).fileName().toStdString();
    dialog->selectFile(QString::fromStdString(pdf));
    static_cast<QDialog*>(dialog)->accept();
  });
  int previewPages = 0;
  script.On("ProtocolPreview", [&](QWidget* w) {
    auto* preview = static_cast<TProtocolPreview*>(w);
    preview->Preview->updatePreview();
    previewPages = preview->Preview->pageCount();
    preview->printer()->setOutputFormat(QPrinter::PdfFormat);
    preview->printer()->setOutputFileName(QString::fromStdString(printed));
    // Print opens its dialog: clicked once this answer has returned, so the dialog is answered too.
    QTimer::singleShot(0, preview, [preview] {
      preview->BitBtn1->click();
      preview->BitBtn2->click();
    });
  });
  script.On("PrintDialog1", [](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
  VerifyTemperature();

  EXPECT_EQ(
      Seen(),
      "Form45,Fdann,OKBottomDlg,Form51,Form52,Form53,Form54,Form51,Form53,FormProtocol,ProtocolSaveDialog,"
      "ProtocolPreview,PrintDialog1");
  EXPECT_TRUE(refused);
  const std::string date = QDate::currentDate().toString("yyyy-MM-dd").toStdString();
  EXPECT_EQ(proposed, "160123-temperature-" + date + ".pdf");
  EXPECT_EQ(previewPages, 2);
  EXPECT_EQ(state.config.protocol.limits[kKindTemperature]->value, 0.05f);
  EXPECT_FALSE(state.config.protocol.limits[kKindTemperature]->percent);
  EXPECT_EQ(state.config.protocol.technician, "Іваненко І. І.");
  // Written as soon as the verification is over, as every changed setting is.
  std::ifstream ini(state.configPath, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(ini)), {});
  EXPECT_NE(written.find("[Protocol]\r\nLimitTemperature=0.05\r\nTechnician=Іваненко І. І.\r\n"),
            std::string::npos)
      << written;

  ProtocolRecord record;
  std::ifstream csv(folder / "protocol.csv", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(csv)), {});
  ASSERT_EQ(ParseProtocolCsv(text, record).status, ProtocolCsvStatus::Read) << text;
  ASSERT_EQ(record.points.size(), 2u);
  EXPECT_EQ(record.points[0].reference, 20.0f);
  EXPECT_EQ(record.points[0].verdict, Verdict::Pass);
  EXPECT_EQ(record.points[1].reference, 20.1f);
  EXPECT_EQ(record.points[1].verdict, Verdict::Fail);  // 0.1 off against 0.05
  EXPECT_EQ(record.technician, "Іваненко І. І.");

  for (const std::string& file : {pdf, printed}) {
    int pages = 0;
    const std::string shown = PdfText(file, pages);
    EXPECT_EQ(pages, 2) << file;
    EXPECT_NE(shown.find("Протокол поверки"), std::string::npos) << file;
    EXPECT_NE(shown.find("Іваненко І. І."), std::string::npos) << file;
    EXPECT_NE(shown.find("Заключение: не годен"), std::string::npos) << file;
    EXPECT_NE(shown.find("Показания канала во времени"), std::string::npos) << file;
  }
}

}  // namespace
}  // namespace ruvenset
