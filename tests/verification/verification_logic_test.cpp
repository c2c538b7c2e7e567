#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "common/byte_order.h"
#include "device/unit_choice.h"
#include "verification/channel_ranges.h"
#include "verification/verification_file.h"
#include "verification/verification_statistics.h"
#include "verification_fixture.h"

namespace ruvenset::testing {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(VerificationStatistics, EleventhReadingIsTheFirstToSetTheLargestDeviation) {
  VerificationStatistics s;
  for (int i = 1; i <= 10; ++i) {
    s.AddReading(static_cast<float>(i));
    EXPECT_FALSE(s.CompareWithMean(static_cast<float>(i))) << i;
  }
  s.AddReading(0.0f);
  EXPECT_TRUE(s.CompareWithMean(0.0f));
  EXPECT_FLOAT_EQ(s.largestDeviation(), 55.0f / 11.0f);
  EXPECT_TRUE(s.largestBelow());
  s.Reset();
  EXPECT_EQ(s.count(), 0u);
  EXPECT_FLOAT_EQ(s.largestDeviation(), kNoDeviation);
}

TEST(VerificationStatistics, RingOfReferenceReadingsOverwritesTheOldest) {
  VerificationStatistics s;
  for (int i = 0; i < 150; ++i) s.AddReference(static_cast<float>(i));
  EXPECT_TRUE(s.ringFull());
  EXPECT_EQ(s.ringIndex(), 0);
  EXPECT_FLOAT_EQ(s.referenceMean(), 74.5f);
  s.AddReference(150.0f);  // the 151st replaces the first (0)
  EXPECT_EQ(s.ringIndex(), 1);
  EXPECT_FLOAT_EQ(s.referenceMean(), 75.5f);
  EXPECT_EQ(s.referenceCount(), 151u);
  s.LoseReference();
  EXPECT_EQ(s.lastReference(), kNoReference);
  EXPECT_EQ(s.referenceMean(), kNoReference);
}

TEST(VerificationStatistics, ReferenceDeviationWaitsForElevenReferenceReadings) {
  VerificationStatistics s;
  for (int i = 0; i < 10; ++i) {
    s.AddReference(1.0f);
    EXPECT_FALSE(s.CompareWithReference(1.5f));
  }
  s.AddReference(1.0f);
  EXPECT_TRUE(s.CompareWithReference(1.5f));
  EXPECT_FALSE(s.largestBelow());
}

TEST(VerificationStatistics, TypedActualValueKeepsTheLargestDeviation) {
  VerificationStatistics s;
  EXPECT_TRUE(s.CompareWithActual(1.0f, 1.0f));  // the first deviation always shows
  EXPECT_TRUE(s.CompareWithActual(0.9f, 1.0f));
  EXPECT_FALSE(s.CompareWithActual(1.05f, 1.0f));
  EXPECT_NEAR(s.largestDeviation(), 0.1f, 1e-6);
  EXPECT_TRUE(s.largestBelow());
}

TEST(VerificationFile, RecordsByteExact) {
  const std::string path = ::testing::TempDir() + "records.ctr";
  {
    VerificationFile file;
    ASSERT_EQ(file.Create(path), DataFileStatus::Ok);
    EXPECT_EQ(ReadFile(path), (Bytes{'S', 'T', 'A', 'T'}));  // the magic is on disk at once
    VerificationRecord r{};
    r.time = 45000.5;
    r.channel = 2;
    r.unit = 1;
    r.ambientAdc = 0x1234;
    r.replyWord = 0x00123400;
    r.channelAdc = 0xABCDEF;
    r.value = 1.5f;
    ASSERT_EQ(file.Append(r), DataFileStatus::Ok);
  }
  const Bytes expected = {'S',  'T',  'A',  'T',  0x00, 0x00, 0x00, 0x00, 0x10, 0xF9, 0xE5, 0x40, 2,    1,
                          0x34, 0x12, 0x00, 0x34, 0x12, 0x00, 0xEF, 0xCD, 0xAB, 0x00, 0x00, 0x00, 0xC0, 0x3F};
  EXPECT_EQ(ReadFile(path), expected);
}

TEST(VerificationFile, ContinuingChecksTheFileAndCutsAPartialRecord) {
  const std::string dir = ::testing::TempDir();
  VerificationFile file;
  EXPECT_EQ(file.Continue(dir + "absent.ctr"), DataFileStatus::CannotOpen);
  EXPECT_EQ(file.Create(dir + "absent-dir/x.ctr"), DataFileStatus::CannotCreate);
  EXPECT_FALSE(file.open());
  EXPECT_EQ(file.Append(VerificationRecord{}), DataFileStatus::CannotOpen);

  const std::string other = dir + "other.bin";
  const Bytes notData = {'K', 'L', 'B', '1', 1, 2, 3};
  WriteFile(other, notData);
  EXPECT_EQ(file.Continue(other), DataFileStatus::NotADataFile);
  EXPECT_EQ(ReadFile(other), notData);

  const std::string partial = dir + "partial.ctr";
  Bytes bytes = {'S', 'T', 'A', 'T'};
  bytes.resize(4 + 24 + 10, 0x11);
  WriteFile(partial, bytes);
  ASSERT_EQ(file.Continue(partial), DataFileStatus::Ok);
  VerificationRecord r{};
  r.channel = 1;
  ASSERT_EQ(file.Append(r), DataFileStatus::Ok);
  file.Close();
  const Bytes after = ReadFile(partial);
  ASSERT_EQ(after.size(), 4u + 2 * 24);
  EXPECT_EQ(Bytes(after.begin(), after.begin() + 28), Bytes(bytes.begin(), bytes.begin() + 28));
  EXPECT_EQ(after[4 + 24 + 8], 1);
}

TEST(VerificationFile, RecordTimeIsTheLocalOleDate) {
  const VerificationRecord r = MakeVerificationRecord(1'700'000'000, 500, 0, 1, 10, 20, 30, 2.5f);
  EXPECT_DOUBLE_EQ(r.time, OleDateFromMoment(1'700'000'000, 500));
  EXPECT_EQ(r.unit, 1);
  EXPECT_EQ(r.channelAdc, 30u);
}

struct UnitChoice : VerificationFixture {
  UnitChoice() { state.record.configuration[37] = 0; }  // the flow computer measures in kgf/cm2
};

TEST_F(UnitChoice, CancellingKeepsThePreviousChoice) {
  state.units.pressure = 4;
  technician.choices = {std::nullopt, 5};
  EXPECT_TRUE(ChooseUnit(state, technician, kPressureUnitList, kUnitForVerification));
  EXPECT_EQ(state.units.pressure, 4);
  EXPECT_FALSE(ChooseUnit(state, technician, kPressureUnitList, kUnitForVerification));
  EXPECT_EQ(state.units.pressure, 5);
  const ChoiceRequest r = UnitChoiceRequest(state, kDiffPressureUnitList, kUnitForCorrection);
  EXPECT_EQ(r.items.size(), 9u);
  EXPECT_EQ(r.caption, "Корректировка НСХП");
  EXPECT_EQ(r.title, "Единица измерения перепада давления");
}

TEST_F(UnitChoice, AtmosphericPressureIsStoredInTheFlowComputersUnit) {
  technician.choices = {2};                // kPa
  technician.numbers = {50.0f, 101.325f};  // the first lies outside 83.98 .. 106.70 kPa
  const std::optional<float> p = AskAtmosphericPressure(state, technician, StandardAtmosphere(state));
  ASSERT_TRUE(p.has_value());
  EXPECT_NEAR(*p, 1.0332f, 1e-4);
  EXPECT_EQ(state.units.atmospheric, 2);
  EXPECT_EQ(technician.Count("number"), 2);
  technician.choices = {std::nullopt};
  EXPECT_FALSE(AskAtmosphericPressure(state, technician, 1.0f).has_value());
}

TEST(ChannelRanges, SubstituteConstantsAreClampedIntoTheirRanges) {
  ConnectionRecord record;
  record.id.version = 35;
  const float ranges[10] = {0, 16, 0, 2500, -40, 60, 0, 1000, 0.66f, 0.9f};
  std::memcpy(record.pipelineParameters[0] + 21, ranges, sizeof ranges);
  const float constants[4] = {3000.0f, 20.0f, 80.0f, 0.5f};  // dp, pressure, temperature, density
  uint8_t* s = record.pipelineState[0];
  std::memcpy(s + 2, &constants[0], 4);
  std::memcpy(s + 6, &constants[1], 4);
  std::memcpy(s + 10, &constants[2], 4);
  std::memcpy(s + 15, &constants[3], 4);
  ClampSubstituteConstants(record, 0, false);
  const uint8_t raw[4] = {0x3F, 0x33, 0x33, 0x33};  // the flow computer's own bytes, not a host float
  EXPECT_EQ(std::memcmp(s + 15, &constants[3], 4), 0);
  std::memcpy(s + 15, raw, 4);
  ClampSubstituteConstants(record, 0, false);
  EXPECT_EQ(std::memcmp(s + 15, raw, 4), 0);
  std::memcpy(s + 15, &constants[3], 4);
  ClampSubstituteConstants(record, 0, true);
  auto at = [&](int offset) {
    float f;
    std::memcpy(&f, s + offset, 4);
    return f;
  };
  EXPECT_EQ(at(2), 2500.0f);
  EXPECT_EQ(at(6), 16.0f);
  EXPECT_EQ(at(10), 60.0f);
  EXPECT_EQ(at(15), 0.66f);

  record.configuration[17] = 0x02;  // the variant that substitutes only the differential pressure
  std::memcpy(s + 2, &constants[0], 4);
  std::memcpy(s + 6, &constants[1], 4);
  ClampSubstituteConstants(record, 0, true);
  EXPECT_EQ(at(2), 50.0f);
  EXPECT_EQ(at(6), 20.0f);
  EXPECT_EQ(ChannelCodeOfKind(kKindUpperDiffPressure), 2);
  EXPECT_EQ(ChannelCodeOfKind(kKindLowerDiffPressure), 3);
}

}  // namespace
}  // namespace ruvenset::testing
