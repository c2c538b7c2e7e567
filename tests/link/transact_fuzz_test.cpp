#include <gtest/gtest.h>

#include <random>

#include "link/link.h"
#include "link/loopback_port.h"
#include "link/virtual_link_clock.h"
#include "scripted_peer.h"

namespace ruvenset {
namespace {

using Bytes = std::vector<uint8_t>;

// A response stream built from a valid frame and then damaged: bytes flipped, dropped, inserted,
// cut short, the length byte replaced, noise in front, or plain random bytes.
Bytes MutatedStream(std::mt19937& rng) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> small(0, 8);
  const int kind = std::uniform_int_distribution<int>(0, 6)(rng);
  if (kind == 0) {
    Bytes random(static_cast<size_t>(std::uniform_int_distribution<int>(0, 300)(rng)));
    for (auto& b : random) b = static_cast<uint8_t>(byte(rng));
    return random;
  }
  Bytes data(static_cast<size_t>(std::uniform_int_distribution<int>(0, 249)(rng)));
  for (auto& b : data) b = static_cast<uint8_t>(byte(rng));
  const uint8_t command =
      std::uniform_int_distribution<int>(0, 1)(rng) ? 0x8C : static_cast<uint8_t>(byte(rng));
  Bytes s =
      testing::Response(std::uniform_int_distribution<int>(0, 3)(rng) ? 1 : static_cast<uint8_t>(byte(rng)),
                        command, data, std::uniform_int_distribution<int>(0, 1)(rng) ? 0x55 : 0x66);
  const int edits = small(rng);
  for (int e = 0; e < edits && !s.empty(); ++e) {
    const size_t at = std::uniform_int_distribution<size_t>(0, s.size() - 1)(rng);
    switch (std::uniform_int_distribution<int>(0, 4)(rng)) {
      case 0:
        s[at] ^= static_cast<uint8_t>(1 << small(rng) % 8);
        break;
      case 1:
        s.erase(s.begin() + static_cast<long>(at));
        break;
      case 2:
        s.insert(s.begin() + static_cast<long>(at), static_cast<uint8_t>(byte(rng)));
        break;
      case 3:
        s.resize(at);
        break;
      case 4:
        if (s.size() > 2) s[2] = static_cast<uint8_t>(byte(rng));
        break;
    }
  }
  if (kind == 1) {
    Bytes noise(static_cast<size_t>(small(rng)));
    for (auto& b : noise) b = static_cast<uint8_t>(byte(rng));
    s.insert(s.begin(), noise.begin(), noise.end());
  }
  return s;
}

TEST(TransactFuzz, DamagedResponsesOnlyEverGiveALinkStatus) {
  std::mt19937 rng(20261207);
  LinkSettings settings;
  settings.attempts = 2;
  settings.preambles = 0;
  VirtualLinkClock clock;
  int ok = 0;
  for (int i = 0; i < 100000; ++i) {
    LoopbackPort port(clock);
    port.SetPeer([&](const uint8_t*, size_t) {
      port.Deliver(MutatedStream(rng), 1'000'000, std::uniform_int_distribution<int>(0, 3)(rng) * 50'000'000);
    });
    Link link(settings, clock);
    link.Attach(&port);
    const bool write = i & 1;
    LinkRequest request;
    request.kind = write ? RequestKind::Write : RequestKind::Read;
    request.command = 0x0C;
    request.answerData = 2;
    const LinkAnswer answer = link.Transact(request);
    ASSERT_GE(answer.status, LinkOk);
    ASSERT_LE(answer.status, LinkReadFailed);
    ASSERT_NE(answer.status, LinkEchoRejected);
    if (answer.status == LinkOk) {
      ++ok;
      const ResponseView& response = answer.response;
      ASSERT_EQ(response.frame().size(), static_cast<size_t>(response.size()) + 6);
      const bool refusal = write && response.command() == 0x0C;
      ASSERT_TRUE(response.command() == 0x8C || refusal);
      ASSERT_GE(response.size(), refusal ? kRefusalDataSize : 2);
    }
  }
  EXPECT_GT(ok, 1000);  // the undamaged share still gets through
}

}  // namespace
}  // namespace ruvenset
