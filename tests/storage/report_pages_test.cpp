#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "storage/report_characteristics.h"
#include "storage/report_pages.h"
#include "storage_test_support.h"

namespace ruvenset {
namespace {

std::vector<std::string> Numbered(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back("line " + std::to_string(i));
  return lines;
}

TEST(ReportPages, SixtyOneLinesThenFiftyNine) {
  EXPECT_EQ(PaginateReport(Numbered(60)).size(), 1u);
  // 61 lines fill the first page; no page of only its two empty lines follows.
  const std::vector<ReportPage> full = PaginateReport(Numbered(61));
  ASSERT_EQ(full.size(), 1u);
  EXPECT_EQ(full[0].back(), "line 60");
  const std::vector<ReportPage> pages = PaginateReport(Numbered(200));
  ASSERT_EQ(pages.size(), 4u);
  const size_t expected[] = {61, 2 + 59, 2 + 59, 2 + 21};
  for (size_t n = 0; n < 4; ++n) EXPECT_EQ(pages[n].size(), expected[n]) << n;
  EXPECT_EQ(pages[1][0], "");
  EXPECT_EQ(pages[1][1], "");
  EXPECT_EQ(pages[1][2], "line 61");
  EXPECT_EQ(pages[3].back(), "line 199");
  EXPECT_EQ(PaginateReport(Numbered(62)).size(), 2u);
}

TEST(ReportPages, PrintedPagesArePaddedAndCarryTheirFooter) {
  const std::vector<std::string> printed = PrintedPageLines({"", "", "a"}, 2, 3);
  ASSERT_EQ(printed.size(), 64u);
  EXPECT_EQ(printed[2], "a");
  EXPECT_EQ(printed[62], "");
  EXPECT_EQ(printed[63], std::string(48, ' ') + "Page 2 from 3. Div3AzErur");
  EXPECT_EQ(PrintedPageLines(std::vector<std::string>(70, "x"), 1, 1).size(), 71u);  // never cut
}

TEST(ReportPages, LinesStayWholeInEitherEncoding) {
  // A quote, a tab and a long line are kept; CR LF and a 1251 text both read.
  const std::string quoted = "  ВАЛДОР-ТМ-X-3\" (только канал температуры)\t" + std::string(120, '-');
  EXPECT_EQ(ReportLines(quoted + "\r\nb\r\n"), (std::vector<std::string>{quoted, "b"}));
  EXPECT_EQ(ReportLines("\xCE\xF2\xF7\xE5\xF2\r\n"), (std::vector<std::string>{"Отчет"}));
  EXPECT_EQ(ReportLines("\n\nx"), (std::vector<std::string>{"", "", "x"}));
  EXPECT_EQ(ReportLines("a\r\r\nb\r"), (std::vector<std::string>{"a", "b"}));
}

TEST(ReportPages, PageRangesAndFiles) {
  PageRange range;
  ASSERT_TRUE(ParsePageRange("2-13", range));
  EXPECT_EQ(range.from, 2);
  EXPECT_EQ(range.to, 13);
  ASSERT_TRUE(ParsePageRange("3", range));
  EXPECT_EQ(range.to, 3);
  for (const char* bad : {"", "0-2", "3-2", "a", "1-", "1-2x"})
    EXPECT_FALSE(ParsePageRange(bad, range)) << bad;
  const PageRange clamped = ClampPageRange({2, 13}, 4);
  EXPECT_EQ(clamped.from, 2);
  EXPECT_EQ(clamped.to, 4);

  testing::TempFolder folder;
  std::string failed;
  const std::vector<ReportPage> pages = PaginateReport(Numbered(62));
  ASSERT_EQ(WritePageFiles(folder.Path(), pages, failed), FileStatus::Ok);
  const std::vector<uint8_t> second = testing::ReadBytes(folder.File("p2"));
  EXPECT_EQ(std::string(second.begin(), second.end()), "\n\nline 61\n");
  DeletePageFiles(folder.Path(), 2);
  EXPECT_FALSE(std::filesystem::exists(folder.File("p1")));
  EXPECT_NE(WritePageFiles(folder.File("missing"), pages, failed), FileStatus::Ok);
  EXPECT_EQ(failed, folder.File("missing") + "/p1");
}

TEST(ReportCharacteristics, CurvesPerTosPointFromTheTables) {
  const std::vector<std::string> lines = {
      "                    Звіт о параметрах калібровки.               ",
      "  Тиск:               ",
      "  Номер точки Тд: 1    Код АЦП Тд: 24768    Значення Тд: -20 град.Целс ",
      "   № точки            Код АЦП           Тиск, кгс/см2 ",
      "     1                 788000                      0   ",
      "     2                4388000                      4   ",
      "  Номер точки Тд: 2    Код АЦП Тд: 40768    Значення Тд: 20.5 град.Целс ",
      "     1                 800000                   -1.5   ",
      "  Температура газу:               ",
      "            Поправочні множники.      ",
      "     1                      0                      1   ",
  };
  EXPECT_FALSE(ReportIsRussian(lines));
  const std::vector<ChannelCharacteristic> channels = ReportCharacteristics(lines);
  ASSERT_EQ(channels.size(), 1u);  // temperature has no points; the correction rows belong to no channel
  EXPECT_EQ(channels[0].title, "Тиск");
  EXPECT_EQ(channels[0].unit, "кгс/см2");
  ASSERT_EQ(channels[0].curves.size(), 2u);
  EXPECT_EQ(channels[0].curves[1].tosValue, 20.5);
  ASSERT_EQ(channels[0].curves[0].points.size(), 2u);
  EXPECT_EQ(channels[0].curves[0].points[1], std::make_pair(4388000.0, 4.0));
  EXPECT_EQ(channels[0].curves[1].points[0], std::make_pair(800000.0, -1.5));
}

}  // namespace
}  // namespace ruvenset
