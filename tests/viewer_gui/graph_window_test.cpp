#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include "../viewer/ctr_files.h"
#include "gui_app.h"
#include "viewer/windows/form_graph.h"
#include "viewer/windows/form_main.h"
#include "viewer/windows/graph_strip.h"

namespace ruvenset {
namespace {

using testing::FileImage;
using testing::Reading;

QString Cell(QTableView* table, int row, int column) {
  return table->model()->data(table->model()->index(row, column)).toString();
}

TEST(GraphWindow, HoldsTheNamedPartsAndSwitchesUnitsWithoutDrift) {
  testing::GuiApp();
  testing::TempFolder folder;
  const std::string path = folder.File("pressure.ctr");
  testing::WriteBytes(path, FileImage({Reading(0, 1, 0.5f, 46093.5),
                                       Reading(0, 0, 10.0f, 46093.5 + 1 / 86400.0), Reading(1, 0, 20.0f)}));
  TFormMain main;
  TFormGraph* graph = main.OpenGraph(QString::fromStdString(path), 0);
  ASSERT_NE(graph, nullptr);
  EXPECT_EQ(graph->windowTitle(), QStringLiteral("Статистика поверки канала давления"));
  for (const char* name : {"StringGrid1", "SpeedButton4", "Image1", "Image2", "Image3", "TrackGr", "BitBtn4"})
    EXPECT_NE(graph->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
  auto* table = graph->findChild<QTableView*>(QStringLiteral("StringGrid1"));
  ASSERT_EQ(table->model()->rowCount(), 2);
  EXPECT_EQ(table->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Измер.\nзнач."));
  EXPECT_EQ(table->model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("2"));
  EXPECT_EQ(Cell(table, 0, 0), QStringLiteral("12.03.2026"));
  EXPECT_EQ(Cell(table, 0, 1), QStringLiteral("12:00:00:000"));
  EXPECT_EQ(Cell(table, 0, 2), QStringLiteral("0x123456"));
  EXPECT_EQ(Cell(table, 0, 3), QStringLiteral("0.500000"));
  EXPECT_EQ(Cell(table, 1, 3), QStringLiteral("0.980665"));
  EXPECT_EQ(Cell(table, 0, 4), QStringLiteral("0x7A40"));
  EXPECT_EQ(graph->ShownUnit(), 1);

  graph->SpeedButton4Click();
  EXPECT_EQ(graph->ShownUnit(), 0);
  EXPECT_EQ(Cell(table, 0, 3), QStringLiteral("5.098581"));
  const QList<QLabel*> labels = graph->findChildren<QLabel*>();
  EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                          [](QLabel* l) { return l->text() == QStringLiteral("кгс/см2"); }));
  graph->SpeedButton4Click();
  EXPECT_EQ(Cell(table, 1, 3), QStringLiteral("0.980665"));

  graph->SetTimeStep(0);
  EXPECT_EQ(graph->TrackGr()->maximum(), 0);  // one second of data fits the 24-second window
  graph->close();
}

// The cursor stands on one reading: its line in every strip, the readouts and the table's selected row
// all show that reading, whether it was put there at opening, by a click on a row or by the mouse.
TEST(GraphWindow, CursorLineReadoutAndTableRowShowTheSameReading) {
  testing::GuiApp();
  testing::TempFolder folder;
  const std::string path = folder.File("temperature.ctr");
  std::vector<VerificationRecord> records;
  for (int i = 0; i < 2000; ++i) records.push_back(Reading(1, 0, 20.0f + 0.001f * i, 46093.5 + i / 86400.0));
  testing::WriteBytes(path, FileImage(records));
  TFormMain main;
  TFormGraph* graph = main.OpenGraph(QString::fromStdString(path), 1);
  ASSERT_NE(graph, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(graph));
  auto* table = graph->findChild<QTableView*>(QStringLiteral("StringGrid1"));
  const auto expectCursorOn = [&](size_t reading) {
    EXPECT_EQ(graph->CursorReading(), reading);
    for (const char* strip : {"Image1", "Image2", "Image3"}) {
      auto* s = graph->findChild<GraphStrip*>(QString::fromLatin1(strip));
      EXPECT_NEAR(s->CursorSeconds(), static_cast<double>(reading), 1e-3) << strip;
      EXPECT_GE(s->CursorFraction(), 0.0) << strip;  // the line is in view
    }
    const QString time = Cell(table, static_cast<int>(reading), 1).left(8);  // hh:mm:ss
    for (const char* readout : {"Readout1", "Readout2", "Readout3"})
      EXPECT_TRUE(graph->findChild<QLabel*>(QString::fromLatin1(readout))->text().contains(time)) << readout;
    EXPECT_EQ(table->currentIndex().row(), static_cast<int>(reading));
  };
  // A quarter into the first window of 20-second cells: reading 120.
  expectCursorOn(120);

  table->setCurrentIndex(table->model()->index(1500, 2));
  EXPECT_GT(graph->TrackGr()->value(), 0);
  expectCursorOn(1500);
  table->setCurrentIndex(table->model()->index(3, 0));
  EXPECT_EQ(graph->TrackGr()->value(), 0);
  expectCursorOn(3);

  auto* strip = graph->findChild<GraphStrip*>(QStringLiteral("Image2"));
  const double target = strip->SecondsAt(0.5);
  const int x = 84 + static_cast<int>(0.5 * (strip->width() - 92));
  QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(x, strip->height() / 2));
  EXPECT_NEAR(static_cast<double>(graph->CursorReading()), target, 2.0);
  expectCursorOn(graph->CursorReading());

