#include "sim/flow_computer_model.h"

#include <gtest/gtest.h>

#include "common/byte_order.h"
#include "common/crc16.h"
#include "sim/memory_map.h"
#include "sim/sensor_physics.h"
#include "sim_test_support.h"

namespace ruvenset::sim {
namespace {

using test::Ask;
using test::Data;
using test::Join;
using test::Password;
using test::Request;

constexpr int64_t kMs = 1'000'000;

FlowComputerConfig Steady() {
  return FlowComputerConfig{};
}

struct ModelTest : ::testing::Test {
  ModelTest() { model.SetCodeJitter(0); }
  FlowComputerModel model{Steady()};
};

TEST_F(ModelTest, LinkCheckAnswersByteExact) {
  const std::vector<uint8_t> request = {0xAA, 0x01, 0x06, 0x02, 0xF2, 0x5D};
  EXPECT_EQ(Ask(model, request), (std::vector<uint8_t>{0x55, 0x01, 0x06, 0x82, 0xC3, 0xE9}));
}

TEST_F(ModelTest, SilentToAnotherAddressABadCheckOrAFragment) {
  std::vector<uint8_t> bad = Request(0, 0x02, {});
  bad[5] ^= 1;
  EXPECT_TRUE(Ask(model, Request(0, 0x02, {}, 2)).empty());
  EXPECT_TRUE(Ask(model, bad).empty());
  EXPECT_TRUE(Ask(model, {0xAA, 0x01, 0x06}).empty());
  EXPECT_EQ(model.answered(), 0u);
}

TEST_F(ModelTest, UnknownCommandAnswersFF) {
  const auto r = Ask(model, Request(0, 0x55, {}));
  ASSERT_EQ(r.size(), 6u);
  EXPECT_EQ(r[3], 0xFF);
}

TEST(ModelIdentification, LayoutFollowsTheConfiguration) {
  struct Case {
    int model, version;
    bool lsb;
    std::string parameterPassword;
    uint8_t options, byte40;
  };
  const Case cases[] = {
      {16, 35, false, "", 0x20, 0x00}, {7, 20, true, "", 0x28, 0x00}, {3, 31, false, "77", 0x20, 0x80}};
  for (const Case& c : cases) {
    FlowComputerConfig config;
    config.model = c.model;
    config.version = c.version;
    config.lsb = c.lsb;
    config.parameterPassword = c.parameterPassword;
    FlowComputerModel m(config);
    const auto r = Ask(m, Request(0, 0x0C, {}));
    ASSERT_EQ(r.size(), 58u);
    EXPECT_EQ(r[0], 0x55);
    EXPECT_EQ(r[2], 58);
    EXPECT_EQ(r[3], 0x8C);
    EXPECT_EQ(Data(r, 0), c.version);
    EXPECT_EQ(Data(r, 1), kDefaultRevision);
    EXPECT_EQ(Data(r, 4), c.options);
    EXPECT_EQ(Data(r, 6), c.model);
    EXPECT_EQ(Data(r, 40), c.byte40);
    EXPECT_TRUE(ResponseChecksumValid(r.data()));
  }
}

TEST_F(ModelTest, IdentificationTextIsCyrillicInCodePage866) {
  const auto r = Ask(model, Request(0, 0x01, {}));
  const std::vector<uint8_t> text(r.begin() + 5, r.begin() + 21);
  EXPECT_EQ(text, (std::vector<uint8_t>{0x91, 0xA8, 0xAC, 0xE3, 0xAB, 0xEF, 0xE2, 0xAE, 0xE0, 0x20, 0x82,
                                        0x80, 0x8B, 0x84, 0x8E, 0x90}));
}

TEST_F(ModelTest, ConfigurationAndRecordsCarryTheDocumentedFields) {
  const auto config = Ask(model, Request(0, 0x08, {}));
  ASSERT_EQ(config.size(), 116u);
  EXPECT_EQ(Data(config, 16), 2);
  EXPECT_EQ(Data(config, 17), 0x80);
  EXPECT_EQ(Data(config, 18), 0x80);
  EXPECT_EQ(Ask(model, Request(0, 0x09, {})).size(), 232u);
  const auto block = Ask(model, Request(0, 0x22, {}));
  ASSERT_EQ(block.size(), 37u);
  EXPECT_EQ(Data(block, 1), 2);  // 1.5 s of service-mode change, rounded up to whole seconds

  for (int command : {0x1C, 0x1E}) {
    const auto record = Ask(model, Request(command == 0x1E, command, {2}));
    ASSERT_EQ(record.size(), 70u) << command;
    EXPECT_EQ(record[3], command | 0x80);
    EXPECT_EQ(Data(record, 0), 2);
    EXPECT_FLOAT_EQ(DeviceFloatAt(record.data() + 4 + 7, DeviceByteOrder::MsbFirst), 16.0f);
    EXPECT_FLOAT_EQ(DeviceFloatAt(record.data() + 4 + 50, DeviceByteOrder::MsbFirst), 1000.0f);
  }
  const auto missing = Ask(model, Request(0, 0x1C, {3}));
  EXPECT_EQ(missing[3], 0x1C);
  EXPECT_EQ(Data(missing, 0), kRefuseNoSuchPipeline);
}

TEST_F(ModelTest, WrongPasswordIsRefusedAndTheRightOneStoresTheRecord) {
  auto record = Ask(model, Request(1, 0x08, {1}));
  ASSERT_EQ(record.size(), 26u);
  std::vector<uint8_t> state(record.begin() + 5, record.begin() + 24);
  StoreDeviceFloat(state.data() + 10, 15.5f, DeviceByteOrder::MsbFirst);
  state[0] = 3;  // the state byte is not the writer's to change

  const auto refused = Ask(model, Request(1, 0x09, Join({{1}, Password("0000"), state})));
  EXPECT_EQ(refused, (std::vector<uint8_t>{0x66, 0x01, 0x09, 0x09, 0x01, 0x00, 0x00, 0x92, 0x8A}));
  const auto stored = Ask(model, Request(1, 0x09, Join({{1}, Password("1234"), state})));
  EXPECT_EQ(stored[3], 0x89);

  record = Ask(model, Request(1, 0x08, {1}));
  EXPECT_EQ(Data(record, 1), 0);
  EXPECT_FLOAT_EQ(DeviceFloatAt(record.data() + 4 + 11, DeviceByteOrder::MsbFirst), 15.5f);
}

TEST(ModelParameterPassword, NewestWriteLayoutNeedsBothPasswords) {
  FlowComputerConfig config;
  config.parameterPassword = "5678";
  FlowComputerModel m(config);
  const std::vector<uint8_t> state(19, 0);
  const auto oldLayout = Ask(m, Request(1, 0x09, Join({{1}, Password("1234"), state})));
  EXPECT_EQ(Data(oldLayout, 0), kRefuseBadRequest);
  const auto wrong = Ask(m, Request(1, 0x09, Join({{1, 0}, Password("1234"), Password("0000"), state})));
  EXPECT_EQ(Data(wrong, 0), kRefuseWrongParameterPassword);
  const auto right = Ask(m, Request(1, 0x09, Join({{1, 0}, Password("1234"), Password("5678"), state})));
  EXPECT_EQ(right[3], 0x89);
  const auto enter =
      Ask(m, Request(1, 0x10, Join({{1, 1}, Password("1234"), Password("5678"), std::vector<uint8_t>(6)})));
  EXPECT_EQ(enter[3], 0x90);
}

TEST_F(ModelTest, RefusalOnDemandHitsOnlyTheNextRequestOfThatCommand) {
  model.RefuseNext(0x13, 7, 1, 2);
  const auto other = Ask(model, Request(0, 0x02, {}));
  EXPECT_EQ(other[3], 0x82);
  const auto read = Request(1, 0x13, {0x0E, 0x27, 4});
  EXPECT_EQ(Ask(model, read), (std::vector<uint8_t>{0x66, 0x01, 0x09, 0x13, 0x07, 0x01, 0x02, 0xF5, 0xC2}));
  EXPECT_EQ(Ask(model, read)[3], 0x93);
}

// Reads a block through the read-memory command, with the address in the device's byte order.
std::vector<uint8_t> ReadBlock(FlowComputerModel& m, uint16_t address, uint8_t count) {
  uint8_t a[2];
  StoreDeviceWord(a, address, m.order());
  const auto r = Ask(m, Request(1, 0x13, {a[0], a[1], count}));
  if (r.size() < 6 || r[3] != 0x93) return {};
  return {r.begin() + 4, r.end() - 2};
}

TEST(ModelMemory, PreloadedTablesCarryValidCheckBytesInEitherByteOrder) {
  for (bool lsb : {false, true}) {
    FlowComputerConfig config;
    config.lsb = lsb;
    FlowComputerModel m(config);
    const auto directory = ReadBlock(m, kTemperatureSection.tosDirectory, 9);
    ASSERT_EQ(directory.size(), 9u);
    EXPECT_EQ(directory[0], 3);
    EXPECT_TRUE(Crc16Matches(directory.data(), 7));
    EXPECT_LT(DeviceWordAt(&directory[1], m.order()), DeviceWordAt(&directory[3], m.order()));

    const auto header = ReadBlock(m, kPressureSection.firstTable, 15);
    ASSERT_EQ(header.size(), 15u);
    EXPECT_EQ(header[0], 4);  // five points, four segments
    EXPECT_TRUE(Crc16Matches(header.data(), 13));
    const auto records = ReadBlock(m, kPressureSection.firstTable + kPressureSection.recordsFromHeader, 40);
    for (size_t j = 0; j < 4; ++j) EXPECT_TRUE(Crc16Matches(records.data() + 10 * j, 8)) << j;
    EXPECT_FLOAT_EQ(DeviceFloatAt(records.data() + 10, m.order()), 4.0f);

    for (auto [address, size] : {std::pair<uint16_t, uint8_t>{kAdcBlockMain, 9},
                                 {kUnitsBlock, 6},
                                 {kCharacteristicConstants, 24},
                                 {kMeasurementParameters, 16}}) {
      const auto block = ReadBlock(m, address, static_cast<uint8_t>(size + 2));
      EXPECT_TRUE(Crc16Matches(block.data(), size)) << address;
    }
    const auto id = ReadBlock(m, kIdentificationCode, 4);
    const uint32_t code = lsb ? LoadLe32(id.data()) : (id[0] << 24 | id[1] << 16 | id[2] << 8 | id[3]);
    EXPECT_EQ(code, kDefaultIdentificationCode);
  }
}

TEST_F(ModelTest, ReadOutsideTheMemoryIsRefused) {
  const auto r = Ask(model, Request(1, 0x13, {0xFF, 0xF0, 0x20}));
  EXPECT_EQ(r[3], 0x13);
  EXPECT_EQ(Data(r, 0), kRefuseBadMemoryRange);
}

std::vector<uint8_t> WriteRequest(uint16_t address, RecordKind kind, const std::vector<uint8_t>& data,
                                  const std::string& password = "1234") {
  return Request(1, 0x14,
                 Join({{1, 1},
                       Password(password),
                       {static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address),
                        static_cast<uint8_t>(kind), 0, 0},
                       data}));
}

TEST_F(ModelTest, WrittenBlocksAreStoredOnlyWithValidCheckBytes) {
  const uint16_t header = kTemperatureSection.firstTable;
  std::vector<uint8_t> table = {1, 0x10, 0x20, 0x30, 0, 0};
  StoreCrc16(table.data(), 4);
  const auto before = ReadBlock(model, header, 6);

  std::vector<uint8_t> damaged = table;
  damaged[5] ^= 0x01;
  const auto refused = Ask(model, WriteRequest(header, RecordKind::TableHeader, damaged));
  EXPECT_EQ(refused[3], 0x14);
  EXPECT_EQ(Data(refused, 0), kRefuseBadCheckBytes);
  const auto badPassword = Ask(model, WriteRequest(header, RecordKind::TableHeader, table, "4321"));
  EXPECT_EQ(Data(badPassword, 0), kRefuseWrongPassword);
  EXPECT_EQ(ReadBlock(model, header, 6), before);

  EXPECT_EQ(Ask(model, WriteRequest(header, RecordKind::TableHeader, table))[3], 0x94);
  EXPECT_EQ(ReadBlock(model, header, 6), table);

  // The identification code has no check bytes of its own.
  EXPECT_EQ(Ask(model, WriteRequest(kIdentificationCode, RecordKind::TosDirectory, {0, 0, 0x30, 0x39}))[3],
            0x94);
  EXPECT_EQ(ReadBlock(model, kIdentificationCode, 4), (std::vector<uint8_t>{0, 0, 0x30, 0x39}));
}

TEST_F(ModelTest, ServiceModeChangesAfterTheDelay) {
  const int64_t t0 = 5'000 * kMs;
  const int64_t delay = kDefaultServiceDelayMs * kMs;
  const auto enter = Request(1, 0x10, Join({{1, 1}, Password("1234"), std::vector<uint8_t>(5)}));
  const auto leave = Request(1, 0x11, Join({{1}, Password("1234")}));
  EXPECT_EQ(
      Data(Ask(model, Request(1, 0x10, Join({{1, 1}, Password("9999"), std::vector<uint8_t>(5)})), t0), 0),
      kRefuseWrongPassword);

  EXPECT_EQ(Ask(model, enter, t0)[3], 0x90);
  EXPECT_EQ(Data(Ask(model, Request(1, 0x08, {1}), t0 + delay - 1), 1), kStateNormal);
  // An entry still under way counts as already in service mode.
  EXPECT_EQ(Data(Ask(model, enter, t0 + 1), 0), kRefuseAlreadyInService);
  EXPECT_EQ(Data(Ask(model, Request(1, 0x08, {1}), t0 + delay), 1), kStateService);
  EXPECT_EQ(model.State(2, t0 + delay), kStateNormal);

  const int64_t t1 = t0 + 2 * delay;
  EXPECT_EQ(Ask(model, leave, t1)[3], 0x91);
  EXPECT_EQ(model.State(1, t1 + delay - 1), kStateService);
  EXPECT_EQ(model.State(1, t1 + delay), kStateNormal);
}

TEST_F(ModelTest, MarkersAdvanceOncePerCycleAndWrap) {
  const int64_t cycle = kMeasurementCycleMs * kMs;
  const auto at = [&](int64_t t) { return Data(Ask(model, Request(0, 0x1D, {}), t), 7); };
  EXPECT_EQ(at(10 * cycle), at(10 * cycle + cycle - 1));
  EXPECT_EQ(at(11 * cycle), (at(10 * cycle) + 1) % 128);
  EXPECT_EQ(at(127 * cycle), 127);
  EXPECT_EQ(at(128 * cycle), 0);
  const auto r = Ask(model, Request(0, 0x1D, {}), 3 * cycle);
  for (size_t k : {6, 8, 11, 12}) EXPECT_EQ(Data(r, k), 3) << k;
}

TEST_F(ModelTest, MeasurementReplyCarriesCodesFlagsAndValues) {
  model.inputs().temperature = 25.0;
  model.inputs().pressure = 6.0;
  model.inputs().ambient = 30.0;
  const auto r = Ask(model, Request(1, 0x0C, {1, 1}));
  ASSERT_EQ(r.size(), 35u);
  const auto word = [&](size_t k) {
    return static_cast<uint32_t>(Data(r, k) << 24 | Data(r, k + 1) << 16 | Data(r, k + 2) << 8 |
                                 Data(r, k + 3));
  };
  EXPECT_EQ(word(2), PressureCode(6.0, 30.0));
  EXPECT_EQ(word(7), TemperatureCode(25.0, 30.0));
  EXPECT_EQ(word(12), static_cast<uint32_t>(AmbientCode(30.0)) << 8);
  EXPECT_EQ(Data(r, 6), 1);
  EXPECT_EQ(Data(r, 11), 1);
  EXPECT_NEAR(DeviceFloatAt(r.data() + 4 + 17, DeviceByteOrder::MsbFirst), 6.0, 1e-3);
  EXPECT_NEAR(DeviceFloatAt(r.data() + 4 + 21, DeviceByteOrder::MsbFirst), 25.0, 1e-3);
  EXPECT_NEAR(DeviceFloatAt(r.data() + 4 + 25, DeviceByteOrder::MsbFirst), 30.0, 1e-3);

  // The volume-meter pipelines have no differential-pressure channel.
  EXPECT_EQ(Data(Ask(model, Request(1, 0x0C, {1, 2})), 6), 0);
  EXPECT_EQ(Data(Ask(model, Request(1, 0x0C, {1, 7})), 0), kRefuseNoSuchChannel);
}

TEST_F(ModelTest, MeasuredValuesFollowTheTablesAcrossTosPoints) {
  for (double ambient : {-30.0, -5.0, 20.0, 35.0, 60.0}) {
    for (double t : {-40.0, 0.0, 25.0, 80.0}) {
      model.inputs().ambient = ambient;
      model.inputs().temperature = t;
      model.inputs().pressure = t / 10.0 + 5.0;
      const MeasurementSnapshot m = model.Measure(0);
      ASSERT_TRUE(m.temperature.valid && m.pressure.valid);
      EXPECT_NEAR(m.temperature.value, t, 0.01) << ambient;
      EXPECT_NEAR(m.pressure.value, t / 10.0 + 5.0, 0.001) << ambient;
      EXPECT_NEAR(m.ambient.value, ambient, 0.01);
    }
  }
}

TEST_F(ModelTest, StoredCharacteristicConstantsChangeTheMeasuredPressure) {
  model.inputs().pressure = 4.0;
  std::vector<uint8_t> constants(26, 0);
  StoreDeviceFloat(constants.data() + 0, 0.5f, DeviceByteOrder::MsbFirst);
  StoreDeviceFloat(constants.data() + 4, 2.0f, DeviceByteOrder::MsbFirst);
  StoreDeviceFloat(constants.data() + 12, 1.0f, DeviceByteOrder::MsbFirst);
  StoreCrc16(constants.data(), 24);
  ASSERT_EQ(
      Ask(model, WriteRequest(kCharacteristicConstants, RecordKind::CharacteristicConstants, constants))[3],
      0x94);
  EXPECT_NEAR(model.Measure(0).pressure.value, 8.5, 1e-3);
}

TEST(ModelDifferential, Model7MeasuresDifferentialPressure) {
  FlowComputerConfig config;
  config.model = 7;
  FlowComputerModel m(config);
  m.SetCodeJitter(0);
  m.inputs().differential = 1000.0;
  const MeasurementSnapshot s = m.Measure(0);
  ASSERT_TRUE(s.differential.valid);
  EXPECT_NEAR(s.differential.value, 1000.0, 0.01);
}

TEST_F(ModelTest, HartRelayReachesTheOwnTransmitter) {
  const std::vector<uint8_t> hart = {0x82, 0x26, 0x06, 0x10, 0x00, 0x01, 0x2B, 0x00, 0x98};
  const auto r = Ask(model, Request(1, 0x0B, Join({Password("1234"), hart})));
  ASSERT_EQ(r[3], 0x8B);
  EXPECT_EQ(std::vector<uint8_t>(r.begin() + 4, r.end() - 2),
            (std::vector<uint8_t>{0x86, 0x26, 0x06, 0x10, 0x00, 0x01, 0x2B, 0x02, 0x00, 0x40, 0xDE}));

  std::vector<uint8_t> stranger = hart;
  stranger[5] = 0x09;
  stranger[8] ^= 0x01 ^ 0x09;
  EXPECT_EQ(Data(Ask(model, Request(1, 0x0B, Join({Password("1234"), stranger}))), 0),
            kRefuseTransmitterSilent);
  EXPECT_EQ(Data(Ask(model, Request(1, 0x0B, Join({Password("0000"), hart}))), 0), kRefuseWrongPassword);
}

}  // namespace
}  // namespace ruvenset::sim
