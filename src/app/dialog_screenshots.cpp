#include "app/dialog_screenshots.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/procedures.h"
#include "calibration/zero_setting.h"
#include "common/windows/qt_warning_watch.h"
#include "common/windows/save_dialog.h"
#include "device/windows/choice_dialogs.h"
#include "device/windows/constants_dialog.h"
#include "device/windows/information_window.h"
#include "device/windows/number_dialogs.h"
#include "device/windows/password_dialogs.h"
#include "shell/menu_captions.h"
#include "shell/windows/about_box.h"
#include "shell/windows/confirm_windows.h"
#include "shell/windows/connect_dialog.h"
#include "shell/windows/guide_window.h"
#include "shell/windows/link_parameters_dialog.h"
#include "shell/windows/message_window.h"
#include "shell/windows/port_test_window.h"
#include "shell/windows/preambles_dialog.h"
#include "shell/windows/progress_window.h"
#include "shell/windows/window_parts.h"
#include "shell/windows/window_picture.h"
#include "storage/windows/qt_calibration_pages.h"

namespace ruvenset {
namespace {

class Shooter {
 public:
  explicit Shooter(const std::string& folder) : folder_(QString::fromStdString(folder)) {}

  bool Save(QWidget* widget, const QString& name) {
    Settle();
    const bool closeBox = widget->windowFlags().testFlag(Qt::WindowCloseButtonHint);
    return Write(PictureWithTitleBar(widget, closeBox), name);
  }

  // The main window together with its open menus, drawn where they stand on the screen.
  bool SaveWithPopups(QWidget* window, const QString& name) {
    Settle();
    const QRect frame = window->geometry();
    QPixmap picture = window->grab();
    QPainter painter(&picture);
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top == window || !top->isVisible() || !top->inherits("QMenu")) continue;
      painter.drawPixmap(top->geometry().topLeft() - frame.topLeft(), top->grab());
    }
    painter.end();
    return Write(PictureWithTitleBar(picture, window->windowTitle()), name);
  }

  static void Settle() {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 60) QApplication::processEvents(QEventLoop::AllEvents, 20);
  }

  int failures() const { return failures_; }

 private:
  bool Write(const QPixmap& picture, const QString& name) {
    const QString path = QDir(folder_).filePath("ruvenset-" + name + ".png");
    if (!picture.save(path)) {
      std::fprintf(stderr, "ruvenset: cannot write %s\n", path.toLocal8Bit().constData());
      ++failures_;
      return false;
    }
    std::printf("%s\n", path.toLocal8Bit().constData());
    return true;
  }

  QString folder_;
  int failures_ = 0;
};

// Answers the connect operation's windows as a technician would, taking a picture of each the first
// time it shows.
class ConnectAnswers : public QObject {
 public:
  explicit ConnectAnswers(Shooter& shooter) : shooter_(shooter) {
    timer_.setInterval(40);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Answer(); });
    timer_.start();
  }

 private:
  void Answer() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    const QString name = modal->objectName();
    const auto click = [modal](const char* button) {
      if (auto* b = modal->findChild<QPushButton*>(button)) b->click();
    };
    if (name == "Form73") {
      Shoot(modal, "connect-dialog");
      click("BitBtn1");
    } else if (name == "PasswordDlg") {
      modal->findChild<QLineEdit*>("Password")->setText("demo");
      Shoot(modal, "write-password");
      click("OKBtn");
    } else if (name == "OKBottomDlg1" || name == "OKBottomDlg") {
      Shoot(modal, name == "OKBottomDlg1" ? "connect-service-mode-question" : "connect-retry-question");
      click("CancelBtn");
    } else if (name == "FormMess" || name == "MessageBox" || name == "Form83") {
      Shoot(modal, "connect-message");
      click("BitBtn1");
    }
  }

  void Shoot(QWidget* window, const QString& name) {
    if (taken_.contains(name)) return;
    taken_.insert(name);
    shooter_.Save(window, name);
  }

  Shooter& shooter_;
  QTimer timer_;
  QSet<QString> taken_;
};

