#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "common/byte_order.h"
#include "common/crc16.h"
#include "common/verification_record.h"
#include "enter_requests.h"
#include "verification_fixture.h"

namespace ruvenset::testing {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::string TempPath(const char* name) {
  const std::string path = ::testing::TempDir() + name;
  std::remove(path.c_str());
  return path;
}

struct VerificationRun : VerificationFixture {
  // Pages of a verification without reference and without changes: the given data-file choice.
  void PlainPages(int fileChoice, const std::string& path = {}) {
    pages.substitute = {std::nullopt};
    pages.fileChoice = {fileChoice};
    if (!path.empty()) pages.filePath = {path};
    pages.typed = {false};
    pages.start = {true};
  }
};

TEST_F(VerificationRun, TemperatureWithMarkersRecordsEveryReadingOnce) {
  Connect();
  const std::string path = TempPath("temperature.ctr");
  PlainPages(1, path);
  pages.readings = 3;
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Finished);
  EXPECT_EQ(pages.log.front(), "substitute Температура [ -40 ... 60 ]");
  EXPECT_EQ(pages.log.back(), "TForm54");
  ASSERT_EQ(pages.taken.size(), 3u);
  EXPECT_EQ(Requests(0x0C), 1 + 3);  // the identification, then one measurement per new marker
  EXPECT_GE(Requests(0x1D), 3);
  EXPECT_EQ(PipelineState(), 0);
  EXPECT_EQ(Requests(0x10), 1);
  EXPECT_EQ(EnterFlagBytes(peer->requests), (std::vector<int>{0}));
  EXPECT_EQ(Requests(0x11), 1);

  const Bytes file = ReadFile(path);
  ASSERT_EQ(file.size(), 4u + 3 * 24);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 4), (Bytes{'S', 'T', 'A', 'T'}));
  for (size_t i = 0; i < 3; ++i) {
    const uint8_t* r = file.data() + 4 + 24 * i;
    const TakenReading& t = pages.taken[i];
    EXPECT_EQ(t.count, i + 1);
    EXPECT_DOUBLE_EQ(LoadLeDouble(r), OleDateFromMoment(wallClock.seconds, wallClock.milliseconds));
    EXPECT_EQ(r[8], 1);  // temperature
    EXPECT_EQ(r[9], 0);
    EXPECT_EQ(LoadLe16(r + 10), t.ambientAdc);
    EXPECT_EQ(LoadLe32(r + 12), static_cast<uint32_t>(t.ambientAdc) << 8);
    EXPECT_EQ(LoadLe32(r + 16), t.channelAdc);
    EXPECT_FLOAT_EQ(LoadLeFloat(r + 20), t.value);
    EXPECT_NEAR(t.value, 20.0f, 0.01f);
    EXPECT_NEAR(static_cast<double>(t.channelAdc), 4'000'000 + 50'000 * 20.0, 12);
    EXPECT_NEAR(t.ambientAdc, 32768 + 400 * 20, 1);
  }
  ASSERT_FALSE(pages.displays.empty());
  EXPECT_EQ(pages.displays.back().value, "20.000 °C");
}

// The measurement reply is most significant byte first on every flow computer, also on one that sends
// its other values least significant byte first: a reply written byte by byte.
TEST_F(VerificationRun, TheMeasurementReplyIsMostSignificantByteFirstOnEveryFlowComputer) {
  sim::FlowComputerConfig device;
  device.lsb = true;
  Connect(device);
  peer->filter = [](const Bytes& request, Bytes& response) {
    if (request[0] != 0xBB || request[3] != 0x0C) return true;
    const uint8_t temperatureCode[5] = {0x00, 0x12, 0x34, 0x56, 1};  // response data bytes 7..11
    const uint8_t ambientCode[2] = {0x9F, 0x40};                     // data bytes 13..14
    const uint8_t temperature[4] = {0x41, 0xA4, 0x00, 0x00};         // data bytes 21..24: 20.5
    std::copy(temperatureCode, temperatureCode + 5, response.begin() + 4 + 7);
    std::copy(ambientCode, ambientCode + 2, response.begin() + 4 + 13);
    std::copy(temperature, temperature + 4, response.begin() + 4 + 21);
    StoreCrc16(response.data(), response.size() - 2);
    return true;
  };
  PlainPages(0);
  pages.readings = 1;
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Finished);
  ASSERT_EQ(pages.taken.size(), 1u);
  EXPECT_EQ(pages.taken[0].channelAdc, 0x123456u);
  EXPECT_EQ(pages.taken[0].ambientAdc, 0x9F40u);
  EXPECT_FLOAT_EQ(pages.taken[0].value, 20.5f);
}

