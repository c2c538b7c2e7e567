#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "../shell_gui/gui_support.h"
#include "shell/windows/qt_technician.h"
#include "verification/windows/reference_pages.h"
#include "verification/windows/service_window.h"
#include "verification/windows/start_pages.h"
#include "verification/windows/substitute_value_window.h"

namespace ruvenset {
namespace {

using testing::GuiState;

// Runs `act` once the dialog's own event loop is running.
void WhenShown(std::function<void()> act) {
  QTimer::singleShot(0, std::move(act));
}

class VerificationPagesTest : public ::testing::Test, public GuiState {
 protected:
  SubstituteValuePage TemperaturePage() const {
    SubstituteValuePage page;
    page.caption = state.Text(2208);
    page.channelName = state.Text(2126);
    page.unitName = state.Text(2189);
    page.constant = 20;
    page.lower = -40;
    page.upper = 60;
    page.rangeText = "[ -40 ... 60 ]";
    page.constantText = "20.00";
    return page;
  }
};

TEST_F(VerificationPagesTest, SubstitutePageTakesAConstantOnlyWithinItsRange) {
  TForm45 window(nullptr, state, TemperaturePage());
  EXPECT_EQ(window.objectName(), "Form45");
  EXPECT_EQ(window.windowTitle().toStdString(), state.Text(2208));
  EXPECT_EQ(window.RadioGroup1->title().toStdString(), state.Text(2126));
  EXPECT_TRUE(window.RadioButton1->isChecked());
  EXPECT_FALSE(window.Edit1->isEnabled());
  EXPECT_EQ(window.Edit1->text(), "20.00");
  EXPECT_EQ(window.Label2->text(), "[ -40 ... 60 ]");
  EXPECT_TRUE(window.Label1->text().endsWith("°C"));
  EXPECT_EQ(window.BitBtn1->text().toStdString(), state.Text(2279));

  bool stayedOpen = false;
  WhenShown([&] {
    window.RadioButton2->click();
    EXPECT_TRUE(window.Edit1->isEnabled());
    for (const char* refused : {"61", "-40.5", "", "-", "1e9"}) {
      window.Edit1->setText(refused);
      window.BitBtn1->click();
    }
    stayedOpen = window.isVisible();
    window.Edit1->setText("-12.5");
    window.BitBtn1->click();
  });
  const auto answer = window.Ask();
  EXPECT_TRUE(stayedOpen);
  ASSERT_TRUE(answer);
  EXPECT_FALSE(answer->measured);
  EXPECT_FLOAT_EQ(answer->constant, -12.5f);
}

TEST_F(VerificationPagesTest, SubstitutePageMeasuredKeepsTheConstantAndClosingIsNoAnswer) {
  SubstituteValuePage page = TemperaturePage();
  page.measured = false;
  page.constant = 15;
  {
    TForm45 window(nullptr, state, page);
    EXPECT_TRUE(window.RadioButton2->isChecked());
    EXPECT_TRUE(window.Edit1->isEnabled());
    WhenShown([&] {
      window.RadioButton1->click();
      window.Edit1->setText("999");  // not looked at while the channel is measured
      window.BitBtn1->click();
    });
    const auto answer = window.Ask();
    ASSERT_TRUE(answer);
    EXPECT_TRUE(answer->measured);
    EXPECT_FLOAT_EQ(answer->constant, 15);
  }
  TForm45 window(nullptr, state, page);
  WhenShown([&] { window.close(); });
  EXPECT_FALSE(window.Ask());
}

TEST_F(VerificationPagesTest, TransmitterPageOnTheFlowComputersLineHasNoPortAndChecksTheAddress) {
  TransmitterPage page;
  page.caption = state.Text(2208);
  page.portChoiceEnabled = false;
  page.preset.portSlot = 3;
  TForm47 window(nullptr, state, page, {"/dev/ttyUSB0"});
  EXPECT_EQ(window.objectName(), "Form47");
  EXPECT_FALSE(window.RadioGroup1->isEnabled());
  EXPECT_EQ(window.Ports->checkedId(), -1);
  EXPECT_EQ(window.Ports->buttons().size(), 8);
  EXPECT_EQ(window.Ports->button(0)->toolTip(), "/dev/ttyUSB0");
  EXPECT_EQ(window.Types->checkedId(), 0);
  EXPECT_EQ(window.ComboBox1->lineEdit()->maxLength(), 2);

  bool stayedOpen = false;
  WhenShown([&] {
    for (const char* refused : {"0", "16", "", "99"}) {
      window.ComboBox1->setEditText(refused);
      window.BitBtn1->click();
    }
    stayedOpen = window.isVisible();
    window.Types->button(1)->click();
    window.ComboBox1->setEditText("15");
    window.BitBtn1->click();
  });
  const auto choice = window.Ask();
  EXPECT_TRUE(stayedOpen);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->address, 15);
  EXPECT_EQ(choice->type, kTransmitter3095);
  EXPECT_EQ(choice->portSlot, 3);  // kept from the last choice
}

TEST_F(VerificationPagesTest, TransmitterPageWithItsOwnPortTakesTheSlotAndCancelIsNoAnswer) {
  TransmitterPage page;
  page.preset.portSlot = 2;
  page.preset.address = 4;
  {
    TForm47 window(nullptr, state, page, {});
    EXPECT_TRUE(window.RadioGroup1->isEnabled());
    EXPECT_EQ(window.Ports->checkedId(), 2);
    EXPECT_EQ(window.ComboBox1->currentText(), "4");
    WhenShown([&] {
      window.Ports->button(5)->click();
      window.BitBtn1->click();
    });
    const auto choice = window.Ask();
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->portSlot, 5);
    EXPECT_EQ(choice->address, 4);
  }
  TForm47 window(nullptr, state, page, {});
  WhenShown([&] { window.BitBtn2->click(); });
  EXPECT_FALSE(window.Ask());
}

