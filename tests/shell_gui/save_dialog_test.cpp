#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include "common/windows/qt_translations.h"
#include "common/windows/save_dialog.h"
#include "gui_support.h"
#include "temp_folder.h"

namespace ruvenset {
namespace {

using testing::ModalScript;

const char* const kOverwrite = "%1 already exists.\nDo you want to replace it?";

// Types a name into the open save dialog (after choosing the filter of that index) and accepts it.
ModalScript::Answer TypeName(const QString& name, int filter = 0) {
  return [name, filter](QWidget* w) {
    w->findChild<QComboBox*>("fileTypeCombo")->setCurrentIndex(filter);
    w->findChild<QLineEdit*>("fileNameEdit")->setText(name);
    // Accepted from the dialog's own event loop, so that a question it asks is answered in turn.
    QTimer::singleShot(0, w, [w] { static_cast<QDialog*>(w)->accept(); });  // QFileDialog::accept
  };
}

TEST(SaveDialog, ABareNameGetsTheFiltersExtensionAndTheOverwriteQuestionNamesIt) {
  testing::TempFolder folder;
  const QString dir = QString::fromStdString(folder.Path());
  const QString filters = "Файлы калибровки (*.klb);;Все файлы (*)";
  QtTranslations qt;
  ASSERT_TRUE(qt.Use("ru"));
  ModalScript script;
  const auto ask = [&](QFileDialog::Options options = QFileDialog::DontConfirmOverwrite) {
    return AskSaveFileName(nullptr, "title", dir, filters, options);
  };

  script.On("SaveDialog", TypeName("walkcal2"));
  EXPECT_EQ(ask(), dir + "/walkcal2.klb");
  script.On("SaveDialog", TypeName("walkcal2", 1));  // every file: still a calibration file
  EXPECT_EQ(ask(), dir + "/walkcal2.klb");
  script.On("SaveDialog", TypeName("notes.txt"));
  EXPECT_EQ(ask(), dir + "/notes.txt");
  script.On("SaveDialog", [](QWidget* w) { w->close(); });
  EXPECT_TRUE(ask().isEmpty());

  // The file about to be replaced is the one with the extension, and Qt asks in Russian.
  testing::WriteBytes(folder.File("walkcal3.klb"), {1});
  const QString question = QCoreApplication::translate("QFileDialog", kOverwrite).arg("walkcal3.klb");
  EXPECT_NE(question, QString(kOverwrite).arg("walkcal3.klb"));
  script.On("SaveDialog", TypeName("walkcal3"));
  QString asked;
  script.On("", [&asked](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    asked = box->text();
    box->button(QMessageBox::Yes)->click();
  });
  EXPECT_EQ(ask({}), dir + "/walkcal3.klb");
  EXPECT_EQ(asked, question);
}

TEST(QtTranslations, FollowTheLanguageAndLeaveWithTheirOwner) {
  const QString english = "Cancel";
  QString russian;
  {
    QtTranslations qt;
    ASSERT_TRUE(qt.Use(QtLanguageName(1)));
    russian = QCoreApplication::translate("QPlatformTheme", "Cancel");
    EXPECT_NE(russian, english);
    ASSERT_TRUE(qt.Use(QtLanguageName(0)));
    const QString ukrainian = QCoreApplication::translate("QPlatformTheme", "Cancel");
    EXPECT_NE(ukrainian, english);
    EXPECT_NE(ukrainian, russian);
    EXPECT_FALSE(qt.Use("xx"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), english);
    EXPECT_TRUE(qt.Use(QtLanguageName(1)));
  }
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), english);
}

}  // namespace
}  // namespace ruvenset
