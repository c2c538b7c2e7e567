#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cstring>

#include "device/windows/choice_dialogs.h"
#include "device/windows/constants_dialog.h"
#include "device/windows/number_dialogs.h"
#include "device/windows/password_dialogs.h"
#include "gui_support.h"
#include "shell/windows/connect_dialog.h"
#include "shell/windows/link_parameters_dialog.h"
#include "shell/windows/qt_technician.h"
#include "shell/windows/window_parts.h"

namespace ruvenset {
namespace {

using testing::GuiState;
using testing::ModalScript;

PortOpenResult NoPorts(const std::string&, std::unique_ptr<SerialPort>&) {
  return {PortOpenError::NotFound, 2};
}

// Clears a field and types into it key by key, through its key filter.
void Type(QLineEdit* field, const char* keys) {
  field->clear();
  QTest::keyClicks(field, keys);
}

class DialogTest : public ::testing::Test, public GuiState {
 protected:
  QtTechnician technician{nullptr, state};
};

TEST_F(DialogTest, ConnectDialogShowsItsTextsAndTakesDigitsOnly) {
  TForm73 dialog(nullptr, state, technician, NoPorts);
  EXPECT_EQ(dialog.windowTitle().toStdString(), state.Text(2333));
  EXPECT_EQ(dialog.findChild<QPushButton*>("BitBtn1")->text().toStdString(), state.Text(2847));
  EXPECT_EQ(dialog.findChild<QPushButton*>("BitBtn2")->text().toStdString(), state.Text(2614));
  EXPECT_EQ(dialog.findChild<QPushButton*>("BitBtn3")->text().toStdString(), state.Text(2330));
  auto* box = dialog.findChild<QComboBox*>("ComboBox1");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->count(), 254);
  EXPECT_EQ(box->currentText(), "1");
  Type(box->lineEdit(), "x2y5-z4.7");
  EXPECT_EQ(box->currentText(), "254");
  box->clearEditText();
  QTest::keyClicks(box, "q1w2");
  EXPECT_EQ(box->currentText(), "12");
}

TEST_F(DialogTest, ConnectDialogRefusesAddressesOutsideOneTo254) {
  const struct {
    const char* text;
    bool accepted;
  } cases[] = {{"0", false}, {"255", false}, {"", false}, {"254", true}, {"1", true}};
  for (const auto& c : cases) {
    state.config.link.address = 9;
    TForm73 dialog(nullptr, state, technician, NoPorts);
    dialog.show();
    dialog.ComboBox1->setEditText(c.text);
    dialog.BitBtn1->click();
    EXPECT_EQ(dialog.isVisible(), !c.accepted) << c.text;
    EXPECT_EQ(dialog.result() == kResultOk, c.accepted) << c.text;
    EXPECT_EQ(state.config.link.address, c.accepted ? std::atoi(c.text) : 9) << c.text;
  }
}

TEST_F(DialogTest, LinkParametersAcceptTheNextByteWaitFrom55To3000) {
  std::array<bool, kComSlotCount> available;
  available.fill(true);
  const struct {
    const char* text;
    bool accepted;
  } cases[] = {{"54", false}, {"55", true}, {"3000", true}, {"3001", false}};
  for (const auto& c : cases) {
    state.config.link.nextByteWait = 140;
    TForm72 dialog(nullptr, state, available, NoPorts);
    dialog.show();
    dialog.Edit2->setText(c.text);
    dialog.BitBtn3->click();
    EXPECT_EQ(dialog.isVisible(), !c.accepted) << c.text;
    EXPECT_EQ(state.config.link.nextByteWait, c.accepted ? std::atoi(c.text) : 140) << c.text;
    if (!c.accepted) {
      EXPECT_EQ(dialog.Edit2->text(), "140");
    }
  }
  TForm72 dialog(nullptr, state, available, NoPorts);
  Type(dialog.Edit2, "1a2b-3.4z5");
  EXPECT_EQ(dialog.Edit2->text(), "1234");
  EXPECT_EQ(dialog.windowTitle().toStdString(), state.Text(2330));
  EXPECT_EQ(dialog.ComboBox1->count(), 16);
  EXPECT_EQ(dialog.ComboBox3->count(), 20);
  EXPECT_EQ(dialog.ComboBox2->count(), 5);
}

TEST_F(DialogTest, LinkParametersRefuseAPortThatDidNotOpen) {
  std::array<bool, kComSlotCount> available{};
  available[0] = true;
  state.config.link.portIndex = 1;
  state.config.link.speedIndex = 2;
  TForm72 dialog(nullptr, state, available, NoPorts);
  EXPECT_TRUE(dialog.findChild<QRadioButton*>("RadioButton1")->isEnabled());
  EXPECT_FALSE(dialog.findChild<QRadioButton*>("RadioButton2")->isEnabled());
  EXPECT_TRUE(dialog.findChild<QRadioButton*>("RadioButton2")->isChecked());
  dialog.show();
  dialog.ComboBox1->setCurrentIndex(9);
  ModalScript script;
  script.On("FormMess", [this](QWidget* w) {
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->text().toStdString(), state.Text(2848));
    ModalScript::Click("BitBtn1")(w);
  });
  dialog.BitBtn3->click();
  EXPECT_EQ(script.seen(), QStringList{"FormMess"});
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(state.config.link.speedIndex, 2);
  dialog.RadioButton[0]->setChecked(true);
  dialog.BitBtn3->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(state.config.link.portIndex, 0);
  EXPECT_EQ(state.config.link.speedIndex, 9);
}

