#include "viewer/windows/batch_run.h"

#include <cstdio>

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>

#include "viewer/channel_presentation.h"
#include "viewer/readings.h"
#include "viewer/viewer_texts.h"
#include "viewer/windows/form_graph.h"
#include "viewer/windows/form_main.h"

namespace ruvenset {
namespace {

void PrintCannotWrite(const std::string& path) {
  std::string text = viewer_text::kCannotWrite;
  text.replace(text.find("%s"), 2, QFileInfo(QString::fromStdString(path)).fileName().toStdString());
  std::printf("%s\n", text.c_str());
}

// The picture of a window under a plain title bar carrying its caption: the offscreen platform draws
// no window frames.
QPixmap WithTitleBar(const QPixmap& window, const QString& title) {
  constexpr int kBar = 28;
  QPixmap framed(window.width(), window.height() + kBar);
  framed.fill(QColor(0x3C, 0x3F, 0x46));
  QPainter painter(&framed);
  painter.drawPixmap(0, kBar, window);
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, window.width(), kBar), Qt::AlignCenter, title);
  return framed;
}

bool SavePicture(const QPixmap& picture, const std::string& path) {
  if (picture.save(QString::fromStdString(path), "PNG")) return true;
  PrintCannotWrite(path);
  return false;
}

}  // namespace

int MainWindowShot(const std::string& path) {
  TFormMain form;
  form.setAttribute(Qt::WA_DontShowOnScreen);
  form.show();
  QApplication::processEvents();
  QPixmap shot = form.grab();
  QMenu* menu = form.FileMenu();
  const QRect item = form.menuBar()->actionGeometry(menu->menuAction());
  const QPoint at = form.menuBar()->mapTo(&form, item.bottomLeft());
  menu->setAttribute(Qt::WA_DontShowOnScreen);
  menu->popup(form.mapToGlobal(at));
  menu->setActiveAction(menu->actions().value(1));
  QApplication::processEvents();
  QPainter painter(&shot);
  painter.drawPixmap(at, menu->grab());
  painter.end();
  menu->hide();
  return SavePicture(WithTitleBar(shot, form.windowTitle()), path) ? 0 : 1;
}

int RunBatch(const ViewerOptions& options) {
  if (options.open.empty()) return MainWindowShot(options.screenshot);
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
    if (!SavePicture(WithTitleBar(graph.grab(), graph.windowTitle()), options.screenshot)) result = 1;
  }
  return result;
}

}  // namespace ruvenset