TEST_F(VerificationRun, ModelWithoutMarkersPollsEveryTickAndRecordsEveryReading) {
  sim::FlowComputerConfig device;
  device.model = 4;
  Connect(device);
  const std::string path = TempPath("plain.ctr");
  PlainPages(1, path);
  pages.readings = 4;
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Finished);
  EXPECT_EQ(pages.log.back(), "TForm55");
  EXPECT_EQ(pages.ticks, 3);
  EXPECT_EQ(Requests(0x1D), 0);
  const Bytes file = ReadFile(path);
  ASSERT_EQ(file.size(), 4u + 4 * 24);
  for (size_t i = 0; i < 4; ++i) {
    const uint8_t* r = file.data() + 4 + 24 * i;
    EXPECT_EQ(r[8], 1);
    EXPECT_EQ(LoadLe32(r + 16), pages.taken[i].channelAdc);
    EXPECT_FLOAT_EQ(LoadLeFloat(r + 20), pages.taken[i].value);
  }
  EXPECT_EQ(PipelineState(), 0);
}

TEST_F(VerificationRun, PressureAgainstATypedActualValue) {
  Connect();
  pages.substitute = {std::nullopt};
  pages.poll = {0};
  technician.choices = {2};  // kPa: readings are shown converted too
  pages.fileChoice = {0};
  pages.typed = {true};
  pages.actual = {20.0f, 1.0f};  // the first lies outside 0..16 and is asked again
  pages.start = {true};
  pages.readings = 2;
  EXPECT_EQ(Verify(kKindPressure), VerificationResult::Finished);
  ASSERT_EQ(pages.taken.size(), 2u);
  EXPECT_TRUE(pages.taken[0].hasDeviation);
  EXPECT_NEAR(pages.taken[0].deviation, 0.0332f, 1e-4);
  ASSERT_FALSE(pages.displays.empty());
  const MeasuringDisplay& d = pages.displays.back();
  EXPECT_EQ(d.largestDeviation, "0.0332");
  EXPECT_EQ(d.actual, "1.00");
  EXPECT_EQ(d.value, "1.0332 кгс/см2");
  EXPECT_EQ(d.converted, "101.32 кПа");
  EXPECT_EQ(state.units.pressure, 2);
}

TEST_F(VerificationRun, DifferentialPressureAgainstTheReferenceTransmitterOnTheSharedLine) {
  sim::FlowComputerConfig device;
  device.model = 7;
  Connect(device);
  peer->model.inputs().differential = 1000.0;
  pages.substitute = {std::nullopt};
  pages.poll = {1};
  TransmitterChoice choice;
  choice.address = 16;  // rejected before any exchange, the page comes again
  TransmitterChoice good;
  good.address = 2;
  good.type = kTransmitter3095;
  pages.transmitter = {choice, good};
  pages.variable = {0};
  pages.fileChoice = {0};
  pages.start = {true};
  pages.readings = 12;
  EXPECT_EQ(Verify(kKindDiffPressure), VerificationResult::Finished);
  EXPECT_EQ(technician.Count("choice"), 0);  // no unit choice while the transmitter is polled
  ASSERT_EQ(pages.taken.size(), 12u);
  EXPECT_EQ(peer->hartRequests.front(), (Bytes{0x02, 0x02, 0x00, 0x00, 0x00}));
  EXPECT_NEAR(pages.taken.back().value, 1000.0f, 0.5f);
  EXPECT_NEAR(pages.taken.back().deviation, 0.0f, 0.5f);
  ASSERT_GE(pages.displays.size(), 11u);
  EXPECT_FALSE(pages.displays.back().reference.empty());
  EXPECT_FALSE(pages.displays[10].largestDeviation.empty());  // the 12th reading, the 11th reference
  EXPECT_TRUE(pages.displays[9].largestDeviation.empty());
  EXPECT_EQ(line->Line().parity, Parity::None);
  EXPECT_EQ(PipelineState(), 0);
  EXPECT_FALSE(settings.transmitter.address != 2);
}