// A device given at start (--port, --demo) has its own row, chosen and accepted without any slot; the
// technician's choice of a slot ends it.
TEST_F(DialogTest, LinkParametersAcceptTheDeviceGivenAtStart) {
  state.givenPort = {"/dev/pts/77", false};
  state.config.link.portIndex = 1;
  const auto slotPaths = state.config.ports;
  ModalScript script;
  script.On("Form72", ModalScript::Click("BitBtn2"));
  TForm73 connect(nullptr, state, technician, NoPorts);
  connect.BitBtn3->click();  // no slot opens, yet the parameters open with the given device
  ASSERT_TRUE(testing::WaitFor([&] { return !script.seen().isEmpty(); }));
  EXPECT_EQ(script.seen(), QStringList{"Form72"});

  std::array<bool, kComSlotCount> available{};
  available[0] = true;
  TForm72 dialog(nullptr, state, available, NoPorts);
  ASSERT_NE(dialog.GivenRadioButton, nullptr);
  EXPECT_TRUE(dialog.GivenRadioButton->isChecked());
  EXPECT_FALSE(dialog.RadioButton[1]->isChecked());
  EXPECT_EQ(dialog.GivenPortPath->text(), "/dev/pts/77");
  dialog.show();
  dialog.ComboBox1->setCurrentIndex(9);
  dialog.BitBtn3->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(state.config.link.portIndex, 1);
  EXPECT_EQ(state.config.link.speedIndex, 9);
  EXPECT_EQ(state.config.ports, slotPaths);
  EXPECT_EQ(state.givenPort.path, "/dev/pts/77");

  TForm72 again(nullptr, state, available, NoPorts);
  again.show();
  again.RadioButton[0]->setChecked(true);
  again.BitBtn3->click();
  EXPECT_FALSE(again.isVisible());
  EXPECT_EQ(state.config.link.portIndex, 0);
  EXPECT_TRUE(state.givenPort.path.empty());
  EXPECT_EQ(script.seen(), QStringList{"Form72"});
}

TEST_F(DialogTest, PollingCycleTakesOneDigitWithinItsBounds) {
  TForm9 dialog(nullptr, "cycle", "cycle", 2, "OK", "Cancel");
  Type(dialog.Edit1, "a5");
  EXPECT_EQ(dialog.Edit1->text(), "5");
  QTest::keyClicks(dialog.Edit1, "6");
  EXPECT_EQ(dialog.Edit1->text(), "5");
  dialog.show();
  for (const char* refused : {"7", "1", ""}) {
    dialog.Edit1->setText(refused);
    dialog.BitBtn1->click();
    EXPECT_TRUE(dialog.isVisible()) << refused;
  }
  dialog.Edit1->setText("2");
  dialog.BitBtn1->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), kResultOk);
}

