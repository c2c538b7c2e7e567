#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli_runner.h"

namespace {

using ruvenset::testing::CliRun;

CliRun Cli(const std::string& arguments) {
  return ruvenset::testing::RunCli(arguments + " </dev/null", "cli-calibrate-config");
}

const std::string kFast = "--demo --set BaudRate=15 --sim 'set delay 100' --sim 'set jitter 0' ";

TEST(CliCalibrate, OneTosPointThenAContinuationRefusedForAnotherCode) {
  const std::string file = ::testing::TempDir() + "cli-calibration.klb";
  std::remove(file.c_str());
  // The demo's rig applies each point's value before the point is measured.
  const CliRun run = Cli(kFast + "calibrate --channel temperature --new " + file +
                         " --tos 20,0 --point 30 --point 31,5 --readings 2 --ident-code 777 --password 1234");
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out,
            "tos 0 code 40768 value 20.000\n"
            "ready 1\npoint 1 code 5500000 value 30.000\n"
            "ready 2\npoint 2 code 5575000 value 31.500\n"
            "saved " +
                file + "\n");

  // A fresh simulator has its own code again: the file is not continued, nothing is measured.
  const CliRun other = Cli(kFast + "calibrate --channel temperature --continue " + file +
                           " --tos 25 --point 1 --point 2 --password 1234");
  EXPECT_EQ(other.exitCode, 3);
  EXPECT_EQ(other.out, "ident-code file 777 device 160123\n");
}

// A point whose input was not changed is refused with both codes, unless the technician accepts it.
TEST(CliCalibrate, APointWhoseCodeDidNotMoveIsRefused) {
  const std::string file = ::testing::TempDir() + "cli-unmoved.klb";
  std::remove(file.c_str());
  const std::string table = "calibrate --channel temperature --new " + file +
                            " --tos 20 --point 30 --point 30 --readings 2 --ident-code 777 --password 1234";
  const CliRun refused = Cli(kFast + table);
  EXPECT_EQ(refused.exitCode, 1) << refused.out;
  EXPECT_NE(refused.out.find("unmoved point 2 code 5500000 previous 5500000\n"), std::string::npos)
      << refused.out;
  EXPECT_EQ(refused.out.find("saved"), std::string::npos);

  const CliRun accepted = Cli(kFast + table + " --accept-unmoved");
  EXPECT_EQ(accepted.exitCode, 0) << accepted.out;
  EXPECT_NE(accepted.out.find("point 2 code 5500000 value 30.000\nsaved"), std::string::npos) << accepted.out;
}

TEST(CliCalibrate, OptionsAreChecked) {
  EXPECT_EQ(Cli("--demo calibrate --channel temperature --tos 20 --point 1 --point 2").exitCode, 64);
  EXPECT_EQ(Cli("--demo calibrate --channel gas --new x.klb --tos 20 --point 1 --point 2").exitCode, 64);
  EXPECT_EQ(Cli("--demo calibrate --channel temperature --new x.klb --tos 20 --point 1").exitCode, 64);
  EXPECT_EQ(Cli("--demo ident-code --set 4294967296").exitCode, 64);
  EXPECT_EQ(Cli("--demo ident-code --set 0").exitCode, 64);
  // Counts are whole numbers by the number rule: no hexadecimal, no octal, no fraction.
  const std::string table =
      "--demo calibrate --channel temperature --new x.klb --tos 20 --point 1 --point 2 ";
  EXPECT_EQ(Cli(table + "--readings 0x10").exitCode, 64);
  EXPECT_EQ(Cli(table + "--readings 2,5").exitCode, 64);
  EXPECT_EQ(Cli(table + "--readings +3").exitCode, 64);
}

TEST(CliCalibrate, IdentificationCodeAboveTheFloatMantissaIsKept) {
  EXPECT_EQ(Cli(kFast + "ident-code").out, "ident-code 160123\n");
  const CliRun set = Cli(kFast + "ident-code --set 4294967295 --password 1234");
  EXPECT_EQ(set.exitCode, 0);
  EXPECT_EQ(set.out, "ident-code 4294967295\n");
}

}  // namespace
