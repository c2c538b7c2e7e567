#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "../device/device_fixture.h"
#include "device/exchange.h"
#include "link/link_status.h"
#include "sim/fault_injector.h"

namespace ruvenset::testing {
namespace {

using Bytes = std::vector<uint8_t>;

long SoakExchanges() {
  const char* asked = std::getenv("RUVENSET_SOAK_EXCHANGES");
  const long n = asked != nullptr ? std::strtol(asked, nullptr, 10) : 0;
  return n > 0 ? n : 10000;
}

// The identification read (command 0x0C) again and again while 2 % of the answers are damaged: lost,
// a byte corrupted, from the wrong address, noise in front, or held back longer than the wait.
TEST_F(DeviceFixture, FaultSoakEveryAnswerIsWholeOrAStatus) {
  technician.passwords.push_back("1234");
  ASSERT_EQ(Connect(), ConnectResult::Connected);
  const Request request{.command = 0x0C};
  ASSERT_EQ(Exchange(state, technician, request), LinkOk);
  const std::span<const uint8_t> first = state.link.answer().frame();
  const Bytes clean(first.begin(), first.end());

  auto* line = dynamic_cast<LoopbackPort*>(state.port.get());
  ASSERT_NE(line, nullptr);
  sim::FaultInjector faults(20261208);
  faults.rates() = {.drop = 0.004, .corrupt = 0.004, .wrongAddress = 0.004, .noise = 0.004};
  std::mt19937 stalls(7);
  long stalled = 0;
  peer->filter = [&](const Bytes&, Bytes& response) {
    if (std::uniform_real_distribution<double>(0.0, 1.0)(stalls) < 0.004) {
      // Later than the first-byte wait: the link gives up before the answer starts.
      line->Deliver(response, int64_t{state.config.link.firstByteWait + 1} * 1'000'000'000, 100'000);
      ++stalled;
      return false;
    }
    return faults.Apply(response);
  };

  const long exchanges = SoakExchanges();
  std::array<long, LinkReadFailed + 1> counts{};
  long wrongContent = 0;
  const int64_t start = clock.NowNs();
  for (long i = 0; i < exchanges; ++i) {
    const LinkStatus status = Exchange(state, technician, request);
    ASSERT_GE(status, LinkOk);
    ASSERT_LE(status, LinkReadFailed);
    ++counts[status];
    if (status != LinkOk) continue;
    const std::span<const uint8_t> got = state.link.answer().frame();
    const Bytes answer(got.begin(), got.end());
    if (answer != clean) ++wrongContent;
  }
  const double seconds = static_cast<double>(clock.NowNs() - start) / 1e9;

  std::printf("fault soak: %ld exchanges, %ld answers held back, %.0f s of line time\n", exchanges, stalled,
              seconds);
  for (int s = LinkOk; s <= LinkReadFailed; ++s) {
    if (counts[static_cast<size_t>(s)] != 0)
      std::printf(
          "  %-18s %7ld  %6.2f %%\n", LinkStatusName(s), counts[static_cast<size_t>(s)],
          100.0 * static_cast<double>(counts[static_cast<size_t>(s)]) / static_cast<double>(exchanges));
  }
  EXPECT_EQ(wrongContent, 0) << "a damaged answer was taken for a good one";
  EXPECT_GE(counts[LinkOk], exchanges * 95 / 100);
  EXPECT_LT(counts[LinkOk], exchanges) << "no fault reached the link";
  EXPECT_GT(stalled, 0);
  // No exchange waits without end: each takes at most its attempts' waits.
  EXPECT_LT(seconds, static_cast<double>(exchanges) * (state.config.link.firstByteWait + 1) *
                         state.config.link.attempts);
}

}  // namespace
}  // namespace ruvenset::testing
