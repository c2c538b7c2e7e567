// How long the user-interface thread goes without serving its events while the windows talk to the
// simulated flow computer: a 5 ms timer runs on that thread and the gaps between its ticks are
// recorded during a connect with speed search against a silent port, a verification at 1200 bit/s, a
// write-back at 1200 bit/s and a Stop (Escape) pressed during a 20 s wait for an answer.
//
//   ui_bench [readings of the verification, default 60]

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <vector>

#include "app/procedures.h"
#include "common/windows/qt_warning_watch.h"
#include "shell/windows/main_window.h"
#include "sim/sim_server.h"
#include "storage/windows/calibration_procedures.h"
#include "verification/windows/measuring_windows.h"

namespace {

using namespace ruvenset;
using M = MenuItem;

// The gaps between the ticks of a 5 ms timer on the user-interface thread.
class GapRecorder {
 public:
  GapRecorder() {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const qint64 now = clock_.nsecsElapsed();
      if (last_ >= 0) gaps_.push_back(static_cast<double>(now - last_) / 1e6);
      last_ = now;
    });
  }
  void Start() {
    gaps_.clear();
    last_ = -1;
    clock_.start();
    timer_.start();
  }
  void Stop() { timer_.stop(); }
  void Print(const char* scenario) const {
    std::vector<double> g = gaps_;
    std::sort(g.begin(), g.end());
    const double max = g.empty() ? 0 : g.back();
    const double p99 = g.empty() ? 0 : g[static_cast<size_t>(0.99 * static_cast<double>(g.size() - 1))];
    std::printf("%-34s ticks %6zu  max gap %8.1f ms  p99 %6.1f ms  (goal max <= 50, p99 <= 16)\n", scenario,
                g.size(), max, p99);
  }

 private:
  QTimer timer_;
  QElapsedTimer clock_;
  qint64 last_ = -1;
  std::vector<double> gaps_;
};

// Ends the bench with a failure: a window or a warning it did not expect would otherwise hang or spoil
// the figures silently.
[[noreturn]] void Fail(const QString& why) {
  std::fprintf(stderr, "ui_bench: %s\n", qPrintable(why));
  std::fflush(nullptr);
  std::_Exit(1);
}

// Answers modal windows by object name as they open. A window that runs by itself (the service and
// write windows) is named with an empty answer; a modal window the bench does not know fails it at once,
// naming the window, instead of waiting for an answer that never comes.
class Answers {
 public:
  using Answer = std::function<void(QWidget*)>;
  Answers() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }
  void On(const QString& name, Answer answer) { answers_[name] = std::move(answer); }
  static Answer Click(const char* button) {
    return [button](QWidget* w) {
      if (auto* b = w->findChild<QAbstractButton*>(button)) b->click();
    };
  }
  QStringList seen;
  std::function<void(QWidget*)> opened;

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal->property("answered").toBool()) return;
    modal->setProperty("answered", true);
    seen << modal->objectName();
    if (opened) opened(modal);
    const auto answer = answers_.find(modal->objectName());
    if (answer == answers_.end())
      Fail("unexpected window " + modal->objectName() + " \"" + modal->windowTitle() + "\"");
    if (answer->second) answer->second(modal);
  }
  QTimer timer_;
  std::map<QString, Answer> answers_;
};

