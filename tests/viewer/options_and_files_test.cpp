#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "ctr_files.h"
#include "viewer/csv_export.h"
#include "viewer/instance_name.h"
#include "viewer/reading_text.h"
#include "viewer/viewer_options.h"

namespace ruvenset {
namespace {

TEST(ViewerOptions, ParsesTheBatchCommandLine) {
  const struct {
    std::vector<const char*> args;
    bool ok;
    int channel, step;
  } cases[] = {
      {{"grafmira"}, true, -1, -1},
      {{"grafmira", "--open", "a.ctr", "--channel", "1"}, true, 1, -1},
      {{"grafmira", "--open", "a.ctr", "--channel", "2", "--step", "14", "--csv", "o.csv"}, true, 2, 14},
      {{"grafmira", "--open", "a.ctr", "--channel", "9"}, true, 9, -1},
      {{"grafmira", "--open", "a.ctr"}, false, 0, 0},
      {{"grafmira", "--open", "a.ctr", "--channel", "256"}, false, 0, 0},
      {{"grafmira", "--open", "a.ctr", "--channel", "1x"}, false, 0, 0},
      {{"grafmira", "--open", "a.ctr", "--channel", "1", "--step", "15"}, false, 0, 0},
      {{"grafmira", "--channel", "1"}, false, 0, 0},
      {{"grafmira", "--screenshot", "main.png"}, true, -1, -1},
      {{"grafmira", "--screenshot", "main.png", "--csv", "t.csv"}, false, 0, 0},
      {{"grafmira", "--open"}, false, 0, 0},
      {{"grafmira", "--bogus", "1"}, false, 0, 0},
      {{"grafmira", "a.ctr"}, true, -1, -1},
      {{"grafmira", "a.ctr", "b.ctr"}, false, 0, 0},
      {{"grafmira", "a.ctr", "--open", "b.ctr", "--channel", "1"}, false, 0, 0},
      {{"grafmira", "-x"}, false, 0, 0},
      {{"grafmira", "--help"}, true, -1, -1},
      {{"grafmira", "--version"}, true, -1, -1},
  };
  for (const auto& c : cases) {
    ViewerOptions options;
    std::string error;
    EXPECT_EQ(ParseViewerOptions(static_cast<int>(c.args.size()), c.args.data(), options, error), c.ok)
        << c.args.size() << " " << error;
    if (!c.ok) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    EXPECT_EQ(options.channel, c.channel);
    EXPECT_EQ(options.step, c.step);
    EXPECT_EQ(options.file, c.args.size() == 2 && c.args[1][0] != '-' ? c.args[1] : "");
    EXPECT_EQ(options.help, c.args.size() == 2 && c.args[1] == std::string("--help"));
  }
}

TEST(InstanceName, MakesTheWindowClassAndCaptionSafeForASocketName) {
  EXPECT_EQ(InstanceChannelName("TFormMain", "Статистика поверок", 1000),
            "TFormMain-Statistika_poverok-1000");
  EXPECT_EQ(InstanceChannelName("A/b", "Ёж щит", 0), "A_b-Yozh_shchit-0");
  EXPECT_EQ(InstanceChannelName("x", "\xD0", 5), "x-_-5");  // a broken UTF-8 sequence
}

TEST(ReadingText, CellFormats) {
  EXPECT_EQ(FormatReadingDate(46093.75), "12.03.2026");
  EXPECT_EQ(FormatReadingTime(46093.0 + (36930.0 + 0.25) / 86400.0), "10:15:30:250");
  EXPECT_EQ(FormatCursorTime(46093.0 + 36930.0 / 86400.0), "12.03  10:15:30");
  EXPECT_EQ(FormatReadingDate(1e300), "");
  EXPECT_EQ(FormatChannelAdc(0x52EE43), "0x52EE43");
  EXPECT_EQ(FormatChannelAdc(0x1234), "0x001234");
  EXPECT_EQ(FormatAmbientAdc(0x7A), "0x007A");
  EXPECT_EQ(FormatReadingValue(-0.5f), "-0.500000");
}

TEST(CsvExport, WritesAHeaderAndTheTableRowsInTheShownUnit) {
  testing::TempFolder folder;
  Readings readings;
  readings.channel = 0;
  readings.time = {46093.0 + 36930.0 / 86400.0, 1e300};
  readings.value = {1.0f, 2.0f};
  readings.channelAdc = {0x52EE43, 1};
  readings.ambientAdc = {0x7A40, 2};
  const std::string path = folder.File("table.csv");
  ASSERT_TRUE(WriteReadingsCsv(path, readings, 10.0f));
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "Дата,Время,Код АЦП,Измер. знач.,Код Тос АЦП\n"
            "12.03.2026,10:15:30:000,0x52EE43,10.000000,0x7A40\n"
            ",,0x000001,20.000000,0x0002\n");
  EXPECT_FALSE(WriteReadingsCsv("/nonexistent-folder/table.csv", readings, 1.0f));
}

}  // namespace
}  // namespace ruvenset
