#include <gtest/gtest.h>

#include <functional>

#include "calibration/correction_procedure.h"
#include "enter_requests.h"
#include "zero_fixture.h"

namespace ruvenset::testing {
namespace {

struct CorrectionRun : ZeroFixture, CorrectionPages {
  // Plays the correction window; Exit unless the script says otherwise.
  std::function<CorrectionClose(CorrectionWindow&)> play;

  CorrectionClose ShowCorrection(CorrectionWindow& window) override {
    return play ? play(window) : window.Button6Click();
  }

  ConstantsBlock Block() {
    ConstantsBlock block;
    std::memcpy(block.bytes.data(), Constants(), kConstantsBlockSize);
    return block;
  }

  // A window over the flow computer's block, as the procedure opens it.
  std::unique_ptr<CorrectionWindow> Open(int points, int selector = 0, float factor = 1) {
    CorrectionSetup setup;
    setup.selector = selector;
    setup.points = points;
    setup.unitsDiffer = factor != 1;
    setup.unitFactor = factor;
    auto window = std::make_unique<CorrectionWindow>(state, technician, wallClock, setup, Block());
    window->FormActivate();
    return window;
  }

  // СТАРТ, ticks until n readings were taken, СТОП.
  void TakePoint(CorrectionWindow& window, int n, float value) {
    Values(n, value);
    window.Button4Click();
    clock.SleepFor(int64_t{window.firstInterval()} * 1'000'000);
    for (int guard = 0; window.count() < static_cast<uint32_t>(n) && guard < 100; ++guard)
      clock.SleepFor(int64_t{window.Timer1Timer()} * 1'000'000);
    window.Button1Click();
  }

  CorrectionOutcome Correct(int channel) {
    ClockServiceHost service(clock);
    CorrectionTools tools{technician, technician, service, *this, wallClock};
    return CorrectCharacteristic(state, technician, tools, channel);
  }