// Serves the events until `done` holds or the time is up.
bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QEventLoop loop;
    QTimer::singleShot(5, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

struct Bench {
  Bench() {
    state.config.langRus = 1;
    LoadLanguageTexts(1, state.texts);
    state.config.waitForUser = 1;
    state.startDirectory = folder.string();
    state.configPath = (folder / "ruvenset.ini").string();
    std::filesystem::create_directories(folder);
  }
  ~Bench() { std::filesystem::remove_all(folder); }

  void AnswerConnect(Answers& answers) {
    answers.On("Form73", Answers::Click("BitBtn1"));
    answers.On("PasswordDlg", [](QWidget* w) {
      w->findChild<QLineEdit*>("Password")->setText("1234");
      Answers::Click("OKBtn")(w);
    });
    answers.On("OKBottomDlg1", Answers::Click("CancelBtn"));
  }

  // Connects to the simulator at 1200 bit/s without recording.
  bool Connect(TForm1& window) {
    Answers answers;
    AnswerConnect(answers);
    window.N6Click();
    return WaitFor([&] { return state.connected && !window.busy(); }, 60000);
  }

  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("ui_bench_" + std::to_string(getpid()));
  SteadyLinkClock clock;
  ProgramState state{clock};
  GapRecorder gaps;
};

void SilentSpeedSearch() {
  Bench b;
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  grantpt(master);
  unlockpt(master);
  MainWindowOptions options;
  options.portOverride = ptsname(master);
  options.startConnect = MainWindowOptions::StartConnect::Never;
  b.state.config.link.speedSearch = 1;
  TForm1 window(b.state, options);
  window.show();
  Answers answers;
  answers.On("Form73", Answers::Click("BitBtn1"));
  bool failed = false;
  answers.On("FormMess", [&](QWidget* w) {
    failed = true;
    Answers::Click("BitBtn1")(w);
  });
  b.gaps.Start();
  window.N6Click();
  WaitFor([&] { return failed && !window.busy(); }, 120000);
  b.gaps.Stop();
  b.gaps.Print("connect, speed search, silent port");
  ::close(master);
}

void Verification(int readings) {
  Bench b;
  sim::SimOptions simOptions;
  simOptions.pipelines = 1;
  std::string error;
  auto simulator = sim::SimServer::Start(simOptions, &error);
  if (!simulator) return;
  simulator->Control("set delay 200");
  MainWindowOptions options;
  options.portOverride = simulator->path();
  options.startConnect = MainWindowOptions::StartConnect::Never;
  b.state.config.link.speedSearch = 0;
  TForm1 window(b.state, options);
  RegisterProcedures(window, options);
  window.show();
  if (!b.Connect(window)) {
    std::printf("verification: no connection\n");
    return;
  }
  Answers answers;
  const std::string path = (b.folder / "temperature.ctr").string();
  answers.On("Form45", Answers::Click("BitBtn1"));
  answers.On("Fdann", [](QWidget* w) {
    w->findChild<QAbstractButton*>("Item1")->click();
    Answers::Click("BitBtn1")(w);
  });
  answers.On("SaveDialog1", [&path](QWidget* w) {
    auto* dialog = static_cast<QFileDialog*>(w);
    dialog->selectFile(QString::fromStdString(path));
    static_cast<QDialog*>(dialog)->accept();
  });
  answers.On("OKBottomDlg", Answers::Click("OKBtn"));
  answers.On("Form51", [](QWidget* w) {
    w->findChild<QLineEdit*>("Edit1")->setText("20");
    Answers::Click("BitBtn1")(w);
  });
  answers.On("Form52", Answers::Click("BitBtn1"));
  answers.On("Form53", {});
  bool finished = false;
  answers.On("Form54", [&](QWidget* w) {
    auto* poll = new QTimer(w);
    QObject::connect(poll, &QTimer::timeout, w, [w, poll, readings, &finished] {
      if (static_cast<MeasuringForm*>(w)->Line("count")->text().toInt() < readings) return;
      poll->stop();
      finished = true;
      static_cast<MeasuringForm*>(w)->BitBtn1->click();
    });
    poll->start(20);
  });
  answers.On("FormProtocol", Answers::Click("BitBtn2"));  // no protocol
  b.gaps.Start();
  window.Action(M::N20)->trigger();
  WaitFor([&] { return finished && QApplication::activeModalWidget() == nullptr; }, 600000);
  WaitFor([&] { return !window.busy() && window.menuBar()->activeAction() != nullptr; }, 30000);
  b.gaps.Stop();
  char name[64];
  std::snprintf(name, sizeof name, "verification, %d readings, 1200", readings);
  b.gaps.Print(name);
}

// An image that belongs to the default simulated flow computer (model 16, version 35, code 160123).
CalibrationImage DeviceImage() {
  CalibrationImage image;
  image.modelCode = 16;
  image.softwareVersion = 35;
  image.SetIdentificationCode(160123);
  const ChannelSection channel = image.Channel(CalibrationSection::Temperature);
  channel.SetTosCount(3);
  for (int k = 0; k < 3; ++k) {
    channel.SetTosPoint(k, 32768 + 400 * (k * 20), static_cast<float>(k * 20));
    channel.SetPointCount(k, 6);
    for (int i = 0; i < 6; ++i)
      channel.SetPoint(k, i, 100000 + 500000 * i + k, static_cast<float>(i) * 2.0f - 10.0f);
  }
  image.StoreCheckBytes();
  return image;
}

void WriteBack() {
  Bench b;
  std::string error;
  auto simulator = sim::SimServer::Start(sim::SimOptions{}, &error);
  if (!simulator) return;
  simulator->Control("set delay 200");
  MainWindowOptions options;
  options.portOverride = simulator->path();
  options.startConnect = MainWindowOptions::StartConnect::Never;
  b.state.config.link.speedSearch = 0;
  TForm1 window(b.state, options);
  bool done = false;
  window.SetProcedure(M::N22, [&] {
    StoreCalibrationParameters(&window, window.state(), window.technician(), CalibrationSection::Temperature);
    done = true;
  });
  window.show();
  if (!b.Connect(window)) {
    std::printf("write-back: no connection\n");
    return;
  }
  b.state.calibration = DeviceImage();
  Answers answers;
  answers.On("Form53", {});
  answers.On("Form81", {});
  // The closing message names what was stored.
  answers.On("FormMess", Answers::Click("BitBtn1"));
  b.gaps.Start();
  window.Action(M::N22)->trigger();
  WaitFor([&] { return done && !window.busy(); }, 600000);
  b.gaps.Stop();
  b.gaps.Print("write-back, temperature, 1200");
  if (answers.seen.count("Form81") == 0)
    std::printf("  (no write window: %s)\n", qPrintable(answers.seen.join(",")));
}

void StopDuringWait() {
  Bench b;
  std::string error;
  auto simulator = sim::SimServer::Start(sim::SimOptions{}, &error);
  if (!simulator) return;
  MainWindowOptions options;
  options.portOverride = simulator->path();
  options.startConnect = MainWindowOptions::StartConnect::Never;
  b.state.config.link.speedSearch = 0;
  TForm1 window(b.state, options);
  window.show();
  if (!b.Connect(window)) {
    std::printf("stop: no connection\n");
    return;
  }
  b.state.config.link.firstByteWait = 20;
  b.state.config.link.attempts = 1;
  simulator->Control("fault drop 1");
  Answers answers;
  QElapsedTimer clock;
  qint64 pressedAt = -1;
  qint64 endedAt = -1;
  answers.opened = [&](QWidget*) {
    if (endedAt < 0) endedAt = clock.nsecsElapsed();
  };
  answers.On("OKBottomDlg", Answers::Click("CancelBtn"));
  answers.On("FormMess", Answers::Click("BitBtn1"));
  answers.On("MessageBox", Answers::Click("BitBtn1"));
  b.gaps.Start();
  clock.start();
  QTimer::singleShot(1000, &window, [&] {
    pressedAt = clock.nsecsElapsed();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QWidget* target = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : &window;
    QApplication::sendEvent(target, &escape);
  });
  window.N17Click();
  WaitFor([&] { return endedAt >= 0 && !window.busy(); }, 120000);
  b.gaps.Stop();
  b.gaps.Print("Stop during a 20 s wait");
  std::printf("%-34s Escape at %.0f ms, the wait ended at %.0f ms: %.1f ms after it (goal <= 100 ms)\n", "",
              pressedAt / 1e6, endedAt / 1e6, (endedAt - pressedAt) / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (getenv("RUVENSET_LANG_DIR") == nullptr) setenv("RUVENSET_LANG_DIR", RUVENSET_SOURCE_DIR "/lang", 1);
  QApplication app(argc, argv);
  WatchQtWarnings([](const QString& warning) { Fail("Qt: " + warning); });
  const int readings = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
  SilentSpeedSearch();
  Verification(readings);
  WriteBack();
  StopDuringWait();
  return 0;
}
