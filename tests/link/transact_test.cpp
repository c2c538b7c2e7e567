#include <gtest/gtest.h>

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

constexpr int64_t kMs = 1'000'000;

struct TransactTest : ::testing::Test {
  TransactTest() {
    port.Configure({1200, Parity::None});
    link.Attach(&port);
  }
  static LinkRequest Request(bool write, int command, const Bytes& data = {}, int answerData = 0) {
    LinkRequest request;
    request.kind = write ? RequestKind::Write : RequestKind::Read;
    request.command = static_cast<uint8_t>(command);
    request.data = data;
    request.answerData = answerData;
    return request;
  }
  LinkStatus Call(int write, int length, int command, bool linkCheck = false) {
    data.assign(static_cast<size_t>(length - 6), 0);
    LinkRequest request = Request(write != 0, command, data);
    request.address = static_cast<uint8_t>(settings.address);
    if (linkCheck) request.accept = AcceptMode::AnswerOrUnknownCommand;
    return link.Transact(request).status;
  }

  LinkSettings settings;
  VirtualLinkClock clock;
  LoopbackPort port{clock};
  Link link{settings, clock};
  Bytes data;
};

TEST_F(TransactTest, RequestGoesOutWithPreamblesAndChecksum) {
  ScriptedPeer peer(port, [](const Bytes&, int) { return Response(1, 0x82); });
  EXPECT_EQ(Call(0, 6, 0x02, true), LinkOk);
  Bytes expected(10, 0xFF);
  expected.insert(expected.end(), {0xAA, 0x01, 0x06, 0x02, 0xF2, 0x5D});
  EXPECT_EQ(port.written(), expected);
  EXPECT_EQ(link.answer().frame()[0], 0x55);
  EXPECT_EQ(link.answer().command(), 0x82);

  settings.preambles = 0;
  port.SetPeer(nullptr);
  ScriptedPeer again(port, [](const Bytes&, int) { return Response(1, 0x81); });
  const size_t before = port.written().size();
  EXPECT_EQ(Call(0, 6, 0x01), LinkOk);
  EXPECT_EQ(Bytes(port.written().begin() + before, port.written().end()),
            (Bytes{0xAA, 0x01, 0x06, 0x01, 0xB2, 0x5C}));
}

TEST_F(TransactTest, FirstDataByteAndWriteStart) {
  ScriptedPeer peer(port, [](const Bytes&, int) { return Response(1, 0x88, Bytes(19, 0)); });
  EXPECT_EQ(link.Transact(Request(true, 0x08, {2})).status, LinkOk);
  EXPECT_EQ(peer.requests[0][0], 0xBB);
  EXPECT_EQ(peer.requests[0][4], 2);
  EXPECT_EQ(peer.requests[0].size(), 7u);
}

TEST_F(TransactTest, NoAnswerUsesEveryAttempt) {
  settings.attempts = 3;
  ScriptedPeer peer(port, [](const Bytes&, int) { return Bytes{}; });
  const int64_t start = clock.NowNs();
  EXPECT_EQ(Call(0, 6, 0x0C), LinkNoAnswer);
  EXPECT_EQ(peer.requests.size(), 3u);
  const int64_t elapsed = clock.NowNs() - start;
  EXPECT_GE(elapsed, 3 * 2000 * kMs);
  EXPECT_LT(elapsed, 3 * 2100 * kMs);
}

TEST_F(TransactTest, SpeedSearchMarkerWaitsOnly220Milliseconds) {
  settings.firstByteWait = kSpeedSearchFirstByteWait;
  ScriptedPeer peer(port, [](const Bytes&, int) { return Bytes{}; });
  const int64_t start = clock.NowNs();
  EXPECT_EQ(Call(0, 6, 0x02, true), LinkNoAnswer);
  const int64_t elapsed = clock.NowNs() - start;
  EXPECT_GE(elapsed, 220 * kMs);
  EXPECT_LT(elapsed, 240 * kMs);
}

