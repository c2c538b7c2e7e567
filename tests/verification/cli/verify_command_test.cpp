#include <gtest/gtest.h>

#include <sys/stat.h>
#include "cli_runner.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

using ruvenset::testing::CliRun;

CliRun Cli(const std::string& arguments) {
  return ruvenset::testing::RunCli(arguments, "verify-config");
}

std::vector<std::vector<std::string>> Lines(const std::string& out) {
  std::vector<std::vector<std::string>> lines;
  std::istringstream in(out);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::vector<std::string> w;
    std::string word;
    while (words >> word) w.push_back(word);
    lines.push_back(w);
  }
  return lines;
}

constexpr const char* kDemo = "--demo --set BaudRate=15 verify --password 1234 ";

TEST(VerifyCommand, TemperatureReadingsGoToTheDataFile) {
  const std::string ctr = ::testing::TempDir() + "cli-verify.ctr";
  std::remove(ctr.c_str());
  const CliRun run = Cli(std::string(kDemo) + "--channel temperature --readings 3 --ctr " + ctr);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 5u) << run.out;
  for (size_t i = 0; i < 3; ++i) {
    ASSERT_EQ(lines[i].size(), 6u) << run.out;  // count, date, time, ambient code, channel code, value
    EXPECT_EQ(lines[i][0], std::to_string(i + 1));
    EXPECT_EQ(lines[i][5], "20.000");
  }
  EXPECT_EQ(lines[3], (std::vector<std::string>{"mean", "20.000"}));
  EXPECT_EQ(lines[4], (std::vector<std::string>{"max-deviation", "-"}));
  struct stat st {};
  ASSERT_EQ(::stat(ctr.c_str(), &st), 0);
  EXPECT_EQ(st.st_size, 4 + 3 * 24);

  const CliRun more = Cli(std::string(kDemo) + "--channel temperature --readings 1 --append --ctr " + ctr);
  EXPECT_EQ(more.exitCode, 0) << more.out;
  ASSERT_EQ(::stat(ctr.c_str(), &st), 0);
  EXPECT_EQ(st.st_size, 4 + 4 * 24);
}

TEST(VerifyCommand, PressureAgainstAnActualValuePrintsDeviations) {
  const CliRun run = Cli(std::string(kDemo) + "--channel pressure --readings 2 --actual 1.0");
  ASSERT_EQ(run.exitCode, 0) << run.out;
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 4u) << run.out;
  EXPECT_EQ(lines[0].back(), "0.0332");
  EXPECT_EQ(lines[3], (std::vector<std::string>{"max-deviation", "0.0332"}));
}

TEST(VerifyCommand, FailuresExitNonzero) {
  const CliRun badFile =
      Cli(std::string(kDemo) + "--channel temperature --ctr " + ::testing::TempDir() + "missing/dir/x.ctr");
  EXPECT_EQ(badFile.exitCode, 1);
  EXPECT_EQ(badFile.out.rfind("failed:", 0), 0u) << badFile.out;
  const CliRun outside = Cli(std::string(kDemo) + "--channel pressure --actual 99");
  EXPECT_EQ(outside.exitCode, 1);
  EXPECT_NE(outside.out.find("outside"), std::string::npos) << outside.out;
  EXPECT_EQ(Cli("verify --channel gas").exitCode, 64);
  EXPECT_EQ(Cli("verify --channel dp --hart-type 3052 --hart-address 1").exitCode, 64);
  EXPECT_EQ(Cli("verify --channel temperature --append").exitCode, 64);
}

}  // namespace

namespace {

TEST(VerifyCommand, SubstitutePageIsAnsweredFromTheOptions) {
  const CliRun constant =
      Cli(std::string(kDemo) + "--channel temperature --readings 1 --substitute constant=25,5");
  ASSERT_EQ(constant.exitCode, 0) << constant.out;
  EXPECT_NE(constant.out.find("substitute written\n"), std::string::npos) << constant.out;

  const CliRun measured =
      Cli(std::string(kDemo) + "--channel temperature --readings 1 --substitute measured");
  ASSERT_EQ(measured.exitCode, 0) << measured.out;
  EXPECT_EQ(measured.out.find("substitute written"), std::string::npos) << measured.out;

  const CliRun outside = Cli(std::string(kDemo) + "--channel pressure --readings 1 --substitute constant=99");
  EXPECT_EQ(outside.exitCode, 1);
  EXPECT_NE(outside.out.find("outside [ 0 ... 16 ]"), std::string::npos) << outside.out;
  for (const char* bad : {"constant", "constant=", "constant=2,5,0", "constant=1e3", "fixed=2"}) {
    EXPECT_EQ(Cli(std::string("verify --channel temperature --substitute ") + bad).exitCode, 64) << bad;
  }
}

TEST(VerifyCommand, ReferenceKindAndDecimalComma) {
  const std::string hart =
      std::string(kDemo) + "--channel pressure --readings 1 --hart-type 3051 --hart-address 1 ";
  const CliRun absolute = Cli(hart + "--reference absolute");
  const CliRun gauge = Cli(hart + "--reference gauge");
  ASSERT_EQ(absolute.exitCode, 0) << absolute.out;
  ASSERT_EQ(gauge.exitCode, 0) << gauge.out;
  const auto a = Lines(absolute.out);
  const auto g = Lines(gauge.out);
  ASSERT_FALSE(a.empty());
  ASSERT_FALSE(g.empty());
  // A gauge reference against the absolute sensor adds the atmospheric pressure: another deviation.
  EXPECT_NE(a[0].back(), g[0].back()) << absolute.out << gauge.out;
  EXPECT_EQ(Cli("verify --channel pressure --hart-type 3051 --hart-address 1 --reference vacuum").exitCode,
            64);

  const CliRun comma = Cli(std::string(kDemo) + "--channel pressure --readings 1 --actual 1,0");
  ASSERT_EQ(comma.exitCode, 0) << comma.out;
  const auto c = Lines(comma.out);
  ASSERT_FALSE(c.empty());
  EXPECT_EQ(c[0].back(), "0.0332");
}

}  // namespace
