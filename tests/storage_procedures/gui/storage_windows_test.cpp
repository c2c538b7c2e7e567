#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <cstdlib>
#include <memory>

#include "../storage_fixture.h"
#include "gui_environment.h"
#include "shell/windows/ui_thread.h"
#include "shell/windows/window_parts.h"
#include "shell/windows/window_picture.h"
#include "storage/calibration_entries.h"
#include "storage/calibration_viewer.h"
#include "storage/windows/fulfill_window.h"
#include "storage/windows/sch_window.h"
#include "storage/windows/write_window.h"
#include "window_checks.h"

namespace ruvenset::testing {
namespace {

// Shows a window and checks that it is drawn whole (no text cut, nothing outside the window, a picture
// that shows something); saves the picture with a plain title bar (the offscreen platform draws no
// frames) when RUVENSET_SCREENSHOT_DIR names a folder (see scripts/screenshots).
void Shoot(QWidget* window, const char* name) {
  window->show();
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  const QPixmap framed = PictureWithTitleBar(window, false);
  EXPECT_TRUE(ShowsSomething(framed)) << name;
  EXPECT_EQ(SpoiltParts(window), std::vector<std::string>{}) << name;
  const char* folder = std::getenv("RUVENSET_SCREENSHOT_DIR");
  if (folder == nullptr || *folder == '\0') return;
  EXPECT_TRUE(framed.save(QString("%1/calibration-%2.png").arg(folder, name)));
}

class StorageWindows : public StorageFixture {
 protected:
  StorageWindows() { state.calibration = DeviceImage(); }
};

TEST_F(StorageWindows, ListWindowFollowsItsSizingRulesAndClosesOnCtrlW) {
  FulfillList list = TosLevelList(state, CalibrationSection::Temperature, false);
  list.buttons = {{Text(2278), ListChoice::Close, 0}, {Text(2613), ListChoice::Open, 0}};
  TFulfill window(nullptr, list);
  EXPECT_EQ(window.ListBox1->height(), list.ListBoxHeight());
  EXPECT_EQ(window.ListBox1->count(), 3);
  EXPECT_EQ(window.ListBox1->currentRow(), 0);
  ASSERT_NE(window.buttons[1], nullptr);
  EXPECT_EQ(window.buttons[1]->y(), list.ButtonRowTop(0));
  EXPECT_EQ(window.buttons[2], nullptr);
  EXPECT_GE(window.height(), window.buttons[1]->geometry().bottom());
  for (int b = 0; b < 2; ++b) EXPECT_LE(window.buttons[b]->geometry().right(), window.width());
  QKeyEvent ctrlW(QEvent::KeyPress, Qt::Key_W, Qt::ControlModifier, QString(QChar(23)));
  QApplication::sendEvent(&window, &ctrlW);
  EXPECT_EQ(window.chosen(), ListChoice::Close);
  EXPECT_EQ(window.result(), QDialog::Accepted);
  window.buttons[1]->click();
  EXPECT_EQ(window.chosen(), ListChoice::Open);
}

TEST_F(StorageWindows, EntryWindowClosesOnlyOnValuesWithinBounds) {
  TSch window(nullptr, TosPointEntry(state));
  EXPECT_EQ(window.Edit1->maxLength(), 5);
  window.Edit1->setText("65536");
  window.BitBtn1->click();
  EXPECT_EQ(window.result(), 0);
  window.Edit1->setText("65535");
  window.Edit2->setText("64");
  window.BitBtn1->click();
  EXPECT_EQ(window.result(), 0);
  window.Edit2->setText("20.5");
  window.BitBtn1->click();
  EXPECT_EQ(window.result(), 1);
}

TEST_F(StorageWindows, WriteWindowRunsTheSequenceFromItsTimer) {
  int ran = 0;
  TForm81 window(nullptr, Q(Text(2253)), Q(Text(2287)), [&](WriteProgressView& view) {
    view.SetMaximum(8);
    view.SetPosition(5);
    ++ran;
  });
  EXPECT_EQ(window.exec(), 1);
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(window.ProgressBar1->maximum(), 8);
  EXPECT_EQ(window.ProgressBar1->value(), 5);
}

// Pictures of the viewer and the editor at both levels, the entry window and the write window.
TEST_F(StorageWindows, WindowsDrawnWholeAndScreenshots) {
  const auto list = [&](FulfillList l, std::vector<ListButton> buttons, int selected) {
    l.buttons = std::move(buttons);
    l.selected = selected;
    return l;
  };
  using S = CalibrationSection;
  const ChannelSection pressure = state.calibration.Channel(S::Pressure);
  for (int i = 0; i < 5; ++i)
    pressure.SetPoint(0, i, 800000 + 3600000 * i, 4.0f * static_cast<float>(i) + 0.0332f);
  const std::vector<std::pair<FulfillList, const char*>> lists = {
      {list(TosLevelList(state, S::Temperature, false),
            {{Text(2278), ListChoice::Close, 0}, {Text(2613), ListChoice::Open, 0}}, 1),
       "viewer-tos"},
      {list(PointLevelList(state, S::Temperature, 1, false), {{Text(2278), ListChoice::Close, 0}}, 0),
       "viewer-points"},
      {list(TosLevelList(state, S::Temperature, true),
            {{Text(2210), ListChoice::Open, 0},
             {Text(3024), ListChoice::Add, 0},
             {Text(3025), ListChoice::Delete, 0},
             {Text(2278), ListChoice::Close, 1}},
            0),
       "editor-tos"},
      {list(PointLevelList(state, S::Pressure, 0, true),
            {{Text(2210), ListChoice::Open, 0},
             {Text(3024), ListChoice::Add, 0},
             {Text(3025), ListChoice::Delete, 0},
             {Text(2278), ListChoice::Close, 1},
             {state.Bilingual("Сместить", "Змістити"), ListChoice::Ok, 1}},
            2),
       "editor-points"},
      {list(CorrectionList(state, false), {{Text(2278), ListChoice::Close, 0}}, 0), "meter"},
  };
  for (const auto& [l, name] : lists) {
    TFulfill window(nullptr, l);
    Shoot(&window, name);
  }
  TSch entry(nullptr, PointEntry(state, S::Temperature, 5000000, 20.0f));
  Shoot(&entry, "entry");
  // The write window in both languages: the technician's guide shows it in each.
  for (const auto& [catalogue, name] :
       {std::pair{"Lang01.txt", "write-back"}, {"Lang00.txt", "write-back-uk"}}) {
    ASSERT_EQ(
        LanguageTexts::Load(std::string(RUVENSET_SOURCE_DIR) + "/lang/" + catalogue, state.texts).status,
        LangLoadStatus::Ok);
    TForm81 progress(nullptr, Q(Text(2253)), Q(Text(2287)), [&](WriteProgressView& view) {
      view.SetMaximum(8);
      view.SetPosition(5);
      // The sequence runs on the worker; the picture is taken where the window lives.
      OnUiThread([&] { Shoot(&progress, name); });
    });
    progress.exec();
  }
}

}  // namespace
}  // namespace ruvenset::testing
