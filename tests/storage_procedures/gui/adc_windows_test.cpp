#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>

#include "../storage_fixture.h"
#include "gui_environment.h"
#include "shell/windows/window_picture.h"
#include "storage/windows/adc_parameter_windows.h"

namespace ruvenset::testing {
namespace {

void Shoot(QWidget* window, const QString& name) {
  const char* folder = std::getenv("RUVENSET_SCREENSHOT_DIR");
  if (folder == nullptr || *folder == '\0') return;
  window->show();
  EXPECT_TRUE(PictureWithTitleBar(window).save(QString("%1/%2.png").arg(folder, name)));
}

class AdcWindows : public StorageFixture {
 protected:
  AdcParameterList List(bool readOnly) {
    AdcBlocks blocks;
    blocks.main[1] = 0x05;
    blocks.main[4] = 0x51;
    AdcParameterList list;
    list.caption = Text(1176);
    list.header = Text(2390);
    for (const AdcRow& row : AdcRows(16, readOnly ? 3 : 1))
      list.rows.push_back(AdcRowText(blocks, 16, row, state.texts));
    list.readOnly = readOnly;
    list.selected = 1;
    list.changeText = Text(2210);
    list.acceptText = readOnly ? "Ok" : Text(2279);
    list.leaveText = Text(2278);
    return list;
  }
  void Ukrainian() {
    LanguageTexts::Load(std::string(RUVENSET_SOURCE_DIR) + "/lang/Lang00.txt", state.texts);
  }
};

TEST_F(AdcWindows, ParameterListAnswersWithItsRow) {
  for (bool ukrainian : {false, true}) {
    if (ukrainian) Ukrainian();
    TParamCh window(nullptr, List(false));
    EXPECT_EQ(window.ListBox1->count(), 6);
    EXPECT_EQ(window.ListBox1->item(0)->sizeHint().height(), 22);
    EXPECT_EQ(window.ListBox1->currentRow(), 1);
    Shoot(&window, ukrainian ? "adc-TParamCh-uk" : "adc-TParamCh-ru");
    QTimer::singleShot(0, &window, [&] { window.BitBtn2->click(); });
    const AdcListAnswer answer = window.Answer();
    EXPECT_EQ(answer.action, AdcListAction::Change);
    EXPECT_EQ(answer.row, 1);
  }
  TParamCh readOnly(nullptr, List(true));
  EXPECT_EQ(readOnly.ListBox1->count(), 30);
  EXPECT_TRUE(readOnly.BitBtn2->isHidden());
  EXPECT_TRUE(readOnly.BitBtn1->isHidden());
  EXPECT_EQ(readOnly.BitBtn3->text(), "Ok");
  QTimer::singleShot(0, &readOnly, [&] { readOnly.BitBtn3->click(); });
  EXPECT_EQ(readOnly.Answer().action, AdcListAction::Accept);
}

TEST_F(AdcWindows, ChoiceAndMeasurementWindows) {
  for (bool ukrainian : {false, true}) {
    if (ukrainian) Ukrainian();
    ChoiceRequest request;
    request.caption = Text(1176);
    request.title = "Вход 2: коэффициент усиления: 32 ";
    request.items = {"1 ", "2 ", "4 ", "8 ", "16 ", "32 ", "64 ", "128"};
    request.columns = 4;
    request.preselected = 5;
    request.acceptText = Text(2613);
    request.cancelText = Text(2614);
    TPch1 choice(nullptr, request);
    EXPECT_EQ(choice.items->checkedId(), 5);
    Shoot(&choice, ukrainian ? "adc-TPch1-uk" : "adc-TPch1-ru");
    QTimer::singleShot(0, &choice, [&] {
      choice.items->button(2)->click();
      choice.BitBtn1->click();
    });
    EXPECT_EQ(choice.Answer(), std::optional<int>(2));
  }
  MeasurementRequest request;
  request.caption = Text(1207);
  request.conversionsIndex = 1;
  request.pause = 100;
  TPch2 window(nullptr, request);
  Shoot(&window, "adc-TPch2");
  window.Edit1->setText("1001");
  window.BitBtn1Click();
  EXPECT_EQ(window.result(), 0);  // stays open
  QTimer::singleShot(0, &window, [&] {
    window.Edit1->setText("250");
    window.BitBtn1->click();
  });
  const std::optional<MeasurementAnswer> answer = window.Answer();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->conversions, 3);
  EXPECT_EQ(answer->pause, 250);
}

}  // namespace
}  // namespace ruvenset::testing