TEST_F(VerificationRun, LowerRangeMeasuresWithItsChannelCodeAndMarker) {
  sim::FlowComputerConfig device;
  device.model = 7;
  Connect(device);
  pages.substitute = {std::nullopt};
  pages.poll = {0};
  technician.choices = {0};
  PlainPages(0);
  pages.poll = {0};
  pages.readings = 2;
  EXPECT_EQ(Verify(kKindLowerDiffPressure), VerificationResult::Finished);
  EXPECT_EQ(pages.taken.size(), 2u);
  for (const auto& r : peer->requests) {
    ASSERT_GE(r.size(), 6u);
    if (r[0] == 0xBB && r[3] == 0x0C) {
      EXPECT_EQ(r[5], 3);
    }
    if (r[3] == 0x10) {
      EXPECT_EQ(r[5], 3);
    }
  }
}

TEST_F(VerificationRun, FinishingBeforeAnyReadingLeavesServiceMode) {
  Connect();
  PlainPages(0);
  pages.onTick = [](MeasuringWindow& window, int) { window.BitBtn1Click(); };
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Finished);
  EXPECT_EQ(pages.ticks, 1);  // finished right after the first tick
  EXPECT_EQ(Requests(0x11), 1);
  EXPECT_EQ(PipelineState(), 0);
}

// Escape pressed after a tick's last exchange: the Stop finds no exchange to end and must not stop
// leaving service mode.
TEST_F(VerificationRun, StopPressedBetweenTicksDoesNotKeepServiceModeFromBeingLeft) {
  Connect();
  PlainPages(0);
  pages.onTick = [&](MeasuringWindow& window, int tick) {
    if (tick < 2) return;
    state.link.stop().Request();
    window.BitBtn1Click();
  };
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Finished);
  EXPECT_EQ(Requests(0x11), 1);
  EXPECT_EQ(PipelineState(), 0);
}

TEST_F(VerificationRun, ButtonsResetTheStatisticsAndTakeANewActualValue) {
  Connect();
  pages.substitute = {std::nullopt};
  pages.poll = {0};
  technician.choices = {0};
  pages.fileChoice = {0};
  pages.typed = {true};
  pages.actual = {1.0f, 1.05f};
  pages.start = {true};
  pages.readings = 3;
  pages.onTick = [](MeasuringWindow& window, int) {
    if (window.statistics().count() != 2) return;
    window.BitBtn2Click();
    window.BitBtn3Click();
  };
  EXPECT_EQ(Verify(kKindPressure), VerificationResult::Finished);
  ASSERT_FALSE(pages.displays.empty());
  const MeasuringDisplay& d = pages.displays.back();
  EXPECT_EQ(d.count, "1");  // counted again from the reset
  EXPECT_EQ(d.actual, "1.05");
  EXPECT_EQ(d.resetTime, FormatReadingTime(wallClock.seconds));
  EXPECT_EQ(d.actualSince, d.resetTime);
  EXPECT_EQ(d.largestDeviation, "-0.0168");
  EXPECT_EQ(d.value, "1.0332 кгс/см2");
  EXPECT_TRUE(d.converted.empty());
}

TEST_F(VerificationRun, CancelOnAPageNeverEntersServiceMode) {
  Connect();
  PlainPages(0);
  pages.start = {false};
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Cancelled);
  EXPECT_EQ(Requests(0x10), 0);
}

TEST_F(VerificationRun, DataFileThatCannotBeCreatedEndsBeforeServiceMode) {
  Connect();
  PlainPages(1, ::testing::TempDir() + "no-such-folder/x.ctr");
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Abandoned);
  EXPECT_EQ(technician.Count("message Ошибка"), 1);
  EXPECT_EQ(Requests(0x10), 0);
}

