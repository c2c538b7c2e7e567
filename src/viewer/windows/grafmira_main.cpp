#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QApplication>

#include "common/windows/qt_translations.h"
#include "viewer/viewer_options.h"
#include "viewer/windows/batch_run.h"
#include "viewer/windows/form_main.h"
#include "viewer/windows/instance_channel.h"
#include "viewer/windows/instance_server.h"

int main(int argc, char** argv) {
  // A batch run draws offscreen unless a platform was asked for.
  for (int i = 1; i < argc; ++i) {
    const bool batch = std::strcmp(argv[i], "--open") == 0 || std::strcmp(argv[i], "--screenshot") == 0;
    if (batch && std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication app(argc, argv);
  ruvenset::ViewerOptions options;
  std::string error;
  if (!ruvenset::ParseViewerOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "grafmira: %s\n", error.c_str());
    return 2;
  }
  // Qt's own dialogs speak the viewer's language.
  ruvenset::QtTranslations qtTexts;
  qtTexts.Use(QStringLiteral("ru"));
  if (options.Batch()) return ruvenset::RunBatch(options);

  const QString name =
      options.instance.empty() ? ruvenset::ViewerInstanceName() : QString::fromStdString(options.instance);
  if (ruvenset::ShowRunningViewer(name)) return 0;
  ruvenset::TFormMain form;
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