  void SetBlock(float pressureOffset, float pressureSlope, float dpOffset, float dpSlope) {
    ConstantsBlock block;
    const DeviceByteOrder order = state.record.id.byteOrder;
    block.Put(kPressureOffsetAt, pressureOffset, order);
    block.Put(kPressureSlopeAt, pressureSlope, order);
    block.Put(kDiffPressureOffsetAt, dpOffset, order);
    block.Put(kDiffPressureSlopeAt, dpSlope, order);
    block.Seal();
    // The block reaches the flow computer through its own write request.
    ASSERT_EQ(WriteConstantsBlock(state, technician, 0, 7958, block, ""), ConstantsWrite::Written);
  }
};

TEST_F(CorrectionRun, OnePointShiftsTheOffset) {
  Connect();
  Script();
  SetBlock(0.5f, 1.25f, 0, 1);
  auto window = Open(1);
  EXPECT_EQ(window->display().a0, "1.25000");
  EXPECT_EQ(window->display().b0, "0.50000");
  window->Edit4Exit("10.2");
  TakePoint(*window, 3, 10.0f);
  EXPECT_EQ(window->display().x1, "  10.000");
  EXPECT_TRUE(window->buttons().calculate);
  window->Button2Click();
  EXPECT_FLOAT_EQ(window->a(), 1.25f);
  EXPECT_NEAR(window->b(), 0.7f, 1e-5);
  EXPECT_TRUE(window->buttons().write);
}

TEST_F(CorrectionRun, TheOldCoefficientsAreReadInTheFlowComputersByteOrder) {
  sim::FlowComputerConfig device;
  device.lsb = true;
  Connect(device);
  Script();
  SetBlock(0.5f, 1.25f, -2.0f, 0.75f);
  EXPECT_EQ(Constants()[4 + 3], 0x3F);  // 1.25 least significant byte first
  auto pressure = Open(1);
  EXPECT_FLOAT_EQ(pressure->a0(), 1.25f);
  EXPECT_FLOAT_EQ(pressure->b0(), 0.5f);
  auto dp = Open(1, 2);
  EXPECT_FLOAT_EQ(dp->a0(), 0.75f);
  EXPECT_FLOAT_EQ(dp->b0(), -2.0f);
}

TEST_F(CorrectionRun, TwoPointsGiveSlopeAndShiftTheSameOnEveryPress) {
  Connect();
  Script();
  auto window = Open(2);
  window->Edit4Exit("11");
  TakePoint(*window, 3, 10.0f);
  EXPECT_EQ(window->display().referenceCaption, "Образцовое давление, точка 2");
  window->Edit4Exit("21");
  TakePoint(*window, 3, 20.0f);
  window->Button2Click();
  EXPECT_FLOAT_EQ(window->k(), 1.f);
  EXPECT_FLOAT_EQ(window->d(), 1.f);
  EXPECT_FLOAT_EQ(window->a(), 1.f);
  EXPECT_FLOAT_EQ(window->b(), 1.f);
  window->Button2Click();
  EXPECT_FLOAT_EQ(window->a(), 1.f);
  EXPECT_FLOAT_EQ(window->b(), 1.f);
}

TEST_F(CorrectionRun, EachPointHasItsOwnStatisticsAndReference) {
  Connect();
  Script();
  auto window = Open(2);
  window->Edit4Exit("11");
  window->Edit4Exit("11.5");  // re-typed: still the first point's
  TakePoint(*window, 4, 10.0f);
  TakePoint(*window, 2, 30.0f);
  EXPECT_FLOAT_EQ(window->measured(0), 10.f);
  EXPECT_FLOAT_EQ(window->measured(1), 30.f);
  EXPECT_FLOAT_EQ(window->reference(0), 11.5f);
  EXPECT_FALSE(window->referenceTaken(1));
  window->Button2Click();
  EXPECT_FALSE(window->buttons().write);  // the second reference is missing
  window->Edit4Exit("31.5");
  window->Button2Click();
  EXPECT_FLOAT_EQ(window->b(), 1.5f);
}

// The window's own hint: СТОП takes the point, then the reference is typed. The entry then belongs to the
// point just taken, a point whose reference was typed beforehand hands it on, and Расчет that cannot
// compute says which point lacks what.
TEST_F(CorrectionRun, TheReferenceTypedAfterStopIsThePointJustTaken) {
  Connect();
  Script();
  auto window = Open(2);
  TakePoint(*window, 3, 10.0f);
  EXPECT_EQ(window->referencePoint(), 0);
  EXPECT_EQ(window->display().referenceCaption, "Образцовое давление, точка 1");
  window->Edit4Exit("11");
  window->Button2Click();
  EXPECT_EQ(window->display().message, "Точка 2 не измерена: нажмите СТАРТ, затем СТОП");
  TakePoint(*window, 3, 20.0f);
  EXPECT_EQ(window->referencePoint(), 1);
  EXPECT_EQ(window->display().referenceCaption, "Образцовое давление, точка 2");
  EXPECT_EQ(window->display().reference, "");
  window->Button2Click();
  EXPECT_FALSE(window->buttons().write);
  EXPECT_EQ(window->display().message, "Для точки 2 не введено образцовое значение");
  window->Edit4Exit("21,5");
  window->Button2Click();
  EXPECT_TRUE(window->buttons().write);
  EXPECT_EQ(window->display().message, "");
  EXPECT_FLOAT_EQ(window->reference(0), 11.f);
  EXPECT_FLOAT_EQ(window->reference(1), 21.5f);
  EXPECT_FLOAT_EQ(window->k(), 1.05f);

  // A point measured before the first one got its reference: the entry goes back to the first.
  auto forgot = Open(2);
  TakePoint(*forgot, 2, 10.0f);
  forgot->Button4Click();
  EXPECT_EQ(forgot->referencePoint(), 0);
  EXPECT_EQ(forgot->display().referenceCaption, "Образцовое давление, точка 1");
}

// A new offset of 1e-6 below zero prints as 0.00000, never with a minus sign.
TEST_F(CorrectionRun, ACoefficientThatRoundsToZeroHasNoSign) {
  Connect();
  Script();
  auto window = Open(1);
  window->Edit4Exit("9.999999");
  TakePoint(*window, 2, 10.0f);
  window->Button2Click();
  ASSERT_TRUE(window->buttons().write);
  EXPECT_LT(window->b(), 0.f);
  EXPECT_EQ(window->display().b, "0.00000");
  EXPECT_EQ(window->display().a, "1.00000");
}

// Stop while a measurement waits for its answer is a stop: the window says the exchange was stopped,
// asks nothing, and the next СТОП takes the point.
TEST_F(CorrectionRun, AStopDuringATickIsNoLinkFailure) {
  Connect();
  Script();
  auto window = Open(1);
  Values(5, 10.0f);
  window->Button4Click();
  stopAt = {0x0C, 3};
  for (int guard = 0; guard < 40 && window->display().message.empty(); ++guard)
    clock.SleepFor(int64_t{window->Timer1Timer()} * 1'000'000);
  EXPECT_EQ(window->display().message, "Обмен с вычислителем остановлен");
  EXPECT_EQ(technician.Count("confirm"), 0);
  EXPECT_EQ(window->count(), 2u);
  window->Button1Click();
  EXPECT_EQ(window->display().message, "");
  EXPECT_TRUE(window->measuredTaken(0));
  EXPECT_FALSE(state.link.stop().requested());
}

TEST_F(CorrectionRun, AReferenceOfZeroIsAValue) {
  Connect();
  Script();
  auto window = Open(1, 2);
  window->Edit4Exit("0");
  TakePoint(*window, 2, 0.05f);
  window->Button2Click();
  EXPECT_TRUE(window->buttons().write);
  EXPECT_NEAR(window->b(), -0.05f, 1e-6);

  auto twoPoints = Open(2, 2);
  twoPoints->Edit4Exit("0");
  TakePoint(*twoPoints, 2, 0.0f);
  twoPoints->Edit4Exit("10");
  TakePoint(*twoPoints, 2, 5.0f);
  twoPoints->Button2Click();
  EXPECT_FLOAT_EQ(twoPoints->k(), 2.f);
  EXPECT_FLOAT_EQ(twoPoints->d(), 0.f);
}

TEST_F(CorrectionRun, OtherUnitsAreDividedOutOfCopies) {
  Connect();
  Script();
  auto window = Open(2, 0, 2.0f);
  window->Edit4Exit("22");
  TakePoint(*window, 2, 10.0f);  // 20 in the calibration unit
  window->Edit4Exit("42");
  TakePoint(*window, 2, 20.0f);
  EXPECT_FLOAT_EQ(window->measured(0), 20.f);
  window->Button2Click();
  EXPECT_FLOAT_EQ(window->k(), 1.f);
  EXPECT_FLOAT_EQ(window->d(), 1.f);
  EXPECT_FLOAT_EQ(window->measured(1), 40.f);  // the window's own values stay
}

TEST_F(CorrectionRun, EqualReferencesComputeNothingAndEqualPointsStartOver) {
  Connect();
  Script();
  auto window = Open(2);
  window->Edit4Exit("5");
  TakePoint(*window, 2, 10.0f);
  window->Edit4Exit("5");
  TakePoint(*window, 2, 20.0f);
  window->Button2Click();
  EXPECT_FALSE(window->buttons().write);

  auto same = Open(2);
  TakePoint(*same, 2, 10.0f);
  TakePoint(*same, 2, 10.0f);
  EXPECT_TRUE(same->timer2Running());
  EXPECT_TRUE(same->Timer2Timer());
  EXPECT_EQ(same->display().status, "Измеренные значения в двух точках совпадают: расчет невозможен");
  EXPECT_FALSE(same->measuredTaken(0));
  EXPECT_TRUE(same->buttons().start);
  EXPECT_FALSE(same->buttons().calculate);
  EXPECT_EQ(same->display().referenceCaption, "Образцовое давление, точка 1");
}

TEST_F(CorrectionRun, TickFailuresAreShownInTheWindow) {
  Connect();
  Script();
  auto window = Open(1);
  window->Button4Click();
  silent = {{0x1D, 1}};
  window->Timer1Timer();
  EXPECT_EQ(window->display().message, state.Text(2217));
  peer->model.RefuseNext(0x0C, 10, 0, 0);
  window->Timer1Timer();
  EXPECT_EQ(window->display().message, state.texts.FormatText(2996, {10}));
  EXPECT_EQ(window->count(), 0u);
  EXPECT_EQ(technician.Count("confirm"), 0);
}

TEST_F(CorrectionRun, WritesTheNewSlopeAndOffsetInsideServiceModeEnteredTwice) {
  Connect();
  Script();
  technician.choices = {0, 1};  // the flow computer's unit, two points
  play = [this](CorrectionWindow& w) {
    w.Edit4Exit("11");
    TakePoint(w, 2, 10.0f);
    w.Edit4Exit("21");
    TakePoint(w, 2, 20.0f);
    w.Button2Click();
    w.Edit7Change("1.5");
    return w.Button3Click();
  };
  const CorrectionOutcome outcome = Correct(0);
  EXPECT_EQ(outcome.result, CorrectionResult::Written);
  EXPECT_FLOAT_EQ(outcome.a, 1.f);
  EXPECT_FLOAT_EQ(outcome.b, 1.5f);
  const Bytes w = RequestsOf(0x14).back();
  ASSERT_EQ(w.size(), 55u);
  EXPECT_EQ(Bytes(w.begin(), w.begin() + 6), (Bytes{0xBB, 0x01, 55, 0x14, 1, 0}));
  EXPECT_EQ(Bytes(w.begin() + 22, w.begin() + 27), (Bytes{0x1F, 0x16, 7, 0, 0}));
  EXPECT_EQ(Bytes(w.begin() + 27, w.begin() + 35), (Bytes{0x3F, 0xC0, 0, 0, 0x3F, 0x80, 0, 0}));
  EXPECT_EQ(Bytes(w.begin() + 27, w.begin() + 53), Bytes(Constants(), Constants() + 26));
  EXPECT_TRUE(Crc16Matches(Constants(), 24));
  EXPECT_EQ(EnterFlagBytes(peer->requests), (std::vector<int>{0, 1}));
  EXPECT_EQ(RequestsOf(0x11).size(), 2u);
  EXPECT_EQ(PipelineState(), 0);
  EXPECT_EQ(
      technician.Count("message Результат корректировки НСХП | Записаны новые коэффициенты: A = 1.00000, "
                       "B = 1.50000\nВычислитель выведен из сервисного режима"),
      1);
}

// The flow computer takes the enter request but its answer is lost, and the technician does not ask
// again: the correction ends, and the flow computer is told to leave service mode.
TEST_F(CorrectionRun, AnUnansweredEnterIsFollowedByALeave) {
  Connect();
  Script();
  silent = {{0x10, 1}};
  technician.choices = {0};
  technician.confirms = {false};
  EXPECT_EQ(Correct(1).result, CorrectionResult::Failed);
  EXPECT_EQ(RequestsOf(0x10).size(), 1u);
  ASSERT_EQ(RequestsOf(0x11).size(), 1u);
  EXPECT_EQ(RequestsOf(0x11).front()[4], 1);
  EXPECT_EQ(PipelineState(), 0);
}

TEST_F(CorrectionRun, LeavingOrADeclinedWriteIsNoSuccess) {
  Connect();
  Script();
  technician.choices = {0};  // differential pressure: two points without asking
  EXPECT_EQ(Correct(1).result, CorrectionResult::Interrupted);
  EXPECT_EQ(technician.Count("message Результат корректировки НСХП | Корректировка НСХП прервана"), 1);
  EXPECT_EQ(PipelineState(), 0);

  technician.choices = {0, 0};
  play = [this](CorrectionWindow& w) {
    w.Edit4Exit("10.5");
    TakePoint(w, 2, 10.0f);
    w.Button2Click();
    return w.Button3Click();
  };
  peer->model.RefuseNext(0x14, 2, 0, 0);
  technician.confirms = {false};  // the refused write is not repeated
  EXPECT_EQ(Correct(0).result, CorrectionResult::Failed);
  EXPECT_EQ(technician.Count("confirm  | Повторить запрос?"), 1);
  EXPECT_EQ(technician.Count("message Результат корректировки НСХП | Не удалось записать наклон и смещение\n"
                             "Вычислитель выведен из сервисного режима"),
            1);
  EXPECT_FLOAT_EQ(DeviceFloatAt(Constants(), DeviceByteOrder::MsbFirst), 0.f);
  EXPECT_EQ(PipelineState(), 0);

  technician.choices = {0, std::nullopt};  // the number of points is cancelled
  EXPECT_EQ(Correct(0).result, CorrectionResult::NotStarted);
  EXPECT_TRUE(technician.choices.empty());  // both questions were asked
  EXPECT_EQ(RequestsOf(0x10).size(), 3u);
}

}  // namespace
}  // namespace ruvenset::testing
