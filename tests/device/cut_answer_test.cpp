#include "device/identify.h"
#include "device_fixture.h"
#include "scripted_peer.h"

namespace ruvenset {
namespace {

using Bytes = std::vector<uint8_t>;

// The answer with only its first `keep` data bytes, under a fresh length byte and a valid checksum.
Bytes Cut(const Bytes& response, size_t keep) {
  const Bytes data(response.begin() + 4, response.begin() + 4 + static_cast<long>(keep));
  return testing::Response(response[1], response[3], data, response[0]);
}

struct CutAnswerTest : testing::DeviceFixture {
  // Connects with every answer to (start byte, command) cut to `keep` data bytes, for the first `cuts`
  // answers; the technician declines a retry.
  ConnectResult ConnectCut(uint8_t start, uint8_t command, size_t keep, int cuts) {
    technician = {};
    technician.passwords.push_back("1234");
    technician.confirms.push_back(false);
    answered = 0;
    auto opener = [=, this](const std::string&, std::unique_ptr<SerialPort>& port) {
      auto loop = std::make_unique<LoopbackPort>(clock);
      peer = std::make_unique<testing::SimPeer>(*loop, clock, device);
      peer->filter = [=, this](const Bytes& request, Bytes& response) {
        if (request[0] == start && request[3] == command && answered++ < cuts) response = Cut(response, keep);
        return true;
      };
      port = std::move(loop);
      return PortOpenResult{};
    };
    return ConnectToFlowComputer(state, technician, technician, opener, "loopback");
  }

  int answered = 0;
};

struct Reader {
  const char* name;
  uint8_t start;
  uint8_t command;
  size_t keep;
};

constexpr Reader kConnectReaders[] = {
    {"identification", 0xAA, 0x0C, 20},      {"configuration block", 0xAA, 0x08, 20},
    {"parameter block", 0xAA, 0x09, 100},    {"31-byte block", 0xAA, 0x22, 10},
    {"pipeline parameters", 0xAA, 0x1C, 30}, {"pipeline state record", 0xBB, 0x08, 6},
    {"identification text", 0xAA, 0x01, 5},
};

TEST_F(CutAnswerTest, EveryReaderOfTheConnectTakesACutAnswerForAFailure) {
  state.config.link.attempts = 2;
  for (const Reader& r : kConnectReaders) {
    EXPECT_NE(ConnectCut(r.start, r.command, r.keep, 1000), ConnectResult::Connected) << r.name;
    EXPECT_FALSE(state.connected) << r.name;
    // Retried as a wrong answer on the line, then offered to the technician.
    EXPECT_EQ(answered, 2) << r.name;
    EXPECT_EQ(technician.Count("confirm " + state.Text(2195)), 1) << r.name;
  }
}

TEST_F(CutAnswerTest, OneCutAnswerIsRetriedOnTheLineAndTheConnectGoesOn) {
  state.config.link.attempts = 2;
  for (const Reader& r : kConnectReaders) {
    EXPECT_EQ(ConnectCut(r.start, r.command, r.keep, 1), ConnectResult::Connected) << r.name;
    EXPECT_EQ(technician.Count("confirm " + state.Text(2195)), 0) << r.name;
  }
  // The state record came whole on the second try: the pipeline's state is the flow computer's.
  EXPECT_EQ(state.record.pipelineStateByte(1), 0);
  EXPECT_EQ(state.record.identificationText.empty(), false);
}

TEST(IdentificationFrame, ShortFramesAreNoIdentification) {
  Identification id;
  const Bytes old = testing::Response(1, 0x8C, {1});
  ASSERT_TRUE(ParseIdentification(old, id));
  EXPECT_TRUE(id.oldDevice());
  EXPECT_EQ(id.version, 1);

  Bytes data(kIdentificationDataNeeded - 1, 0);
  data[0] = 35;
  data[6] = 16;
  EXPECT_FALSE(ParseIdentification(testing::Response(1, 0x8C, data), id));
  data.push_back(0);
  ASSERT_TRUE(ParseIdentification(testing::Response(1, 0x8C, data), id));
  EXPECT_EQ(id.type, 16);
  // Nothing beyond the frame is taken: the option bytes it did not carry read as zero.
  EXPECT_EQ(id.data(45), 0);
}

}  // namespace
}  // namespace ruvenset
