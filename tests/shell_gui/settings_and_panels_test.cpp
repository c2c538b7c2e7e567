#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeView>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/windows/file_dialog_locale.h"
#include "gui_support.h"
#include "shell/windows/elided_label.h"
#include "shell/windows/guide_window.h"
#include "shell/windows/main_window.h"
#include "temp_folder.h"

namespace ruvenset {
namespace {

using testing::GuiState;
using testing::TempFolder;

class SettingsAndPanels : public ::testing::Test, public GuiState {
 protected:
  SettingsAndPanels() {
    options.opener = [](const std::string&, std::unique_ptr<SerialPort>&) {
      return PortOpenResult{PortOpenError::NotFound, 2};
    };
    options.startConnect = MainWindowOptions::StartConnect::Never;
    state.configPath = folder.File("ruvenset.ini");
  }
  std::string Saved() const {
    std::ifstream saved(state.configPath);
    std::stringstream text;
    text << saved.rdbuf();
    return text.str();
  }

  TempFolder folder;
  MainWindowOptions options;
};

// A language chosen is in the configuration file at once, not only when the program ends through its
// menu; a run that changed nothing leaves the file alone.
TEST_F(SettingsAndPanels, AChosenLanguageIsWrittenAtOnce) {
  {
    TForm1 window(state, options);
    window.MNMNU1Click();  // already Russian: nothing changed
    EXPECT_FALSE(std::filesystem::exists(state.configPath));
    window.MNMNU2Click();
    EXPECT_NE(Saved().find("LangRus=0"), std::string::npos) << Saved();
  }
  // The window went without closing, as when the session ends: the choice stays.
  EXPECT_NE(Saved().find("LangRus=0"), std::string::npos);
  // The file is replaced whole: no temporary file is left beside it.
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    files += entry.is_regular_file();
  EXPECT_EQ(files, 1u);
}

// The status bar gives every panel the width of its whole text; a long port path still leaves the
// exchange and progress texts whole, and where the bar is too short the path is shortened in the middle
// with the whole text as its tooltip.
TEST_F(SettingsAndPanels, StatusPanelsShowTheirWholeTextsOrShortenInTheMiddle) {
  TForm1 window(state, options);
  window.resize(1400, 600);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const std::string port =
      "Порт COM2: /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0, 1200 бит/с";
  window.technician().SetConnectionText(port);
  window.technician().SetStatusText(state.Text(2615));
  window.technician().SetProgressText(state.texts.FormatText(1166, {12}));
  QTest::qWait(0);
  const auto whole = [](QLabel* panel) {
    return panel->contentsRect().width() >= panel->fontMetrics().horizontalAdvance(panel->text());
  };
  for (QLabel* panel : {window.ConnectionPanel, window.StatusPanel2, window.ProgressPanel})
    EXPECT_TRUE(whole(panel)) << panel->objectName().toStdString();
  EXPECT_EQ(window.ConnectionPanel->text().toStdString(), port);

  window.resize(900, 600);
  QTest::qWait(0);
  EXPECT_TRUE(whole(window.StatusPanel2));
  EXPECT_TRUE(whole(window.ProgressPanel));
  auto* connection = static_cast<ElidedLabel*>(window.ConnectionPanel);
  EXPECT_TRUE(connection->elided());
  EXPECT_GT(connection->width(), 100);
  EXPECT_EQ(connection->text().toStdString(), port);  // the whole text stays, for its tooltip
  window.technician().SetStatusText("");
}

// The file dialogs write sizes and dates in the chosen language, whatever the system's language.
TEST_F(SettingsAndPanels, FileDialogsFollowTheChosenLanguage) {
  std::ofstream(folder.File("walkcal.klb")) << std::string(12, 'x');
  TForm1 window(state, options);
  for (int langRus : {1, 0}) {
    if (langRus == 0) window.MNMNU2Click();
    EXPECT_EQ(QLocale().language(), langRus == 1 ? QLocale::Russian : QLocale::Ukrainian);
    QString size;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      auto* list = dialog->findChild<QTreeView*>("treeView");
      ASSERT_NE(list, nullptr);
      QAbstractItemModel* model = list->model();
      ASSERT_TRUE(testing::WaitFor([&] { return model->rowCount(list->rootIndex()) > 0; }));
      for (int row = 0; row < model->rowCount(list->rootIndex()); ++row) {
        if (model->index(row, 0, list->rootIndex()).data().toString() == "walkcal.klb")
          size = model->index(row, 1, list->rootIndex()).data().toString();
      }
      dialog->reject();
    });
    AskOpenFileName(&window, "open", QString::fromStdString(folder.Path()), "*.klb");
    EXPECT_EQ(size, QLocale().formattedDataSize(12)) << langRus;
    EXPECT_FALSE(size.contains("bytes")) << size.toStdString();
  }
}

// About → the guide: the page made from the guide at build time, in the chosen language.
TEST_F(SettingsAndPanels, TheGuideOpensInTheChosenLanguage) {
  const QString program = QString::fromStdString(RUVENSET_BINARY_DIR);
  for (int langRus : {1, 0}) {
    const QString file = GuideFile(program, langRus);
    ASSERT_FALSE(file.isEmpty()) << "the guide was not rendered into " << RUVENSET_BINARY_DIR << "/guide";
    TGuide guide(nullptr, file, "guide", "close");
    const QString text = guide.Browser->toPlainText();
    EXPECT_TRUE(text.startsWith(langRus == 1 ? "Руководство техника" : "Посібник техніка"))
        << text.left(40).toStdString();
    EXPECT_TRUE(
        text.contains(langRus == 1 ? "Калибровка по двум точкам Тос" : "Калібровка за двома точками Тд"));
  }
  EXPECT_TRUE(GuideFile(QString::fromStdString(folder.Path()), 1).isEmpty());
}

}  // namespace
}  // namespace ruvenset
