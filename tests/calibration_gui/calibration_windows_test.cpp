#include <QApplication>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "../calibration/calibration_fixture.h"
#include "calibration/identification_code.h"
#include "calibration/windows/identification_code_form.h"
#include "calibration/windows/measurement_window.h"
#include "calibration/windows/qt_calibration_run_pages.h"
#include "device/windows/choice_dialogs.h"
#include "device/windows/information_window.h"
#include "shell/windows/window_picture.h"
#include "storage/fulfill_list.h"
#include "storage/windows/fulfill_window.h"
#include "verification/windows/start_pages.h"

namespace ruvenset::testing {
namespace {

// The calibration's windows against the simulated flow computer in virtual time: the test plays the
// window's timer, calling its handler and letting 900 ms pass on the link's clock.
class CalibrationWindows : public CalibrationFixture {
 protected:
  AcquisitionSetup Setup(AcquisitionMode mode, bool statistics) {
    AcquisitionSetup setup;
    setup.mode = mode;
    setup.statistics = statistics;
    setup.kind = kCalibrationTemperature;
    setup.channelSelector = 1;
    setup.pointNumber = 3;
    return setup;
  }
  void Fire(TForm60& form, QTimer* timer) {
    clock.SleepFor(int64_t{kAcquisitionInterval} * 1'000'000);
    if (timer == form.Timer1)
      form.Timer1Timer();
    else
      form.Timer2Timer();
    Settle(form);
  }
  // Waits until the work handed to the worker has been shown.
  static void Settle(const TForm60& form) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.working(); }));
  }
  static QStringList Texts(const std::vector<QLabel*>& lines) {
    QStringList texts;
    for (const QLabel* line : lines) texts << line->text();
    return texts;
  }
  // Every value stands on its label's row: the same top, the same height, to the label's right.
  static void ExpectValuesBesideLabels(TForm60& form) {
    ASSERT_EQ(form.Labels.size(), form.Values.size());
    for (size_t r = 0; r < form.Labels.size(); ++r) {
      const QRect label(form.Labels[r]->mapTo(&form, QPoint(0, 0)), form.Labels[r]->size());
      const QRect value(form.Values[r]->mapTo(&form, QPoint(0, 0)), form.Values[r]->size());
      EXPECT_EQ(label.top(), value.top()) << form.Labels[r]->text().toStdString();
      EXPECT_EQ(label.height(), value.height()) << form.Labels[r]->text().toStdString();
      EXPECT_LE(label.right(), value.left()) << form.Labels[r]->text().toStdString();
      if (r > 0)
        EXPECT_GE(label.top(),
                  form.Labels[r - 1]->mapTo(&form, QPoint(0, 0)).y() + form.Labels[r - 1]->height());
    }
  }
};

TEST_F(CalibrationWindows, StatisticsWindowRendersItsTicksAndTheStrip) {
  Connect();
  peer->model.SetCodeJitter(8);
  TForm60Logic logic(state, technician, Setup(AcquisitionMode::Point, true));
  TForm60 form(nullptr, state, logic);
  EXPECT_EQ(form.objectName(), "Form60");
  EXPECT_EQ(form.windowTitle().toStdString(), Text(2238));
  ASSERT_NE(form.Chart, nullptr);
  EXPECT_FALSE(form.BitBtn2->isHidden());
  const QStringList labels = Texts(form.Labels);
  EXPECT_EQ(labels.size(), Texts(form.Values).size());
  EXPECT_TRUE(labels.contains(QString::fromStdString(Text(1477))));
  EXPECT_TRUE(labels.contains(QString::fromStdString(Text(1466))));

  form.show();
  form.Timer2->start();
  for (int i = 0; i < 30 && logic.samples().count() < 6; ++i) Fire(form, form.Timer2);
  ASSERT_GE(logic.samples().count(), 6);
  EXPECT_TRUE(form.Timer2->isActive());
  EXPECT_FALSE(form.Timer1->isActive());
  ExpectValuesBesideLabels(form);
  const QStringList values = Texts(form.Values);
  const int meanRow = labels.indexOf(QString::fromStdString(Text(1463)));
  ASSERT_GE(meanRow, 0);
  EXPECT_EQ(values[meanRow].trimmed().toStdString(), std::to_string(logic.samples().mean()));
  EXPECT_GT(form.Chart->traceLines(), 0);
  EXPECT_LT(form.Chart->lowest(), logic.samples().mean());
  EXPECT_GT(form.Chart->highest(), logic.samples().mean());

  form.BitBtn2->click();
  Settle(form);
  EXPECT_EQ(logic.samples().count(), 0);
  EXPECT_EQ(form.Chart->traceLines(), 0);
  form.BitBtn3->click();
  EXPECT_EQ(form.result(), kMeasurementCancel);
}

TEST_F(CalibrationWindows, PromptWindowShowsTheCodeWithoutStatistics) {
  Connect();
  TForm60Logic logic(state, technician, Setup(AcquisitionMode::Ambient, false));
  TForm60 form(nullptr, state, logic);
  EXPECT_EQ(form.Chart, nullptr);
  EXPECT_TRUE(form.BitBtn2->isHidden());
  EXPECT_TRUE(Texts(form.Labels).contains(QString::fromStdString(Text(1458))));
  QTimer::singleShot(0, [&] {
    for (int i = 0; i < 3; ++i) Fire(form, form.Timer1);
    ExpectValuesBesideLabels(form);
    // The code stands beside its label, not beside the prompt below it.
    const int codeRow = static_cast<int>(Texts(form.Labels).indexOf(QString::fromStdString(Text(3163))));
    ASSERT_GE(codeRow, 0);
    EXPECT_TRUE(form.Values[static_cast<size_t>(codeRow)]->text().contains("40768 (0x9f40)"));
    form.BitBtn1->click();
  });
  EXPECT_EQ(form.Run(), kMeasurementNext);
  EXPECT_FALSE(form.Timer1->isActive());
}

