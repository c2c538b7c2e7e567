#include <gtest/gtest.h>

#include "calibration/point_acquisition.h"
#include "calibration_fixture.h"
#include "common/crc16.h"

namespace ruvenset::testing {
namespace {

using Bytes = std::vector<uint8_t>;

struct Acquisition : CalibrationFixture {
  AcquisitionSetup Setup(AcquisitionMode mode, bool statistics = true) {
    AcquisitionSetup setup;
    setup.mode = mode;
    setup.statistics = statistics;
    setup.kind = kCalibrationTemperature;
    setup.channelSelector = 1;
    return setup;
  }
  AcquisitionTick Tick(TForm60Logic& window) {
    clock.SleepFor(int64_t{kAcquisitionInterval} * 1'000'000);
    return window.Tick();
  }
};

TEST_F(Acquisition, PointTicksTakeTheTemperatureCodeOncePerConversion) {
  Connect();
  peer->model.inputs().temperature = 30.0;  // 4 000 000 + 50 000 × 30
  TForm60Logic window(state, technician, Setup(AcquisitionMode::Point));
  int sampled = 0;
  for (int i = 0; i < 12; ++i) sampled += Tick(window).sampled;
  EXPECT_EQ(window.samples().count(), sampled);
  EXPECT_GE(sampled, 10);
  EXPECT_EQ(window.samples().mean(), 5'500'000u);
  const AcquisitionTick& last = window.current();
  EXPECT_EQ(last.lines[4].substr(0, 8), "5500000 ");
  EXPECT_EQ(last.lines[6], "5500000 ");
  EXPECT_EQ(last.lines[9], "0");
}

// The measurement reply carries its codes most significant byte first on every flow computer, also on
// one that sends its other values least significant byte first: a reply written byte by byte.
TEST_F(Acquisition, TheMeasurementReplyIsMostSignificantByteFirstOnEveryFlowComputer) {
  sim::FlowComputerConfig device;
  device.lsb = true;
  Connect(device);
  peer->filter = [](const Bytes& request, Bytes& response) {
    if (request[0] != 0xBB || request[3] != 0x0C) return true;
    const uint8_t temperature[5] = {0x00, 0x12, 0x34, 0x56, 1};  // response data bytes 7..11
    const uint8_t ambient[5] = {0x00, 0x9F, 0x40, 0x00, 1};      // data bytes 12..16: 0x9F40 = 40768
    std::copy(temperature, temperature + 5, response.begin() + 4 + 7);
    std::copy(ambient, ambient + 5, response.begin() + 4 + 12);
    StoreCrc16(response.data(), response.size() - 2);
    return true;
  };
  TForm60Logic point(state, technician, Setup(AcquisitionMode::Point));
  while (!Tick(point).sampled) {
  }
  EXPECT_EQ(point.samples().mean(), 0x123456u);
  TForm60Logic tos(state, technician, Setup(AcquisitionMode::Ambient));
  while (!Tick(tos).sampled) {
  }
  EXPECT_EQ(tos.samples().mean(), 40768u);
}

TEST_F(Acquisition, ACounterOf128OrMoreReadsOnEveryTick) {
  Connect();
  peer->filter = [](const Bytes& request, Bytes& response) {
    if (request[3] == 0x1D) {
      response[4 + 7] = 200;
      StoreCrc16(response.data(), response.size() - 2);
    }
    return true;
  };
  TForm60Logic window(state, technician, Setup(AcquisitionMode::Point));
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(Tick(window).sampled) << i;
  EXPECT_EQ(window.samples().count(), 6);
}

TEST_F(Acquisition, AFailedOrRefusedMeasurementEndsTheTick) {
  Connect();
  TForm60Logic window(state, technician, Setup(AcquisitionMode::Point));
  while (!Tick(window).sampled) {
  }
  bool drop = true;
  peer->filter = [&](const Bytes& request, Bytes&) { return !(drop && request[3] == 0x0C); };
  AcquisitionTick tick;
  for (int i = 0; i < 4 && tick.lines[0].empty(); ++i) tick = Tick(window);
  EXPECT_EQ(tick.lines[0], Text(2217));
  EXPECT_FALSE(tick.sampled);
  EXPECT_EQ(window.samples().count(), 1);

  drop = false;
  peer->model.RefuseNext(0x0C, 10, 0, 1);
  tick = {};
  for (int i = 0; i < 4 && tick.lines[0].empty(); ++i) tick = Tick(window);
  EXPECT_EQ(tick.lines[0], "Отказ вычислителя, код 10");
  EXPECT_EQ(window.samples().count(), 1);

  // An answer cut short of the code blocks is no reading either.
  peer->filter = [](const Bytes& request, Bytes& response) {
    if (request[3] == 0x0C && request[0] == 0xBB) {
      response.resize(4 + 10);
      response[2] = static_cast<uint8_t>(response.size() + 2);
      response.resize(response.size() + 2);
      StoreCrc16(response.data(), response.size() - 2);
    }
    return true;
  };
  tick = {};
  for (int i = 0; i < 4 && tick.lines[0].empty(); ++i) tick = Tick(window);
  EXPECT_FALSE(tick.lines[0].empty());
  EXPECT_EQ(window.samples().count(), 1);
}

TEST_F(Acquisition, ACounterAnswerCutShortIsNoConversion) {
  Connect();
  peer->filter = [](const Bytes& request, Bytes& response) {
    if (request[3] == 0x1D) {
      response.resize(4 + 7);  // data bytes 0..6: the temperature counter (data byte 7) is missing
      response[2] = static_cast<uint8_t>(response.size() + 2);
      response.resize(response.size() + 2);
      StoreCrc16(response.data(), response.size() - 2);
    }
    return true;
  };
  TForm60Logic window(state, technician, Setup(AcquisitionMode::Point));
  const int measurements = Requests(0x0C);
  AcquisitionTick tick;
  for (int i = 0; i < 3; ++i) tick = Tick(window);
  EXPECT_EQ(tick.lines[0], Text(2217));  // a cut answer is a wrong answer of the link
  EXPECT_EQ(window.samples().count(), 0);
  EXPECT_EQ(Requests(0x0C), measurements);
}

TEST_F(Acquisition, AnInvalidChannelLeavesTheStatisticsAlone) {
  Connect();
  peer->filter = [](const Bytes& request, Bytes& response) {
    if (request[3] == 0x0C && request[0] == 0xBB) {
      response[4 + 11] = 0;
      StoreCrc16(response.data(), response.size() - 2);
    }
    return true;
  };
  TForm60Logic window(state, technician, Setup(AcquisitionMode::Point));
  AcquisitionTick tick;
  for (int i = 0; i < 3; ++i) tick = Tick(window);
  EXPECT_EQ(tick.lines[1], Text(2218));
  EXPECT_EQ(window.samples().count(), 0);
}

TEST_F(Acquisition, AmbientTicksTakeTheSixteenBitTosCode) {
  Connect();
  peer->model.inputs().ambient = 25.0;  // 32768 + 400 × 25
  TForm60Logic window(state, technician, Setup(AcquisitionMode::Ambient));
  for (int i = 0; i < 5; ++i) Tick(window);
  EXPECT_GT(window.samples().count(), 2);
  EXPECT_EQ(window.samples().mean(), 42768u);
  EXPECT_EQ(window.current().lines[4], "42768 (0xa710)");
}

TEST_F(Acquisition, NextNeedsCodesInTheWindow) {
  Connect();
  peer->model.inputs().temperature = 10.0;
  AcquisitionTools tools{state, technician, runPages, lists};
  CalibrationRun run;
  // The technician resets the statistics and presses Next at once: nothing is taken, the window stays.
  bool reset = false;
  runPages.onTick = [&](TForm60Logic& window, const AcquisitionTick&, int) -> std::optional<int> {
    if (!reset && window.samples().count() >= 3) {
      reset = true;
      window.BitBtn2Click();
      return kMeasurementNext;
    }
    return std::nullopt;
  };
  runPages.readings = 3;
  EXPECT_EQ(RunMeasurementWindow(tools, run, AcquisitionMode::Point, true), MeasurementResult::Next);
  EXPECT_EQ(technician.Count("message " + Text(2238) + " | " + Text(3160)), 1);
  EXPECT_EQ(run.acceptedCode, 4'500'000u);
  EXPECT_EQ(runPages.log.size(), 2u);
}

TEST_F(Acquisition, BoundsArePrintedAndReadBack) {
  Connect();
  CalibrationRun run;
  run.kind = kCalibrationTemperature;
  ValueBounds b = PointValueBounds(state, run);
  EXPECT_EQ(b.rangeText, "[-45.00...85.00]");
  run.kind = kCalibrationPressure;
  b = PointValueBounds(state, run);
  // Pressure 0 .. 16 kgf/cm2: 0.95 × 0.8564 and 1.04 × 16, at the displayed precision.
  EXPECT_FLOAT_EQ(b.lower, 0.8136f);
  EXPECT_FLOAT_EQ(b.upper, 16.64f);
  EXPECT_EQ(b.rangeText, "[0.8136...16.640]");
  run.unitsDiffer = true;
  run.calibrationUnit = 2;  // kPa
  b = PointValueBounds(state, run);
  EXPECT_EQ(b.rangeText, "[79.785...1631.8]");
}

}  // namespace
}  // namespace ruvenset::testing