TEST_F(DialogTest, NumberDialogKeepsItsBoundsAndFilter) {
  NumberRequest request;
  request.lower = 0.66f;
  request.upper = 1.05f;
  ModalScript script;
  std::vector<std::string> typed = {"0.659", "1.051", "-1", "1.05"};
  size_t next = 0;
  script.On("Form14", [&](QWidget* w) {
    auto* dialog = static_cast<TForm14*>(w);
    for (; next < typed.size(); ++next) {
      Type(dialog->Edit1, typed[next].c_str());
      dialog->BitBtn1->click();
      if (!dialog->isVisible()) break;
    }
  });
  const auto value = technician.AskNumber(request);
  ASSERT_TRUE(value.has_value());
  EXPECT_FLOAT_EQ(*value, 1.05f);
  EXPECT_EQ(next, 3u);

  request.filter = NumberFilter::DigitsPoint;
  TForm24 longer(nullptr, request);
  Type(longer.Edit1, "-12.5a");
  EXPECT_EQ(longer.Edit1->text(), "12.5");
}

// Shows `dialog` and waits until it is the active window, so that focus moves as a technician's would.
bool ShowActive(QWidget& dialog) {
  dialog.show();
  dialog.activateWindow();
  return QTest::qWaitForWindowActive(&dialog);
}

TEST_F(DialogTest, DecimalCommaIsAPointAndPasteKeepsTheFilter) {
  NumberRequest request;
  request.lower = 0;
  request.upper = 30;
  request.filter = NumberFilter::DigitsPoint;
  ModalScript script;
  std::string shown;
  script.On("Form24", [&](QWidget* w) {
    auto* dialog = static_cast<TForm24*>(w);
    Type(dialog->Edit1, "2,5");
    shown = dialog->Edit1->text().toStdString();
    dialog->BitBtn1->click();
  });
  EXPECT_EQ(technician.AskNumber(request), std::optional<float>(2.5f));
  EXPECT_EQ(shown, "2,5");

  TForm24 dialog(nullptr, request);
  for (const char* pasted : {"-7", "1a", "2,5,1", "3.5.", "1e3"}) {
    Type(dialog.Edit1, "4");
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(dialog.Edit1, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(dialog.Edit1->text(), "4") << pasted;
    dialog.Edit1->paste();
    EXPECT_EQ(dialog.Edit1->text(), "4") << pasted;
  }
  QGuiApplication::clipboard()->setText(",25");
  QTest::keyClick(dialog.Edit1, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(dialog.Edit1->text(), "4,25");
}

TEST_F(DialogTest, DigitFieldsRefusePastedLetters) {
  TForm9 dialog(nullptr, "cycle", "cycle", 2, "OK", "Cancel");
  dialog.Edit1->clear();
  QGuiApplication::clipboard()->setText("x");
  QTest::keyClick(dialog.Edit1, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(dialog.Edit1->text(), "");
  QGuiApplication::clipboard()->setText("3");
  QTest::keyClick(dialog.Edit1, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(dialog.Edit1->text(), "3");
}

TEST_F(DialogTest, ConfirmWindowClosedByItsCloseBoxIsNo) {
  ModalScript script;
  script.On("OKBottomDlg", [](QWidget* w) { w->close(); });
  script.On("OKBottomDlg1", [](QWidget* w) { w->close(); });
  EXPECT_FALSE(technician.Confirm("caption", "message"));
  EXPECT_FALSE(technician.Confirm3("caption", "1", "2", "3"));
  script.On("OKBottomDlg", ModalScript::Click("OKBtn"));
  EXPECT_TRUE(technician.Confirm("caption", "message"));
  script.On("OKBottomDlg", ModalScript::Click("CancelBtn"));
  EXPECT_FALSE(technician.Confirm("caption", "message"));
}

// Enter answers a plain question Yes, but a question whose Yes writes into the flow computer No.
TEST_F(DialogTest, WriteQuestionsAnswerNoToEnterAndEscape) {
  const auto press = [](Qt::Key key) { return [key](QWidget* w) { QTest::keyClick(w, key); }; };
  ModalScript script;
  script.On("OKBottomDlg", press(Qt::Key_Return));
  EXPECT_TRUE(technician.Confirm("caption", "message"));
  EXPECT_FALSE(technician.ConfirmWrite("caption", state.Text(2264)));
  script.On("OKBottomDlg", press(Qt::Key_Escape));
  EXPECT_FALSE(technician.ConfirmWrite("caption", state.Text(2264)));
  script.On("OKBottomDlg", ModalScript::Click("OKBtn"));
  EXPECT_TRUE(technician.ConfirmWrite("caption", state.Text(2264)));
  EXPECT_EQ(script.seen().size(), 4);
}

TEST_F(DialogTest, NoticeClosesByItself) {
  // Watch the notice while it is open, without touching it: it must close on its own.
  QStringList seen;
  QTimer watch;
  watch.setInterval(5);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !seen.isEmpty()) return;
    seen << modal->objectName() << modal->findChild<QLabel*>("Label1")->text()
         << modal->findChild<QLabel*>("Label2")->text();
  });
  watch.start();
  QElapsedTimer elapsed;
  elapsed.start();
  technician.ShowNotice(state.Text(2325), state.Text(2864), state.Text(2866), 300);
  EXPECT_GE(elapsed.elapsed(), 250);
  EXPECT_LT(elapsed.elapsed(), 5000);
  EXPECT_EQ(seen, (QStringList{"Form83", Q(state.Text(2864)), Q(state.Text(2866))}));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(DialogTest, DoubleEntryPasswordStaysOpenUntilBothAgree) {
  TPasswordDlg dialog(nullptr, state.texts, false);
  EXPECT_EQ(dialog.windowTitle().toStdString(), state.Text(2763));
  EXPECT_EQ(dialog.Password->echoMode(), QLineEdit::Password);
  EXPECT_EQ(dialog.Password->maxLength(), 16);
  dialog.show();
  Type(dialog.Password, "abc");
  Type(dialog.Edit1, "abd");
  dialog.OKBtn->click();
  EXPECT_TRUE(dialog.isVisible());
  Type(dialog.Edit1, "abc");
  dialog.OKBtn->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), kResultOk);
}

