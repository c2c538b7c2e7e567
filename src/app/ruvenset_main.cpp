#include <QApplication>
#include <clocale>
#include <cstdio>

#include "app/app_options.h"
#include "app/dialog_screenshots.h"
#include "app/procedures.h"
#include "common/file_io.h"
#include "common/option_help.h"
#include "shell/windows/main_window.h"
#include "sim/simulated_port.h"

using namespace ruvenset;

int main(int argc, char** argv) {
  AppOptions options;
  std::string error;
  switch (ParseAppOptions(argc, argv, options, error)) {
    case AppCommandLine::Run:
      break;
    case AppCommandLine::Help:
      std::fputs(AppHelpText().c_str(), stdout);
      return 0;
    case AppCommandLine::Version:
      std::printf("ruvenset %s\n", ProgramVersion());
      return 0;
    case AppCommandLine::Usage:
      std::fprintf(stderr, "ruvenset: %s\n%s", error.c_str(), AppHelpText().c_str());
      return 64;
  }

  QApplication app(argc, argv);
  // Qt takes the system's locale for the C library too; numbers in files and reports keep the decimal
  // point whatever the system's language.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName("ruvenset");
  QApplication::setApplicationVersion(ProgramVersion());

  SteadyLinkClock clock;
  ProgramState state(clock);
  state.configPath = options.configPath.empty() ? DefaultConfigurationPath() : options.configPath;
  state.config = LoadConfiguration(state.configPath);
  state.startDirectory = CurrentDirectory();
  if (LoadLanguageTexts(state.config.langRus, state.texts).status != LangLoadStatus::Ok) {
    std::fprintf(stderr, "ruvenset: language catalogue %s not found (looked in %s and beside the program)\n",
                 LanguageCatalogueName(state.config.langRus).c_str(), kLanguageDirVariable);
    return 2;
  }

  MainWindowOptions windowOptions;
  windowOptions.portOverride = options.portPath;
  windowOptions.allChannels = options.allChannels;
  std::unique_ptr<sim::InProcessSimulator> simulator;
  if (options.demo) {
    sim::SimOptions sim;
    sim.speed = kSpeedTable[state.config.link.speedIndex];
    sim.address = state.config.link.address;
    simulator = sim::InProcessSimulator::Start(sim, &error);
    if (!simulator) {
      std::fprintf(stderr, "ruvenset: cannot start the simulated flow computer: %s\n", error.c_str());
      return 2;
    }
    windowOptions.opener = simulator->Opener(OpenSerialPort);
    windowOptions.portOverride = sim::InProcessSimulator::kPortName;
    windowOptions.portSimulated = true;
    windowOptions.startConnect = MainWindowOptions::StartConnect::Always;
  }

  if (!options.screenshotDir.empty()) {
    windowOptions.startConnect = MainWindowOptions::StartConnect::Never;
    return TakeScreenshots(state, windowOptions, options.screenshotDir);
  }
  TForm1 window(state, windowOptions);
  RegisterProcedures(window, windowOptions);
  window.show();
  return app.exec();
}