TEST_F(TransactTest, ResponsesJudgedInOrder) {
  struct Case {
    const char* name;
    int write;
    int command;
    bool linkCheck;
    std::function<Bytes(int attempt)> answer;
    LinkStatus expected;
    size_t requests;
  };
  const Case cases[] = {
      {"wrong address retried", 0, 0x0C, false, [](int) { return Response(5, 0x8C); }, LinkWrongAnswer, 3},
      {"bad checksum then good", 0, 0x0C, false,
       [](int a) {
         Bytes r = Response(1, 0x8C, {1, 2});
         if (a == 1) r.back() ^= 0x01;
         return r;
       },
       LinkOk, 2},
      {"refusal echo to a write", 1, 0x0C, false,
       [](int) {
         return Response(1, 0x0C, {3, 0, 0});
       },
       LinkOk, 1},
      {"data answer to a write", 1, 0x0C, false, [](int) { return Response(1, 0x8C); }, LinkOk, 1},
      {"echo to a read is wrong", 0, 0x0C, false, [](int) { return Response(1, 0x0C); }, LinkWrongAnswer, 3},
      {"0xFF only for the link check", 0, 0x02, false, [](int) { return Response(1, 0xFF); }, LinkWrongAnswer,
       3},
      {"0xFF for the link check", 0, 0x02, true, [](int) { return Response(1, 0xFF); }, LinkOk, 1},
      {"0x66 start byte", 0, 0x0C, false, [](int) { return Response(1, 0x8C, {}, 0x66); }, LinkOk, 1},
      {"length byte below 6", 0, 0x0C, false, [](int) { return Bytes{0x55, 0x01, 0x02, 0x8C, 0x00, 0x00}; },
       LinkBadChecksum, 3},
      {"short answer", 0, 0x0C, false,
       [](int) {
         Bytes r = Response(1, 0x8C, {1, 2, 3});
         r.resize(r.size() - 2);
         return r;
       },
       LinkShortAnswer, 3},
      {"only a start byte", 0, 0x0C, false,
       [](int) {
         return Bytes{0x55, 0x01};
       },
       LinkShortAnswer, 3},
  };
  for (const auto& c : cases) {
    settings.attempts = 3;
    LoopbackPort fresh(clock);
    fresh.Configure({1200, Parity::None});
    link.Attach(&fresh);
    ScriptedPeer peer(fresh, [&c](const Bytes&, int attempt) { return c.answer(attempt); });
    EXPECT_EQ(Call(c.write, 6, c.command, c.linkCheck), c.expected) << c.name;
    EXPECT_EQ(peer.requests.size(), c.requests) << c.name;
  }
}

// The length rules on answers written byte by byte, their check bytes worked out apart from the program's
// encoder (CRC-16/MODBUS over start byte through data, low byte first; the same working gives the
// documented AA 01 06 02 F2 5D).
TEST_F(TransactTest, LengthRulesOnKnownAnswers) {
  struct Row {
    const char* name;
    Bytes answer;
    LinkStatus expected;
    Bytes data;
  };
  const Row rows[] = {
      {"no data", {0x55, 0x01, 0x06, 0x8C, 0x42, 0x2D}, LinkOk, {}},
      {"0x66 start byte", {0x66, 0x01, 0x06, 0x8C, 0x4D, 0x69}, LinkOk, {}},
      {"three data bytes",
       {0x55, 0x01, 0x09, 0x8C, 0x12, 0x34, 0x56, 0xDF, 0xBE},
       LinkOk,
       {0x12, 0x34, 0x56}},
      {"bytes after the frame are not read",
       {0x55, 0x01, 0x07, 0x8C, 0x2A, 0x7D, 0x2E, 0x99},
       LinkOk,
       {0x2A}},
      {"one byte short", {0x55, 0x01, 0x07, 0x8C, 0x2A, 0x7D}, LinkShortAnswer, {}},
      {"two bytes short", {0x55, 0x01, 0x09, 0x8C, 0x12, 0x34, 0x56}, LinkShortAnswer, {}},
      {"check bytes swapped", {0x55, 0x01, 0x07, 0x8C, 0x2A, 0x2E, 0x7D}, LinkBadChecksum, {}},
      {"length byte 5", {0x55, 0x01, 0x05, 0x8C, 0x2A, 0x7D}, LinkBadChecksum, {}},
      {"length byte 0", {0x55, 0x01, 0x00, 0x8C, 0x2A, 0x7D}, LinkBadChecksum, {}},
  };
  for (const Row& row : rows) {
    settings.attempts = 1;
    LoopbackPort fresh(clock);
    fresh.Configure({1200, Parity::None});
    link.Attach(&fresh);
    ScriptedPeer peer(fresh, [&row](const Bytes&, int) { return row.answer; });
    EXPECT_EQ(Call(0, 6, 0x0C), row.expected) << row.name;
    if (row.expected == LinkOk) {
      const auto view = link.answer().data();
      EXPECT_EQ(Bytes(view.begin(), view.end()), row.data) << row.name;
    }
  }
}

TEST_F(TransactTest, GarbageBeforeStartByteIsSkippedWithinTheWait) {
  ScriptedPeer peer(port, [](const Bytes&, int) {
    Bytes r = {0x00, 0xFF, 0x13, 0xAA};
    const Bytes answer = Response(1, 0x8C, {7});
    r.insert(r.end(), answer.begin(), answer.end());
    return r;
  });
  EXPECT_EQ(Call(0, 6, 0x0C), LinkOk);
  EXPECT_EQ(link.answer().data()[0], 7);

  // Noise that goes on past the first-byte wait ends the attempt.
  LoopbackPort noisy(clock);
  link.Attach(&noisy);
  noisy.SetPeer([&](const uint8_t*, size_t) { noisy.Deliver(Bytes(100, 0x00), 0, 30 * kMs); });
  settings.firstByteWait = 1;
  EXPECT_EQ(Call(0, 6, 0x0C), LinkNoAnswer);
}

