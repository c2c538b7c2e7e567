#include <gtest/gtest.h>

#include <stdlib.h>
#include "cli_runner.h"
#include "pdf_text.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace ruvenset {
namespace {

using ruvenset::testing::CliRun;

CliRun Cli(const std::string& arguments) {
  return ruvenset::testing::RunCli(arguments, "print-report-cli-config");
}

class PrintReportCommand : public ::testing::Test {
 protected:
  PrintReportCommand() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ruvenset-cli-print-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    // 150 lines: three pages (61 + 59 + 30), one pressure table of 140 points at two Тос points.
    std::ofstream report(folder_ + "/r.rcl", std::ios::binary);
    report << "\r\n\r\n                    Отчет о параметрах калибровки.               \r\n\r\n"
           << "  Давление:               \r\n"
           << "  Номер точки Тос: 1   Код АЦП Тос: 30000   Значение Тос: -10 град.Целс \r\n"
           << "   № точки            Код АЦП          Давление, кгс/см2 \r\n";
    for (int i = 0; i < 141; ++i) {
      if (i == 70)
        report << "  Номер точки Тос: 2   Код АЦП Тос: 40000   Значение Тос: 30 град.Целс \r\n";
      else
        report << "   " << (i % 70 + 1) << "             " << 100000 * (i % 70) << "             "
               << i % 70 * 0.25 << "   \r\n";
    }
  }
  ~PrintReportCommand() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  std::string Text(const std::string& pdf, int& pages) { return testing::PdfText(pdf, pages, &title_); }

  std::string folder_;
  std::string title_;  // of the last PDF read
};

TEST_F(PrintReportCommand, AllPagesWithFootersThenTheChart) {
  const CliRun run = Cli("print-report " + folder_ + "/r.rcl --pdf " + folder_ + "/all.pdf");
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out, "pages 1-3 of 3\ncharts 1\npdf " + folder_ + "/all.pdf\n");
  int pages = 0;
  const std::string text = Text(folder_ + "/all.pdf", pages);
  EXPECT_EQ(pages, 4);
  // Every footer counts the chart page too, which has its own; the document bears the report's title.
  for (int n = 1; n <= 4; ++n)
    EXPECT_NE(text.find("Page " + std::to_string(n) + " from 4. Div3AzErur"), std::string::npos) << n;
  EXPECT_EQ(text.find("from 3."), std::string::npos);
  EXPECT_EQ(title_, "Отчет о параметрах калибровки");
  EXPECT_NE(text.find("Характеристика канала: Давление"), std::string::npos);
  EXPECT_NE(text.find("Тос = 30 °C"), std::string::npos);
  EXPECT_NE(text.find("Код АЦП"), std::string::npos);
}

TEST_F(PrintReportCommand, OnlyTheChosenPages) {
  const CliRun run = Cli("print-report " + folder_ + "/r.rcl --pdf " + folder_ + "/two.pdf --pages 2-9");
  ASSERT_EQ(run.exitCode, 0) << run.out;
  int pages = 0;
  const std::string text = Text(folder_ + "/two.pdf", pages);
  EXPECT_EQ(pages, 3);
  EXPECT_EQ(text.find("Page 1 from 4"), std::string::npos);
  EXPECT_NE(text.find("Page 2 from 4. Div3AzErur"), std::string::npos);
  EXPECT_NE(text.find("Page 3 from 4. Div3AzErur"), std::string::npos);
  EXPECT_NE(text.find("Page 4 from 4. Div3AzErur"), std::string::npos);
  EXPECT_EQ(Cli("print-report " + folder_ + "/r.rcl --pdf " + folder_ + "/x.pdf --pages 4-5").exitCode, 1);
  EXPECT_EQ(Cli("print-report " + folder_ + "/r.rcl --pdf " + folder_ + "/x.pdf --pages 3-1").exitCode, 64);
  EXPECT_EQ(Cli("print-report " + folder_ + "/missing.rcl --pdf " + folder_ + "/x.pdf").exitCode, 1);
  EXPECT_EQ(Cli("print-report " + folder_ + "/r.rcl").exitCode, 64);
}

}  // namespace
}  // namespace ruvenset
