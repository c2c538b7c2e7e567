#include <gtest/gtest.h>

#include <cstring>

#include "device/exchange.h"
#include "verification/transmitter_link.h"
#include "verification_fixture.h"

namespace ruvenset::testing {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(HartFrames, RequestsByteExact) {
  const uint8_t identity[5] = {0x26, 0x06, 0x20, 0x00, 0x01};
  struct Row {
    int command;
    Bytes frame;
  };
  const Row rows[] = {
      {0, {0x02, 0x01, 0x00, 0x00, 0x03}},
      {1, {0x82, 0x26, 0x06, 0x20, 0x00, 0x01, 0x01, 0x00, 0x82 ^ 0x26 ^ 0x06 ^ 0x20 ^ 0x01 ^ 0x01}},
      {110, {0x82, 0x26, 0x06, 0x20, 0x00, 0x01, 110, 0x00, 0x82 ^ 0x26 ^ 0x06 ^ 0x20 ^ 0x01 ^ 110}},
      {52,
       {0x82, 0x26, 0x06, 0x20, 0x00, 0x01, 52, 0x01, 0x00, 0x82 ^ 0x26 ^ 0x06 ^ 0x20 ^ 0x01 ^ 52 ^ 0x01}},
  };
  for (const Row& row : rows) {
    uint8_t out[16] = {};
    const int n = BuildHartRequest(out, row.command, 1, identity);
    EXPECT_EQ(Bytes(out, out + n), row.frame) << row.command;
    EXPECT_EQ(HartCheckByte(out, static_cast<size_t>(n)), 0);
  }
}

struct HartLinkTest : VerificationFixture {
  void SetUp() override { Connect(); }

  // Opens the link to polling address `address` on the flow computer's line (model 16 carries HART).
  bool Open(int address, int type = kTransmitter3051, int variable = 0) {
    TransmitterChoice choice;
    choice.address = address;
    choice.type = type;
    choice.variable = variable;
    return OpenTransmitterLink(state, technician, choice, ModemOpener(), link);
  }

  Bytes Written(size_t from) const { return Bytes(line->written().begin() + from, line->written().end()); }