// Opens a window without blocking, takes its picture and closes it.
void ShootDialog(Shooter& shooter, QWidget* dialog, const QString& name) {
  dialog->show();
  shooter.Save(dialog, name);
  dialog->close();
}

void ShootDialogs(Shooter& shooter, TForm1& main, ProgramState& state) {
  QWidget* owner = &main;
  const auto text = [&state](int id) { return Q(state.Text(id)); };
  {
    TFormMess w(owner, text(2385),
                Q(state.texts.FormatText(2855, {2})) + "\n/dev/ttyUSB0: " +
                    Q(state.Bilingual("устройство не найдено (адаптер подключён?).",
                                      "пристрій не знайдено (адаптер підключено?).")),
                text(2278));
    ShootDialog(shooter, &w, "message-window");
  }
  {
    TOKBottomDlg w(owner, text(2195), text(2196), text(1773), text(1772));
    ShootDialog(shooter, &w, "confirm-window");
  }
  {
    TOKBottomDlg1 w(owner, "", text(2325), text(2326), text(2327), text(1773), text(1772));
    ShootDialog(shooter, &w, "confirm3-window");
  }
  {
    TForm5 w(owner, text(2287), text(2257), 8);
    w.Advance(3);
    ShootDialog(shooter, &w, "progress-window");
  }
  {
    TForm83 w(owner, text(2325), text(2864), text(2867) + "20", text(2278), 60000);
    ShootDialog(shooter, &w, "notice-window");
  }
  {
    TPasswordDlg w(owner, state.texts, false);
    ShootDialog(shooter, &w, "write-password-double");
  }
  {
    TPasswordDlg2 w(owner, state.texts);
    ShootDialog(shooter, &w, "parameter-password");
  }
  {
    TForm92 w(owner, text(2287), text(3070));
    w.Step(5);
    ShootDialog(shooter, &w, "port-test");
  }
  {
    std::array<bool, kComSlotCount> available{};
    available.fill(false);
    available[0] = available[1] = true;
    TForm72 w(owner, state, available, OpenSerialPort);
    ShootDialog(shooter, &w, "link-parameters");
  }
  {
    TPreambula w(owner, state);
    ShootDialog(shooter, &w, "preambles");
  }
  {
    TAboutBox w(owner, state);
    ShootDialog(shooter, &w, "about");
  }
  {
    NumberRequest r;
    r.caption = state.texts.FormatText(2552, {state.Text(2170)});
    r.prompt = state.Text(2552).substr(0, state.Text(2552).find(','));
    r.rangeText = state.texts.FormatText(2534, {0.8564, 1.088});
    r.lower = 0.8564f;
    r.upper = 1.088f;
    r.proposed = "1.013";
    r.acceptText = state.Text(2613);
    r.cancelText = state.Text(2614);
    TForm14 w(owner, r);
    ShootDialog(shooter, &w, "number-dialog");
  }
  {
    NumberRequest r;
    r.caption = state.Text(1144);
    r.prompt = state.Text(1145);
    r.lower = 1;
    r.upper = 4294967296.0f;
    r.maxLength = 10;
    r.filter = NumberFilter::DigitsPoint;
    r.proposed = "20231187";
    r.acceptText = state.Text(2613);
    r.cancelText = state.Text(2614);
    TForm24 w(owner, r);
    ShootDialog(shooter, &w, "number-dialog-long");
  }
  {
    ChoiceRequest r;
    r.caption = state.Bilingual("Интервал усреднения", "Інтервал усереднення");
    r.title = state.Bilingual("Минуты", "Хвилини");
    r.columns = 3;
    r.acceptText = state.Text(2613);
    r.cancelText = state.Text(2614);
    TForm8 w(owner, r);
    ShootDialog(shooter, &w, "interval-choice");
  }
  {
    ChoiceRequest r;
    r.caption = state.Text(2238);
    r.items = {state.Text(2875), state.Text(2876)};
    r.acceptText = state.Text(2613);
    r.cancelText = state.Text(2614);
    TForm80 w(owner, r);
    ShootDialog(shooter, &w, "two-way-choice");
  }
  {
    ChoiceRequest r;
    r.caption = state.Bilingual("Сохранение данных поверки", "Збереження даних повірки");
    r.items = {state.Bilingual(" Не сохранять", " Не зберігати"),
               state.Bilingual(" Сохранять в новый файл", " Зберігати у новий файл"),
               state.Bilingual(" Сохранять в существующий файл", " Зберігати в існуючий файл")};
    r.acceptText = state.Text(2279);
    TFdann w(owner, r);
    ShootDialog(shooter, &w, "save-choice");
  }
  {
    TNSHP w(
        owner, text(2934),
        {state.texts.FormatText(2936, {1.0002}), state.texts.FormatText(2935, {0.0125, state.Text(2170)})});
    ShootDialog(shooter, &w, "information-window");
  }
  {
    TForm9 w(owner, state.Bilingual("Цикл опроса, с", "Цикл опитування, с"),
             state.Bilingual("Цикл опроса (1..6 с):", "Цикл опитування (1..6 с):"), 1, text(2613),
             text(2614));
    ShootDialog(shooter, &w, "polling-cycle");
  }
  {
    uint8_t record[kPipelineStateSize] = {0, 0x05};
    const float pressure = 0.5f, temperature = 20.0f, density = 0.68f;
    std::memcpy(record + 6, &pressure, 4);
    std::memcpy(record + 10, &temperature, 4);
    std::memcpy(record + 15, &density, 4);
    TForm33 w(owner, state.texts, record, 0x80, true);
    w.setWindowTitle(Q(state.Bilingual("Константы трубопровода 1", "Константи трубопроводу 1")));
    const QString measured = Q(state.Bilingual("Измеряемое", "Вимірюване"));
    const QString constant = Q(state.Bilingual("Константа", "Константа"));
    const auto range = [&state](float low, float high) {
      return Q(state.texts.FormatText(2534, {low, high}));
    };
    w.SetGroup(ConstantChannel::Pressure, {Q(state.Bilingual("Давление", "Тиск")), measured, constant,
                                           range(0.01f, 12.0f), "МПа", 0.01f, 12.0f});
    w.SetGroup(ConstantChannel::Temperature, {Q(state.Bilingual("Температура", "Температура")), measured,
                                              constant, range(-40.0f, 60.0f), "°C", -40.0f, 60.0f});
    w.SetGroup(ConstantChannel::DiffPressure, {Q(state.Bilingual("Перепад давления", "Перепад тиску")),
                                               measured, constant, range(0.0f, 630.0f), "кПа", 0.0f, 630.0f});
    w.SetGroup(ConstantChannel::Density, {Q(state.Bilingual("Плотность", "Густина")), measured, constant,
                                          range(0.66f, 1.05f), "кг/м³", 0.66f, 1.05f});
    ShootDialog(shooter, &w, "constants");
  }
}

