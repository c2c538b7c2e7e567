#include "sim/hart_transmitter_model.h"

#include <gtest/gtest.h>

#include "sim/hart_frame.h"

namespace ruvenset::sim {
namespace {

using Frame = std::vector<uint8_t>;

Frame Ask(HartTransmitterModel& t, const Frame& request, const AppliedInputs& inputs = {}) {
  Frame response;
  if (!t.Handle(request.data(), request.size(), inputs, response)) response.clear();
  return response;
}

// A long-frame request to the 3051 below, with its parity appended.
Frame Long(uint8_t command, const Frame& data = {}) {
  Frame f = {0x82, 0x26, 0x06, 0x20, 0x00, 0x01, command, static_cast<uint8_t>(data.size())};
  for (uint8_t b : data) f.push_back(b);
  f.push_back(HartParity(f.data(), f.size()));
  return f;
}

struct HartTest : ::testing::Test {
  HartTransmitterModel pressure =
      HartTransmitterModel::Make3051(1, HartVariable::Pressure, kHartKPa, {0x20, 0x00, 0x01});
  HartTransmitterModel multi = HartTransmitterModel::Make3095(2, {0x20, 0x00, 0x02});
};

TEST_F(HartTest, Command0OnAShortFrameGivesTheIdentity) {
  EXPECT_EQ(Ask(pressure, {0x02, 0x01, 0x00, 0x00, 0x03}),
            (Frame{0x06, 0x01, 0x00, 0x0E, 0x00, 0x00, 0xFE, 0x26, 0x06, 0x05, 0x05, 0x01, 0x01, 0x01, 0x00,
                   0x20, 0x00, 0x01, 0xF7}));
  EXPECT_EQ(pressure.LongAddress(), (std::array<uint8_t, 5>{0x26, 0x06, 0x20, 0x00, 0x01}));
}

TEST_F(HartTest, Command1ReadsThePrimaryVariableInItsUnit) {
  AppliedInputs inputs;
  inputs.pressure = 1.0;  // kgf/cm2 = 98.0665 kPa
  EXPECT_EQ(Ask(pressure, Long(1), inputs), (Frame{0x86, 0x26, 0x06, 0x20, 0x00, 0x01, 0x01, 0x07, 0x00, 0x00,
                                                   0x0C, 0x42, 0xC4, 0x22, 0x0C, 0x25}));
}

TEST_F(HartTest, SilentToOthersAndToDamagedFrames) {
  Frame damaged = Long(1);
  damaged.back() ^= 0x01;
  Frame stranger = Long(1);
  stranger[5] = 0x07;
  stranger.back() ^= 0x01 ^ 0x07;
  const Frame cases[] = {damaged, stranger, {0x02, 0x03, 0x00, 0x00, 0x01}, {0x02, 0x01, 0x01, 0x00, 0x02}};
  for (const Frame& f : cases) EXPECT_TRUE(Ask(pressure, f).empty());
}

TEST_F(HartTest, Command110GivesFourVariablesOnlyOnTheMultivariable) {
  AppliedInputs inputs;
  inputs.temperature = 12.5;
  Frame request = {0x82, 0x26, 0x0C, 0x20, 0x00, 0x02, 110, 0x00};
  request.push_back(HartParity(request.data(), request.size()));
  const Frame r = Ask(multi, request, inputs);
  ASSERT_EQ(r.size(), 31u);  // delimiter, address, command, count, 2 status bytes, 20 data, parity
  EXPECT_EQ(r[6], 110);
  EXPECT_EQ(r[7], 22);
  EXPECT_EQ(HartParity(r.data(), r.size()), 0);
  const uint8_t* data = r.data() + 10;
  EXPECT_EQ(data[5 * 2], kHartDegC);
  EXPECT_EQ((Frame{data[11], data[12], data[13], data[14]}), (Frame{0x41, 0x48, 0x00, 0x00}));  // 12.5

  const Frame refused = Ask(pressure, Long(110));
  EXPECT_EQ(refused[8], 64);  // command not implemented
}

TEST_F(HartTest, ZeroCommandsSetConfigurationChangedAndZeroTheReading) {
  AppliedInputs inputs;
  inputs.pressure = 2.0;
  EXPECT_EQ(Ask(pressure, Long(52), inputs)[8], 5);  // too few data bytes
  EXPECT_EQ(Ask(pressure, Long(52, {3}), inputs)[8], 2);
  const Frame zeroed = Ask(pressure, Long(52, {0}), inputs);
  EXPECT_EQ(zeroed[8], 0);
  EXPECT_EQ(zeroed[9], 0x40);
  EXPECT_EQ(zeroed[10], 0);
  EXPECT_FLOAT_EQ(pressure.Reading(HartVariable::Pressure, inputs), 0.0f);
  inputs.pressure = 3.0;
  EXPECT_NEAR(pressure.Reading(HartVariable::Pressure, inputs), 98.0665, 1e-3);
  const Frame zero43 = Ask(pressure, Long(43), inputs);
  EXPECT_EQ(zero43[9], 0x40);
  EXPECT_FLOAT_EQ(pressure.Reading(HartVariable::Pressure, inputs), 0.0f);
}

}  // namespace
}  // namespace ruvenset::sim
