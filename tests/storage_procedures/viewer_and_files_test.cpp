#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "storage/calibration_menu.h"
#include "storage/calibration_open.h"
#include "storage_fixture.h"

namespace ruvenset::testing {
namespace {

using S = CalibrationSection;

class ViewerFlows : public StorageFixture {
 protected:
  std::string Message(const TextMessage& message) const {
    return "message " + Text(1164) + " | " + FormatTextMessage(message, state.texts);
  }
  bool Logged(const std::string& line) const {
    return std::find(technician.log.begin(), technician.log.end(), line) != technician.log.end();
  }
};

TEST_F(ViewerFlows, FromTheMenuTheTosLevelOpensThePointLevel) {
  pages.openPaths = {SaveImage(DeviceImage(), "device.klb")};
  pages.lists = {{ListChoice::Open, 1}, {ListChoice::Close, 0}, {ListChoice::Close, 1}};
  ViewCalibrationFromMenu(tools, S::Temperature);

  ASSERT_EQ(pages.shownLists.size(), 3u);
  const FulfillList& tos = pages.shownLists[0];
  EXPECT_EQ(tos.caption, state.texts.FormatText(2260, {Text(2144)}));
  EXPECT_EQ(tos.header1, Text(2261));
  EXPECT_EQ(tos.header2, state.texts.FormatText(2262, {11}));
  ASSERT_EQ(tos.rows.size(), 3u);
  EXPECT_EQ(tos.rows[1], "    20.00        40768          6");
  EXPECT_EQ(tos.selected, 2);  // the last Тос point
  ASSERT_EQ(tos.buttons.size(), 2u);
  EXPECT_EQ(tos.buttons[0].text, Text(2278));
  EXPECT_EQ(tos.buttons[1].modalResult, ListChoice::Open);
  const FulfillList& points = pages.shownLists[1];
  EXPECT_EQ(points.header1, state.texts.FormatText(2265, {20.0f, Text(2189)}));
  EXPECT_EQ(points.header2, state.texts.FormatText(2266, {Text(2151), Text(2189)}));
  EXPECT_EQ(points.rows[0], "   1      100001              -10");
  EXPECT_EQ(points.buttons.size(), 1u);
  EXPECT_EQ(points.visibleRows, 14);
  // No flow computer: the viewer does not offer to store the section.
  EXPECT_EQ(technician.Count("confirm"), 0);
  EXPECT_EQ(pages.dialogs[0].title, Text(1187));
  EXPECT_EQ(pages.dialogs[0].filter, Text(2874));
}

TEST_F(ViewerFlows, ASectionWithoutTosPointsIsReported) {
  CalibrationImage image = DeviceImage();
  image.Channel(S::Pressure).SetTosCount(0);
  image.Channel(S::DifferentialPressure).SetTosCount(0);
  const std::string path = SaveImage(image, "empty.klb");
  pages.openPaths = {path, path};
  ViewCalibrationFromMenu(tools, S::Pressure);
  ViewCalibrationFromMenu(tools, S::DifferentialPressure);
  EXPECT_TRUE(Logged(Message({1150, {TextArgument::Text(2143)}})));
  EXPECT_TRUE(Logged(Message({1162, {}})));
  EXPECT_TRUE(pages.shownLists.empty());
}

TEST_F(ViewerFlows, AfterACalibrationItWritesTheFileAndReturnsTheTosPointToContinue) {
  state.calibration = DeviceImage();
  const ChannelSection t = state.calibration.Channel(S::Temperature);
  t.SetTosPoint(0, 50000, 30.0f);  // out of order: the file gets them sorted
  const std::string path = folder.File("calibration.klb");
  pages.lists = {{ListChoice::Open, 1}};
  const ViewerOutcome outcome = RunCalibrationViewer(tools, S::Temperature, false, path);
  EXPECT_EQ(outcome.returnValue, 1);
  EXPECT_EQ(outcome.result, ViewerResult::ContinueAtTos);
  EXPECT_EQ(outcome.tosIndex, 1);
  CalibrationImage written;
  ASSERT_EQ(ReadCalibrationFile(path, {S::Temperature}, written), CalibrationFileStatus::Ok);
  EXPECT_EQ(written.Channel(S::Temperature).TosCode(2), 50000);
  // Incomplete, with Тос points missing: continue, new Тос point, close.
  const FulfillList& tos = pages.shownLists[0];
  ASSERT_EQ(tos.buttons.size(), 3u);
  EXPECT_EQ(tos.buttons[0].text, Text(2613));
  EXPECT_EQ(tos.buttons[1].text, Text(2267));
  EXPECT_EQ(tos.buttons[2].modalResult, ListChoice::Close);
}

TEST_F(ViewerFlows, CorrectionViewerShowsFifteenRowsAndOneButton) {
  pages.openPaths = {SaveImage(DeviceImage(), "device.klb")};
  pages.lists = {{ListChoice::Close, 0}};
  ViewCalibrationFromMenu(tools, S::CorrectionMultipliers);
  ASSERT_EQ(pages.shownLists.size(), 1u);
  const FulfillList& list = pages.shownLists[0];
  EXPECT_EQ(list.caption, Text(1214));
  EXPECT_EQ(list.header1, Text(1218));
  EXPECT_EQ(list.header2, Text(1219));
  EXPECT_EQ(list.rows[2], "  3       400.00       0.9990");
  EXPECT_EQ(list.visibleRows, 15);
  EXPECT_EQ(list.buttons.size(), 1u);
}

// Files a technician might pick by mistake: each is refused with its message, or read without harm.
struct BadFile {
  const char* name;
  std::vector<uint8_t> bytes;
  S section;
  TextMessage message;  // textId 0: the file is read
};

std::vector<uint8_t> Sealed(CalibrationImage image) {
  image.StoreCheckBytes();
  return {image.Bytes(), image.Bytes() + kCalibrationImageSize};
}

TEST_F(ViewerFlows, BadFilesNeverReachTheViewerAndLeaveTheImageAlone) {
  CalibrationImage counts = DeviceImage();
  counts.Channel(S::Pressure).SetTosCount(65535);
  counts.Channel(S::Temperature).SetTosCount(65535);
  CalibrationImage table = DeviceImage();
  table.Channel(S::DifferentialPressure).SetPointCount(2, 65535);
  CalibrationImage unit = DeviceImage();
  unit.pressureUnit = 5;
  std::vector<uint8_t> longer = Sealed(DeviceImage());
  longer.push_back(0x42);

  const std::vector<BadFile> files = {
      {"empty", {}, S::Pressure, {1246, {}}},
      {"short", std::vector<uint8_t>(kCalibrationImageSize - 1, 0), S::Pressure, {1246, {}}},
      {"all FF", std::vector<uint8_t>(kCalibrationImageSize, 0xFF), S::Temperature, {1149, {}}},
      {"pressure count 65535", Sealed(counts), S::Pressure, {1169, {TextArgument::Of(int64_t{11})}}},
      {"temperature count 65535", Sealed(counts), S::Temperature, {1172, {TextArgument::Of(int64_t{5})}}},
      {"table count 65535", Sealed(table), S::DifferentialPressure, {1197, {}}},
      {"unit code 5", Sealed(unit), S::Pressure, {1140, {}}},
      {"longer", longer, S::Pressure, {}},
  };
  const CalibrationImage untouched = DeviceImage(7);
  for (const BadFile& f : files) {
    const std::string path = folder.File(std::string(f.name) + ".klb");
    WriteBytes(path, f.bytes);
    state.calibration = untouched;
    technician.log.clear();
    pages.openPaths = {path};
    const bool opened = OpenCalibrationFile(tools, f.section, false).has_value();
    EXPECT_EQ(opened, f.message.textId == 0) << f.name;
    if (f.message.textId == 0) continue;
    TextMessage expected = f.message;
    if (expected.textId == 1246) expected.arguments = {TextArgument::Of(path)};
    EXPECT_TRUE(Logged(Message(expected))) << f.name << ::testing::PrintToString(technician.log);
    EXPECT_EQ(std::memcmp(untouched.Bytes(), state.calibration.Bytes(), kCalibrationImageSize), 0) << f.name;
  }
  // A folder chosen as a file cannot be opened.
  pages.openPaths = {folder.Path()};
  EXPECT_FALSE(OpenCalibrationFile(tools, S::Pressure, false));
  EXPECT_TRUE(Logged(Message({3102, {TextArgument::Of(folder.Path())}})));
}

TEST_F(ViewerFlows, NotANumberAndWideCodesAreShownWithoutHarm) {
  CalibrationImage image = DeviceImage();
  const ChannelSection p = image.Channel(S::Pressure);
  p.SetPoint(0, 1, 0x1234567, std::numeric_limits<float>::quiet_NaN());
  p.SetTosPoint(1, -5, std::numeric_limits<float>::infinity());
  pages.openPaths = {SaveImage(image, "odd.klb")};
  pages.lists = {{ListChoice::Open, 0}, {ListChoice::Close, 0}, {ListChoice::Close, 0}};
  ViewCalibrationFromMenu(tools, S::Pressure);
  ASSERT_EQ(pages.shownLists.size(), 3u);
  EXPECT_EQ(pages.shownLists[1].rows[1], "   2    19088743              nan");
  EXPECT_NE(pages.shownLists[0].rows[1].find("4294967291"), std::string::npos) << pages.shownLists[0].rows[1];
}

}  // namespace
}  // namespace ruvenset::testing
