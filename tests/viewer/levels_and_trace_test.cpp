#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "viewer/min_max_levels.h"
#include "viewer/strip_trace.h"
#include "viewer/time_index.h"

namespace ruvenset {
namespace {

struct VectorSource {
  const std::vector<float>& v;
  float operator()(size_t i) const { return v[i]; }
};

std::vector<double> SecondsApart(size_t count, double seconds, double start = 46000.0) {
  std::vector<double> dates(count);
  for (size_t i = 0; i < count; ++i) dates[i] = start + i * seconds / 86400.0;
  return dates;
}

TEST(MinMaxLevels, AgreesWithAPlainScanOnRandomStretches) {
  std::mt19937 rng(7);
  std::vector<float> v(5000);
  for (float& x : v) x = std::uniform_real_distribution<float>(-100.0f, 100.0f)(rng);
  v[123] = std::numeric_limits<float>::quiet_NaN();
  v[2000] = std::numeric_limits<float>::infinity();
  const VectorSource source{v};
  MinMaxLevels levels;
  levels.Build(source, v.size());
  for (int trial = 0; trial < 3000; ++trial) {
    size_t a = rng() % (v.size() + 1);
    size_t b = rng() % (v.size() + 1);
    if (a > b) std::swap(a, b);
    Envelope expected;
    for (size_t i = a; i < b; ++i) expected.Add(v[i]);
    const Envelope got = levels.Query(source, a, b);
    ASSERT_EQ(got.lo, expected.lo) << a << ".." << b;
    ASSERT_EQ(got.hi, expected.hi) << a << ".." << b;
  }
  EXPECT_TRUE(levels.Query(source, 10, 10).Empty());
}

TEST(StripTrace, AOneReadingSpikeInAMillionShowsInItsColumn) {
  const size_t n = 1000000;
  const std::vector<double> dates = SecondsApart(n, 1.0);
  std::vector<float> v(n, 20.0f);
  v[654321] = 95.0f;
  TimeIndex index;
  index.Build(dates);
  const VectorSource source{v};
  MinMaxLevels levels;
  levels.Build(TimeOrdered<VectorSource>{index, source}, index.size());
  std::vector<TraceLine> lines;
  TraceStrip(index, source, levels, StripWindow{0.0, n / 1000.0, 1000}, lines);
  EXPECT_LE(lines.size(), 2000u);
  const auto spike =
      std::find_if(lines.begin(), lines.end(), [](const TraceLine& l) { return l.v2 == 95.0f; });
  ASSERT_NE(spike, lines.end());
  EXPECT_EQ(spike->x1, 654);
}

TEST(StripTrace, JoinsNeighboursAndBreaksBetweenRuns) {
  // Two runs of three readings ten seconds apart, an hour between the runs.
  std::vector<double> dates = SecondsApart(3, 10.0);
  for (double d : SecondsApart(3, 10.0, 46000.0 + 3620.0 / 86400.0)) dates.push_back(d);
  const std::vector<float> v = {1, 2, 3, 4, 5, 6};
  TimeIndex index;
  index.Build(dates);
  const VectorSource source{v};
  MinMaxLevels levels;
  levels.Build(TimeOrdered<VectorSource>{index, source}, index.size());
  std::vector<TraceLine> lines;
  TraceStrip(index, source, levels, StripWindow{0.0, 1.0, 4000}, lines);
  int joints = 0;
  for (const TraceLine& l : lines)
    if (l.x1 != l.x2) ++joints;
  EXPECT_EQ(joints, 4);  // 1-2, 2-3, 4-5, 5-6 but not 3-4
  // Scrolled so that only reading 2 is visible: joints to readings 1 and 3 outside the window remain.
  TraceStrip(index, source, levels, StripWindow{5.0, 1.0, 10}, lines);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].x1, -5);
  EXPECT_EQ(lines[0].v2, 2.0f);
  EXPECT_EQ(lines[2].x2, 15);
}

TEST(TimeIndex, SortsReadingsOfAClockSetBackAndLeavesOutBadDates) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<double> dates = {46000.5, 46000.4, nan, 46000.6, 1e300, 46000.4};
  TimeIndex index;
  index.Build(dates);
  ASSERT_EQ(index.size(), 4u);
  EXPECT_EQ(index.Reading(0), 1u);
  EXPECT_EQ(index.Reading(1), 5u);  // equal times keep file order
  EXPECT_EQ(index.Reading(2), 0u);
  EXPECT_EQ(index.Reading(3), 3u);
  EXPECT_DOUBLE_EQ(index.FirstDate(), 46000.4);
  EXPECT_NEAR(index.Span(), 0.2 * 86400.0, 1e-6);
  EXPECT_EQ(index.Reading(index.Nearest(0.11 * 86400.0)), 0u);
  EXPECT_EQ(index.LowerBound(1e12), 4u);
  // A row of the table finds its place on the time axis; a bad date has none.
  const size_t positions[] = {2, 0, 4, 3, 4, 1, 4};
  for (size_t reading = 0; reading < 7; ++reading)
    EXPECT_EQ(index.Position(reading), positions[reading]) << reading;

  TimeIndex ordered;
  const std::vector<double> inOrder = SecondsApart(10, 1.0);
  ordered.Build(inOrder);
  EXPECT_EQ(ordered.size(), 10u);
  EXPECT_EQ(ordered.Reading(7), 7u);
  EXPECT_EQ(ordered.Position(7), 7u);
  EXPECT_EQ(ordered.Position(10), 10u);
}

}  // namespace
}  // namespace ruvenset