  // A short file: the cursor stands on its last reading, not at an empty time.
  const std::string shortPath = folder.File("short.ctr");
  testing::WriteBytes(
      shortPath, FileImage({Reading(1, 0, 20.0f, 46093.5), Reading(1, 0, 21.0f, 46093.5 + 30 / 86400.0)}));
  TFormGraph* small = main.OpenGraph(QString::fromStdString(shortPath), 1);
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(small->CursorReading(), 1u);
  EXPECT_NEAR(small->findChild<GraphStrip*>(QStringLiteral("Image1"))->CursorSeconds(), 30.0, 1e-3);
  small->close();
  graph->close();
}

TEST(GraphWindow, AFileFromTheFileManagerOpensEveryChannelItHolds) {
  testing::GuiApp();
  testing::TempFolder folder;
  const std::string path = folder.File("both.ctr");
  testing::WriteBytes(path, FileImage({Reading(1, 0, 20.0f), Reading(0, 0, 10.0f), Reading(1, 0, 21.0f)}));
  TFormMain main;
  main.OpenFile(QString::fromStdString(path));
  QStringList titles;
  for (TFormGraph* graph : main.findChildren<TFormGraph*>()) titles << graph->windowTitle();
  titles.sort();
  EXPECT_EQ(titles, QStringList({QStringLiteral("Статистика поверки канала давления"),
                                 QStringLiteral("Статистика поверки канала температуры газа")}));
}

TEST(GraphWindow, OpenDialogFilterAndFolder) {
  testing::GuiApp();
  EXPECT_EQ(DialogNameFilters(QStringLiteral("DataFiles(*.ctr)|*.ctr|DataFiles(*.*)|*.*")),
            (QStringList{QStringLiteral("DataFiles(*.ctr) (*.ctr)"), QStringLiteral("DataFiles(*.*) (*)")}));
}

struct BatchResult {
  int exitCode;
  QString output;
};

BatchResult RunBatch(const QStringList& args) {
  QProcess process;
  process.start(QStringLiteral(RUVENSET_BINARY_DIR "/grafmira"), args);
  process.waitForFinished(60000);
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

TEST(BatchRun, PrintsWhatItLoadedOrTheMessage) {
  testing::GuiApp();
  testing::TempFolder folder;
  const std::string good = folder.File("run.ctr");
  testing::WriteBytes(good, FileImage({Reading(0, 1, 0.5f), Reading(1, 0, 20.0f), Reading(0, 0, 10.0f),
                                       Reading(9, 0, 1.0f)}));
  const std::string bad = folder.File("bad.ctr");
  testing::WriteBytes(bad, {'N', 'O', 'P', 'E'});
  const QString g = QString::fromStdString(good);
  const struct {
    QStringList args;
    int exitCode;
    QString output;
  } cases[] = {
      {{"--open", g, "--channel", "0"}, 0, "records 2\nunit МПа\n"},
      {{"--open", g, "--channel", "1"}, 0, "records 1\nunit Град.Целс\n"},
      {{"--open", g, "--channel", "9"}, 0, "records 1\nunit Град.Целс\n"},
      {{"--open", g, "--channel", "2"}, 1, "В файлe run.ctr нет данных по выбранному каналу\n"},
      {{"--open", QString::fromStdString(bad), "--channel", "1"},
       1,
       "Файл bad.ctr не является файлом статистики поверки\n"},
      {{"--open", QString::fromStdString(folder.File("none.ctr")), "--channel", "1"},
       1,
       "Ошибка открытия файла\n"},
  };
  for (const auto& c : cases) {
    const BatchResult r = RunBatch(c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
    EXPECT_EQ(r.output, c.output);
  }
  const std::string png = folder.File("graph.png");
  const std::string csv = folder.File("table.csv");
  const BatchResult r = RunBatch({"--open", g, "--channel", "0", "--step", "14", "--screenshot",
                                  QString::fromStdString(png), "--csv", QString::fromStdString(csv)});
  EXPECT_EQ(r.exitCode, 0);
  const QImage image(QString::fromStdString(png));
  EXPECT_EQ(image.width(), 1280);
  EXPECT_GE(image.height(), 860);
  QFile table(QString::fromStdString(csv));
  ASSERT_TRUE(table.open(QIODevice::ReadOnly));
  EXPECT_EQ(table.readAll().count('\n'), 3);
}

}  // namespace
}  // namespace ruvenset
