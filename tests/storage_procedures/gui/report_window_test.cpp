#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "../storage_fixture.h"
#include "gui_environment.h"
#include "shell/windows/window_picture.h"
#include "storage/windows/report_window.h"

namespace ruvenset::testing {
namespace {

ReportWindowModel Model(bool russian) {
  ReportWindowModel model;
  model.caption = russian ? "Отчет о параметрах калибровки" : "Звіт о параметрах калібровки";
  model.lines = {"",
                 "",
                 russian ? "                    Отчет о параметрах калибровки.               "
                         : "                    Звіт о параметрах калібровки.               ",
                 "",
                 russian ? "  ВАЛДОР-ТМ-X-3\" (только канал температуры)"
                         : "  ВАЛДОР-ТМ-X-3\" (тільки канал температури)",
                 "  Номер платы: 16 ",
                 "   № точки            Код АЦП          Температура, град. С ",
                 "  " + std::string(70, '-') + " ",
                 "     1                1745500                    -45   ",
                 "     2                2995500                    -20   "};
  model.pages = PaginateReport(model.lines);
  return model;
}

// Saves the window's picture when RUVENSET_SCREENSHOT_DIR names a folder.
void Shoot(QWidget* window, const QString& name) {
  const char* folder = std::getenv("RUVENSET_SCREENSHOT_DIR");
  if (folder == nullptr || *folder == '\0') return;
  window->show();
  EXPECT_TRUE(PictureWithTitleBar(window).save(QString("%1/%2.png").arg(folder, name)));
}

TEST(ReportWindow, ListsEveryLineWholeAndLeavesWithResultTwo) {
  const ReportWindowModel model = Model(true);
  TOtchK window(nullptr, model, true);
  ASSERT_EQ(window.ListBox1->count(), static_cast<int>(model.lines.size()));
  EXPECT_EQ(window.ListBox1->item(4)->text().toStdString(), model.lines[4]);  // the quote does not cut it
  EXPECT_EQ(window.BitBtn3->text(), "Печать");
  EXPECT_EQ(window.windowTitle(), "Отчет о параметрах калибровки");
  Shoot(&window, "report-TOtchK-ru");
  window.BitBtn1->click();
  EXPECT_EQ(window.result(), 2);
  TOtchK ukrainian(nullptr, Model(false), false);
  EXPECT_EQ(ukrainian.BitBtn3->text(), "Друк");
  EXPECT_EQ(ukrainian.BitBtn1->text(), "Вихід");
  Shoot(&ukrainian, "report-TOtchK-uk");
}

// The print dialog offers every page; printing to a file gives a PDF of the chosen pages and the charts.
TEST(ReportWindow, PrintsTheChosenPagesToAFile) {
  ReportWindowModel model = Model(true);
  for (int i = 0; i < 130; ++i) model.lines.push_back("     " + std::to_string(i + 1) + "    100    1.5   ");
  model.pages = PaginateReport(model.lines);
  ASSERT_EQ(model.pages.size(), 3u);
  testing::TempFolder folder;
  model.pageFolder = folder.Path();
  TOtchK window(nullptr, model, true);
  EXPECT_EQ(window.PrintDialog1->maxPage(), 3);
  EXPECT_EQ(window.PrintDialog1->minPage(), 1);
  // The technician chooses pages 2 to 3 and a file name in the dialog's own fields.
  window.PrintDialog1->printer()->setPrintRange(QPrinter::PageRange);
  window.PrintDialog1->printer()->setFromTo(2, 3);
  QTimer::singleShot(0, window.PrintDialog1, [&] {
    for (QLineEdit* field : window.PrintDialog1->findChildren<QLineEdit*>())
      if (field->text().startsWith('/')) field->setText(QString::fromStdString(folder.File("out.pdf")));
    window.PrintDialog1->accept();
  });
  window.BitBtn3Click();
  ASSERT_TRUE(std::filesystem::exists(folder.File("out.pdf")));
  FILE* pipe = ::popen(("pdftotext " + folder.File("out.pdf") + " -").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string text;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
  EXPECT_EQ(::pclose(pipe), 0) << "pdftotext (poppler-utils) is needed";
  EXPECT_EQ(text.find("Page 1 from 3"), std::string::npos);
  EXPECT_NE(text.find("Page 2 from 3. Div3AzErur"), std::string::npos);
  EXPECT_NE(text.find("Page 3 from 3. Div3AzErur"), std::string::npos);
}

}  // namespace
}  // namespace ruvenset::testing
