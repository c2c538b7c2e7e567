#include <gtest/gtest.h>

#include <cmath>

#include "calibration/save_calibration.h"
#include "common/crc16.h"
#include "storage/calibration_menu.h"
#include "storage_fixture.h"

namespace ruvenset::testing {
namespace {

using S = CalibrationSection;

// The save dialog answered from a queue; an existing file is replaced when `replace` says so.
struct ScriptedSavePages : SaveCalibrationPages {
  std::deque<std::optional<std::string>> paths;
  std::deque<bool> replace;
  std::vector<std::string> questions;
  std::optional<std::string> AskSavePath(const FileDialogRequest&) override {
    if (paths.empty()) return std::nullopt;
    auto p = paths.front();
    paths.pop_front();
    return p;
  }
  bool ConfirmReplace(const std::string&, const std::string& question) override {
    questions.push_back(question);
    if (replace.empty()) return false;
    const bool r = replace.front();
    replace.pop_front();
    return r;
  }
};

class SaveCalibration : public StorageFixture {
 protected:
  // Stores the sections of `image` the flow computer has through the write-back.
  void StoreAll(const CalibrationImage& image, std::initializer_list<S> sections) {
    for (S section : sections) {
      state.calibration = image;
      writeBack.written.clear();
      ASSERT_EQ(StoreCalibrationSection(tools, section).result, WriteBackResult::Stored);
    }
    peer->requests.clear();
    technician.log.clear();
  }

  void ExpectSameSection(const CalibrationImage& stored, const CalibrationImage& read, S section) {
    const ConstChannelSection a = stored.Channel(section);
    const ConstChannelSection b = read.Channel(section);
    ASSERT_EQ(a.TosCount(), b.TosCount());
    for (int k = 0; k < a.UsedTosPoints(); ++k) {
      EXPECT_EQ(a.TosCode(k), b.TosCode(k)) << k;
      if (section != S::Temperature) EXPECT_NEAR(a.TosValue(k), b.TosValue(k), 1e-4) << k;
      ASSERT_EQ(a.PointCount(k), b.PointCount(k)) << k;
      for (int i = 0; i < a.UsedPoints(k); ++i) {
        EXPECT_EQ(a.PointCode(k, i), b.PointCode(k, i)) << k << " " << i;
        EXPECT_NEAR(a.PointValue(k, i), b.PointValue(k, i), 1e-4) << k << " " << i;
      }
    }
  }

  SaveCalibrationOutcome Save(const std::string& name) {
    pages.paths.push_back(folder.File(name));
    return SaveCalibrationParameters(state, technician, pages);
  }

