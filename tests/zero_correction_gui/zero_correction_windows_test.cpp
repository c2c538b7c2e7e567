#include <QApplication>
#include <QTest>
#include <cstring>

#include "../zero_correction/zero_fixture.h"
#include "app/procedures.h"
#include "calibration/windows/correction_form.h"
#include "calibration/windows/zero_statistics_window.h"
#include "shell/windows/window_parts.h"

namespace ruvenset::testing {
namespace {

// The windows against the simulated flow computer in virtual time: the test plays the timers, calling
// their handlers and letting the interval they armed pass on the link's clock.
class ZeroCorrectionWindows : public ZeroFixture {
 protected:
  template <class Form>
  static void Fire(Form& form, QTimer* timer, const std::function<void()>& handler, VirtualLinkClock& clock) {
    handler();
    Settle(form);
    if (timer->isActive()) clock.SleepFor(int64_t{timer->interval()} * 1'000'000);
  }
  // Waits until the work handed to the worker has been shown.
  template <class Form>
  static void Settle(const Form& form) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.working(); }));
  }
};

TEST_F(ZeroCorrectionWindows, TheZeroStatisticsWindowCountsTheCyclesAndClosesItself) {
  Connect();
  Script();
  Values(10, 0.2f);
  ZeroStatistics logic(state, technician, 0);
  TForm78 form(nullptr, "caption", Q(state.Text(2813)), logic);
  EXPECT_EQ(form.BitBtn1->toolTip().toStdString(), state.Text(2816));
  form.show();
  form.Timer1->start(logic.firstInterval());
  for (int tick = 0; tick < 60 && form.isVisible(); ++tick) {
    Fire(
        form, form.Timer1, [&] { form.Timer1Timer(); }, clock);
    if (logic.cycleCount() == 5) EXPECT_EQ(form.ProgressBar1->value(), 5);
  }
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), static_cast<int>(ZeroStatisticsResult::Measured));
  EXPECT_EQ(form.ProgressBar1->value(), 10);
  EXPECT_FLOAT_EQ(logic.correction(), -0.2f);

  ZeroStatistics stopped(state, technician, 0);
  TForm78 second(nullptr, "caption", "text", stopped);
  second.show();
  second.BitBtn1->click();
  Settle(second);
  EXPECT_FALSE(second.isVisible());
  EXPECT_EQ(second.result(), static_cast<int>(ZeroStatisticsResult::Stopped));
}

TEST_F(ZeroCorrectionWindows, TheCorrectionWindowMeasuresComputesAndWrites) {
  Connect();
  Script();
  CorrectionSetup setup;
  setup.points = 1;
  setup.unitName = "kgf/cm2";
  ConstantsBlock block;
  std::memcpy(block.bytes.data(), Constants(), kConstantsBlockSize);
  CorrectionWindow logic(state, technician, wallClock, setup, block);
  logic.FormActivate();
  TKorrekt form(nullptr, state, logic);
  form.show();
  EXPECT_EQ(form.LabelA0->text(), "1.00000");
  EXPECT_TRUE(form.Button4->isEnabled());
  EXPECT_FALSE(form.Button1->isEnabled());
  EXPECT_FALSE(form.Button3->isEnabled());
  EXPECT_EQ(form.GroupBox4->title().toStdString(), "Образцовое давление, точка 1");

  form.Edit4->setText("10.5");
  Values(3, 10.0f);
  form.Button4->click();
  Settle(form);
  EXPECT_TRUE(form.Timer1->isActive());
  EXPECT_TRUE(form.Button1->isEnabled());
  for (int tick = 0; tick < 40 && logic.count() < 3; ++tick)
    Fire(
        form, form.Timer1, [&] { form.Timer1Timer(); }, clock);
  ASSERT_EQ(logic.count(), 3u);
  EXPECT_NE(form.Memo1->toPlainText().indexOf("kgf/cm2"), -1);
  form.Button1->click();
  Settle(form);
  EXPECT_FALSE(form.Timer1->isActive());
  EXPECT_TRUE(form.Timer2->isActive());
  EXPECT_TRUE(form.Button2->isEnabled());
  form.Button2->click();
  Settle(form);
  EXPECT_EQ(form.Edit6->text(), "1.00000");
  EXPECT_EQ(form.Edit7->text(), "0.50000");
  EXPECT_TRUE(form.Button3->isEnabled());
  form.Button3->click();
  Settle(form);
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(form.Timer2->isActive());
}