TEST_F(TransactTest, PortFailures) {
  settings.attempts = 3;
  port.FailWrites(true);
  EXPECT_EQ(Call(0, 6, 0x0C), LinkWriteFailed);
  EXPECT_EQ(port.writeCount(), 0);
  port.FailWrites(false);
  port.FailReads(true);
  EXPECT_EQ(Call(0, 6, 0x0C), LinkReadFailed);
  EXPECT_EQ(port.writeCount(), 3);
  Link detached(settings, clock);
  EXPECT_EQ(detached.Transact(Request(false, 0x02)).status, LinkWriteFailed);
}

TEST_F(TransactTest, AnswerShorterThanTheReaderNeedsIsWrong) {
  settings.attempts = 3;
  ScriptedPeer cut(port, [](const Bytes&, int attempt) {
    return attempt < 3 ? Response(1, 0x88, Bytes(6, 1)) : Response(1, 0x88, Bytes(20, 2));
  });
  // Cut twice, whole on the third attempt: the view holds exactly what the length byte announced.
  LinkAnswer answer = link.Transact(Request(true, 0x08, {1}, 20));
  EXPECT_EQ(answer.status, LinkOk);
  EXPECT_EQ(cut.requests.size(), 3u);
  ASSERT_EQ(answer.response.size(), 20);
  EXPECT_EQ(answer.response.data()[19], 2);
  EXPECT_EQ(answer.response.frame().size(), 26u);

  port.SetPeer(nullptr);
  ScriptedPeer alwaysCut(port, [](const Bytes&, int) { return Response(1, 0x88, Bytes(6, 1)); });
  answer = link.Transact(Request(true, 0x08, {1}, 20));
  EXPECT_EQ(answer.status, LinkWrongAnswer);
  EXPECT_TRUE(answer.response.empty());
  EXPECT_TRUE(link.answer().data().empty());
  EXPECT_EQ(link.received().size(), 12u);  // what came is still there for a diagnosis
}

TEST_F(TransactTest, ExactlyTheShortAnswerIsGoodToo) {
  for (size_t size : {1u, 2u, 41u}) {
    LoopbackPort fresh(clock);
    fresh.Configure({1200, Parity::None});
    link.Attach(&fresh);
    ScriptedPeer peer(fresh, [size](const Bytes&, int) { return Response(1, 0x8C, Bytes(size, 0)); });
    LinkRequest request = Request(false, 0x0C, {}, 41);
    request.shortAnswerData = 1;
    EXPECT_EQ(link.Transact(request).status, size == 2 ? LinkWrongAnswer : LinkOk) << size;
  }
}

// A memory read answers with exactly the bytes it asked for: a longer answer of the same command is the
// late answer of another read and is retried; a refusal still counts.
TEST_F(TransactTest, AnExactAnswerTakesOnlyItsOwnSize) {
  settings.attempts = 3;
  ScriptedPeer late(port, [](const Bytes&, int attempt) {
    if (attempt == 1) return Response(1, 0x93, Bytes(11, 7));
    if (attempt == 2) return Response(1, 0x93, Bytes(3, 7));
    return Response(1, 0x93, Bytes(4, 9));
  });
  const Bytes read{0x10, 0xE0, 4};  // the request holds a view of its data
  LinkRequest request = Request(true, 0x13, read, 4);
  request.exactAnswer = true;
  const LinkAnswer answer = link.Transact(request);
  EXPECT_EQ(answer.status, LinkOk);
  EXPECT_EQ(late.requests.size(), 3u);
  ASSERT_EQ(answer.response.size(), 4);
  EXPECT_EQ(answer.response.data()[0], 9);

  port.SetPeer(nullptr);
  ScriptedPeer refusing(port, [](const Bytes&, int) { return Response(1, 0x13, {2, 0, 0}); });
  EXPECT_EQ(link.Transact(request).status, LinkOk);
  EXPECT_TRUE(link.answer().IsRefusalOf(0x13));
}

TEST_F(TransactTest, RefusalNeedsItsThreeBytesWhateverTheReaderAsks) {
  settings.attempts = 2;
  ScriptedPeer refusing(port, [](const Bytes&, int attempt) {
    return attempt == 1 ? Response(1, 0x08, {39}) : Response(1, 0x08, {39, 0, 1});
  });
  const LinkAnswer answer = link.Transact(Request(true, 0x08, {1}, 20));
  EXPECT_EQ(answer.status, LinkOk);
  EXPECT_EQ(refusing.requests.size(), 2u);
  EXPECT_TRUE(answer.response.IsRefusalOf(0x08));
  EXPECT_EQ(answer.response.size(), 3);
}