TEST_F(CalibrationWindows, IdentificationCodeIsTakenAsAWholeNumber) {
  IdentificationCodeEntry entry{Text(1144), Text(1145), "160123", Text(2613), Text(2614)};
  IdentificationCodeForm form(nullptr, entry);
  std::optional<uint32_t> code;
  QTimer::singleShot(0, [&] {
    form.Edit1->setText("4294967296");
    form.BitBtn1->click();
    EXPECT_TRUE(form.isVisible());  // does not fit 32 bits: the entry stays
    form.Edit1->setText("4294967295");
    form.BitBtn1->click();
  });
  code = form.AskCode();
  EXPECT_EQ(code, std::optional<uint32_t>(4294967295u));
  EXPECT_EQ(form.Edit1->maxLength(), 10);
}

// Pictures of the calibration's windows in both languages, as docs/screenshots/calibration-run-*.png,
// when RUVENSET_SCREENSHOT_DIR names a folder; otherwise the test does nothing.
class CalibrationScreenshots : public CalibrationWindows {
 protected:
  void UseLanguage(int langRus) {
    state.config.langRus = langRus;
    const std::string name = langRus == 1 ? "Lang01.txt" : "Lang00.txt";
    ASSERT_EQ(LanguageTexts::Load(std::string(RUVENSET_SOURCE_DIR) + "/lang/" + name, state.texts).status,
              LangLoadStatus::Ok);
    suffix_ = langRus == 1 ? "ru" : "uk";
  }
  void Shoot(QWidget* window, const char* name) {
    window->show();
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
    const QPixmap framed = PictureWithTitleBar(window, false);
    const QString path = QString("%1/calibration-run-%2-%3.png").arg(folder_, name, suffix_);
    EXPECT_TRUE(framed.save(path)) << path.toStdString();
    window->hide();
  }
  QString folder_;
  QString suffix_;
};

TEST_F(CalibrationScreenshots, EveryWindowInBothLanguages) {
  const char* folder = std::getenv("RUVENSET_SCREENSHOT_DIR");
  if (folder == nullptr || *folder == '\0') GTEST_SKIP() << "RUVENSET_SCREENSHOT_DIR is not set";
  folder_ = folder;
  Connect();
  peer->model.SetCodeJitter(12);
  peer->model.inputs().temperature = 30.0;
  for (int lang : {1, 0}) {
    UseLanguage(lang);
    {
      TForm60Logic logic(state, technician, Setup(AcquisitionMode::Point, false));
      TForm60 form(nullptr, state, logic);
      form.show();
      form.Timer2->start();
      for (int i = 0; i < 3; ++i) Fire(form, form.Timer2);
      Shoot(&form, "point-prompt");
    }
    {
      TForm60Logic logic(state, technician, Setup(AcquisitionMode::Point, true));
      TForm60 form(nullptr, state, logic);
      form.show();
      form.Timer2->start();
      for (int i = 0; i < 60 && logic.samples().count() < 40; ++i) Fire(form, form.Timer2);
      Shoot(&form, "point-statistics");
    }
    {
      TForm60Logic logic(state, technician, Setup(AcquisitionMode::Ambient, true));
      TForm60 form(nullptr, state, logic);
      form.show();
      form.Timer1->start();
      for (int i = 0; i < 20 && logic.samples().count() < 12; ++i) Fire(form, form.Timer1);
      Shoot(&form, "ambient-statistics");
    }
    {
      NumberRequest r;
      r.caption = Text(2247);
      r.prompt = Text(2242) + "5500000     (0x53ec60)";
      r.rangeText = "[-45.00...85.00] " + Text(2189);
      r.lower = -45;
      r.upper = 85;
      r.proposed = "30.00";
      r.acceptText = Text(2613);
      r.cancelText = Text(2614);
      TForm51 form(nullptr, r);
      Shoot(&form, "point-value");
    }
    {
      IdentificationCodeEntry entry{Text(1144), Text(1145), "160123", Text(2613), Text(2614)};
      IdentificationCodeForm form(nullptr, entry);
      Shoot(&form, "identification-code");
    }
    {
      ChoiceRequest r;
      r.caption = Text(2238);
      r.items = {Text(2875), Text(2876)};
      r.acceptText = Text(2613);
      r.cancelText = Text(2614);
      TForm80 form(nullptr, r);
      Shoot(&form, "new-or-continue");
    }
    {
      TNSHP form(nullptr, QString::fromStdString(Text(1573)),
                 AdcParameterLines(state, kCalibrationTemperature,
                                   {0x03, 0x00, 0x03, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x10, 0xED}));
      Shoot(&form, "adc-parameters");
    }
    {
      FulfillList list;
      list.caption = state.texts.FormatText(2260, {Text(2144)});
      list.header1 = state.texts.FormatText(2265, {20.0, Text(2189)});
      list.header2 = state.texts.FormatText(2266, {Text(2151), Text(2189)});
      list.rows = {"   1     3000000              -20", "   2     5500000              30",
                   "   3     7000000              60"};
      list.buttons = {{Text(2210), ListChoice::Open, 0},
                      {Text(2278), ListChoice::Close, 0},
                      {Text(2268), ListChoice::Ok, 0}};
      TFulfill form(nullptr, list);
      Shoot(&form, "review");
    }
  }
}

}  // namespace
}  // namespace ruvenset::testing
