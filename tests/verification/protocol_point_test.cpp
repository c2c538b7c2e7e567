#include <gtest/gtest.h>

#include <cmath>

#include "verification/protocol_point.h"
#include "verification/protocol_verdict.h"

namespace ruvenset {
namespace {

constexpr ChannelRange kTemperatureRange{-40.0f, 60.0f};

void Readings(PointRecorder& recorder, std::initializer_list<float> values, double from = 1000.0) {
  for (float v : values) recorder.AddReading(from++, v);
}

TEST(ProtocolPoint, StatisticsOfARunAgainstHandComputedValues) {
  PointRecorder recorder(kReferenceTyped, kTemperatureRange);
  recorder.Begin(100, 20.0f);
  Readings(recorder, {20.1f, 19.9f, 20.3f, 20.0f});
  recorder.Close(200);
  ASSERT_EQ(recorder.points().size(), 1u);
  const ProtocolPoint& p = recorder.points()[0];
  EXPECT_EQ(p.start, 100);
  EXPECT_EQ(p.end, 200);
  EXPECT_EQ(p.count, 4u);
  EXPECT_FLOAT_EQ(p.mean, 20.075f);
  EXPECT_FLOAT_EQ(p.minimum, 19.9f);
  EXPECT_FLOAT_EQ(p.maximum, 20.3f);
  // Deviations from the mean 0.025, -0.175, 0.225, -0.075: squares 0.0875 in all, over n - 1 = 3.
  ASSERT_TRUE(p.standardDeviation);
  EXPECT_NEAR(*p.standardDeviation, std::sqrt(0.0875 / 3), 1e-5);
  ASSERT_TRUE(p.largestDeviation);
  EXPECT_NEAR(*p.largestDeviation, 0.3f, 1e-5);  // 20.3 above the actual value
  ASSERT_TRUE(p.reference && p.error && p.errorPercent);
  EXPECT_FLOAT_EQ(*p.reference, 20.0f);
  EXPECT_NEAR(*p.error, 0.075f, 1e-5);
  EXPECT_NEAR(*p.errorPercent, 0.075f, 1e-5);  // of a range 100 °C wide
  EXPECT_EQ(p.readings.size(), 4u);
  EXPECT_EQ(p.readings[2].time, 1002.0);
}

TEST(ProtocolPoint, SingleReadingHasNoDeviationAndBelowTheReferenceIsNegative) {
  PointRecorder recorder(kReferenceTyped, kTemperatureRange);
  recorder.Begin(0, 20.0f);
  Readings(recorder, {19.5f});
  recorder.Close(1);
  const ProtocolPoint& p = recorder.points().at(0);
  EXPECT_EQ(p.count, 1u);
  EXPECT_FALSE(p.standardDeviation);
  EXPECT_FLOAT_EQ(p.mean, 19.5f);
  EXPECT_FLOAT_EQ(p.minimum, p.maximum);
  EXPECT_NEAR(*p.largestDeviation, -0.5f, 1e-6);
  EXPECT_NEAR(*p.error, -0.5f, 1e-6);
}

TEST(ProtocolPoint, EachRunIsAPointOfItsOwnAndAnEmptyRunIsNone) {
  PointRecorder recorder(kReferenceTyped, kTemperatureRange);
  recorder.Begin(0, 20.0f);
  Readings(recorder, {21.0f, 22.0f, 23.0f});
  recorder.Close(10);  // a reset in the middle of the readings
  recorder.Begin(10, 20.0f);
  Readings(recorder, {20.0f, 20.2f});
  recorder.Close(20);  // a new actual value
  recorder.Begin(20, 30.0f);
  recorder.Close(30);              // finished before a reading
  recorder.AddReading(40, 99.0f);  // no run open: belongs to nothing
  ASSERT_EQ(recorder.points().size(), 2u);
  const ProtocolPoint& first = recorder.points()[0];
  const ProtocolPoint& second = recorder.points()[1];
  EXPECT_EQ(first.count, 3u);
  EXPECT_FLOAT_EQ(first.mean, 22.0f);
  EXPECT_NEAR(*first.largestDeviation, 3.0f, 1e-6);
  EXPECT_EQ(second.count, 2u);
  EXPECT_FLOAT_EQ(second.mean, 20.1f);
  EXPECT_NEAR(*second.largestDeviation, 0.2f, 1e-5);  // not the first run's 3
  EXPECT_EQ(second.start, 10);
  EXPECT_EQ(second.end, 20);
}

TEST(ProtocolPoint, WithoutAReferenceTheDeviationFollowsTheWindowAndThereIsNoError) {
  PointRecorder recorder(kReferenceNone, kTemperatureRange);
  recorder.Begin(0, 0.0f);
  for (int i = 1; i <= 10; ++i) recorder.AddReading(i, 20.0f);
  recorder.Close(11);
  recorder.Begin(11, 0.0f);
  for (int i = 1; i <= 10; ++i) recorder.AddReading(i, 20.0f);
  recorder.AddReading(11, 20.55f);  // the 11th reading is the first compared with the mean
  recorder.Close(12);
  const ProtocolPoint& settling = recorder.points().at(0);
  const ProtocolPoint& settled = recorder.points().at(1);
  EXPECT_FALSE(settling.largestDeviation);
  EXPECT_FALSE(settling.reference || settling.error || settling.errorPercent);
  ASSERT_TRUE(settled.largestDeviation);
  EXPECT_NEAR(*settled.largestDeviation, 0.5f, 1e-4);  // 20.55 against the mean 20.05
}

TEST(ProtocolPoint, TransmitterReferenceIsTheMeanOfTheRunsReferenceReadings) {
  // A pressure channel 0..16; the references already carry the atmospheric correction.
  PointRecorder recorder(kReferenceTransmitter, {0.0f, 16.0f});
  recorder.Begin(0, 0.0f);
  recorder.AddReading(1, 2.0f);
  recorder.AddReference(3.0f, 2.0f);
  recorder.Close(2);  // reset: the next run's reference starts afresh
  recorder.Begin(2, 0.0f);
  recorder.AddReading(3, 2.0f);
  recorder.AddReference(2.0f, 2.0f);
  recorder.AddReading(4, 2.1f);
  recorder.LoseReference();  // a failed reference reading counts for nothing
  recorder.AddReading(5, 2.2f);
  recorder.AddReference(2.1f, 2.2f);
  recorder.Close(6);
  recorder.Begin(6, 0.0f);
  recorder.AddReading(7, 2.0f);  // every reference reading failed
  recorder.LoseReference();
  recorder.Close(8);
  ASSERT_EQ(recorder.points().size(), 3u);
  EXPECT_FLOAT_EQ(*recorder.points()[0].reference, 3.0f);
  const ProtocolPoint& p = recorder.points()[1];
  EXPECT_FLOAT_EQ(*p.reference, 2.05f);
  EXPECT_NEAR(*p.error, 2.1f - 2.05f, 1e-6);
  EXPECT_NEAR(*p.errorPercent, (2.1f - 2.05f) / 16 * 100, 1e-4);
  EXPECT_FALSE(p.largestDeviation);  // fewer than 11 reference readings
  EXPECT_FALSE(recorder.points()[2].reference || recorder.points()[2].error);
}

ProtocolPoint Point(float mean, std::optional<float> reference) {
  ProtocolPoint p;
  p.count = 1;
  p.mean = mean;
  p.reference = reference;
  return p;
}

TEST(ProtocolVerdict, AtJustInsideAndJustOutsideTheLimitInBothForms) {
  struct Case {
    const char* name;
    float mean;
    float reference;
    PermissibleError limit;
    ChannelRange range;
    Verdict verdict;
  };
  const ChannelRange pressure{0.0f, 16.0f};  // 0.25 % of it is 0.04
  const Case cases[] = {
      {"absolute, at the limit above", 20.2f, 20.0f, {0.2f, false}, kTemperatureRange, Verdict::Pass},
      {"absolute, at the limit below", 19.8f, 20.0f, {0.2f, false}, kTemperatureRange, Verdict::Pass},
      {"absolute, just inside", 20.199f, 20.0f, {0.2f, false}, kTemperatureRange, Verdict::Pass},
      {"absolute, just outside", 20.201f, 20.0f, {0.2f, false}, kTemperatureRange, Verdict::Fail},
      {"absolute, just outside below", 19.799f, 20.0f, {0.2f, false}, kTemperatureRange, Verdict::Fail},
      {"per cent, at the limit", 1.04f, 1.0f, {0.25f, true}, pressure, Verdict::Pass},
      {"per cent, at the limit below", 0.96f, 1.0f, {0.25f, true}, pressure, Verdict::Pass},
      {"per cent, just inside", 1.0399f, 1.0f, {0.25f, true}, pressure, Verdict::Pass},
      {"per cent, just outside", 1.0401f, 1.0f, {0.25f, true}, pressure, Verdict::Fail},
      {"per cent of a range not given", 1.0f, 1.0f, {0.25f, true}, {0.0f, 0.0f}, Verdict::None},
  };
  for (const Case& c : cases)
    EXPECT_EQ(JudgePoint(Point(c.mean, c.reference), c.limit, c.range), c.verdict) << c.name;
  EXPECT_EQ(JudgePoint(Point(20.0f, 20.0f), std::nullopt, kTemperatureRange), Verdict::None);
  EXPECT_EQ(JudgePoint(Point(20.0f, std::nullopt), PermissibleError{1.0f, false}, kTemperatureRange),
            Verdict::None);
}

TEST(ProtocolVerdict, OverallFailsWithOnePointAndPassesOnlyWithAVerdict) {
  std::vector<ProtocolPoint> points = {Point(20.0f, 20.0f), Point(30.0f, std::nullopt), Point(40.5f, 40.0f)};
  JudgePoints(points, PermissibleError{0.2f, false}, kTemperatureRange);
  EXPECT_EQ(points[0].verdict, Verdict::Pass);
  EXPECT_EQ(points[1].verdict, Verdict::None);
  EXPECT_EQ(points[2].verdict, Verdict::Fail);
  EXPECT_EQ(OverallVerdict(points), Verdict::Fail);
  points.pop_back();
  EXPECT_EQ(OverallVerdict(points), Verdict::Pass);
  JudgePoints(points, std::nullopt, kTemperatureRange);
  EXPECT_EQ(OverallVerdict(points), Verdict::None);
  for (Verdict v : {Verdict::None, Verdict::Pass, Verdict::Fail}) EXPECT_EQ(VerdictOfWord(VerdictWord(v)), v);
  EXPECT_FALSE(VerdictOfWord("good"));
}

}  // namespace
}  // namespace ruvenset
