#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "../verification/verification_fixture.h"
#include "device/unit_choice.h"
#include "device/windows/choice_dialogs.h"
#include "link/com_slots.h"
#include "shell/windows/confirm_windows.h"
#include "shell/windows/window_parts.h"
#include "shell/windows/window_picture.h"
#include "verification/protocol_verdict.h"
#include "verification/verification_protocol.h"
#include "verification/windows/measuring_windows.h"
#include "verification/windows/protocol_printing.h"
#include "verification/windows/protocol_windows.h"
#include "verification/windows/reference_pages.h"
#include "verification/windows/service_window.h"
#include "verification/windows/start_pages.h"
#include "verification/windows/substitute_value_window.h"
#include "window_checks.h"

namespace ruvenset::testing {
namespace {

// Every window of a verification in both languages is drawn whole: no text cut, nothing outside the
// window, a picture that shows something. The pictures go to RUVENSET_SCREENSHOT_DIR when it names a
// folder (docs/screenshots/verification-*.png, see scripts/screenshots), else to a temporary folder.
class VerificationScreenshots : public VerificationFixture {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("RUVENSET_SCREENSHOT_DIR");
    folder_ =
        folder != nullptr && *folder != '\0' ? QString(folder) : QString::fromStdString(::testing::TempDir());
  }

  void UseLanguage(int langRus) {
    state.config.langRus = langRus;
    const std::string name = langRus == 1 ? "Lang01.txt" : "Lang00.txt";
    ASSERT_EQ(LanguageTexts::Load(std::string(RUVENSET_SOURCE_DIR) + "/lang/" + name, state.texts).status,
              LangLoadStatus::Ok);
    suffix_ = langRus == 1 ? "ru" : "uk";
  }

  // Shows the window, draws it under a plain title bar (the offscreen platform draws no frames) and
  // closes it.
  void Shoot(QWidget* window, const char* name) {
    window->show();
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
    const QPixmap framed = PictureWithTitleBar(window, false);
    const QString path = QString("%1/verification-%2-%3.png").arg(folder_, name, suffix_);
    EXPECT_TRUE(ShowsSomething(framed)) << name << " " << suffix_.toStdString();
    EXPECT_EQ(SpoiltParts(window), std::vector<std::string>{}) << name << " " << suffix_.toStdString();
    EXPECT_TRUE(framed.save(path)) << path.toStdString();
    window->hide();
  }

  ChoiceRequest Request(std::vector<std::string> items, int preselected = 0) const {
    ChoiceRequest r;
    r.caption = state.Text(2208);
    r.items = std::move(items);
    r.preselected = preselected;
    r.acceptText = state.Text(2279);
    r.cancelText = state.Text(2614);
    return r;
  }

