#include "app/app_options.h"

#include <QCommandLineParser>

namespace ruvenset {

bool ParseAppOptions(const QStringList& arguments, AppOptions& options, std::string& error) {
  QCommandLineParser parser;
  parser.setApplicationDescription("Service tool for ВАЛДОР and СТЕНВИР gas flow computers");
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption config("config", "Read and write the configuration FILE.", "FILE");
  const QCommandLineOption demo("demo", "Work with a simulated flow computer (no hardware needed).");
  const QCommandLineOption port("port", "Use the serial device PATH instead of the configured port slot.",
                                "PATH");
  const QCommandLineOption allChannels("all-channels",
                                       "Show the menus of every channel, not only the temperature channel.");
  QCommandLineOption shots("screenshot-dialogs", "Write pictures of the windows into DIR and exit.", "DIR");
  shots.setFlags(QCommandLineOption::HiddenFromHelp);
  parser.addOptions({config, demo, port, allChannels, shots});
  if (!parser.parse(arguments)) {
    error = parser.errorText().toStdString();
    return false;
  }
  if (parser.isSet("help")) parser.showHelp(0);
  if (parser.isSet("version")) parser.showVersion();
  if (!parser.positionalArguments().isEmpty()) {
    error = "unexpected argument " + parser.positionalArguments().first().toStdString();
    return false;
  }
  options.configPath = parser.value(config).toStdString();
  options.portPath = parser.value(port).toStdString();
  options.demo = parser.isSet(demo);
  options.allChannels = parser.isSet(allChannels);
  options.screenshotDir = parser.value(shots).toStdString();
  return true;
}

}  // namespace ruvenset