TEST_F(VerificationRun, FailedEntryClosesTheFileWithTheMagicIntact) {
  Connect();
  const std::string path = TempPath("refused.ctr");
  PlainPages(1, path);
  peer->model.RefuseNext(0x10, 2, 0, 0);
  technician.confirms = {false};  // no new request
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::ServiceModeFailed);
  EXPECT_EQ(technician.Count("box"), 1);
  EXPECT_EQ(ReadFile(path), (Bytes{'S', 'T', 'A', 'T'}));
  EXPECT_EQ(Requests(0x11), 0);
}

TEST_F(VerificationRun, TicksGoOnThroughLinkFailuresRefusalsAndInvalidReadings) {
  Connect();
  const std::string path = TempPath("faults.ctr");
  PlainPages(1, path);
  pages.readings = 3;
  int phase = 0;
  peer->filter = [&](const Bytes& request, Bytes& response) {
    if (request[3] != 0x0C || request[0] != 0xBB) return true;
    if (phase == 1) return false;  // lost answer
    if (phase == 2) {
      response[4 + 11] = 0;  // the temperature's valid flag
      StoreCrc16(response.data(), response.size() - 2);
    }
    return true;
  };
  pages.onTick = [&](MeasuringWindow& window, int) {
    if (window.statistics().count() == 1 && phase == 0)
      phase = 1;
    else if (phase == 1 && !window.display().message.empty()) {
      EXPECT_EQ(window.display().message, "Нет связи с вычислителем");
      phase = 2;
    } else if (phase == 2 && window.display().value.empty()) {
      phase = 3;
      peer->model.RefuseNext(0x0C, 10, 0, 1);
    } else if (phase == 3 && !window.display().message.empty()) {
      EXPECT_EQ(window.display().message, "Отказ вычислителя, код 10");
      phase = 4;
    }
  };
  pages.maxTicks = 100;
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Finished);
  EXPECT_EQ(phase, 4);
  EXPECT_EQ(pages.taken.size(), 3u);
  EXPECT_EQ(ReadFile(path).size(), 4u + 3 * 24);
  EXPECT_EQ(PipelineState(), 0);
}

TEST_F(VerificationRun, ServiceModeIsLeftAfterTheLinkFailedMidway) {
  Connect();
  PlainPages(0);
  pages.readings = 1;
  pages.onTick = [&](MeasuringWindow&, int tick) {
    if (tick == 0) line->FailReads(true);
    if (tick == 5) line->FailReads(false);
  };
  pages.readings = 2;
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Finished);
  EXPECT_EQ(PipelineState(), 0);
}

TEST_F(VerificationRun, RepeatedMarkerTakesNoReading) {
  Connect();
  PlainPages(0);
  peer->filter = [](const Bytes& request, Bytes& response) {
    if (request[3] == 0x1D) {
      response[4 + 7] = 42;
      StoreCrc16(response.data(), response.size() - 2);
    }
    return true;
  };
  pages.readings = 2;
  pages.maxTicks = 20;
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Finished);
  EXPECT_EQ(pages.taken.size(), 1u);
  EXPECT_EQ(Requests(0x0C) - 1, 1);  // the identification at connect, then one measurement
}

TEST_F(VerificationRun, ResetStatisticsTakesTheCurrentConversionAgain) {
  Connect();
  PlainPages(0);
  peer->filter = [](const Bytes& request, Bytes& response) {
    if (request[3] == 0x1D) {
      response[4 + 7] = 42;
      StoreCrc16(response.data(), response.size() - 2);
    }
    return true;
  };
  bool reset = false;
  pages.onTick = [&](MeasuringWindow& window, int) {
    if (window.statistics().count() == 1 && !reset) {
      reset = true;
      window.BitBtn2Click();
    }
  };
  pages.readings = 5;
  pages.maxTicks = 10;
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Finished);
  EXPECT_EQ(Requests(0x0C) - 1, 2);  // the reading before the reset and the one right after it
  ASSERT_FALSE(pages.displays.empty());
  EXPECT_EQ(pages.displays.back().count, "1");
}