  HartLink link{clock, state.config.link};
};

TEST_F(HartLinkTest, IdentifiesWithAShortFrameAndPollsWithTheLongAddress) {
  const size_t before = line->written().size();
  ASSERT_TRUE(Open(1));
  Bytes expected(10, 0xFF);
  expected.insert(expected.end(), {0x02, 0x01, 0x00, 0x00, 0x03});
  EXPECT_EQ(Written(before), expected);
  EXPECT_EQ(Bytes(link.identity(), link.identity() + 5), (Bytes{0x26, 0x06, 0x20, 0x00, 0x01}));
  // Back at the flow computer's own line after identifying.
  EXPECT_EQ(line->Line().parity, Parity::None);
  EXPECT_EQ(line->Line().bitsPerSecond, 1200);

  state.config.link.speedIndex = 15;
  line->Configure({115200, Parity::None});
  const size_t polled = line->written().size();
  const int64_t t0 = clock.NowNs();
  ASSERT_EQ(link.Poll(kKindPressure), kHartOk);
  Bytes poll(10, 0xFF);
  poll.insert(poll.end(),
              {0x82, 0x26, 0x06, 0x20, 0x00, 0x01, 0x01, 0x00, 0x82 ^ 0x26 ^ 0x06 ^ 0x20 ^ 0x01 ^ 0x01});
  EXPECT_EQ(Written(polled), poll);
  // RTS stays up for 11 bit times per byte plus 111, at 1200 bit/s, after a 2 ms lead.
  EXPECT_EQ(line->rtsDroppedAt(), t0 + 2'000'000 + (11 * 9 + 111) * 1'000'000'000LL / 1200);
  EXPECT_EQ(link.unitCode(), 2);  // kPa
  EXPECT_NEAR(link.reading(), 1.0332f * 98.0665f, 0.01f);
  EXPECT_EQ(line->Line().bitsPerSecond, 115200);
  EXPECT_EQ(line->Line().parity, Parity::None);
}

// Replies written byte by byte from the HART frame layout, their check bytes worked out by hand, so
// that a fault the program's reader shares with the simulator's writer cannot hide.
TEST_F(HartLinkTest, RequestsAndRepliesByteExact) {
  const Bytes identify = {0x06, 0x01, 0x00, 0x0E, 0x00, 0x00, 0xFE, 0x26, 0x06, 0x05,
                          0x05, 0x01, 0x01, 0x00, 0x00, 0x11, 0x22, 0x33, 0xD7};
  // Command 1: kPa (12), 1.0; command 110: 4 variables of unit and value, the second bar (7), 1.5.
  const Bytes read = {0x86, 0x26, 0x06, 0x11, 0x22, 0x33, 0x01, 0x07,
                      0x00, 0x00, 0x0C, 0x3F, 0x80, 0x00, 0x00, 0x13};
  const Bytes readAll = {0x86, 0x26, 0x06, 0x11, 0x22, 0x33, 0x6E, 0x16, 0x00, 0x00, 0x0C,
                         0x40, 0x00, 0x00, 0x00, 0x07, 0x3F, 0xC0, 0x00, 0x00, 0x20, 0x41,
                         0xA0, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x00, 0xA7};
  const Bytes zeroed = {0x86, 0x26, 0x06, 0x11, 0x22, 0x33, 0x34, 0x02, 0x00, 0x40, 0xD0};
  Bytes reply;
  peer->hartFilter = [&](const Bytes&, Bytes& response) {
    response = reply;
    return true;
  };
  reply = identify;
  ASSERT_TRUE(Open(1));
  EXPECT_EQ(peer->hartRequests.back(), (Bytes{0x02, 0x01, 0x00, 0x00, 0x03}));
  EXPECT_EQ(Bytes(link.identity(), link.identity() + 5), (Bytes{0x26, 0x06, 0x11, 0x22, 0x33}));

  reply = read;
  ASSERT_EQ(link.Poll(kKindPressure), kHartOk);
  EXPECT_EQ(peer->hartRequests.back(), (Bytes{0x82, 0x26, 0x06, 0x11, 0x22, 0x33, 0x01, 0x00, 0xA3}));
  EXPECT_EQ(link.unitCode(), 2);
  EXPECT_EQ(link.reading(), 1.0f);

  link.SetTarget(1, kTransmitter3095, 1);
  reply = readAll;
  ASSERT_EQ(link.Poll(kKindPressure), kHartOk);
  EXPECT_EQ(peer->hartRequests.back(), (Bytes{0x82, 0x26, 0x06, 0x11, 0x22, 0x33, 0x6E, 0x00, 0xCC}));
  EXPECT_EQ(link.unitCode(), 4);
  EXPECT_EQ(link.reading(), 1.5f);

  {
    HartLineScope hart(line, true);
    reply = zeroed;
    EXPECT_EQ(link.Exchange(kHartResetZero, 0), kHartOk);
    EXPECT_EQ(peer->hartRequests.back(), (Bytes{0x82, 0x26, 0x06, 0x11, 0x22, 0x33, 0x34, 0x01, 0x00, 0x97}));
  }

  // One byte short of what the byte count announces, whichever byte is missing: no answer, never a value.
  link.SetTarget(1, kTransmitter3051, 0);
  for (const size_t missing : {read.size() - 1, read.size() - 2}) {
    reply = read;
    reply.erase(reply.begin() + static_cast<long>(missing));
    EXPECT_EQ(link.Poll(kKindPressure), kHartNoResponse) << missing;
    clock.SleepFor(2'000'000'000);
  }
}

TEST_F(HartLinkTest, MultivariableTransmitterReadsTheChosenVariable) {
  ASSERT_TRUE(Open(2, kTransmitter3095, 1));
  ASSERT_EQ(link.Poll(kKindPressure), kHartOk);
  ASSERT_FALSE(peer->hartRequests.empty());
  ASSERT_GT(peer->hartRequests.back().size(), 6u);
  EXPECT_EQ(peer->hartRequests.back()[6], 110);
  EXPECT_NEAR(link.reading(), 1.0332f * 98.0665f, 0.01f);
  // Variable 2 is the temperature: its unit code (degrees Celsius, at data offset 10) is no pressure unit.
  link.SetTarget(2, kTransmitter3095, 2);
  EXPECT_EQ(link.Poll(kKindPressure), kHartUnknownUnit);
}

TEST_F(HartLinkTest, SilentTransmitterAsksAndReleasesOnNo) {
  technician.confirms = {true, false};
  EXPECT_FALSE(Open(7));
  EXPECT_EQ(technician.Count("message Ошибка | Ошибка связи"), 2);
  EXPECT_EQ(technician.Count("confirm  | Повторить запрос?"), 2);
  EXPECT_FALSE(link.open());
  EXPECT_EQ(link.buffer(), nullptr);
}

// Stop pressed while the transmitter's answer is awaited ends that wait at once and is used up there:
// the flow computer's next exchange runs as usual. Pressed before a request, it ends it unsent.
TEST_F(HartLinkTest, StopEndsTheTransmittersWaitOnly) {
  ASSERT_TRUE(Open(1));
  state.config.link.firstByteWait = 20;
  peer->hartFilter = [this](const Bytes&, Bytes& response) {
    state.link.stop().Request();
    response.clear();
    return false;
  };
  const int64_t start = clock.NowNs();
  EXPECT_EQ(link.Poll(kKindPressure), kHartNoResponse);
  EXPECT_LT(clock.NowNs() - start, int64_t{1'000'000'000});
  EXPECT_FALSE(state.link.stop().requested());
  peer->hartFilter = nullptr;
  EXPECT_EQ(Exchange(state, technician, Request{.command = 0x0C}), LinkOk);

  const size_t sent = peer->hartRequests.size();
  state.link.stop().Request();
  EXPECT_EQ(link.Poll(kKindPressure), kHartNoResponse);
  EXPECT_EQ(peer->hartRequests.size(), sent);
  EXPECT_EQ(link.Poll(kKindPressure), kHartOk);
}

TEST_F(HartLinkTest, SecondPortThatCannotOpenShowsTheMessage) {
  sim::FlowComputerConfig config;
  config.model = 4;
  state.record.id.type = 4;
  TransmitterChoice choice;
  choice.portPath = "/nonexistent";
  EXPECT_FALSE(OpenTransmitterLink(state, technician, choice, ModemOpener(), link));
  EXPECT_EQ(technician.Count("message Ошибка | Выбранный порт недоступен"), 1);
  choice.portPath = "modem";
  ASSERT_TRUE(OpenTransmitterLink(state, technician, choice, ModemOpener(), link));
  EXPECT_FALSE(link.shared());
  EXPECT_EQ(modem->Line().parity, Parity::Odd);
  ASSERT_EQ(link.Poll(kKindPressure), kHartOk);
  EXPECT_EQ(modem->Line().parity, Parity::Odd);  // a modem keeps its HART settings
  ReleaseTransmitterLink(link);
  EXPECT_FALSE(link.open());
}

// Each deliberately bad answer to a reading gives its status.
TEST_F(HartLinkTest, BadAnswersGiveTheirStatus) {
  ASSERT_TRUE(Open(1));
  auto fix = [](Bytes& r) { r.back() = HartCheckByte(r.data(), r.size() - 1); };
  struct Row {
    const char* name;
    std::function<void(Bytes&)> change;
    int status;
  };
  const Row rows[] = {
      {"silence", [](Bytes& r) { r.clear(); }, kHartNoResponse},
      {"check byte", [](Bytes& r) { r.back() ^= 0x55; }, kHartBadCheckByte},
      {"command",
       [&](Bytes& r) {
         r[6] = 2;
         fix(r);
       },
       kHartWrongCommand},
      {"response code",
       [&](Bytes& r) {
         r[8] = 1;
         fix(r);
       },
       kHartResponseError},
      {"unit",
       [&](Bytes& r) {
         r[10] = 32;
         fix(r);
       },
       kHartUnknownUnit},
      {"address",
       [&](Bytes& r) {
         r[1] ^= 0x01;
         fix(r);
       },
       kHartReadFailed},
      {"short delimiter",
       [&](Bytes& r) {
         r = {0x06, r[1], 0x01, 0x02, 0x00, 0x00, 0};
         fix(r);
       },
       kHartWrongDelimiter},
      {"too long for the buffer", [&](Bytes& r) { r[7] = 250; }, kHartNoResponse},
      {"fewer bytes than announced", [&](Bytes& r) { r[7] = 40; }, kHartNoResponse},
      {"too many preambles", [](Bytes& r) { r.insert(r.begin(), 55, 0xFF); }, kHartNoResponse},
      {"garbage", [](Bytes& r) { r.assign(80, 0x5A); }, kHartNoResponse},
      {"delimiter without preamble",
       [](Bytes& r) {
         r.insert(r.begin(), {0x12, 0x86, 0x00, 0xFF, 0xFF});
       },
       kHartOk},
  };
  for (const Row& row : rows) {
    peer->hartFilter = [&](const Bytes&, Bytes& response) {
      // The rows change bytes of a whole answer: a short one is a fault of the simulator, not a row.
      if (response.size() < 12) {
        ADD_FAILURE() << "short answer of " << response.size() << " bytes";
        return true;
      }
      row.change(response);
      return true;
    };
    EXPECT_EQ(link.Poll(kKindPressure), row.status) << row.name;
    clock.SleepFor(2'000'000'000);  // what the line still carries arrives before the next request
  }
  peer->hartFilter = nullptr;
  line->FailReads(true);
  EXPECT_EQ(link.Poll(kKindPressure), kHartReadFailed);
  line->FailReads(false);
  line->FailWrites(true);
  EXPECT_EQ(link.Poll(kKindPressure), kHartWriteFailed);
  line->FailWrites(false);
  EXPECT_EQ(link.Poll(kKindPressure), kHartOk);
  EXPECT_EQ(line->Line().parity, Parity::None);
}

TEST_F(HartLinkTest, ZeroSettingAnswers) {
  ASSERT_TRUE(Open(1));
  HartLineScope hart(line, true);
  EXPECT_EQ(link.Exchange(kHartResetZero, 0), kHartOk);
  auto fix = [](Bytes& r) { r.back() = HartCheckByte(r.data(), r.size() - 1); };
  struct Row {
    std::function<void(Bytes&)> change;
    int status;
  };
  const Row rows[] = {
      {[&](Bytes& r) {
         r[8] = 2;
         fix(r);
       },
       kHartInvalidSelection},
      {[&](Bytes& r) {
         r[8] = 8;
         fix(r);
       },
       kHartNearestValue},
      {[&](Bytes& r) {
         r[8] = 9;
         fix(r);
       },
       kHartPressureTooHigh},
      {[&](Bytes& r) {
         r[8] = 24;
         fix(r);
       },
       kHartZeroForbidden},
      {[&](Bytes& r) {
         r[8] = 5;
         fix(r);
       },
       kHartZeroFailed},
      {[&](Bytes& r) {
         r[9] = 0;
         fix(r);
       },
       kHartNotZeroed},
      {[&](Bytes& r) {
         r[5] ^= 0x01;
         fix(r);
       },
       kHartWrongAddress},
  };
  for (const Row& row : rows) {
    peer->hartFilter = [&](const Bytes&, Bytes& response) {
      // The rows change bytes of a whole answer: a short one is a fault of the simulator, not a row.
      if (response.size() < 12) {
        ADD_FAILURE() << "short answer of " << response.size() << " bytes";
        return true;
      }
      row.change(response);
      return true;
    };
    EXPECT_EQ(link.Exchange(kHartResetZero, 0), row.status);
  }
}

TEST(HartTexts, StatusMessages) {
  const std::pair<int, int> rows[] = {{1, 2849},  {2, 2850},  {3, 2195},  {5, 2195},  {6, 2696},  {7, 2698},
                                      {8, 2700},  {9, 2683},  {10, 2697}, {13, 2706}, {14, 2707}, {15, 2708},
                                      {16, 2709}, {17, 2701}, {18, 2710}, {19, 2699}, {0, 0},     {4, 0}};
  for (const auto& [status, text] : rows) EXPECT_EQ(HartStatusTextId(status), text) << status;
  EXPECT_EQ(HartReadingErrorTextId(kHartWrongDelimiter), 2679);
  EXPECT_EQ(HartReadingErrorTextId(kHartBadCheckByte), 2680);
}

}  // namespace
}  // namespace ruvenset::testing
