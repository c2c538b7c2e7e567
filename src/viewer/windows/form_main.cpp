#include "viewer/windows/form_main.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>

#include "viewer/readings.h"
#include "viewer/viewer_texts.h"
#include "viewer/windows/form_graph.h"
#include "viewer/windows/viewer_message.h"

namespace ruvenset {
namespace {

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

QString DataFolder() {
  const QDir current = QDir::current();
  const QString folder = current.filePath(Text(viewer_text::kDataFolder));
  return QDir(folder).exists() ? folder : current.absolutePath();
}

QStringList DialogNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (patterns == QStringLiteral("*.*")) patterns = QStringLiteral("*");
    filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return filters;
}

TFormMain::TFormMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName(Text(viewer_text::kMainWindowClass));
  setWindowTitle(Text(viewer_text::kMainCaption));
  fileMenu_ = menuBar()->addMenu(Text(viewer_text::kMenuChooseFile));
  const char* items[] = {viewer_text::kMenuPressure, viewer_text::kMenuTemperature,
                         viewer_text::kMenuDiffPressure};
  for (int tag = 0; tag < 3; ++tag) {
    QAction* action = fileMenu_->addAction(Text(items[tag]));
    action->setData(tag);
    connect(action, &QAction::triggered, this, [this, tag] { NParClick(tag); });
  }
  QAction* exit = menuBar()->addAction(Text(viewer_text::kMenuExit));
  connect(exit, &QAction::triggered, qApp, &QApplication::quit);
  setCentralWidget(new QWidget);
  resize(720, 420);
}

void TFormMain::NParClick(int tag) {
  QFileDialog dialog(this, Text(viewer_text::kOpenTitle), DataFolder());
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(DialogNameFilters(Text(viewer_text::kOpenFilter)));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  OpenGraph(dialog.selectedFiles().constFirst(), tag);
}

TFormGraph* TFormMain::OpenGraph(const QString& path, int tag) {
  Readings readings;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const VerificationReadStatus status = LoadReadings(path.toStdString(), static_cast<uint8_t>(tag), readings);
  QApplication::restoreOverrideCursor();
  if (status != VerificationReadStatus::Ok) {
    ShowViewerMessage(this, LoadFailureText(status, path.toStdString()));
    return nullptr;
  }
  auto* graph = new TFormGraph(path, std::move(readings), this);
  graph->setAttribute(Qt::WA_DeleteOnClose);
  graph->show();
  return graph;
}

void TFormMain::OpenFile(const QString& path) {
  VerificationReadStatus failure = VerificationReadStatus::NoChannelData;
  bool opened = false;
  for (int tag = 0; tag <= 2; ++tag) {
    Readings readings;
    const VerificationReadStatus status =
        LoadReadings(path.toStdString(), static_cast<uint8_t>(tag), readings);
    if (status == VerificationReadStatus::Ok) {
      auto* graph = new TFormGraph(path, std::move(readings), this);
      graph->setAttribute(Qt::WA_DeleteOnClose);
      graph->show();
      opened = true;
    } else if (status != VerificationReadStatus::NoChannelData) {
      failure = status;
      break;
    }
  }
  if (!opened) ShowViewerMessage(this, LoadFailureText(failure, path.toStdString()));
}

}  // namespace ruvenset