// The channel menus and General of the edition that shows every channel, each opened at its last item.
void ShootChannelMenus(Shooter& shooter, TForm1& main, const QString& suffix) {
  const std::pair<MenuItem, const char*> menus[] = {{MenuItem::N18, "main-menu-pressure"},
                                                    {MenuItem::N29, "main-menu-dp"},
                                                    {MenuItem::N44, "main-menu-dp-lower"},
                                                    {MenuItem::N31, "main-menu-general-all"}};
  for (const auto& [item, name] : menus) {
    if (!main.visibility().shown(MenuParent(item))) continue;
    main.ReopenMenu(MenuPath(main.visibility(), item));
    shooter.SaveWithPopups(&main, QString(name) + suffix);
  }
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->inherits("QMenu")) top->hide();
  }
  main.menuBar()->setActiveAction(nullptr);
}

// The windows whose texts follow the language, with `suffix` naming the language of the pictures: the
// link parameters with the device given at start, About, a write question and Qt's own save dialog.
void ShootLanguageDialogs(Shooter& shooter, TForm1& main, ProgramState& state, const QString& suffix) {
  QWidget* owner = &main;
  const auto text = [&state](int id) { return Q(state.Text(id)); };
  {
    std::array<bool, kComSlotCount> available{};
    available[0] = true;
    TForm72 w(owner, state, available, OpenSerialPort);
    ShootDialog(shooter, &w, "link-parameters-given-port" + suffix);
  }
  {
    TForm73 w(owner, state, main.technician(), OpenSerialPort);
    ShootDialog(shooter, &w, "connect-dialog-offline" + suffix);
  }
  {
    TAboutBox w(owner, state);
    ShootDialog(shooter, &w, "about" + suffix);
  }
  {
    TOKBottomDlg w(owner, text(2238), text(2264), text(1773), text(1772));
    w.MakeNoTheDefault();
    ShootDialog(shooter, &w, "write-question" + suffix);
  }
  {
    QFileDialog w(owner, text(1186), Q(state.startDirectory), DialogFilter(state.Text(2874)));
    w.setAcceptMode(QFileDialog::AcceptSave);
    AddFilterExtension(w);
    ShootDialog(shooter, &w, "save-dialog" + suffix);
  }
  {
    // A technician's folder, not the one the pictures are taken in.
    const std::string calibration = "/home/metrolog/CALIBR/walkcal2.klb";
    TOKBottomDlg w(
        owner, text(2915),
        Q(state.texts.FormatText(3354, {calibration, calibration.substr(0, calibration.size() - 3) + "rcl"})),
        text(1773), text(1772));
    ShootDialog(shooter, &w, "saved-calibration" + suffix);
  }
  {
    ZeroSettingOutcome set;
    set.result = ZeroSettingResult::Set;
    set.correction = -0.0125f;
    set.offset = 0.0031f;
    const ZeroMessage m = ZeroSettingMessage(state, set, 0);
    TFormMess w(owner, Q(m.caption), Q(m.message), text(2278));
    ShootDialog(shooter, &w, "zero-set-message" + suffix);
  }
  if (const QString guide = GuideFile(QCoreApplication::applicationDirPath(), state.config.langRus);
      !guide.isEmpty()) {
    TGuide w(owner, guide, text(3366), text(2278));
    ShootDialog(shooter, &w, "guide" + suffix);
  }
}

}  // namespace

