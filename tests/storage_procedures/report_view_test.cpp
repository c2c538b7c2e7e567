#include <gtest/gtest.h>

#include <filesystem>

#include "storage/report_view.h"
#include "storage_fixture.h"

namespace ruvenset::testing {
namespace {

// Opens the given report and, while the report window would be shown, notes which page files exist.
struct ScriptedReportPages : ReportViewPages {
  std::optional<std::string> path;
  FileDialogRequest asked;
  std::vector<bool> filesWhileShown;
  std::vector<ReportPage> loaded;
  int shown = 0;
  std::optional<std::string> AskOpenPath(const FileDialogRequest& request) override {
    asked = request;
    return path;
  }
  void ShowReport(const ReportWindowModel& model) override {
    ++shown;
    for (size_t n = 1; n <= model.pages.size() + 1; ++n)
      filesWhileShown.push_back(std::filesystem::exists(PageFilePath(model.pageFolder, static_cast<int>(n))));
    loaded = LoadPageFiles(model.pageFolder, model.pages);
  }
};

class ReportView : public StorageFixture {};

TEST_F(ReportView, PageFilesLiveWhileTheWindowIsOpen) {
  std::string text;
  for (int i = 0; i < 130; ++i) text += "строка " + std::to_string(i) + "\r\n";
  WriteBytes(folder.File("r.rcl"), {text.begin(), text.end()});
  ScriptedReportPages pages;
  pages.path = folder.File("r.rcl");
  ASSERT_EQ(ViewCalibrationReport(state, technician, pages), ReportViewResult::Shown);
  EXPECT_EQ(pages.asked.title, "Открыть отчет о параметрах калибровки");
  EXPECT_EQ(pages.asked.folder, folder.Path() + "/CALIBR");
  EXPECT_EQ(pages.filesWhileShown, (std::vector<bool>{true, true, true, false}));
  ASSERT_EQ(pages.loaded.size(), 3u);
  EXPECT_EQ(pages.loaded[2].size(), 2u + 10u);
  EXPECT_EQ(pages.loaded[2].back(), "строка 129");
  for (int n = 1; n <= 3; ++n)
    EXPECT_FALSE(std::filesystem::exists(PageFilePath(folder.Path() + "/CALIBR", n)));
}

TEST_F(ReportView, UnreadableCancelledAndUnwritable) {
  ScriptedReportPages pages;
  EXPECT_EQ(ViewCalibrationReport(state, technician, pages), ReportViewResult::Cancelled);
  pages.path = folder.File("missing.rcl");
  EXPECT_EQ(ViewCalibrationReport(state, technician, pages), ReportViewResult::Unreadable);
  EXPECT_TRUE(technician.log.empty());  // silently
  WriteBytes(folder.File("r.rcl"), {'a', '\n'});
  pages.path = folder.File("r.rcl");
  std::filesystem::create_directories(folder.Path() + "/CALIBR/p1");  // a folder where page 1 goes
  EXPECT_EQ(ViewCalibrationReport(state, technician, pages), ReportViewResult::PageFileFailed);
  EXPECT_EQ(pages.shown, 0);
  ASSERT_EQ(technician.log.size(), 1u);
  EXPECT_NE(technician.log[0].find("/CALIBR/p1"), std::string::npos);
}

}  // namespace
}  // namespace ruvenset::testing
