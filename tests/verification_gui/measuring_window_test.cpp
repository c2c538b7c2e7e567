#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <cstdio>

#include "../verification/verification_fixture.h"
#include "verification/windows/measuring_windows.h"

namespace ruvenset::testing {
namespace {

// The measuring windows against the simulated flow computer in virtual time: the test plays the timer,
// calling its handler and letting the interval it armed pass on the link's clock.
class MeasuringFormTest : public VerificationFixture {
 protected:
  MeasuringSetup Setup(bool markers, int referenceMode) {
    state.channel.code = 1;
    state.channel.kind = kKindTemperature;
    state.channelNameText = 2189;
    MeasuringSetup setup;
    setup.channelKind = kKindTemperature;
    setup.markers = markers;
    setup.referenceMode = referenceMode;
    setup.actual = 20;
    setup.actualRange = {-40, 60};
    return setup;
  }
  // One firing of Timer1: the reading runs on the worker and is shown, then the interval it armed
  // passes.
  void Fire(MeasuringForm& form) {
    ASSERT_TRUE(form.Timer1->isActive());
    form.Timer1Timer();
    EXPECT_FALSE(form.Timer1->isActive());  // off while the reading runs
    Settle(form);
    if (form.Timer1->isActive()) clock.SleepFor(int64_t{form.Timer1->interval()} * 1'000'000);
  }
  // Waits until the work handed to the worker has been shown.
  static void Settle(MeasuringForm& form) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.working(); }));
  }
  static std::string Text(const MeasuringForm& form, const char* field) {
    QLabel* line = form.Line(field);
    return line != nullptr ? line->text().toStdString() : "(none)";
  }
};

TEST_F(MeasuringFormTest, MarkerWindowTakesReadingsFromItsTimerAndItsButtonsActOnTheStatistics) {
  Connect();
  wallClock.seconds = 1'700'000'000;
  MeasuringWindow window(state, technician, pages, Setup(true, kReferenceTyped), wallClock);
  TForm54 form(nullptr, state, window);
  EXPECT_EQ(form.objectName(), "Form54");
  EXPECT_EQ(form.windowTitle().toStdString(), state.Text(2208) + "канала температуры газа");
  EXPECT_EQ(Text(form, "actual"), "20.00");
  EXPECT_EQ(form.Line("reference"), nullptr);
  EXPECT_EQ(form.Line("converted"), nullptr);
  EXPECT_TRUE(form.BitBtn3->isEnabled());

  form.show();
  form.Timer1->start(window.firstInterval());
  EXPECT_EQ(form.Timer1->interval(), 400);
  clock.SleepFor(400'000'000);
  for (int tick = 0; tick < 40 && window.statistics().count() < 3; ++tick) {
    Fire(form);
    EXPECT_EQ(form.Timer1->interval(), 450);
  }
  ASSERT_EQ(window.statistics().count(), 3u);
  EXPECT_EQ(Text(form, "count"), "3");
  EXPECT_EQ(Text(form, "time"), FormatReadingTime(wallClock.seconds));
  EXPECT_EQ(Text(form, "value"), "20.000 °C");
  char adc[32];
  const uint32_t code = window.lastReading().channelAdc;
  std::snprintf(adc, sizeof adc, "%8lu(0x%06X)", static_cast<unsigned long>(code), code);
  EXPECT_EQ(Text(form, "channelAdc"), adc);
  EXPECT_NEAR(code, 5'000'000, 100);
  EXPECT_EQ(Text(form, "ambientAdc"), "40768(0x9F40)");
  EXPECT_EQ(Text(form, "ambientTemperature"), "20.00");
  EXPECT_EQ(Text(form, "mean"), "20.000");
  EXPECT_FALSE(Text(form, "largestDeviation").empty());
  EXPECT_TRUE(form.MessageLine->text().isEmpty());

  wallClock.seconds += 60;
  form.BitBtn2->click();
  Settle(form);
  EXPECT_EQ(window.statistics().count(), 0u);
  EXPECT_EQ(Text(form, "mean"), "");
  EXPECT_EQ(Text(form, "largestDeviation"), "");
  EXPECT_EQ(Text(form, "resetTime"), FormatReadingTime(wallClock.seconds));
  EXPECT_TRUE(form.Timer1->isActive());

  pages.actual = {25.0f};
  form.BitBtn3->click();
  Settle(form);
  EXPECT_EQ(pages.log.back(), "actual");
  EXPECT_EQ(Text(form, "actual"), "25.00");
  EXPECT_EQ(Text(form, "actualSince"), FormatReadingTime(wallClock.seconds));
  EXPECT_TRUE(form.Timer1->isActive());
  EXPECT_EQ(form.Timer1->interval(), 450);

  form.BitBtn1->click();
  EXPECT_FALSE(form.Timer1->isActive());
  Settle(form);  // the last point ends on the worker, between two readings
  EXPECT_TRUE(window.closed());
  EXPECT_FALSE(form.isVisible());
  // The readings before the reset are the one point; the runs after it took no reading.
  ASSERT_EQ(window.points().size(), 1u);
  EXPECT_EQ(window.points()[0].count, 3u);
  EXPECT_EQ(window.points()[0].reference, 20.0f);
}

TEST_F(MeasuringFormTest, PlainWindowReadsEveryTickShowsALostLinkAndFinishesWhenClosed) {
  Connect();
  MeasuringWindow window(state, technician, pages, Setup(false, kReferenceNone), wallClock);
  TForm55 form(nullptr, state, window);
  EXPECT_EQ(form.objectName(), "Form55");
  EXPECT_FALSE(form.BitBtn3->isEnabled());
  EXPECT_EQ(form.Line("actual"), nullptr);
  form.show();
  form.Timer1->start(window.firstInterval());
  clock.SleepFor(400'000'000);
  Fire(form);
  Fire(form);
  EXPECT_EQ(form.Timer1->interval(), 900);
  EXPECT_EQ(Text(form, "count"), "2");

  peer->filter = [](const std::vector<uint8_t>&, std::vector<uint8_t>&) { return false; };
  Fire(form);
  EXPECT_EQ(form.MessageLine->text().toStdString(), state.Text(2217));
  EXPECT_EQ(Text(form, "count"), "2");
  EXPECT_TRUE(form.Timer1->isActive());

  // Escape does not end the verification; the close box does.
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(&form, &escape);
  EXPECT_FALSE(window.closed());
  EXPECT_TRUE(form.isVisible());
  form.close();
  Settle(form);
  EXPECT_TRUE(window.closed());
  EXPECT_FALSE(form.isVisible());
  ASSERT_EQ(window.points().size(), 1u);
  EXPECT_EQ(window.points()[0].count, 2u);
  EXPECT_FALSE(window.points()[0].reference);
}

}  // namespace
}  // namespace ruvenset::testing