  ScriptedSavePages pages;
};

TEST_F(SaveCalibration, WrittenTablesReadBackInBothByteOrders) {
  for (bool lsb : {false, true}) {
    sim::FlowComputerConfig model7;
    model7.model = 7;
    model7.lsb = lsb;
    ASSERT_EQ(Connect(model7), ConnectResult::Connected);
    const CalibrationImage stored = DeviceImage(7);
    StoreAll(stored, {S::Pressure, S::Temperature, S::DifferentialPressure});
    CalibrationImage read;
    ASSERT_EQ(ReadDeviceCalibration(state, technician, read).result, DeviceReadResult::Read);
    ExpectSameSection(stored, read, S::Pressure);
    ExpectSameSection(stored, read, S::Temperature);
    ExpectSameSection(stored, read, S::DifferentialPressure);
    EXPECT_EQ(read.IdentificationCode(), 160123u);
    EXPECT_EQ(read.modelCode, 7);
    EXPECT_EQ(read.softwareVersion, 35);
    EXPECT_EQ(std::memcmp(read.pressureAdcParameters, stored.pressureAdcParameters, 9), 0);
    EXPECT_EQ(read.CharacteristicSlope(S::Pressure), 1.0f);
    // Every read stays below 128 bytes.
    int reads = 0;
    for (const auto& r : peer->requests) {
      if (r.size() < 7 || r[3] != 0x13) continue;
      ++reads;
      EXPECT_LT(r[6], 128);
    }
    EXPECT_GT(reads, 20);
  }
}

TEST_F(SaveCalibration, SavesTheFileAndItsReportBesideIt) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  const SaveCalibrationOutcome outcome = Save("device.klb");
  ASSERT_EQ(outcome.result, SaveCalibrationResult::Saved) << outcome.message;
  EXPECT_EQ(outcome.reportPath, folder.File("device.rcl"));
  CalibrationImage file;
  ASSERT_EQ(ReadCalibrationFile(outcome.calibrationPath, {S::Temperature}, file), CalibrationFileStatus::Ok);
  EXPECT_EQ(std::memcmp(file.Bytes(), state.calibration.Bytes(), kCalibrationImageSize), 0);
  // The factory calibration of the simulator: three Тос points of six temperature points, four
  // correction segments ending at the upper flow limit.
  EXPECT_EQ(file.Channel(S::Temperature).TosCount(), 3);
  EXPECT_EQ(file.Channel(S::Temperature).PointCount(0), 6);
  EXPECT_EQ(file.CorrectionCount(), 4);
  EXPECT_FLOAT_EQ(file.CorrectionFlow(3), 1000.0f);
  const std::vector<uint8_t> report = ReadBytes(outcome.reportPath);
  const std::string text(report.begin(), report.end());
  EXPECT_EQ(text.rfind("\r\n\r\n                    Отчет о параметрах калибровки.", 0), 0u);
  EXPECT_NE(text.find("  Заводской №  160123. \r\n"), std::string::npos);
  EXPECT_EQ(text.find("\n\n"), std::string::npos);  // every line end is CR LF

  // A file named like a report keeps its own name; the report goes beside it.
  pages.replace.push_back(true);
  const SaveCalibrationOutcome second = Save("device.rcl");
  ASSERT_EQ(second.result, SaveCalibrationResult::Saved);
  EXPECT_EQ(second.reportPath, folder.File("device.rcl.rcl"));
  EXPECT_EQ(ReadBytes(folder.File("device.rcl")).size(), kCalibrationImageSize);
  ASSERT_EQ(pages.questions.size(), 1u);  // device.rcl existed: asked before replacing
}

// What the program held before (a file opened, an earlier calibration) never reaches the saved file:
// sections the flow computer lacks stay empty, and the temperature Тос values come from the pressure
// section's Тос characteristic (the simulator's pressure Тос points lie at -20, 20 and 50 °C, its
// temperature Тос points at -10, 20 and 45 °C of the same ambient sensor).
TEST_F(SaveCalibration, StartsFromAnEmptyImage) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  CalibrationImage stale = DeviceImage(7);
  stale.Channel(S::Temperature).SetTosPoint(0, 1, 99.0f);
  state.calibration = stale;
  const SaveCalibrationOutcome outcome = Save("fresh.klb");
  ASSERT_EQ(outcome.result, SaveCalibrationResult::Saved) << outcome.message;
  CalibrationImage file;
  ASSERT_EQ(ReadCalibrationFile(outcome.calibrationPath, {S::Temperature}, file), CalibrationFileStatus::Ok);
  // Model 16 with a volume meter has no differential-pressure channel.
  EXPECT_EQ(file.Channel(S::DifferentialPressure).TosCount(), 0);
  EXPECT_EQ(file.Channel(S::DifferentialPressure).PointCount(0), 0);
  const ConstChannelSection t = file.Channel(S::Temperature);
  ASSERT_EQ(t.TosCount(), 3);
  EXPECT_NEAR(t.TosValue(0), -10.0f, 1e-3);
  EXPECT_NEAR(t.TosValue(1), 20.0f, 1e-3);
  EXPECT_NEAR(t.TosValue(2), 45.0f, 1e-3);
  const std::vector<uint8_t> report = ReadBytes(outcome.reportPath);
  const std::string text(report.begin(), report.end());
  EXPECT_NE(text.find("Код АЦП Тос: 40768   Значение Тос: 20 град.Целс"), std::string::npos) << text;

