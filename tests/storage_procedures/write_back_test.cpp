#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>

#include "common/crc16.h"
#include "enter_requests.h"
#include "storage/calibration_menu.h"
#include "storage_fixture.h"

namespace ruvenset::testing {
namespace {

using S = CalibrationSection;

// One memory write as the flow computer received it.
struct SeenWrite {
  int kind, table, first, address;
  uint8_t channel;
  std::vector<uint8_t> data;
  std::string password;
};

// (record kind, address, table, first record, data size)
using Expected = std::tuple<int, int, int, int, int>;

class WriteBackRuns : public StorageFixture {
 protected:
  WriteBackOutcome Store(S section) { return StoreCalibrationSection(tools, section); }

  std::vector<SeenWrite> Writes() const {
    std::vector<SeenWrite> writes;
    for (const auto& r : peer->requests) {
      if (r.size() < 29 || r[0] != 0xBB || r[3] != 0x14) continue;
      SeenWrite w{r[24], r[25], r[26], r[22] << 8 | r[23], r[5], {r.begin() + 27, r.end() - 2}, {}};
      w.password.assign(r.begin() + 6, r.begin() + 22);
      writes.push_back(w);
    }
    return writes;
  }
  // Index of the first request with this command, or -1.
  int First(uint8_t command) const {
    for (size_t i = 0; i < peer->requests.size(); ++i)
      if (peer->requests[i].size() > 3 && peer->requests[i][3] == command) return static_cast<int>(i);
    return -1;
  }
  int Last(uint8_t command) const {
    int last = -1;
    for (size_t i = 0; i < peer->requests.size(); ++i)
      if (peer->requests[i].size() > 3 && peer->requests[i][3] == command) last = static_cast<int>(i);
    return last;
  }

  // The writes are exactly `expected`, each block with good check bytes, and the flow computer now
  // holds every one of them; service mode was entered before the first and left after the last.
  void ExpectSequence(S section, const std::vector<Expected>& expected) {
    const std::vector<SeenWrite> writes = Writes();
    ASSERT_EQ(writes.size(), expected.size());
    for (size_t i = 0; i < writes.size(); ++i) {
      const SeenWrite& w = writes[i];
      const auto [kind, address, table, first, size] = expected[i];
      EXPECT_EQ(std::tie(w.kind, w.address, w.table, w.first), std::tie(kind, address, table, first)) << i;
      EXPECT_EQ(static_cast<int>(w.data.size()), size) << i;
      EXPECT_LT(w.data.size(), 128u);
      EXPECT_EQ(w.channel, static_cast<uint8_t>(section));
      EXPECT_EQ(w.password, std::string("1234") + std::string(12, ' '));
      if (kind == 2 || kind == 6) {
        for (size_t r = 0; r + 10 <= w.data.size(); r += 10)
          EXPECT_TRUE(Crc16Matches(w.data.data() + r, 8)) << i;
      } else {
        EXPECT_TRUE(Crc16Matches(w.data.data(), w.data.size() - 2)) << i;
      }
      EXPECT_EQ(std::memcmp(peer->model.memory() + w.address, w.data.data(), w.data.size()), 0) << i;
    }
    EXPECT_LT(First(0x10), First(0x14));
    EXPECT_EQ(EnterFlagBytes(peer->requests), (std::vector<int>{1}));
    EXPECT_GT(Last(0x11), Last(0x14));
    EXPECT_EQ(peer->model.State(1, clock.NowNs()), 0);
    EXPECT_EQ(writeBack.written.size(), expected.size());
  }
};

TEST_F(WriteBackRuns, PressureSequenceWithTablesAndSharedBlocks) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  state.calibration = DeviceImage();
  const uint8_t adc[9] = {9, 8, 7, 6, 5, 4, 3, 2, 1};
  std::memcpy(state.calibration.pressureAdcParameters, adc, 9);
  const WriteBackOutcome outcome = Store(S::Pressure);
  ASSERT_EQ(outcome.result, WriteBackResult::Stored) << outcome.message;
  EXPECT_EQ(outcome.stepsWritten, 10);
  ExpectSequence(S::Pressure, {{5, 0, 0, 0, 6},
                               {6, 33, 0, 0, 10},
                               {0, 133, 0, 0, 7},
                               {1, 158, 0, 0, 15},
                               {2, 233, 0, 0, 40},
                               {1, 473, 1, 0, 15},
                               {2, 548, 1, 0, 40},
                               {3, 4301, 0, 0, 11},
                               {4, 4312, 0, 0, 8},
                               {7, 7958, 0, 0, 26}});
  // Model 16 keeps the pressure channel in bytes 0, 2, 3 and 5 of the block; the rest stays as read.
  const uint8_t merged[9] = {9, 0, 7, 6, 1, 4, 0, 0, 0};
  EXPECT_EQ(std::memcmp(peer->model.memory() + 4301, merged, 9), 0);
  EXPECT_EQ(writeBack.maximum(), 8);
  EXPECT_EQ(writeBack.position(), 8);
  // The end is told: the Тос-level table and two point tables, with 1 + 4 + 4 segment records.
  EXPECT_EQ(technician.log.back(),
            "message " + Text(2253) + " | " + state.texts.FormatText(3122, {Text(2143), 3, 9}));
  // The program's mirror holds what was written.
  uint8_t mirrored[11];
  ASSERT_TRUE(state.memoryMirror.Load(4301, mirrored, 11));
  EXPECT_EQ(std::memcmp(mirrored, peer->model.memory() + 4301, 11), 0);
}

TEST_F(WriteBackRuns, TwentyFivePointsTravelAsTwoGroupsOfTwelveRecords) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  state.calibration = DeviceImage();
  FillChannel(state.calibration, S::Pressure, 1, 25);
  const WriteBackOutcome outcome = Store(S::Pressure);
  ASSERT_EQ(outcome.result, WriteBackResult::Stored) << outcome.message;
  ExpectSequence(S::Pressure, {{5, 0, 0, 0, 3},
                               {0, 133, 0, 0, 5},
                               {1, 158, 0, 0, 75},
                               {2, 233, 0, 0, 120},
                               {2, 353, 0, 12, 120},
                               {3, 4301, 0, 0, 11},
                               {4, 4312, 0, 0, 8},
                               {7, 7958, 0, 0, 26}});
  EXPECT_EQ(writeBack.maximum(), 8);  // 7, and one more for the second group
}

