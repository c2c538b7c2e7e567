#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "link/connect.h"
#include "link/link.h"
#include "link/loopback_port.h"
#include "link/posix_serial_port.h"
#include "link/virtual_link_clock.h"
#include "scripted_peer.h"

namespace ruvenset {
namespace {

using testing::Response;
using testing::ScriptedPeer;
using Bytes = std::vector<uint8_t>;

TEST(Stop, EndsARealSerialWaitAtOnceAndIsForgottenWhenCleared) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ::grantpt(master);
  ::unlockpt(master);
  std::unique_ptr<PosixSerialPort> port;
  ASSERT_EQ(PosixSerialPort::Open(::ptsname(master), port).error, PortOpenError::None);
  ASSERT_TRUE(port->Configure({9600, Parity::None}));
  StopSignal stop;
  port->SetStop(&stop);
  port->SetTimeouts({0, 0, 20000});

  const auto start = std::chrono::steady_clock::now();
  std::thread presser([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    stop.Request();
  });
  uint8_t byte = 0;
  EXPECT_EQ(port->Read(&byte, 1), 0);
  presser.join();
  // Ended by the stop, long before the 20 s time-out.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

  // A cleared stop leaves a later read to its bytes; a wake-up left over does not end it empty.
  stop.Clear();
  stop.Request();
  stop.Clear();
  port->SetTimeouts({0, 0, 2000});
  ASSERT_EQ(::write(master, "\x55", 1), 1);
  EXPECT_EQ(port->Read(&byte, 1), 1);
  EXPECT_EQ(byte, 0x55);
  port.reset();
  ::close(master);
}

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