  // Without pressure Тос points there is nothing to read them off: the report says so instead of 0.
  peer->model.mutableMemory()[0] = 0;    // Тос segments of the pressure section
  peer->model.mutableMemory()[133] = 0;  // its Тос directory
  pages.replace.push_back(true);
  const SaveCalibrationOutcome unknown = Save("fresh.klb");
  ASSERT_EQ(unknown.result, SaveCalibrationResult::Saved) << unknown.message;
  const std::vector<uint8_t> second = ReadBytes(unknown.reportPath);
  const std::string lines(second.begin(), second.end());
  EXPECT_NE(lines.find("Код АЦП Тос: 40768   Значение Тос: не хранится в вычислителе \r\n"),
            std::string::npos)
      << lines;
  EXPECT_EQ(state.calibration.Channel(S::Temperature).TosValue(1), 0.0f);
}

TEST_F(SaveCalibration, CountsBeyondTheirLimitsEndBeforeAnythingIsWritten) {
  struct Case {
    uint32_t address;
    std::vector<uint8_t> bytes;
    std::string message;
  };
  const Case cases[] = {
      {0, {11}, "Число сегментов Тос для давления больше 10"},
      {133, {3 + 1 + 1}, "Число точек Тос для давления больше 3"},  // 2 segments join 3 Тос points
      {133, {12}, "Число точек Тос для давления больше 11"},
      {158, {25}, "Число сегментов таблицы давления больше 24"},
      {3623, {0}, "Число точек Тос для температуры равно 0: калибровки нет"},
      {3623, {6}, "Число точек Тос для температуры больше 5"},
      {3636, {11}, "Число сегментов таблицы температуры больше 10"},
      {4324, {33}, "Число сегментов таблицы поправочных множителей больше 32"},
  };
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  std::vector<uint8_t> pristine(peer->model.memory(), peer->model.memory() + 65536);
  for (const Case& c : cases) {
    std::copy(pristine.begin(), pristine.end(), peer->model.mutableMemory());
    std::copy(c.bytes.begin(), c.bytes.end(), peer->model.mutableMemory() + c.address);
    technician.log.clear();
    const SaveCalibrationOutcome outcome = Save("limit.klb");
    EXPECT_EQ(outcome.result, SaveCalibrationResult::CountBeyondLimit) << c.message;
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_EQ(technician.Count("message Параметры калибровки | " + c.message), 1) << c.message;
    EXPECT_FALSE(std::filesystem::exists(folder.File("limit.klb")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("limit.rcl")));
  }
}

TEST_F(SaveCalibration, AFailedOrCutReadEndsWithoutFiles) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  for (bool cut : {false, true}) {
    int reads = 0;
    // The sixth read and every later one: no answer, or an answer one byte short of the count asked.
    peer->filter = [&](const std::vector<uint8_t>& request, std::vector<uint8_t>& response) {
      if (request[3] != 0x13 || ++reads < 6) return true;
      if (!cut) return false;
      response.erase(response.end() - 3);
      response[2] = static_cast<uint8_t>(response.size());
      StoreCrc16(response.data(), response.size() - 2);
      return true;
    };
    technician.log.clear();
    technician.confirms = {false};  // no retry
    const SaveCalibrationOutcome outcome = Save("lost.klb");
    EXPECT_EQ(outcome.result, SaveCalibrationResult::ReadFailed) << cut;
    EXPECT_EQ(technician.Count("confirm " + Text(2195) + " | " + Text(2196)), 1) << cut;
    EXPECT_FALSE(std::filesystem::exists(folder.File("lost.klb")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("lost.rcl")));
  }
}

TEST_F(SaveCalibration, CancelledDialogReadsNothing) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  EXPECT_EQ(SaveCalibrationParameters(state, technician, pages).result, SaveCalibrationResult::Cancelled);
  EXPECT_TRUE(peer->requests.empty());
}

}  // namespace
}  // namespace ruvenset::testing