TEST_F(VerificationPagesTest, ReferenceChoicePagesShowTheirItemsAndCancel) {
  ChoiceRequest request;
  request.caption = state.Text(2208);
  request.acceptText = state.Text(2279);
  request.cancelText = state.Text(2614);
  struct Case {
    const char* name;
    std::vector<std::string> items;
    std::function<std::unique_ptr<ChoiceDialog>(const ChoiceRequest&)> make;
    std::string firstItem;
  };
  const std::vector<Case> cases = {
      {"Form46",
       {state.Text(2669), state.Text(2670)},
       [&](const ChoiceRequest& r) { return std::make_unique<TForm46>(nullptr, state, r); },
       state.Text(2669)},
      {"Form48",
       {"1", "2", "3", "4"},
       [&](const ChoiceRequest& r) { return std::make_unique<TForm48>(nullptr, state, r); },
       "1  (перепад давления)"},
      {"Form49",
       {"Абсолютное давление", "Избыточное давление"},
       [&](const ChoiceRequest& r) { return std::make_unique<TForm49>(nullptr, state, r); },
       "Абсолютное давление"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    request.items = c.items;
    request.preselected = 1;
    auto window = c.make(request);
    EXPECT_EQ(window->objectName(), c.name);
    EXPECT_EQ(window->windowTitle().toStdString(), state.Text(2208));
    EXPECT_EQ(window->Items->checkedId(), 1);
    EXPECT_EQ(window->Items->button(0)->text().toStdString(), c.firstItem);
    ASSERT_NE(window->BitBtn2, nullptr);
    WhenShown([&] {
      window->Items->button(0)->click();
      window->BitBtn1->click();
    });
    EXPECT_EQ(window->AskChoice(), 0);
    WhenShown([&] { window->BitBtn2->click(); });
    EXPECT_FALSE(window->AskChoice());
  }
}

TEST_F(VerificationPagesTest, StartPageShowsThePipelineWithoutItsPaddingAndAsksYesOrNo) {
  StartPage page;
  page.caption = state.Text(2208);
  page.pipelineLine = state.texts.FormatText(2209, {1, std::string("Line A  \0\0\0", 11)});
  page.channelLine = state.texts.FormatText(2212, {state.Text(2126)});
  TForm52 window(nullptr, state, page);
  EXPECT_EQ(window.objectName(), "Form52");
  EXPECT_EQ(window.Label1->text().toStdString(), "Трубопровод 1: Line A");
  EXPECT_EQ(window.Label2->text().toStdString(), "Канал: Температура");
  EXPECT_EQ(window.BitBtn1->text().toStdString(), state.Text(1773));
  WhenShown([&] { window.BitBtn1->click(); });
  EXPECT_TRUE(window.Ask());
  WhenShown([&] { window.BitBtn2->click(); });
  EXPECT_FALSE(window.Ask());
}

TEST_F(VerificationPagesTest, ActualValueWindowAcceptsOnlyTheChannelsRange) {
  NumberRequest request;
  request.caption = state.Text(2208);
  request.lower = -40;
  request.upper = 60;
  request.maxLength = 9;
  request.acceptText = state.Text(2613);
  request.cancelText = state.Text(2614);
  TForm51 window(nullptr, request);
  EXPECT_EQ(window.objectName(), "Form51");
  EXPECT_EQ(window.Edit1->maxLength(), 9);
  WhenShown([&] {
    window.Edit1->setText("60.01");
    window.BitBtn1->click();
    window.Edit1->setText("21.5");
    window.BitBtn1->click();
  });
  EXPECT_EQ(window.AskNumber(), 21.5f);
}

TEST(DataFileFilter, WindowsFiltersBecomeQtFilters) {
  EXPECT_EQ(QtFileFilter("DataFiles (*.ctr)|*.ctr|All files (*.*)|*.*"), "DataFiles (*.ctr);;All files (*)");
  EXPECT_EQ(QtFileFilter("Text|*.txt;*.rcl"), "Text (*.txt *.rcl)");
  EXPECT_EQ(QtFileFilter(""), "");
}

TEST_F(VerificationPagesTest, DataFileDialogsOpenInTheDataFolderWithTheirTitles) {
  const QString folder = QDir::tempPath();
  DataFileDialog dialog;
  dialog.title = "Запись файла данных поверки";
  dialog.filter = "DataFiles (*.ctr)|*.ctr|All files (*.*)|*.*";
  dialog.folder = folder.toStdString();
  {
    DataFileWindow window(nullptr, state, dialog);
    EXPECT_EQ(window.objectName(), "SaveDialog1");
    EXPECT_EQ(window.windowTitle(), "Запись файла данных поверки");
    EXPECT_EQ(window.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(window.labelText(QFileDialog::Accept), "Сохранить");
    EXPECT_EQ(window.nameFilters(), QStringList({"DataFiles (*.ctr)", "All files (*)"}));
    EXPECT_EQ(QDir(window.directory()).canonicalPath(), QDir(folder).canonicalPath());
    const QString path = QDir(folder).filePath("verification_gui_new");
    WhenShown([&] {
      window.selectFile(path);
      static_cast<QDialog&>(window).accept();
    });
    EXPECT_EQ(window.Ask(), path.toStdString() + ".ctr");
  }
  dialog.newFile = false;
  DataFileWindow window(nullptr, state, dialog);
  EXPECT_EQ(window.objectName(), "OpenDialog1");
  EXPECT_EQ(window.fileMode(), QFileDialog::ExistingFile);
  WhenShown([&] { window.reject(); });
  EXPECT_FALSE(window.Ask());
}

TEST_F(VerificationPagesTest, ServiceWindowRunsItsOperationFromTheTimerAndClosesItself) {
  QtTechnician technician(nullptr, state);
  ServiceOperations operation(state, technician, technician);
  operation.operation = 9;  // no such operation: it ends at its first step
  operation.panelText = state.Text(2202);
  TForm53 window(nullptr, operation);
  EXPECT_EQ(window.objectName(), "Form53");
  EXPECT_EQ(window.windowTitle().toStdString(), state.Text(2287));
  EXPECT_EQ(window.Panel1->text().toStdString(), state.Text(2202));
  EXPECT_EQ(window.Run(), ServiceResult::Failed);
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(window.Timer1->isActive());
}

}  // namespace
}  // namespace ruvenset

