#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "link/connect.h"
#include "link/link.h"
#include "link/loopback_port.h"
#include "link/virtual_link_clock.h"
#include "scripted_peer.h"

namespace ruvenset {
namespace {

using testing::Response;
using testing::ScriptedPeer;
using Bytes = std::vector<uint8_t>;

struct StopTransact : ::testing::Test {
  StopTransact() {
    port.Configure({1200, Parity::None});
    link.Attach(&port);
    settings.attempts = 3;
    settings.firstByteWait = 20;
  }
  LinkSettings settings;
  VirtualLinkClock clock;
  LoopbackPort port{clock};
  Link link{settings, clock};
  // A read of command 0x02 at address 1.
  static LinkRequest Read02() {
    LinkRequest request;
    request.command = 0x02;
    return request;
  }
};

TEST_F(StopTransact, StopDuringTheWaitEndsTheExchangeWithoutAnotherAttempt) {
  ScriptedPeer peer(port, [&](const Bytes&, int attempt) -> Bytes {
    if (attempt == 1) {
      link.stop().Request();  // pressed while the first answer is awaited
      return {};
    }
    return Response(1, 0x82);
  });
  const int64_t start = clock.NowNs();
  EXPECT_EQ(link.Transact(Read02()).status, LinkNoAnswer);
  EXPECT_EQ(peer.requests.size(), 1u);
  EXPECT_LT(clock.NowNs() - start, int64_t{1'000'000'000});
  EXPECT_TRUE(link.lastStopped());
  EXPECT_FALSE(link.stop().requested());

  // The stop went with that exchange: the next one is answered as usual.
  EXPECT_EQ(link.Transact(Read02()).status, LinkOk);
  EXPECT_FALSE(link.lastStopped());
}

TEST_F(StopTransact, StopBeforeTheRequestSendsNothing) {
  ScriptedPeer peer(port, [](const Bytes&, int) { return Response(1, 0x82); });
  link.stop().Request();
  EXPECT_EQ(link.Transact(Read02()).status, LinkNoAnswer);
  EXPECT_TRUE(peer.requests.empty());
  EXPECT_EQ(link.Transact(Read02()).status, LinkOk);
}

TEST_F(StopTransact, StopEndsTheSpeedSearch) {
  settings.speedSearch = 1;
  ScriptedPeer peer(port, [&](const Bytes&, int) -> Bytes {
    link.stop().Request();
    return {};
  });
  EXPECT_EQ(FindFlowComputer(link, nullptr), LinkNoAnswer);
  EXPECT_EQ(peer.requests.size(), 1u);
  // The configured speed and wait are back.
  EXPECT_EQ(port.Line().bitsPerSecond, 1200);
  EXPECT_EQ(settings.firstByteWait, 20);
}

}  // namespace
}  // namespace ruvenset