TEST_F(WriteBackRuns, TemperatureCorrectionAndDifferentialSequences) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  state.calibration = DeviceImage();
  ASSERT_EQ(Store(S::Temperature).result, WriteBackResult::Stored);
  ExpectSequence(S::Temperature, {{0, 3623, 0, 0, 9},
                                  {1, 3636, 0, 0, 18},
                                  {2, 3669, 0, 0, 50},
                                  {1, 3769, 1, 0, 18},
                                  {2, 3802, 1, 0, 50},
                                  {1, 3902, 2, 0, 18},
                                  {2, 3935, 2, 0, 50},
                                  {3, 4301, 0, 0, 11}});
  EXPECT_EQ(writeBack.maximum(), 5);

  peer->requests.clear();
  writeBack.written.clear();
  ASSERT_EQ(Store(S::CorrectionMultipliers).result, WriteBackResult::Stored);
  ExpectSequence(S::CorrectionMultipliers, {{8, 4324, 0, 0, 15}, {2, 4455, 0, 0, 30}});
  EXPECT_EQ(writeBack.maximum(), 2);
  EXPECT_EQ(technician.log.back(), "message " + Text(2253) + " | " + state.texts.FormatText(3123, {1, 3}));
}

TEST_F(WriteBackRuns, DifferentialPressureOnAModelWithThatChannel) {
  sim::FlowComputerConfig model7;
  model7.model = 7;
  ASSERT_EQ(Connect(model7), ConnectResult::Connected);
  state.calibration = DeviceImage(7);
  ASSERT_EQ(Store(S::DifferentialPressure).result, WriteBackResult::Stored);
  ExpectSequence(S::DifferentialPressure, {{5, 4324, 0, 0, 6},
                                           {6, 4357, 0, 0, 10},
                                           {0, 4457, 0, 0, 7},
                                           {1, 4482, 0, 0, 12},
                                           {2, 4557, 0, 0, 30},
                                           {1, 4797, 1, 0, 12},
                                           {2, 4872, 1, 0, 30},
                                           {3, 7947, 0, 0, 11},
                                           {4, 4312, 0, 0, 8},
                                           {7, 7958, 0, 0, 26}});
  EXPECT_EQ(writeBack.maximum(), 8);
}

// The viewers end with a question whose Yes writes into the flow computer: it is asked as such (No
// is its default), and No writes nothing.
TEST_F(WriteBackRuns, TheViewersAskTheirWriteQuestionAsOne) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  state.connected = true;
  const std::string file = SaveImage(DeviceImage(), "device.klb");
  pages.openPaths = {file, file};
  pages.lists = {{ListChoice::Close, 0}, {ListChoice::Close, 0}};
  technician.confirms = {false, false};
  ViewCalibrationFromMenu(tools, S::CorrectionMultipliers);
  ViewCalibrationFromMenu(tools, S::Temperature);
  EXPECT_EQ(technician.writeQuestions, (std::vector<std::string>{Text(1220), Text(2264)}));
  EXPECT_EQ(First(0x14), -1);
}

TEST_F(WriteBackRuns, LinkFailureAnsweredNoEndsTheSequenceAndLeavesServiceMode) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  state.calibration = DeviceImage();
  // From the first table header on the flow computer no longer answers writes.
  peer->filter = [](const std::vector<uint8_t>& request, std::vector<uint8_t>&) {
    return !(request.size() > 24 && request[3] == 0x14 && request[24] == 1);
  };
  technician.confirms = {false};
  const WriteBackOutcome outcome = Store(S::Pressure);
  EXPECT_EQ(outcome.result, WriteBackResult::LinkAbandoned);
  EXPECT_EQ(outcome.stepsWritten, 3);
  EXPECT_EQ(technician.Count("confirm " + Text(2195) + " | " + Text(2196)), 1);
  EXPECT_EQ(technician.Count("message " + Text(2253)), 0);
  EXPECT_GT(Last(0x11), Last(0x14));
  EXPECT_EQ(peer->model.State(1, clock.NowNs()), 0);
}

