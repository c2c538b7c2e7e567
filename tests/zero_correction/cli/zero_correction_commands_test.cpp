#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "cli_runner.h"

namespace {

using ruvenset::testing::CliRun;

CliRun Cli(const std::string& arguments) {
  return ruvenset::testing::RunCli(arguments, "zero-correction-config");
}

// The same with `lines` on standard input.
CliRun CliWithInput(const std::string& lines, const std::string& arguments) {
  const std::string path = ::testing::TempDir() + "zero-correction-input.txt";
  std::ofstream(path) << lines;
  return Cli(arguments + " < " + path);
}

constexpr const char* kDemo = "--demo --set BaudRate=15 --sim 'set delay 0' ";

TEST(ZeroCommand, CorrectsThePressureOffsetByTheMeanAtZero) {
  // The simulated gauge reads the atmosphere (1.0332 kgf/cm2) with no pressure applied.
  const CliRun run = Cli(std::string(kDemo) + "zero --channel pressure --password 1234");
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out, "correction -1.0332\noffset -1.0332\n");
  const CliRun wrong = Cli(std::string(kDemo) + "zero --channel dp --password 4321");
  EXPECT_EQ(wrong.exitCode, 1);
  EXPECT_EQ(wrong.out.rfind("failed:", 0), 0u) << wrong.out;
}

TEST(CorrectCommand, OnePointShiftsTheOffsetAndEqualPointsFail) {
  const CliRun run = CliWithInput(
      "\n", std::string(kDemo) + "correct --channel pressure --point 1.2 --readings 2 --password 1234");
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out, "ready 1\nA0 1.00000\nB0 0.00000\nA 1.00000\nB 0.16680\n");

  const CliRun equal = CliWithInput(
      "\n\n", std::string(kDemo) +
                  "--sim 'set jitter 0' correct --channel pressure --point 1 --point 2 --readings 2 "
                  "--password 1234");
  EXPECT_EQ(equal.exitCode, 1);
  EXPECT_EQ(equal.out,
            "ready 1\nready 2\nfailed: Измеренные значения в двух точках совпадают: расчет невозможен\n");
}

TEST(SlopeOffsetCommand, PrintsTheLinesOfTheWindow) {
  const CliRun run = Cli(std::string(kDemo) + "slope-offset --password 1234");
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out,
            "Давление: наклон 1\nДавление: смещение 0 кгс/см2\nПерепад давления: наклон 1\n"
            "Перепад давления: смещение 0 кгс/м2\n");
}

TEST(ZeroCorrectionCommands, BadOptionsAreUsageErrors) {
  EXPECT_EQ(Cli("zero --channel temperature").exitCode, 64);
  EXPECT_EQ(Cli("correct --channel pressure").exitCode, 64);
  EXPECT_EQ(Cli("correct --channel dp --point 1").exitCode, 64);
  EXPECT_EQ(Cli("correct --channel pressure --point x").exitCode, 64);
  EXPECT_EQ(Cli("correct --channel pressure --point 1 --readings 0").exitCode, 64);
  EXPECT_EQ(Cli("slope-offset --channel dp").exitCode, 64);
}

}  // namespace
