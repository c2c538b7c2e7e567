#include <gtest/gtest.h>

#include <stdlib.h>
#include "cli_runner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "session/calibration_image.h"

namespace ruvenset {
namespace {

using ruvenset::testing::CliRun;

CliRun Cli(const std::string& arguments) {
  return ruvenset::testing::RunCli(arguments, "calibration-cli-config");
}

class CalibrationCommands : public ::testing::Test {
 protected:
  CalibrationCommands() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "ruvenset-cli-calibration-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
  }
  ~CalibrationCommands() override {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

  // An image of the demo flow computer (model 16, identification code 160123): temperature with two
  // Тос points of three points each, a three-point correction table.
  static CalibrationImage DemoImage() {
    CalibrationImage image;
    image.modelCode = 16;
    image.softwareVersion = 35;
    image.SetIdentificationCode(160123);
    const ChannelSection t = image.Channel(CalibrationSection::Temperature);
    t.SetTosCount(2);
    for (int k = 0; k < 2; ++k) {
      t.SetTosPoint(k, 32768 + 16000 * k, 40.0f * static_cast<float>(k));
      t.SetPointCount(k, 3);
      for (int i = 0; i < 3; ++i)
        t.SetPoint(k, i, 1750000 + 3250000 * i, -40.0f + 65.0f * static_cast<float>(i));
    }
    image.SetCorrectionCount(3);
    image.SetCorrectionPoint(0, 0.0f, 1.0f);
    image.SetCorrectionPoint(1, 500.0f, 1.01f);
    image.SetCorrectionPoint(2, 1000.0f, 0.99f);
    return image;
  }

  std::string Save(CalibrationImage image, const std::string& name, bool seal = true) {
    if (seal) image.StoreCheckBytes();
    const std::string path = folder_ + "/" + name;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.Bytes()), kCalibrationImageSize);
    return path;
  }

  std::string folder_;
};

TEST_F(CalibrationCommands, CheckPrintsTheSectionsOrTheFirstFailedCheck) {
  const std::string good = Save(DemoImage(), "good.klb");
  const CliRun ok = Cli("check " + good);
  EXPECT_EQ(ok.exitCode, 0);
  EXPECT_EQ(ok.out,
            "ok\nmodel 16 version 35 id 160123\npressure tos 0 points unit 0\ntemperature tos 2 points 3 3\n"
            "dp tos 0 points unit 0\nmeter points 3\n");

  CalibrationImage counts = DemoImage();
  counts.Channel(CalibrationSection::Temperature).SetTosCount(65535);
  const CliRun bad = Cli("check " + Save(counts, "counts.klb"));
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.out.find("5"), std::string::npos) << bad.out;
  EXPECT_EQ(bad.out.find("ok"), std::string::npos);

  // Two points taken at one input: equal codes in a table.
  CalibrationImage unmoved = DemoImage();
  unmoved.Channel(CalibrationSection::Temperature).SetPoint(1, 2, 5000000, 60.0f);
  unmoved.Channel(CalibrationSection::Temperature).SetPoint(1, 1, 5000000, -20.0f);
  const CliRun equal = Cli("check " + Save(unmoved, "unmoved.klb"));
  EXPECT_EQ(equal.exitCode, 1);
  EXPECT_EQ(equal.out.find("ok"), std::string::npos);
  EXPECT_NE(equal.out.find(" 3 ("), std::string::npos) << equal.out;  // point 3 of Тос point 2

  EXPECT_EQ(Cli("check " + Save(DemoImage(), "unsealed.klb", false)).exitCode, 1);
  // With --section the editor's conditions apply too: a model-9 file has no differential-pressure section.
  CalibrationImage model9 = DemoImage();
  model9.modelCode = 9;
  EXPECT_EQ(Cli("check " + Save(model9, "model9.klb") + " --section dp").exitCode, 1);
  EXPECT_EQ(Cli("check " + good + " --section temperature").exitCode, 0);
  EXPECT_EQ(Cli("check").exitCode, 64);
  EXPECT_EQ(Cli("check " + good + " --section flow").exitCode, 64);
  const CliRun missing = Cli("check " + folder_ + "/missing.klb");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.out.find(folder_ + "/missing.klb"), std::string::npos) << missing.out;
  const bool saysOpen =
      missing.out.find("открыть") != std::string::npos || missing.out.find("відкрити") != std::string::npos;
  EXPECT_TRUE(saysOpen) << missing.out;
}

TEST_F(CalibrationCommands, ShowPrintsTheViewersRows) {
  const CliRun run = Cli("show " + Save(DemoImage(), "good.klb") + " --section temperature");
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.out.find("     0.00        32768          3\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("    40.00        48768          3\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("   3     8250000              90\n"), std::string::npos) << run.out;
  const CliRun meter = Cli("show " + Save(DemoImage(), "good.klb") + " --section meter");
  EXPECT_NE(meter.out.find("  2       500.00       1.0100\n"), std::string::npos) << meter.out;
  EXPECT_EQ(Cli("show " + Save(DemoImage(), "good.klb")).exitCode, 64);
}

TEST_F(CalibrationCommands, WriteBackStoresTheSectionStepByStep) {
  const std::string good = Save(DemoImage(), "good.klb");
  const CliRun run = Cli("--demo --set BaudRate=15 --sim 'set delay 100' write-back " + good +
                         " --section temperature --password 1234");
  EXPECT_EQ(run.exitCode, 0) << run.out;
  EXPECT_EQ(run.out,
            "step 1 0 3623\nstep 2 1 3636\nstep 3 2 3669\nstep 4 1 3769\nstep 5 2 3802\nstep 6 3 4301\n"
            "stored temperature 6\n");

  CalibrationImage foreign = DemoImage();
  foreign.SetIdentificationCode(7);
  const CliRun refused = Cli("--demo --set BaudRate=15 write-back " + Save(foreign, "foreign.klb") +
                             " --section meter --password 1234");
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.out.find("step"), std::string::npos);

  // A wrong password: the flow computer refuses entering service mode, so nothing is written.
  const CliRun wrong =
      Cli("--demo --set BaudRate=15 write-back " + good + " --section meter --password 9999");
  EXPECT_NE(wrong.exitCode, 0);
  EXPECT_EQ(wrong.out.find("step"), std::string::npos) << wrong.out;
}

}  // namespace
}  // namespace ruvenset