TEST(RtsHold, BitTimesOfTheRequest) {
  EXPECT_EQ(RtsHoldBitTimes(6, 10, 1, 7), 161);
  EXPECT_EQ(RtsHoldBitTimes(6, 10, 0, 7), 61);
  EXPECT_EQ(RtsHoldBitTimes(6, 10, 1, 18), 61);
}

TEST_F(TransactTest, RtsDropsAtTheHoldDeadline) {
  settings.rtsKeying = 1;
  ScriptedPeer peer(port, [](const Bytes&, int) { return Response(1, 0x82); });
  const int64_t start = clock.NowNs();
  EXPECT_EQ(Call(0, 6, 0x02, true), LinkOk);
  EXPECT_EQ(port.rtsRaises(), 1);
  EXPECT_FALSE(port.rts());
  // 2 ms lead, then 161 bit times at 1200 bit/s.
  const int64_t expected = start + 2 * kMs + static_cast<int64_t>(161.0 * 1e9 / 1200);
  EXPECT_NEAR(static_cast<double>(port.rtsDroppedAt()), static_cast<double>(expected), 1000.0);

  link.runtime().preambleInRts = 0;
  const int64_t second = clock.NowNs();
  EXPECT_EQ(Call(0, 6, 0x02, true), LinkOk);
  EXPECT_NEAR(static_cast<double>(port.rtsDroppedAt() - second), 2e6 + 61.0 * 1e9 / 1200, 1000.0);
}

TEST_F(TransactTest, RtsIsDroppedAfterAFailedWrite) {
  settings.rtsKeying = 1;
  port.FailWrites(true);
  EXPECT_EQ(Call(0, 6, 0x02, 105), LinkWriteFailed);
  EXPECT_GE(port.rtsRaises(), 1);
  EXPECT_FALSE(port.rts());  // a modem's transmitter is never left keyed
}

TEST_F(TransactTest, PauseBeforeRequestsAfterTypes18And20) {
  ScriptedPeer peer(port, [](const Bytes&, int) { return Response(1, 0x82); });
  EXPECT_EQ(Call(0, 6, 0x02, true), LinkOk);
  EXPECT_EQ(link.runtime().prePauseMs, 0);
  link.runtime().deviceType = 20;
  EXPECT_EQ(Call(0, 6, 0x02, true), LinkOk);
  EXPECT_EQ(link.runtime().prePauseMs, 5);
  link.runtime().deviceType = 7;
  EXPECT_EQ(Call(0, 6, 0x02, true), LinkOk);
  EXPECT_EQ(link.runtime().prePauseMs, 5);
}

TEST(SpeedSearch, OrderOfTries) {
  const auto order = SpeedSearchOrder(2);
  const std::array<int, 17> expected = {2, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 1, 0, 2};
  EXPECT_EQ(order, expected);
}

struct SpeedSearchTest : TransactTest {
  // Answers only at the given speed, as a real flow computer would.
  void AnswerAt(int bps) {
    port.SetPeer([this, bps](const uint8_t*, size_t) {
      tried.push_back(port.Line().bitsPerSecond);
      if (port.Line().bitsPerSecond == bps) port.Deliver(Response(1, 0x82), kMs, 0);
    });
  }
  std::vector<int> tried;
};

TEST_F(SpeedSearchTest, FindsTheSpeedAndKeepsIt) {
  settings.attempts = 4;
  AnswerAt(9600);
  EXPECT_EQ(FindFlowComputer(link, nullptr), LinkOk);
  EXPECT_EQ(settings.speedIndex, 9);
  EXPECT_EQ(settings.firstByteWait, 2);
  EXPECT_EQ(settings.attempts, 4);
  EXPECT_EQ(tried, (std::vector<int>{1200, 115200, 57600, 38400, 28800, 19200, 14400, 9600}));
}

TEST_F(SpeedSearchTest, FailedSearchRestoresTheSettings) {
  AnswerAt(0);
  EXPECT_EQ(FindFlowComputer(link, nullptr), LinkNoAnswer);
  EXPECT_EQ(tried.size(), 17u);
  EXPECT_EQ(tried.back(), 1200);
  EXPECT_EQ(settings.speedIndex, 2);
  EXPECT_EQ(settings.firstByteWait, 2);
}

TEST_F(SpeedSearchTest, WithoutSearchOneCheckAtTheConfiguredSpeed) {
  settings.speedSearch = 0;
  settings.speedIndex = 15;
  AnswerAt(115200);
  EXPECT_EQ(FindFlowComputer(link, nullptr), LinkOk);
  EXPECT_EQ(tried, (std::vector<int>{115200}));
}

}  // namespace
}  // namespace ruvenset
