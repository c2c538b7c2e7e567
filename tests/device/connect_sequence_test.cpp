#include "device/passwords.h"
#include "device/pipeline_state.h"
#include "device/release_service.h"
#include "device_fixture.h"
#include "scripted_peer.h"

namespace ruvenset {
namespace {

using testing::DeviceFixture;

struct ConnectTest : DeviceFixture {};

TEST_F(ConnectTest, ServedDeviceIsReadWhole) {
  technician.passwords.push_back("1234");
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  EXPECT_TRUE(state.connected);
  EXPECT_EQ(state.config.waitForUser, 0);
  const ConnectionRecord& r = state.record;
  EXPECT_EQ(r.id.type, device.model);
  EXPECT_EQ(r.id.version, device.version);
  EXPECT_EQ(r.pipelineCount(), device.pipelines);
  EXPECT_FALSE(r.identificationText.empty());
  EXPECT_EQ(r.pipelineStateByte(1), 0);
  EXPECT_EQ(state.link.runtime().preambleInRts, 1);
  EXPECT_EQ(technician.Count("password single"), 1);
  EXPECT_EQ(technician.Count("notice"), 0);
  // The write password is kept in the flow computer's form: blank padded to 16 bytes.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(r.writePassword), 16), "1234            ");
}

TEST_F(ConnectTest, UnservedTypesAndVersionsAreRefusedWithTheirNotice) {
  struct Case {
    int model;
    int version;
    int line2;
    const char* suffix;
  };
  const Case cases[] = {{18, 40, 2867, ""}, {20, 40, 2867, "20"}, {7, 19, 2866, ""}, {9, 30, 2866, ""}};
  for (const auto& c : cases) {
    technician.log.clear();
    device.model = c.model;
    device.version = c.version;
    EXPECT_EQ(Connect(), ConnectResult::Refused) << c.model;
    ASSERT_EQ(technician.Count("notice"), 1) << c.model;
    EXPECT_EQ(technician.log.back(), "notice " + state.Text(2325) + " | " + state.Text(2864) + " | " +
                                         state.Text(c.line2) + c.suffix + " | 3400");
    EXPECT_EQ(technician.Count("password"), 0);
    EXPECT_EQ(state.port, nullptr);
  }
  technician.passwords.push_back("1234");
  device.model = 7;
  device.version = 20;
  EXPECT_EQ(Connect(), ConnectResult::Connected);
}

TEST_F(ConnectTest, CancelledPasswordEndsTheConnect) {
  technician.passwords.push_back(std::nullopt);
  EXPECT_EQ(Connect(), ConnectResult::Abandoned);
  EXPECT_FALSE(state.connected);
  EXPECT_EQ(state.port, nullptr);
}

TEST_F(ConnectTest, PipelineLeftInServiceModeIsOfferedForRelease) {
  for (bool release : {false, true}) {
    technician.log.clear();
    technician.passwords.push_back("1234");
    technician.confirms.push_back(release);
    auto opener = [&](const std::string&, std::unique_ptr<SerialPort>& port) {
      auto loop = std::make_unique<LoopbackPort>(clock);
      peer = std::make_unique<testing::SimPeer>(*loop, clock, device);
      peer->model.ForceState(2, 3);
      port = std::move(loop);
      return PortOpenResult{};
    };
    ASSERT_EQ(ConnectToFlowComputer(state, technician, technician, opener, "x"), ConnectResult::Connected);
    EXPECT_EQ(technician.Count("confirm3"), 1);
    EXPECT_EQ(peer->model.State(2, clock.NowNs() + 10'000'000'000), release ? 0 : 3) << release;
    EXPECT_EQ(state.record.pipelineStateByte(2), 3);
  }
}

TEST_F(ConnectTest, LinkFailureIsRetriedOrDeclined) {
  for (bool retry : {true, false}) {
    technician.log.clear();
    technician.passwords.push_back("1234");
    technician.confirms.push_back(retry);
    int dropped = 0;
    auto opener = [&](const std::string&, std::unique_ptr<SerialPort>& port) {
      auto loop = std::make_unique<LoopbackPort>(clock);
      peer = std::make_unique<testing::SimPeer>(*loop, clock, device);
      // The first answer to the configuration read is lost on the line.
      peer->filter = [&dropped](const std::vector<uint8_t>& request, std::vector<uint8_t>&) {
        return !(request[0] == 0xAA && request[3] == 0x08 && dropped++ == 0);
      };
      port = std::move(loop);
      return PortOpenResult{};
    };
    const ConnectResult result = ConnectToFlowComputer(state, technician, technician, opener, "x");
    EXPECT_EQ(result, retry ? ConnectResult::Connected : ConnectResult::Abandoned);
    EXPECT_EQ(technician.Count("confirm " + state.Text(2195)), 1);
  }
}

TEST_F(ConnectTest, RefusedPipelineSelectionIsShownAndEndsTheConnect) {
  technician.passwords.push_back("1234");
  auto opener = [&](const std::string&, std::unique_ptr<SerialPort>& port) {
    auto loop = std::make_unique<LoopbackPort>(clock);
    peer = std::make_unique<testing::SimPeer>(*loop, clock, device);
    // The pipeline selection (0x08 with 0xBB) is refused with code 12 for pipeline 1, argument 4.
    peer->filter = [](const std::vector<uint8_t>& request, std::vector<uint8_t>& response) {
      if (request[0] == 0xBB && request[3] == 0x08) response = testing::Response(1, 0x08, {12, 0, 4});
      return true;
    };
    port = std::move(loop);
    return PortOpenResult{};
  };
  EXPECT_EQ(ConnectToFlowComputer(state, technician, technician, opener, "x"), ConnectResult::Abandoned);
  ASSERT_EQ(technician.Count("box"), 1);
  EXPECT_EQ(technician.log.back(),
            "box " + state.Text(2325) + " | " + state.Text(2362) + state.texts.FormatText(1914 + 12, {4, 1}));
}

TEST_F(ConnectTest, NoFlowComputerOnTheLine) {
  auto opener = [&](const std::string&, std::unique_ptr<SerialPort>& port) {
    port = std::make_unique<LoopbackPort>(clock);
    return PortOpenResult{};
  };
  EXPECT_EQ(ConnectToFlowComputer(state, technician, technician, opener, "x"), ConnectResult::NoFlowComputer);
  EXPECT_EQ(technician.log.back(), "message " + state.Text(2385) + " | " + state.Text(2835));
  auto denied = [&](const std::string&, std::unique_ptr<SerialPort>&) {
    return PortOpenResult{PortOpenError::NoPermission, EACCES};
  };
  EXPECT_EQ(ConnectToFlowComputer(state, technician, technician, denied, "/dev/ttyUSB0"),
            ConnectResult::PortFailed);
  EXPECT_NE(technician.log.back().find("dialout"), std::string::npos);
}

TEST_F(ConnectTest, ReleaseServiceModeWaitsForEachPipeline) {
  technician.passwords.push_back("1234");
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  peer->model.ForceState(1, 3);
  struct Seen : ReleaseObserver {
    std::vector<int> pipelines;
    void Released(int p) override { pipelines.push_back(p); }
  } seen;
  // The flow computer takes several 500 ms steps to leave: polling goes on until it has.
  peer->model.SetServiceDelayMs(4'000);
  technician.clock = &clock;
  EXPECT_EQ(ReleaseServiceMode(state, technician, &seen), ReleaseResult::Released);
  EXPECT_EQ(seen.pipelines, std::vector<int>{1});
  EXPECT_EQ(technician.Count("progress"), 1);
  EXPECT_GE(technician.pausedMs, 4'000);
  EXPECT_EQ(state.record.pipelineStateByte(1), 0);
  EXPECT_EQ(peer->model.State(1, clock.NowNs()), 0);

  technician.log.clear();
  EXPECT_EQ(ReleaseServiceMode(state, technician, nullptr), ReleaseResult::NoneInService);
  EXPECT_EQ(technician.log.back(), "message " + state.Text(2325) + " | " + state.Text(2258));
}

TEST_F(ConnectTest, PipelineThatStaysInServiceModeEndsTheWaitOnNo) {
  technician.passwords.push_back("1234");
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  peer->model.ForceState(1, 3);
  // The flow computer accepts the leave request but keeps reporting state 3.
  peer->filter = [](const std::vector<uint8_t>& request, std::vector<uint8_t>& response) {
    if (request[0] == 0xBB && request[3] == 0x08 && response.size() > 7) {
      response[5] = 3;
      StoreCrc16(response.data(), response.size() - 2);
    }
    return true;
  };
  technician.clock = &clock;
  technician.confirms = {true, false};  // wait another minute once, then give up
  EXPECT_EQ(ReleaseServiceMode(state, technician, nullptr), ReleaseResult::StillInService);
  const std::string question = "confirm " + state.Text(2325) + " | " + state.texts.FormatText(3100, {1});
  EXPECT_EQ(technician.Count(question), 2);
  EXPECT_GE(technician.pausedMs, 120'000);
  EXPECT_LT(technician.pausedMs, 130'000);
  ASSERT_FALSE(technician.log.empty());
  EXPECT_EQ(technician.log.back(), "box " + state.Text(2325) + " | " + state.texts.FormatText(3101, {1}));
}

TEST_F(ConnectTest, WrongPasswordRefusalIsShownAndMayBeRepeated) {
  technician.passwords.push_back("0000");
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  technician.confirms = {true, false};  // send again once, then give up
  EXPECT_EQ(WritePipelineState(state, technician, technician, 1), PipelineResult::Abandoned);
  EXPECT_EQ(technician.Count("box " + state.Text(2325)), 2);
  EXPECT_EQ(technician.Count("confirm  | " + state.Text(2191)), 2);

  technician.log.clear();
  EncodePassword("1234", state.record.writePassword);
  EXPECT_EQ(WritePipelineState(state, technician, technician, 1), PipelineResult::Done);
  EXPECT_EQ(technician.Count("box"), 0);
}

}  // namespace
}  // namespace ruvenset

namespace ruvenset {
namespace {

// Garbage or silence at every step of the connect sequence: the retry question each time, and a
// declined retry ends the connect with the port closed.
TEST_F(ConnectTest, EveryStepSurvivesGarbageAndSilence) {
  struct Step {
    uint8_t start, command;
  };
  const Step steps[] = {{0xAA, 0x0C}, {0xAA, 0x08}, {0xAA, 0x09}, {0xAA, 0x22},
                        {0xAA, 0x1C}, {0xBB, 0x08}, {0xAA, 0x01}};
  for (const auto& step : steps) {
    for (bool silence : {false, true}) {
      technician.log.clear();
      technician.passwords = {"1234"};
      technician.confirms = {false};  // no retry
      auto opener = [&](const std::string&, std::unique_ptr<SerialPort>& port) {
        auto loop = std::make_unique<LoopbackPort>(clock);
        peer = std::make_unique<testing::SimPeer>(*loop, clock, device);
        peer->filter = [&](const std::vector<uint8_t>& request, std::vector<uint8_t>& response) {
          if (request[0] != step.start || request[3] != step.command) return true;
          if (silence) return false;
          for (size_t i = 3; i < response.size(); ++i)
            response[i] = static_cast<uint8_t>(response[i] * 7 + i);
          return true;
        };
        port = std::move(loop);
        return PortOpenResult{};
      };
      EXPECT_EQ(ConnectToFlowComputer(state, technician, technician, opener, "x"), ConnectResult::Abandoned)
          << int(step.command);
      EXPECT_EQ(technician.Count("confirm " + state.Text(2195)), 1) << int(step.command);
      EXPECT_EQ(state.port, nullptr);
      EXPECT_FALSE(state.connected);
    }
  }
}

}  // namespace
}  // namespace ruvenset

namespace ruvenset {
namespace {

TEST_F(ConnectTest, NewConnectionForgetsTheMemoryOfTheLastFlowComputer) {
  const uint8_t block[4] = {1, 2, 3, 4};
  state.memoryMirror.Store(4320, block, sizeof block);
  ASSERT_TRUE(state.memoryMirror.Known(4320, 4));
  technician.passwords.push_back("1234");
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  EXPECT_FALSE(state.memoryMirror.Known(4320, 4));
}

}  // namespace
}  // namespace ruvenset

#include <gtest/gtest-spi.h>

namespace ruvenset {
namespace {

TEST_F(ConnectTest, TheDemoNamesTheSimulatedFlowComputer) {
  technician.passwords = {"1234", "1234"};
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  EXPECT_EQ(technician.connection, state.texts.FormatText(1456, {state.config.link.portIndex + 1, 1200}));
  state.givenPort = {"/dev/pts/9", true};
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  EXPECT_EQ(technician.connection, state.texts.FormatText(3120, {state.Text(3133) + " (/dev/pts/9)", 1200}));
  EXPECT_EQ(technician.connection.find("COM"), std::string::npos);
}

TEST(ScriptedTechnicianTest, AnUnscriptedQuestionFailsTheTest) {
  testing::ScriptedTechnician technician;
  EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(technician.Confirm("caption", "question")), "unscripted question");
  EXPECT_NONFATAL_FAILURE(EXPECT_EQ(technician.AskWritePassword(true), std::nullopt), "unscripted question");
  technician.confirms = {true};
  EXPECT_TRUE(technician.Confirm("caption", "question"));
}

}  // namespace
}  // namespace ruvenset
