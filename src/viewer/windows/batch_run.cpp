#include "viewer/windows/batch_run.h"

#include <cstdio>

#include <QApplication>
#include <QFileInfo>

#include "viewer/channel_presentation.h"
#include "viewer/readings.h"
#include "viewer/viewer_texts.h"
#include "viewer/windows/form_graph.h"

namespace ruvenset {
namespace {

void PrintCannotWrite(const std::string& path) {
  std::string text = viewer_text::kCannotWrite;
  text.replace(text.find("%s"), 2, QFileInfo(QString::fromStdString(path)).fileName().toStdString());
  std::printf("%s\n", text.c_str());
}

}  // namespace

int RunBatch(const ViewerOptions& options) {
  Readings readings;
  const VerificationReadStatus status =
      LoadReadings(options.open, static_cast<uint8_t>(options.channel), readings);
  if (status != VerificationReadStatus::Ok) {
    std::printf("%s\n", LoadFailureText(status, options.open).c_str());
    return 1;
  }
  std::printf("records %zu\nunit %s\n", readings.size(),
              UnitText(ShownChannelKind(options.channel), readings.unit));
  std::fflush(stdout);
  TFormGraph graph(QString::fromStdString(options.open), std::move(readings));
  if (options.step >= 0) graph.SetTimeStep(options.step);
  int result = 0;
  if (!options.csv.empty() && !graph.ExportCsv(QString::fromStdString(options.csv))) {
    PrintCannotWrite(options.csv);
    result = 1;
  }
  if (!options.screenshot.empty()) {
    graph.setAttribute(Qt::WA_DontShowOnScreen);
    graph.show();
    QApplication::processEvents();
    if (!graph.grab().save(QString::fromStdString(options.screenshot), "PNG")) {
      PrintCannotWrite(options.screenshot);
      result = 1;
    }
  }
  return result;
}

}  // namespace ruvenset
