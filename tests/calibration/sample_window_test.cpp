#include <gtest/gtest.h>

#include <cmath>

#include "calibration/sample_window.h"

namespace ruvenset {
namespace {

uint32_t MeanOf(std::initializer_list<int32_t> codes) {
  SampleWindow window;
  for (int32_t c : codes) window.Add(c, kPointFullScale);
  return window.mean();
}

TEST(SampleWindow, MeanRoundsUpFromHalfTheCount) {
  EXPECT_EQ(MeanOf({10, 11}), 11u);          // 21 / 2 = 10 r 1, 1 >= 1
  EXPECT_EQ(MeanOf({10, 10, 11}), 11u);      // 31 / 3 = 10 r 1, 1 >= 3 / 2
  EXPECT_EQ(MeanOf({10, 10, 10, 11}), 10u);  // 41 / 4 = 10 r 1, 1 < 2
  EXPECT_EQ(MeanOf({7}), 7u);
  EXPECT_EQ(MeanOf({16777215, 16777215, 16777214}), 16777215u);
  EXPECT_EQ(RoundedMean(0, 0), 0u);
}

TEST(SampleWindow, RingKeepsTheNewest150) {
  SampleWindow window;
  for (int i = 1; i <= 150; ++i) window.Add(1000, kPointFullScale);
  EXPECT_EQ(window.count(), 150);
  EXPECT_EQ(window.mean(), 1000u);
  window.Add(1150, kPointFullScale);  // overwrites the first sample
  EXPECT_EQ(window.count(), 150);
  // 149 × 1000 + 1150 = 150150: mean 1001.
  EXPECT_EQ(window.mean(), 1001u);
  const std::vector<int32_t> codes = window.Codes();
  ASSERT_EQ(codes.size(), 150u);
  EXPECT_EQ(codes.back(), 1150);
  EXPECT_EQ(codes.front(), 1000);
  EXPECT_EQ(window.newestDeviation(), 149);
}

TEST(SampleWindow, DeviationsAndThreeSigma) {
  SampleWindow window;
  window.Add(100, kAmbientFullScale);
  window.Add(104, kAmbientFullScale);
  window.Add(96, kAmbientFullScale);
  EXPECT_EQ(window.mean(), 100u);
  EXPECT_EQ(window.newestDeviation(), -4);
  EXPECT_EQ(std::abs(window.largestDeviation()), 4);
  EXPECT_DOUBLE_EQ(window.sumOfSquares(), 32.0);
  EXPECT_NEAR(window.threeSigma(), std::sqrt(32.0 / 3) * 300 / 65535, 1e-12);
  // The largest deviation survives a calmer window; a reset forgets it and empties the ring.
  for (int i = 0; i < 150; ++i) window.Add(100, kAmbientFullScale);
  EXPECT_EQ(std::abs(window.largestDeviation()), 4);
  window.Reset();
  EXPECT_EQ(window.count(), 0);
  EXPECT_EQ(window.largestDeviation(), 0);
  window.Add(50, kAmbientFullScale);
  EXPECT_EQ(window.mean(), 50u);
  EXPECT_EQ(window.count(), 1);
}

TEST(SampleWindow, DamagedWideCodesDoNotWrapTheMean) {
  SampleWindow window;
  for (int i = 0; i < 150; ++i) window.Add(static_cast<int32_t>(0xF0000000u), kPointFullScale);
  EXPECT_EQ(window.mean(), 0xF0000000u);
}

TEST(ReferenceWindow, PlainMeanOverTheRing) {
  ReferenceWindow window;
  window.Add(1.0f);
  window.Add(2.0f);
  EXPECT_FLOAT_EQ(window.mean(), 1.5f);
  for (int i = 0; i < 150; ++i) window.Add(4.0f);
  EXPECT_EQ(window.count(), 150);
  EXPECT_FLOAT_EQ(window.mean(), 4.0f);
  window.Reset();
  EXPECT_EQ(window.count(), 0);
}

}  // namespace
}  // namespace ruvenset