TEST_F(DialogTest, DoubleEntryPasswordLeaveRules) {
  TPasswordDlg dialog(nullptr, state.texts, false);
  ASSERT_TRUE(ShowActive(dialog));
  dialog.Password->setFocus();
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.Password->hasFocus(); }, 2000))
      << "dialog.Password->hasFocus()";
  Type(dialog.Password, "abc");
  // Leaving Password for anything but the buttons while the entries differ leads to the repeat field.
  dialog.OKBtn->setFocus();
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.OKBtn->hasFocus(); }, 2000)) << "dialog.OKBtn->hasFocus()";
  dialog.Password->setFocus();
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.Password->hasFocus(); }, 2000))
      << "dialog.Password->hasFocus()";
  auto* outside = new QLineEdit(&dialog);
  outside->show();
  outside->setFocus();
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.Edit1->hasFocus(); }, 2000)) << "dialog.Edit1->hasFocus()";
  // Leaving Edit1 with a different entry brings the focus back to it.
  Type(dialog.Edit1, "abd");
  dialog.Password->setFocus();
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.Edit1->hasFocus(); }, 2000)) << "dialog.Edit1->hasFocus()";
  Type(dialog.Edit1, "abc");
  dialog.Password->setFocus();
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.Password->hasFocus(); }, 2000))
      << "dialog.Password->hasFocus()";
  QTest::qWait(20);
  EXPECT_TRUE(dialog.Password->hasFocus());
}

TEST_F(DialogTest, SingleEntryPasswordAsksOnceAndCutsAt16) {
  ModalScript script;
  script.On("PasswordDlg", [](QWidget* w) {
    auto* dialog = static_cast<TPasswordDlg*>(w);
    EXPECT_FALSE(dialog->Edit1->isVisible());
    EXPECT_FALSE(dialog->Edit1->isEnabled());
    dialog->Password->insert("ПарольДлиннее16знаков");
    dialog->OKBtn->click();
  });
  EXPECT_EQ(technician.AskWritePassword(true), std::optional<std::string>("ПарольДлиннее16з"));
  script.On("PasswordDlg2", ModalScript::Click("CancelBtn"));
  EXPECT_EQ(technician.AskParameterPassword(), std::nullopt);
}

