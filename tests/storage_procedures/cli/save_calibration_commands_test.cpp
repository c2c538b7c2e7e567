#include <gtest/gtest.h>

#include <stdlib.h>
#include "cli_runner.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace ruvenset {
namespace {

using ruvenset::testing::CliRun;

CliRun Cli(const std::string& arguments) {
  return ruvenset::testing::RunCli(arguments, "save-calibration-cli-config");
}

class SaveCalibrationCommands : public ::testing::Test {
 protected:
  SaveCalibrationCommands() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ruvenset-cli-save-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
  }
  ~SaveCalibrationCommands() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  std::string folder_;
};

TEST_F(SaveCalibrationCommands, SavesTheImageAndTheReportBesideIt) {
  const std::string file = folder_ + "/demo.klb";
  const CliRun run = Cli("--demo save-calibration " + file);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out, "saved " + file + "\nreport " + folder_ + "/demo.rcl\n");
  EXPECT_EQ(std::filesystem::file_size(file), 6258u);
  std::ifstream report(folder_ + "/demo.rcl", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(report)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("  Заводской №  160123. \r\n"), std::string::npos);
}

TEST_F(SaveCalibrationCommands, ACountBeyondItsLimitWritesNothing) {
  const std::string file = folder_ + "/bad.klb";
  const CliRun run = Cli("--demo --sim 'poke 3636 11' save-calibration " + file);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out, "failed Число сегментов таблицы температуры больше 10\n");
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_FALSE(std::filesystem::exists(folder_ + "/bad.rcl"));
  EXPECT_EQ(Cli("--demo save-calibration").exitCode, 64);
}

TEST_F(SaveCalibrationCommands, AdcParametersOneLineEach) {
  const CliRun run = Cli("--demo adc-params --channel temperature");
  ASSERT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out,
            "temperature-input2-gain 1\ntemperature-input2-polarity биполярный\n"
            "temperature-input2-clock-divider Fosc/128\ntemperature-input2-buffer выключен\n"
            "temperature-input2-range ±Vref\ntemperature-input2-rate 7.5\n");
  EXPECT_EQ(Cli("--demo adc-params --channel flow").exitCode, 64);
}

}  // namespace
}  // namespace ruvenset