  void Pages(const std::string& dataFolder) {
    SubstituteValuePage substitute;
    substitute.caption = state.Text(2208);
    substitute.channelName = state.Text(2126);
    substitute.unitName = state.Text(2189);
    substitute.measured = false;
    substitute.constant = 20;
    substitute.lower = -40;
    substitute.upper = 60;
    substitute.rangeText = "[ -40 ... 60 ]";
    substitute.constantText = "20.00";
    TForm45 form45(nullptr, state, substitute);
    Shoot(&form45, "substitute");

    TForm46 form46(nullptr, state, Request({state.Text(2669), state.Text(2670)}, 1));
    Shoot(&form46, "poll-reference");

    TransmitterPage transmitter;
    transmitter.caption = state.Text(2208);
    transmitter.preset.portSlot = 1;
    transmitter.preset.address = 1;
    std::vector<std::string> paths;
    for (int slot = 0; slot < kComSlotCount; ++slot) paths.push_back(ComSlotPath(state.config, slot));
    TForm47 form47(nullptr, state, transmitter, paths);
    Shoot(&form47, "transmitter");

    TForm48 form48(nullptr, state, Request({"1", "2", "3", "4"}, 1));
    Shoot(&form48, "transmitter-variable");

    TForm49 form49(nullptr, state,
                   Request({state.Bilingual("Абсолютное давление", "Абсолютний тиск"),
                            state.Bilingual("Избыточное давление", "Надлишковий тиск")}));
    Shoot(&form49, "reference-pressure");

    TForm8 units(nullptr, UnitChoiceRequest(state, kPressureUnitList, kUnitForVerification));
    Shoot(&units, "unit-choice");

    ChoiceRequest save;
    save.caption = state.Bilingual("Сохранение данных поверки", "Збереження даних повірки");
    save.items = {state.Bilingual(" Не сохранять", " Не зберігати"),
                  state.Bilingual(" Сохранять в новый файл", " Зберігати у новий файл"),
                  state.Bilingual(" Сохранять в существующий файл", " Зберігати в існуючий файл")};
    save.acceptText = state.Text(2279);
    TFdann fdann(nullptr, save);
    Shoot(&fdann, "data-file-choice");

    DataFileDialog dialog;
    dialog.title = state.Bilingual("Запись файла данных поверки", "Запис файлу даних повірки");
    dialog.filter = "DataFiles (*.ctr)|*.ctr|All files (*.*)|*.*";
    dialog.folder = dataFolder;
    DataFileWindow saveDialog(nullptr, state, dialog);
    saveDialog.resize(720, 420);
    saveDialog.selectFile("2024-05-16-temperature");
    Shoot(&saveDialog, "save-dialog");

    TOKBottomDlg typed(nullptr, Q(state.Text(2208)), Q(state.Text(1156)), Q(state.Text(1773)),
                       Q(state.Text(1772)));
    Shoot(&typed, "typed-reference");

    TForm51 actual(nullptr, ActualValueRequest(state, kKindTemperature, {-40, 60}));
    Shoot(&actual, "actual-value");

    StartPage start;
    start.caption = state.Text(2208);
    start.pipelineLine =
        state.texts.FormatText(2209, {1, std::string(state.record.name, sizeof state.record.name)});
    start.channelLine = state.texts.FormatText(2212, {state.Text(2126)});
    TForm52 form52(nullptr, state, start);
    Shoot(&form52, "start");

    ServiceOperations enter(state, technician, technician);
    enter.panelText = state.Text(2202);
    TForm53 form53(nullptr, enter);
    form53.SetProgress(3, 6);
    Shoot(&form53, "service-mode");
  }

