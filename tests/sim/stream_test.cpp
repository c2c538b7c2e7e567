#include <gtest/gtest.h>

#include "common/crc16.h"
#include "sim/fault_injector.h"
#include "sim/request_assembler.h"
#include "sim_test_support.h"

namespace ruvenset::sim {
namespace {

using Frames = std::vector<std::vector<uint8_t>>;
constexpr int64_t kGap = 100'000'000;

TEST(RequestAssembler, FindsFramesBehindPreamblesNoiseAndFalseStarts) {
  const auto a = test::Request(0, 0x02, {});
  const auto b = test::Request(1, 0x13, {0x10, 0xCD, 11});
  std::vector<uint8_t> damaged = a;
  damaged[4] ^= 0xFF;
  std::vector<uint8_t> line = {0xFF, 0xFF, 0x12, 0xAA, 0x01, 0x02};  // a start byte with an impossible length
  line.insert(line.end(), damaged.begin(), damaged.end());
  line.insert(line.end(), {0xFF, 0xFF});
  line.insert(line.end(), a.begin(), a.end());
  line.insert(line.end(), b.begin(), b.end());
  // Fed one byte at a time, as a slow line delivers them.
  RequestAssembler assembler(kGap);
  Frames frames;
  for (uint8_t byte : line) assembler.Feed(&byte, 1, 0, frames);
  EXPECT_EQ(frames, (Frames{a, b}));
}

TEST(RequestAssembler, APauseDropsAnUnfinishedFrame) {
  const auto a = test::Request(0, 0x0C, {});
  RequestAssembler assembler(kGap);
  Frames frames;
  assembler.Feed(a.data(), 3, 0, frames);
  assembler.Feed(a.data(), a.size(), kGap + 1, frames);
  EXPECT_EQ(frames, (Frames{a}));
}

TEST(HartRequestAssembler, NeedsAPreambleBeforeTheDelimiter) {
  const std::vector<uint8_t> request = {0x02, 0x01, 0x00, 0x00, 0x03};
  HartRequestAssembler assembler(kGap);
  Frames frames;
  assembler.Feed(request.data(), request.size(), 0, frames);
  EXPECT_TRUE(frames.empty());
  std::vector<uint8_t> line = {0xFF, 0xFF, 0xFF};
  line.insert(line.end(), request.begin(), request.end());
  assembler.Feed(line.data(), line.size(), 1, frames);
  EXPECT_EQ(frames, (Frames{request}));
}

TEST(FaultInjector, EachFaultDoesWhatItSays) {
  const auto frame = std::vector<uint8_t>{0x55, 0x01, 0x06, 0x82, 0xC3, 0xE9};
  auto apply = [&](FaultRates rates, std::vector<uint8_t>& out) {
    FaultInjector faults(7);
    faults.rates() = rates;
    out = frame;
    return faults.Apply(out);
  };
  std::vector<uint8_t> out;
  EXPECT_FALSE(apply({1, 0, 0, 0}, out));

  ASSERT_TRUE(apply({0, 0, 1, 0}, out));
  EXPECT_EQ(out[1], 0x02);
  EXPECT_TRUE(Crc16Matches(out.data(), 4));

  ASSERT_TRUE(apply({0, 1, 0, 0}, out));
  EXPECT_EQ(out.size(), frame.size());
  EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 3),
            std::vector<uint8_t>(frame.begin(), frame.begin() + 3));
  EXPECT_FALSE(Crc16Matches(out.data(), 4));

  ASSERT_TRUE(apply({0, 0, 0, 1}, out));
  ASSERT_GT(out.size(), frame.size());
  const size_t noise = out.size() - frame.size();
  for (size_t i = 0; i < noise; ++i) EXPECT_TRUE(out[i] != 0x55 && out[i] != 0x66);
  EXPECT_EQ(std::vector<uint8_t>(out.begin() + static_cast<std::ptrdiff_t>(noise), out.end()), frame);
}

TEST(FaultInjector, TheSameSeedRepeatsTheSameFaults) {
  auto run = [](uint32_t seed) {
    FaultInjector faults(seed);
    faults.rates() = {0.3, 0.3, 0.3, 0.3};
    std::vector<std::vector<uint8_t>> outcomes;
    for (int i = 0; i < 50; ++i) {
      std::vector<uint8_t> f = {0x55, 0x01, 0x06, 0x82, 0xC3, 0xE9};
      if (!faults.Apply(f)) f.clear();
      outcomes.push_back(f);
    }
    return outcomes;
  };
  EXPECT_EQ(run(11), run(11));
  EXPECT_NE(run(11), run(12));
}

}  // namespace
}  // namespace ruvenset::sim