#include <QTest>

#include "verification/windows/qt_verification_pages.h"

namespace ruvenset {
namespace {

// After the substitute page, Escape and the close box on a page are Cancel: the verification ends.
TEST_F(VerificationPagesTest, EscapeOnTheLaterPagesIsCancel) {
  QtTechnician technician{nullptr, state};
  QtVerificationPages pages(nullptr, state, technician);
  testing::ModalScript script;
  ChoiceRequest files;
  files.items = {"none", "new", "continue"};
  script.On("Fdann", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
  EXPECT_EQ(pages.AskDataFileChoice(files), std::nullopt);
  script.On("Fdann", testing::ModalScript::Click("BitBtn1"));
  EXPECT_EQ(pages.AskDataFileChoice(files), std::optional<int>(0));

  script.On("OKBottomDlg", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
  EXPECT_EQ(pages.AskTypedReference("caption", "typed?"), std::nullopt);
  script.On("OKBottomDlg", [](QWidget* w) { w->close(); });
  EXPECT_EQ(pages.AskTypedReference("caption", "typed?"), std::nullopt);
  script.On("OKBottomDlg", testing::ModalScript::Click("CancelBtn"));
  EXPECT_EQ(pages.AskTypedReference("caption", "typed?"), std::optional<bool>(false));
  script.On("OKBottomDlg", testing::ModalScript::Click("OKBtn"));
  EXPECT_EQ(pages.AskTypedReference("caption", "typed?"), std::optional<bool>(true));
  EXPECT_EQ(script.seen().size(), 6);
}

}  // namespace
}  // namespace ruvenset