TEST_F(VerificationRun, GarbageFromTheTransmitterIsShownAndTheTicksGoOn) {
  sim::FlowComputerConfig device;
  device.model = 7;
  Connect(device);
  pages.substitute = {std::nullopt};
  pages.poll = {1};
  TransmitterChoice choice;
  choice.address = 1;
  pages.transmitter = {choice};
  pages.fileChoice = {0};
  pages.start = {true};
  pages.readings = 3;
  pages.onTick = [&](MeasuringWindow&, int) {
    peer->hartFilter = [](const Bytes&, Bytes& response) {
      response.assign(30, 0x3C);
      return true;
    };
  };
  EXPECT_EQ(Verify(kKindDiffPressure), VerificationResult::Finished);
  EXPECT_EQ(pages.taken.size(), 3u);
  ASSERT_FALSE(pages.displays.empty());
  EXPECT_EQ(pages.displays.back().referenceError, "Нет данных, Ошибка связи");
  EXPECT_TRUE(pages.displays.back().reference.empty());
  EXPECT_EQ(PipelineState(), 0);
}

TEST_F(VerificationRun, ChangedSubstituteValueIsWrittenAfterConfirmation) {
  Connect();
  pages.substitute = {SubstituteValueAnswer{false, 25.0f}, SubstituteValueAnswer{false, 25.0f}};
  technician.confirms = {false, true};  // No restores the record and shows the page again
  PlainPages(0);
  pages.substitute = {SubstituteValueAnswer{false, 25.0f}, SubstituteValueAnswer{false, 25.0f}};
  pages.start = {false};
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Cancelled);
  EXPECT_EQ(technician.Count("confirm  | Записать изменения в вычислитель?"), 2);
  EXPECT_EQ(technician.writeQuestions.size(), 2u);
  EXPECT_EQ(Requests(0x09), 2);  // the parameter block at connect, then the state record
  float constant = 0;
  std::memcpy(&constant, state.record.stateRecord(1) + 10, 4);
  EXPECT_EQ(constant, 25.0f);
  EXPECT_EQ(state.record.stateRecord(1)[1] & 0x02, 0);
}

}  // namespace
}  // namespace ruvenset::testing

namespace ruvenset::testing {
namespace {

TEST_F(VerificationRun, UpperRangeSubstituteGoesIntoTheDifferentialPressureGroup) {
  sim::FlowComputerConfig device;
  device.model = 7;
  Connect(device);
  uint8_t before[kPipelineStateSize];
  std::memcpy(before, state.record.stateRecord(1), kPipelineStateSize);
  pages.substitute = {SubstituteValueAnswer{false, 1.5f}};
  technician.confirms = {true};
  pages.poll = {0};
  technician.choices = {0};
  pages.fileChoice = {0};
  pages.typed = {false};
  pages.start = {false};
  EXPECT_EQ(Verify(kKindUpperDiffPressure), VerificationResult::Cancelled);
  const uint8_t* after = state.record.stateRecord(1);
  float constant = 0;
  std::memcpy(&constant, after + 2, 4);
  EXPECT_EQ(constant, 1.5f);
  EXPECT_EQ(after[1] & 0x04, 0);
  EXPECT_EQ(after[1] & 0x10, before[1] & 0x10);
  EXPECT_EQ(Bytes(after + 15, after + 19), Bytes(before + 15, before + 19));
  EXPECT_EQ(Requests(0x09), 2);
}

}  // namespace
}  // namespace ruvenset::testing

namespace ruvenset::testing {
namespace {

TEST_F(VerificationRun, ClosingTheTypedReferenceQuestionEndsTheVerification) {
  Connect();
  PlainPages(0);
  pages.typed = {std::nullopt};
  EXPECT_EQ(Verify(kKindTemperature), VerificationResult::Cancelled);
  EXPECT_EQ(Requests(0x10), 0);
  EXPECT_EQ(pages.log.back(), "typed reference");
}

}  // namespace
}  // namespace ruvenset::testing
