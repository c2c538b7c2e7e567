#include <clocale>
#include <cstdio>

#include <QApplication>

#include "common/option_help.h"
#include "common/windows/qt_translations.h"
#include "viewer/viewer_options.h"
#include "viewer/windows/batch_run.h"
#include "viewer/windows/form_main.h"
#include "viewer/windows/instance_channel.h"
#include "viewer/windows/instance_server.h"

int main(int argc, char** argv) {
  // The command line is read before the Qt application exists: the help needs no display.
  ruvenset::ViewerOptions options;
  std::string error;
  if (!ruvenset::ParseViewerOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "grafmira: %s\n%s", error.c_str(), ruvenset::ViewerHelpText().c_str());
    return 64;
  }
  if (options.help) {
    std::fputs(ruvenset::ViewerHelpText().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("grafmira %s\n", ruvenset::ProgramVersion());
    return 0;
  }
  // A batch run draws offscreen unless a platform was asked for.
  if (options.Batch() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Qt takes the system's locale for the C library too; numbers in files and reports keep the decimal
  // point whatever the system's language.
  std::setlocale(LC_NUMERIC, "C");
  // Qt's own dialogs speak the viewer's language.
  ruvenset::QtTranslations qtTexts;
  qtTexts.Use(QStringLiteral("ru"));
  if (options.Batch()) return ruvenset::RunBatch(options);

  ruvenset::TFormMain form;
  if (!options.file.empty()) {
    // A file handed over by a file manager opens in a viewer of its own, beside any running one.
    form.show();
    form.OpenFile(QString::fromStdString(options.file));
    return app.exec();
  }
  const QString name =
      options.instance.empty() ? ruvenset::ViewerInstanceName() : QString::fromStdString(options.instance);
  if (ruvenset::ShowRunningViewer(name)) return 0;
  ruvenset::InstanceServer server(
      [&form] {
        form.showMaximized();
        form.raise();
        form.activateWindow();
      },
      [] { QApplication::quit(); });
  server.Listen(name);
  form.show();
  return app.exec();
}