  // The measuring window after a few readings, a reset of the statistics and a new actual value.
  void Measuring() {
    state.channel.code = 1;
    state.channel.kind = kKindTemperature;
    state.channelNameText = 2189;
    MeasuringSetup setup;
    setup.channelKind = kKindTemperature;
    setup.referenceMode = kReferenceTyped;
    setup.actual = 20;
    setup.actualRange = {-40, 60};
    MeasuringWindow window(state, technician, pages, setup, wallClock);
    TForm54 form(nullptr, state, window);
    form.show();
    form.Timer1->start(window.firstInterval());
    // Each reading and each button's work is shown before the next one starts.
    const auto settle = [&] { ASSERT_TRUE(QTest::qWaitFor([&] { return !form.working(); })); };
    const auto readings = [&](uint32_t count) {
      for (int tick = 0; tick < 80 && window.statistics().count() < count; ++tick) {
        form.Timer1Timer();
        settle();
        clock.SleepFor(int64_t{form.Timer1->interval()} * 1'000'000);
        wallClock.seconds += 1;
      }
    };
    InputValue(peer->model.inputs(), sim::InputChannel::Temperature) = 20.02;
    readings(2);
    form.BitBtn2->click();
    settle();
    InputValue(peer->model.inputs(), sim::InputChannel::Temperature) = 20.07;
    readings(4);
    pages.actual = {20.05f};
    form.BitBtn3->click();
    settle();
    readings(7);
    form.Timer1->stop();
    Shoot(&form, "measuring");
    form.BitBtn1->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.working(); }));
    Protocol(window.points());
  }

  // The protocol of the measuring window's points: its page, its preview and its printed pages.
  void Protocol(const std::vector<ProtocolPoint>& points) {
    ASSERT_EQ(points.size(), 3u);  // before the reset, after it, after the new actual value
    state.config.protocol.limits[kKindTemperature] = PermissibleError{0.05f, false};
    state.config.protocol.technician = "Коваленко О. П.";
    ProtocolRecord record;
    record.langRus = state.config.langRus;
    record.deviceText = state.record.identificationText;
    record.model = state.record.id.type;
    record.version = state.record.id.version;
    record.revision = state.record.id.revision;
    record.factoryNumber = 160123;
    record.channelKind = kKindTemperature;
    record.unit = state.Text(2189);
    record.range = {-40, 60};
    record.referenceMode = kReferenceTyped;
    record.limit = state.config.protocol.limits[kKindTemperature];
    record.technician = state.config.protocol.technician;
    record.dataFile = "/home/metrolog/Поверки/2024-05-16-temperature.ctr";
    record.points = points;
    JudgePoints(record.points, record.limit, record.range);

    TFormProtocol page(nullptr, ProtocolPageFor(state, record));
    Shoot(&page, "protocol-page");

    const ProtocolDocument document = ComposeProtocol(record, state.texts);
    ProtocolView view;
    view.files = {"/home/metrolog/Поверки/160123-temperature-2024-05-16.pdf",
                  "/home/metrolog/Поверки/160123-temperature-2024-05-16.csv"};
    view.caption = state.Text(3463);
    view.filesLine = state.texts.FormatText(3466, {view.files.pdf, view.files.csv});
    view.printText = state.Text(3464);
    view.exitText = state.Text(2278);
    TProtocolPreview preview(nullptr, document, view);
    preview.resize(900, 860);
    Shoot(&preview, "protocol-preview");

    // The printed pages as a picture each: A4 at 100 dots per inch, with the PDF's margins.
    for (int index = 0; index < ProtocolPageCount(document); ++index) {
      QImage sheet(827, 1169, QImage::Format_RGB32);
      sheet.fill(Qt::white);
      QPainter painter(&sheet);
      const QRectF area(59, 47, 827 - 59 - 47, 1169 - 2 * 47);  // 15 and 12 mm
      DrawProtocolPage(painter, area, document, index);
      painter.end();
      const QPixmap picture = QPixmap::fromImage(sheet);
      EXPECT_TRUE(ShowsSomething(picture)) << index;
      const QString path =
          QString("%1/verification-protocol-page%2-%3.png").arg(folder_).arg(index + 1).arg(suffix_);
      EXPECT_TRUE(sheet.save(path)) << path.toStdString();
    }
  }

  QString folder_;
  QString suffix_;
};

TEST_F(VerificationScreenshots, EveryPageAndTheMeasuringWindowDrawnWholeInBothLanguages) {
  Connect();
  const std::filesystem::path data = std::filesystem::path(::testing::TempDir()) / "verification-data";
  std::filesystem::create_directories(data);
  for (const char* name : {"2024-05-14-temperature.ctr", "2024-05-15-temperature.ctr"})
    std::ofstream(data / name) << "STAT";
  for (int langRus : {1, 0}) {
    UseLanguage(langRus);
    Pages(data.string());
    Measuring();
  }
  std::filesystem::remove_all(data);
}

}  // namespace
}  // namespace ruvenset::testing

namespace ruvenset::testing {
namespace {

TEST(WindowChecks, ACutLabelAndAControlOutsideAreSeen) {
  QWidget window;
  window.resize(400, 60);
  auto* label = new QLabel("Проверка канала давления газа", &window);
  label->setObjectName("Label1");
  label->setGeometry(0, 0, 30, 20);
  auto* outside = new QLabel("x", &window);
  outside->setObjectName("Label2");
  outside->setGeometry(390, 50, 40, 20);
  window.show();
  EXPECT_EQ(SpoiltParts(&window),
            (std::vector<std::string>{"Label1 cuts its text", "Label2 reaches outside the window"}));
  label->adjustSize();
  outside->move(0, 30);
  EXPECT_EQ(SpoiltParts(&window), std::vector<std::string>{});
}

}  // namespace
}  // namespace ruvenset::testing