// The technician follows the window's hint with two points: СТАРТ, СТОП, then the reference typed with
// a decimal comma into the box, which belongs to the point just taken; Ctrl+A selects the text to type
// over; Расчет gives A and B.
TEST_F(ZeroCorrectionWindows, TheHintsOrderComputesWithTheBoxOfThePointJustTaken) {
  Connect();
  Script();
  CorrectionSetup setup;
  setup.points = 2;
  ConstantsBlock block;
  std::memcpy(block.bytes.data(), Constants(), kConstantsBlockSize);
  CorrectionWindow logic(state, technician, wallClock, setup, block);
  logic.FormActivate();
  TKorrekt form(nullptr, state, logic);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const auto takePoint = [&](float value) {
    Values(3, value);
    form.Button4->click();
    Settle(form);
    for (int tick = 0; tick < 40 && logic.count() < 3; ++tick)
      Fire(
          form, form.Timer1, [&] { form.Timer1Timer(); }, clock);
    ASSERT_EQ(logic.count(), 3u);
    form.Button1->click();
    Settle(form);
  };
  const auto type = [&](const QString& text) {
    form.Edit4->setFocus();
    QTest::keyClick(form.Edit4, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(form.Edit4, text);
  };
  takePoint(10.0f);
  EXPECT_EQ(form.GroupBox4->title().toStdString(), "Образцовое давление, точка 1");
  type("11");
  type("11,5");  // Ctrl+A: the whole text is typed over
  EXPECT_EQ(form.Edit4->text(), "11,5");
  takePoint(20.0f);
  EXPECT_EQ(form.GroupBox4->title().toStdString(), "Образцовое давление, точка 2");
  EXPECT_EQ(form.Edit4->text(), "");
  form.Button2->click();
  Settle(form);
  EXPECT_EQ(form.MessageLine->text().toStdString(), "Для точки 2 не введено образцовое значение");
  type("21,5");
  form.Button2->click();
  Settle(form);
  EXPECT_EQ(form.MessageLine->text(), "");
  EXPECT_EQ(form.Edit6->text(), "1.00000");
  EXPECT_EQ(form.Edit7->text(), "1.50000");
  EXPECT_TRUE(form.Button3->isEnabled());
  form.Button6->click();
  Settle(form);
}

// Stop while a measurement waits for its answer: the window says the exchange was stopped, not that
// the flow computer is out of reach, and asks nothing.
TEST_F(ZeroCorrectionWindows, AStopDuringATickSaysStopped) {
  Connect();
  Script();
  CorrectionSetup setup;
  setup.points = 1;
  ConstantsBlock block;
  std::memcpy(block.bytes.data(), Constants(), kConstantsBlockSize);
  CorrectionWindow logic(state, technician, wallClock, setup, block);
  logic.FormActivate();
  TKorrekt form(nullptr, state, logic);
  form.show();
  Values(5, 10.0f);
  form.Button4->click();
  Settle(form);
  stopAt = {0x1D, 3};
  for (int tick = 0; tick < 40 && form.MessageLine->text().isEmpty(); ++tick)
    Fire(
        form, form.Timer1, [&] { form.Timer1Timer(); }, clock);
  EXPECT_EQ(form.MessageLine->text().toStdString(), state.Text(3350));
  EXPECT_EQ(technician.Count("confirm"), 0);

  // The zero statistics window ends as its stop button ends it.
  Values(10, 0.1f);
  int sent = 0;
  for (const auto& r : peer->requests) sent += r.size() > 3 && r[3] == 0x0C;
  stopAt = {0x0C, sent + 2};
  ZeroStatistics zero(state, technician, 0);
  TForm78 statistics(nullptr, "caption", "text", zero);
  statistics.show();
  for (int tick = 0; tick < 60 && statistics.isVisible(); ++tick)
    Fire(
        statistics, statistics.Timer1, [&] { statistics.Timer1Timer(); }, clock);
  EXPECT_FALSE(statistics.isVisible());
  EXPECT_EQ(statistics.result(), static_cast<int>(ZeroStatisticsResult::Stopped));
  EXPECT_EQ(technician.Count("confirm"), 0);
}

TEST_F(ZeroCorrectionWindows, TheMenuItemsStartTheirProcedures) {
  TForm1 window(state, MainWindowOptions{});
  for (MenuItem item : {MenuItem::N36, MenuItem::N28, MenuItem::N40, MenuItem::N44, MenuItem::N18,
                        MenuItem::N29, MenuItem::N31})
    EXPECT_FALSE(window.Action(item)->isEnabled()) << static_cast<int>(item);
  RegisterZeroAndCorrectionProcedures(window);
  for (MenuItem item : {MenuItem::N36, MenuItem::N28, MenuItem::N40, MenuItem::N44, MenuItem::N18,
                        MenuItem::N29, MenuItem::N31})
    EXPECT_TRUE(window.Action(item)->isEnabled()) << static_cast<int>(item);
}

}  // namespace
}  // namespace ruvenset::testing
