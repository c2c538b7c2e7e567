#include <gtest/gtest.h>

#include <cstring>

#include "common/crc16.h"
#include "device/service_operations.h"
#include "enter_requests.h"
#include "verification/hart_zero.h"
#include "verification_fixture.h"

namespace ruvenset::testing {
namespace {

using Bytes = std::vector<uint8_t>;

struct RecordingView : ServiceView {
  std::string panel;
  int position = 0;
  int maximum = 0;
  void SetPanelText(const std::string& text) override { panel = text; }
  void SetProgress(int p, int m) override {
    position = p;
    maximum = m;
  }
};

struct ServiceMode : VerificationFixture {
  ServiceResult Run(int operation, uint8_t flag = 1) {
    ClockServiceHost host(clock, &view);
    return RunServiceOperation(state, technician, technician, host, operation, flag, "panel");
  }
  const Bytes& LastRequest(uint8_t command) const {
    for (auto it = peer->requests.rbegin(); it != peer->requests.rend(); ++it)
      if ((*it)[3] == command) return *it;
    static const Bytes none;
    return none;
  }
  RecordingView view;
};

Bytes Padded(const char* text) {
  Bytes b(16, ' ');
  std::memcpy(b.data(), text, std::strlen(text));
  return b;
}

TEST_F(ServiceMode, EnterRequestWithTheWritePassword) {
  Connect();
  state.channel.code = 1;
  ASSERT_EQ(Run(kServiceEnter, 0), ServiceResult::Succeeded);
  const Bytes& r = LastRequest(0x10);
  ASSERT_EQ(r.size(), 29u);
  EXPECT_EQ(Bytes(r.begin(), r.begin() + 6), (Bytes{0xBB, 0x01, 29, 0x10, 1, 1}));
  EXPECT_EQ(Bytes(r.begin() + 6, r.begin() + 22), Padded("1234"));
  EXPECT_EQ(Bytes(r.begin() + 22, r.begin() + 27), (Bytes{1, 0, 0, 0, 0}));
  EXPECT_EQ(view.panel, "panel");
}

TEST_F(ServiceMode, EnterRequestWithTheParameterPassword) {
  sim::FlowComputerConfig device;
  device.parameterPassword = "5678";
  Connect(device);
  technician.passwords.push_back("5678");
  ASSERT_EQ(Run(kServiceEnter, 1), ServiceResult::Succeeded);
  EXPECT_EQ(technician.Count("parameter password"), 1);
  const Bytes& r = LastRequest(0x10);
  ASSERT_EQ(r.size(), 46u);
  EXPECT_EQ(Bytes(r.begin() + 6, r.begin() + 22), Padded("1234"));
  EXPECT_EQ(Bytes(r.begin() + 22, r.begin() + 38), Padded("5678"));
  EXPECT_EQ(Bytes(r.begin() + 38, r.begin() + 44), (Bytes{0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(PipelineState(), 3);
}

TEST_F(ServiceMode, ThreePipelinesTakeAtLeastFourSeconds) {
  sim::FlowComputerConfig device;
  device.pipelines = 3;
  Connect(device);
  peer->model.SetServiceDelayMs(200);
  const int64_t t0 = clock.NowNs();
  ASSERT_EQ(Run(kServiceEnter), ServiceResult::Succeeded);
  EXPECT_EQ(view.maximum, 8);
  EXPECT_EQ(view.position, 8);
  EXPECT_GE(clock.NowNs() - t0, 4'000'000'000);
  EXPECT_EQ(PipelineState(), 3);
  ASSERT_EQ(Run(kServiceLeave), ServiceResult::Succeeded);
  EXPECT_EQ(PipelineState(), 0);
  EXPECT_EQ(LastRequest(0x11).size(), 23u);
}

TEST_F(ServiceMode, AlreadyInServiceAfterALostAnswerCountsAsEntered) {
  Connect();
  bool dropped = false;
  peer->filter = [&](const Bytes& request, Bytes&) {
    if (request[3] != 0x10 || dropped) return true;
    dropped = true;
    return false;
  };
  technician.confirms = {true};
  EXPECT_EQ(Run(kServiceEnter), ServiceResult::Succeeded);
  EXPECT_EQ(technician.Count("confirm Ошибка связи"), 1);
  EXPECT_EQ(technician.Count("box"), 0);
  EXPECT_EQ(PipelineState(), 3);
}

TEST_F(ServiceMode, AlreadyInServiceWithoutARetryIsARefusal) {
  Connect();
  peer->model.RefuseNext(0x10, 0x3B, 0, 0);
  technician.confirms = {false};  // no new request
  EXPECT_EQ(Run(kServiceEnter), ServiceResult::Failed);
  EXPECT_EQ(technician.Count("box Внимание!"), 1);
  EXPECT_EQ(technician.Count("confirm  | Повторить запрос?"), 1);
}

TEST_F(ServiceMode, WaitsWithoutLimitUntilTheTechnicianGivesUp) {
  Connect();
  peer->model.SetServiceDelayMs(60000);
  ServiceOperations window(state, technician, technician);
  window.SetView(&view);
  for (int i = 0; i < 60; ++i) {
    const int next = window.Timer1Timer();
    ASSERT_NE(next, kServiceDone);
    clock.SleepFor(int64_t{next} * 1'000'000);
  }
  peer->filter = [](const Bytes& request, Bytes&) { return !(request[0] == 0xBB && request[3] == 0x08); };
  technician.confirms = {false};  // no retry after the lost answers
  int next = 0;
  while ((next = window.Timer1Timer()) != kServiceDone) clock.SleepFor(int64_t{next} * 1'000'000);
  EXPECT_EQ(window.outcome(), ServiceResult::Succeeded);
  EXPECT_EQ(technician.Count("confirm Ошибка связи"), 1);
}

TEST_F(ServiceMode, RefusedLeaveFails) {
  Connect();
  peer->model.RefuseNext(0x11, 2, 0, 0);
  technician.confirms = {false};  // no new request
  EXPECT_EQ(Run(kServiceLeave), ServiceResult::Failed);
  EXPECT_EQ(technician.Count("box"), 1);
}

TEST_F(ServiceMode, ReadsTheCharacteristicConstants) {
  Connect();
  std::vector<uint8_t> block;
  ASSERT_TRUE(ReadCharacteristicConstants(state, technician, block));
  const Bytes& r = LastRequest(0x13);
  ASSERT_EQ(r.size(), 9u);
  EXPECT_EQ(Bytes(r.begin(), r.begin() + 7), (Bytes{0xBB, 0x01, 9, 0x13, 0x1F, 0x16, 26}));
  ASSERT_EQ(block.size(), 26u);
  EXPECT_EQ(Bytes(block.begin(), block.begin() + 8), (Bytes{0, 0, 0, 0, 0x3F, 0x80, 0, 0}));
  EXPECT_TRUE(Crc16Matches(block.data(), 24));
}

TEST_F(ServiceMode, HartZeroThroughTheFlowComputer) {
  Connect();
  state.record.configuration[100] = 0x04;
  technician.confirms = {true};
  ClockServiceHost host(clock);
  EXPECT_EQ(RunHartZero(state, technician, technician, host, false), HartZeroResult::Done);
  const Bytes& r = LastRequest(0x0B);
  ASSERT_EQ(r.size(), 31u);
  EXPECT_EQ(Bytes(r.begin() + 4, r.begin() + 20), Padded("1234"));
  // Command 43 to transmitter 1's long address, its check byte the XOR of the eight bytes before it.
  EXPECT_EQ(Bytes(r.begin() + 20, r.begin() + 29), (Bytes{0x82, 0x26, 0x06, 0x10, 0x00, 0x01, 43, 0, 0x98}));
  EXPECT_EQ(technician.Count("message Установка нуля | Ноль датчика установлен"), 1);
  EXPECT_EQ(Requests(0x10), 0);

  // The flow computer's answer written byte by byte: the transmitter's reply to command 43 (response code
  // 0, field device status 0x40) in its data, the frame's check bytes worked out by hand.
  peer->filter = [](const Bytes& request, Bytes& response) {
    if (request[3] == 0x0B)
      response = {0x66, 0x01, 0x11, 0x8B, 0x86, 0x26, 0x06, 0x10, 0x00,
                  0x01, 0x2B, 0x02, 0x00, 0x40, 0xDE, 0x94, 0x84};
    return true;
  };
  technician.confirms = {true};
  EXPECT_EQ(RunHartZero(state, technician, technician, host, false), HartZeroResult::Done);
  EXPECT_EQ(technician.Count("message Установка нуля | Ноль датчика установлен"), 2);
}

TEST_F(ServiceMode, HartZeroOnTheFlowComputersLineInsideServiceMode) {
  sim::FlowComputerConfig device;
  device.model = 19;
  Connect(device);
  peer->transmitters.push_back(peer->model.transmitter(0));
  state.record.configuration[100] = 0x04;
  technician.confirms = {true};
  ClockServiceHost host(clock);
  EXPECT_EQ(RunHartZero(state, technician, technician, host, false), HartZeroResult::Done);
  const Bytes zero{0x82, 0x26, 0x06, 0x10, 0x00, 0x01, 52, 1, 0};
  Bytes expected = zero;
  expected.push_back(HartCheckByte(zero.data(), zero.size()));
  ASSERT_FALSE(peer->hartRequests.empty());
  ASSERT_FALSE(peer->hartRequests.empty());
  EXPECT_EQ(peer->hartRequests.back(), expected);
  EXPECT_EQ(EnterFlagBytes(peer->requests), (std::vector<int>{0}));
  EXPECT_EQ(Requests(0x11), 1);
  EXPECT_EQ(PipelineState(), 0);
  EXPECT_EQ(line->Line().parity, Parity::None);
}

TEST(HartZeroRules, TransmitterIndexAndRelayedOutcome) {
  EXPECT_EQ(HartZeroTransmitter(0x00, false), 0);
  EXPECT_EQ(HartZeroTransmitter(0x04, false), 1);
  EXPECT_EQ(HartZeroTransmitter(0x40, true), 1);
  EXPECT_EQ(HartZeroTransmitter(0x5C, true), 2);
  EXPECT_EQ(HartZeroTransmitter(0x18, true), 0);

  const uint8_t id[5] = {0x26, 0x06, 0x10, 0x00, 0x01};
  auto answer = [&](uint8_t delimiter, uint8_t command, uint8_t code, uint8_t status) {
    Bytes r{delimiter, 0x26, 0x06, 0x10, 0x00, 0x01, command, 2, code, status, 0};
    r.back() = HartCheckByte(r.data(), r.size() - 1);
    return r;
  };
  struct Row {
    Bytes response;
    int text;
  };
  Bytes badCheck = answer(0x86, 43, 0, 0x40);
  badCheck.back() ^= 1;
  Bytes otherAddress = answer(0x86, 43, 0, 0x40);
  otherAddress[5] = 2;
  otherAddress.back() = HartCheckByte(otherAddress.data(), otherAddress.size() - 1);
  const Row rows[] = {{answer(0x86, 43, 0, 0x40), 2702},
                      {answer(0x86, 43, 0, 0x00), 2701},
                      {answer(0x86, 43, 1, 0x40), 2700},
                      {answer(0x06, 43, 0, 0x40), 2697},
                      {answer(0x86, 44, 0, 0x40), 2698},
                      {otherAddress, 2699},
                      {badCheck, 2696},
                      {Bytes{0x86, 0x26}, 2696}};
  for (const Row& row : rows)
    EXPECT_EQ(RelayedZeroTextId(row.response.data(), static_cast<int>(row.response.size()), id), row.text);
}

}  // namespace
}  // namespace ruvenset::testing