TEST_F(DialogTest, ChoiceWindowsReturnTheChosenItem) {
  ModalScript script;
  script.On("Fdann", [](QWidget* w) {
    static_cast<TFdann*>(w)->Items->button(2)->setChecked(true);
    QTest::keyClick(w, Qt::Key_Escape);
  });
  ChoiceRequest save;
  save.items = {"a", "b", "c"};
  EXPECT_EQ(technician.AskChoice(save), std::optional<int>(2));
  script.On("Fdann", [](QWidget* w) { w->close(); });
  EXPECT_EQ(technician.AskChoice(save), std::nullopt);

  ChoiceRequest two;
  two.items = {"new", "continue"};
  two.cancelText = "cancel";
  script.On("Form80", ModalScript::Click("BitBtn1"));
  EXPECT_EQ(technician.AskChoice(two), std::optional<int>(0));
  script.On("Form80", ModalScript::Click("BitBtn2"));
  EXPECT_EQ(technician.AskChoice(two), std::nullopt);
}

class ConstantsTest : public DialogTest {
 protected:
  ConstantsTest() {
    record[1] = 0x17;  // every quantity measured
    const float temperature = 20.0f;
    std::memcpy(record + 10, &temperature, 4);
    std::memcpy(saved, record, sizeof record);
  }
  void Fill(TForm33& dialog) {
    dialog.SetGroup(ConstantChannel::Pressure, {"P", "m", "c", "", "", 0.0f, 10.0f});
    dialog.SetGroup(ConstantChannel::Temperature, {"T", "m", "c", "", "", -40.0f, 60.0f});
    dialog.SetGroup(ConstantChannel::DiffPressure, {"dP", "m", "c", "", "", 0.0f, 100.0f});
    dialog.show();
  }
  uint8_t record[kPipelineStateSize] = {};
  uint8_t saved[kPipelineStateSize] = {};
};

TEST_F(ConstantsTest, UnchangedChoicesCloseWithCancel) {
  TForm33 dialog(nullptr, state.texts, record, 0x80, false);
  Fill(dialog);
  EXPECT_FALSE(dialog.GroupBox4->isVisible());
  dialog.BitBtn1->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), kResultCancel);
  EXPECT_EQ(std::memcmp(record, saved, sizeof record), 0);
}

TEST_F(ConstantsTest, ConfirmationDecidesAndNoPutsTheRecordBack) {
  TForm33 dialog(nullptr, state.texts, record, 0x80, false);
  Fill(dialog);
  dialog.RadioButton[3]->setChecked(true);  // temperature: constant
  EXPECT_TRUE(dialog.Edit[1]->isVisible());
  Type(dialog.Edit[1], "-12.5x");
  EXPECT_EQ(dialog.Edit[1]->text(), "-12.5");
  Type(dialog.Edit[0], "-1");
  EXPECT_EQ(dialog.Edit[0]->text(), "1");

  ModalScript script;
  script.On("OKBottomDlg", [this](QWidget* w) {
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->text().toStdString(), state.Text(2204));
    ModalScript::Click("CancelBtn")(w);
  });
  dialog.BitBtn1->click();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(std::memcmp(record, saved, sizeof record), 0);

  Type(dialog.Edit[1], "61");
  // Leaving the field out of its bounds brings the focus back, also for a fellow field.
  ASSERT_TRUE(ShowActive(dialog));
  dialog.Edit[1]->setFocus();
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.Edit[1]->hasFocus(); }, 2000))
      << "dialog.Edit[1]->hasFocus()";
  dialog.RadioButton[1]->setChecked(true);  // pressure: constant, so that its field can take the focus
  dialog.Edit[0]->setFocus();
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.Edit[1]->hasFocus(); }, 2000))
      << "dialog.Edit[1]->hasFocus()";
  EXPECT_EQ(QApplication::focusWidget(), dialog.Edit[1]);
  dialog.RadioButton[0]->setChecked(true);
  dialog.BitBtn1->click();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(script.seen().size(), 1);

  Type(dialog.Edit[1], "-12.5");
  script.On("OKBottomDlg", ModalScript::Click("OKBtn"));
  dialog.BitBtn1->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), kResultOk);
  EXPECT_EQ(record[1], 0x15);
  float temperature = 0;
  std::memcpy(&temperature, record + 10, 4);
  EXPECT_FLOAT_EQ(temperature, -12.5f);
}

}  // namespace
}  // namespace ruvenset
