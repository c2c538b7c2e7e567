#include <QApplication>
#include <QPixmap>
#include <cstdlib>

#include "../zero_correction/zero_fixture.h"
#include "calibration/correction_procedure.h"
#include "calibration/windows/correction_form.h"
#include "calibration/windows/zero_statistics_window.h"
#include "device/windows/choice_dialogs.h"
#include "device/windows/information_window.h"
#include "shell/windows/window_parts.h"
#include "shell/windows/window_picture.h"
#include "verification/windows/service_window.h"

namespace ruvenset::testing {
namespace {

// Pictures of the zero setting's and the correction's windows in both languages, as
// docs/screenshots/zero-*.png and correction-*.png, when RUVENSET_SCREENSHOT_DIR names a folder;
// otherwise the test does nothing.
class ZeroCorrectionScreenshots : public ZeroFixture {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("RUVENSET_SCREENSHOT_DIR");
    if (folder == nullptr || *folder == '\0') GTEST_SKIP() << "RUVENSET_SCREENSHOT_DIR is not set";
    folder_ = folder;
  }

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
    const QString path = QString("%1/%2-%3.png").arg(folder_, name, suffix_);
    EXPECT_TRUE(framed.save(path)) << path.toStdString();
    window->hide();
  }

  void Windows() {
    ServiceOperations zero(state, technician, technician);
    zero.captionText = state.Text(2818);
    zero.panelText = state.Text(2813);
    TForm53 form53(nullptr, zero);
    form53.SetProgress(2, 4);
    Shoot(&form53, "zero-service-window");

    ZeroStatistics statistics(state, technician, 0);
    TForm78 form78(nullptr, Q(state.Text(2818)), Q(state.Text(2813)), statistics);
    form78.ProgressBar1->setValue(6);
    Shoot(&form78, "zero-statistics");

    ConstantsBlock block;
    std::memcpy(block.bytes.data(), Constants(), kConstantsBlockSize);
    TNSHP nshp(nullptr, Q(state.Text(2934)), SlopeOffsetLines(state, block));
    Shoot(&nshp, "slope-offset");

    TForm80 points(nullptr, PointsRequest(state));
    Shoot(&points, "correction-points");

    CorrectionSetup setup;
    setup.points = 2;
    setup.unitName = state.Text(2168);
    setup.rangeLower = 0;
    setup.rangeUpper = 16;
    CorrectionWindow logic(state, technician, wallClock, setup, block);
    logic.FormActivate();
    TKorrekt form(nullptr, state, logic);
    form.show();
    const auto point = [&](const char* reference, float value) {
      form.Edit4->setText(reference);
      Values(3, value);
      form.Button4->click();
      for (int tick = 0; tick < 40 && logic.count() < 3; ++tick) {
        form.Timer1Timer();
        clock.SleepFor(int64_t{form.Timer1->interval()} * 1'000'000);
        wallClock.seconds += 1;
      }
      form.Button1->click();
    };
    point("2.5", 2.4871f);
    point("10", 9.9652f);
    form.Button2->click();
    form.Timer2Timer();
    Shoot(&form, "correction");
  }

  QString folder_;
  QString suffix_;
};

TEST_F(ZeroCorrectionScreenshots, TheWindowsInBothLanguages) {
  Connect();
  Script();
  for (int langRus : {1, 0}) {
    UseLanguage(langRus);
    Windows();
  }
}

}  // namespace
}  // namespace ruvenset::testing