int TakeScreenshots(ProgramState& state, const MainWindowOptions& options, const std::string& folder) {
  QDir().mkpath(QString::fromStdString(folder));
  // A window touched from the worker or painted outside its paint event spoils the run.
  auto warnings = std::make_shared<std::atomic<int>>(0);
  WatchQtWarnings([warnings](const QString& warning) {
    std::fprintf(stderr, "ruvenset: Qt: %s\n", qPrintable(warning));
    ++*warnings;
  });
  Shooter shooter(folder);
  TForm1 main(state, options);
  RegisterProcedures(main, options);
  main.show();
  Shooter::Settle();
  shooter.Save(&main, "main-start");
  {
    ConnectAnswers answers(shooter);
    main.N6Click();
    // The connect runs on the main window's worker; its windows are answered meanwhile.
    while (main.busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  Shooter::Settle();
  if (!state.connected) {
    std::fprintf(stderr, "ruvenset: the connect did not succeed; the main window is shown unconnected\n");
  }
  shooter.Save(&main, "main");
  main.ReopenMenu(MenuPath(main.visibility(), MenuItem::N20));
  shooter.SaveWithPopups(&main, "main-menu");
  main.ReopenMenu(MenuPath(main.visibility(), MenuItem::N17));
  shooter.SaveWithPopups(&main, "main-menu-general");
  if (main.visibility().shown(MenuItem::Pressure)) ShootChannelMenus(shooter, main, "");
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->inherits("QMenu")) top->hide();
  }
  main.menuBar()->setActiveAction(nullptr);
  ShootDialogs(shooter, main, state);

  ShootLanguageDialogs(shooter, main, state, "");

  // The same windows in the other language.
  main.MNMNU2Click();
  shooter.Save(&main, "main-ukrainian");
  if (main.visibility().shown(MenuItem::Pressure)) ShootChannelMenus(shooter, main, "-ukrainian");
  ShootLanguageDialogs(shooter, main, state, "-ukrainian");
  main.MNMNU1Click();
  return shooter.failures() == 0 && state.connected && *warnings == 0 ? 0 : 1;
}

}  // namespace ruvenset
