#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <cstdlib>

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

}  // namespace
}  // namespace ruvenset::testing