TEST_F(WriteBackRuns, RefusedWriteIsShownThenRepeatedOrAbandoned) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  state.calibration = DeviceImage();
  peer->model.RefuseNext(0x14, 2, 0, 0);
  technician.confirms = {true};
  EXPECT_EQ(Store(S::CorrectionMultipliers).result, WriteBackResult::Stored);
  EXPECT_EQ(technician.Count("box " + Text(2325)), 1);
  EXPECT_EQ(Writes().size(), 3u);

  peer->requests.clear();
  peer->model.RefuseNext(0x14, 2, 0, 0);
  technician.confirms = {false};
  const WriteBackOutcome refused = Store(S::CorrectionMultipliers);
  EXPECT_EQ(refused.result, WriteBackResult::RefusalAbandoned);
  EXPECT_FALSE(refused.message.empty());
  EXPECT_GT(Last(0x11), Last(0x14));
}

TEST_F(WriteBackRuns, NothingIsWrittenUnlessEveryCheckPasses) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  struct Case {
    const char* name;
    S section;
    void (*spoil)(CalibrationImage&);
    WriteBackResult result;
    int textId;
  };
  const Case cases[] = {
      {"foreign image", S::Temperature, [](CalibrationImage& i) { i.SetIdentificationCode(999); },
       WriteBackResult::ForeignImage, 0},
      {"code beyond 24 bits", S::Pressure,
       [](CalibrationImage& i) { i.Channel(S::Pressure).SetPoint(1, 4, 0x1000000, 1.0f); },
       WriteBackResult::CheckFailed, 1159},
      {"not a number", S::Temperature,
       [](CalibrationImage& i) {
         i.Channel(S::Temperature).SetPoint(0, 2, 1100000, std::numeric_limits<float>::quiet_NaN());
       },
       WriteBackResult::CheckFailed, 1161},
      {"multiplier 1.051", S::CorrectionMultipliers,
       [](CalibrationImage& i) { i.SetCorrectionPoint(1, 100, 1.051f); }, WriteBackResult::CheckFailed, 1223},
      {"flow above the limit", S::CorrectionMultipliers,
       [](CalibrationImage& i) { i.SetCorrectionPoint(3, 1000.5f, 1.0f); }, WriteBackResult::CheckFailed,
       1221},
      {"Тос count 65535", S::Temperature,
       [](CalibrationImage& i) { i.Channel(S::Temperature).SetTosCount(65535); },
       WriteBackResult::CheckFailed, 1172},
  };
  for (const Case& c : cases) {
    peer->requests.clear();
    technician.log.clear();
    state.calibration = DeviceImage();
    c.spoil(state.calibration);
    const WriteBackOutcome outcome = Store(c.section);
    EXPECT_EQ(outcome.result, c.result) << c.name << " " << outcome.message;
    EXPECT_EQ(First(0x10), -1) << c.name;
    EXPECT_EQ(First(0x14), -1) << c.name;
    if (c.textId != 0) {
      EXPECT_EQ(technician.log.size(), 1u) << c.name;
      EXPECT_NE(technician.log.back().find(outcome.message), std::string::npos) << c.name;
    }
  }
  // The foreign image's notice names both codes.
  peer->requests.clear();
  technician.log.clear();
  state.calibration = DeviceImage();
  state.calibration.SetIdentificationCode(999);
  Store(S::Pressure);
  ASSERT_EQ(technician.log.size(), 1u);
  EXPECT_EQ(technician.log[0], "box " + Text(1164) + " | " + state.texts.FormatText(1137, {999}) + " " +
                                   state.texts.FormatText(1138, {160123}) + " . " + Text(1139) + " !");
}

TEST_F(WriteBackRuns, AStoredTemperatureTableChangesWhatTheFlowComputerMeasures) {
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  peer->model.inputs().temperature = 20.0;
  EXPECT_NEAR(peer->model.Measure(clock.NowNs()).temperature.value, 20.0f, 0.01f);

  // Ambient points 0 and 40 °C; each table reads 5 °C more than the factory calibration.
  CalibrationImage image = DeviceImage();
  const ChannelSection t = image.Channel(S::Temperature);
  t.SetTosCount(2);
  for (int k = 0; k < 2; ++k) {
    t.SetTosPoint(k, 32768 + 400 * 40 * k, 40.0f * static_cast<float>(k));
    t.SetPointCount(k, 2);
    t.SetPoint(k, 0, 4000000 - 50000 * 45, -40.0f);
    t.SetPoint(k, 1, 4000000 + 50000 * 85, 90.0f);
  }
  state.calibration = image;
  ASSERT_EQ(Store(S::Temperature).result, WriteBackResult::Stored);
  const sim::MeasurementSnapshot after = peer->model.Measure(clock.NowNs());
  ASSERT_TRUE(after.temperature.valid);
  EXPECT_NEAR(after.temperature.value, 25.0f, 0.01f);
}

}  // namespace
}  // namespace ruvenset::testing
