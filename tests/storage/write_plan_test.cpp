#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "common/crc16.h"
#include "storage/device_segments.h"
#include "storage/write_plan.h"

namespace ruvenset {
namespace {

using K = RecordKind;
using W = WriteBackStatus;
constexpr auto P = CalibrationSection::Pressure;
constexpr auto T = CalibrationSection::Temperature;
constexpr auto D = CalibrationSection::DifferentialPressure;
constexpr auto M = CalibrationSection::CorrectionMultipliers;

struct StepShape {
  K kind;
  int table;
  int firstRecord;
  int address;
  size_t size;
};

std::vector<uint8_t> Sealed(std::vector<uint8_t> data) {
  data.resize(data.size() + 2);
  StoreCrc16(data.data(), data.size() - 2);
  return data;
}

// The shared blocks as a flow computer would answer them, with valid check bytes.
DeviceMemoryMirror FreshBlocks() {
  DeviceMemoryMirror fresh;
  const auto put = [&](uint16_t address, std::vector<uint8_t> data) {
    const std::vector<uint8_t> block = Sealed(std::move(data));
    fresh.Store(address, block.data(), block.size());
  };
  put(4301, {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8});
  put(7947, {0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8});
  put(4312, {0x00, 0x11, 0x00, 0x22, 0x33, 0x44});
  put(7958, std::vector<uint8_t>(24, 0xC0));
  put(7984, {0x00, 0x64, 0x00, 0xC8, 0x01, 0x2C, 0xEE, 0xEE, 0xEE, 0xEE, 3, 5, 7, 0xEE, 0xEE, 0xEE});
  return fresh;
}

// A channel with the given Тос points, each with a table of the given number of points.
void FillChannel(CalibrationImage& image, CalibrationSection s, std::vector<int> points) {
  const ChannelSection c = image.Channel(s);
  c.SetTosCount(static_cast<uint16_t>(points.size()));
  for (int k = 0; k < static_cast<int>(points.size()); ++k) {
    c.SetTosPoint(k, 1000 * (k + 1), 10.0f * static_cast<float>(k));
    c.SetPointCount(k, static_cast<uint16_t>(points[static_cast<size_t>(k)]));
    for (int i = 0; i < points[static_cast<size_t>(k)]; ++i)
      c.SetPoint(k, i, 1000 * i, static_cast<float>(i));
  }
}

CalibrationImage ImageWithSettings() {
  CalibrationImage image;
  for (int b = 0; b < 9; ++b) {
    image.pressureAdcParameters[b] = static_cast<uint8_t>(0x10 + b);
    image.differentialAdcParameters[b] = static_cast<uint8_t>(0x20 + b);
  }
  image.pressureUnit = 1;
  image.differentialUnit = 1;
  image.SetCharacteristic(P, 0.5f, 1.25f);
  image.SetCharacteristic(D, -2.0f, 1.0f);
  for (int ch = 0; ch < 3; ++ch) {
    StoreLe16(image.measurementPauses[ch], static_cast<uint16_t>(300 + ch));
    image.conversionCounts[ch] = static_cast<uint8_t>(9 - 2 * ch);
  }
  return image;
}

void ExpectShapes(const WritePlan& plan, const std::vector<StepShape>& shapes, const char* what) {
  ASSERT_EQ(plan.steps.size(), shapes.size()) << what;
  for (size_t i = 0; i < shapes.size(); ++i) {
    const WriteStep& s = plan.steps[i];
    EXPECT_EQ(s.kind, shapes[i].kind) << what << " step " << i;
    EXPECT_EQ(s.table, shapes[i].table) << what << " step " << i;
    EXPECT_EQ(s.firstRecord, shapes[i].firstRecord) << what << " step " << i;
    EXPECT_EQ(s.address, shapes[i].address) << what << " step " << i;
    EXPECT_EQ(s.data.size(), shapes[i].size) << what << " step " << i;
    EXPECT_LT(s.data.size(), shapes[i].kind == K::CorrectionHeader ? 132u : 128u) << what << " step " << i;
  }
}

const WriteStep& StepAt(const WritePlan& plan, int address) {
  for (const WriteStep& s : plan.steps) {
    if (s.address == address) return s;
  }
  static const WriteStep none;
  ADD_FAILURE() << "no write to " << address;
  return none;
}

TEST(WritePlan, PressureSequenceWithGroupsAndMergedBlocks) {
  CalibrationImage image = ImageWithSettings();
  FillChannel(image, P, {25, 2});
  DeviceMemoryMirror mirror;
  WritePlan plan;
  const WriteBackCheck check =
      PlanWriteBack(image, P, {16, 21, DeviceByteOrder::MsbFirst}, FreshBlocks(), mirror, plan);
  ASSERT_TRUE(check.Ok()) << static_cast<int>(check.status);
  EXPECT_EQ(plan.channelCode, 0);
  ExpectShapes(plan,
               {{K::TosSegmentTable, 0, 0, 0, 6},
                {K::TosSegmentRecords, 0, 0, 33, 10},
                {K::TosDirectory, 0, 0, 133, 7},
                {K::TableHeader, 0, 0, 158, 75},
                {K::SegmentRecords, 0, 0, 233, 120},
                {K::SegmentRecords, 0, 12, 353, 120},
                {K::TableHeader, 1, 0, 473, 6},
                {K::SegmentRecords, 1, 0, 548, 10},
                {K::ChannelParameters, 0, 0, 4301, 11},
                {K::Units, 0, 0, 4312, 8},
                {K::CharacteristicConstants, 0, 0, 7958, 26}},
               "pressure, model 16");
  EXPECT_EQ(StepAt(plan, 4301).data,
            Sealed({0x10, 0xA1, 0x12, 0x13, 0xA4, 0x15, 0xA6, 0xA7, 0xA8}));  // bytes 0, 2, 3, 5
  EXPECT_EQ(StepAt(plan, 4312).data, Sealed({0x01, 0x11, 0x00, 0x22, 0x33, 0x44}));
  std::vector<uint8_t> constants(24, 0xC0);
  const uint8_t offsetAndSlope[] = {0x3F, 0x00, 0x00, 0x00, 0x3F, 0xA0, 0x00, 0x00};  // 0.5, 1.25
  std::copy(std::begin(offsetAndSlope), std::end(offsetAndSlope), constants.begin());
  EXPECT_EQ(StepAt(plan, 7958).data, Sealed(constants));
  for (const WriteStep& s : plan.steps) {
    std::vector<uint8_t> held(s.data.size());
    ASSERT_TRUE(mirror.Load(s.address, held.data(), held.size())) << s.address;
    EXPECT_EQ(held, s.data) << "the mirror holds what is written at " << s.address;
  }
}

TEST(WritePlan, PressureOnOtherModelsAndVersions) {
  CalibrationImage image = ImageWithSettings();
  FillChannel(image, P, {2});
  const auto kinds = [&](WriteBackTarget target) {
    DeviceMemoryMirror mirror;
    WritePlan plan;
    EXPECT_TRUE(PlanWriteBack(image, P, target, FreshBlocks(), mirror, plan).Ok());
    std::vector<K> out;
    for (const WriteStep& s : plan.steps) out.push_back(s.kind);
    return std::pair(out, plan);
  };
  const std::vector<K> tables = {K::TosSegmentTable, K::TosDirectory, K::TableHeader, K::SegmentRecords};
  auto [old7, plan7] = kinds({7, 15, DeviceByteOrder::MsbFirst});
  std::vector<K> expected = tables;
  expected.insert(expected.end(), {K::ChannelParameters, K::Units});
  EXPECT_EQ(old7, expected);
  EXPECT_EQ(StepAt(plan7, 4301).data, Sealed({0x10, 0x11, 0x12, 0xA3, 0xA4, 0xA5, 0x16, 0x17, 0x18}));

  auto [m20, plan20] = kinds({20, 25, DeviceByteOrder::LsbFirst});
  expected = tables;
  expected.insert(expected.end(), {K::Units, K::CharacteristicConstants, K::MeasurementParameters});
  EXPECT_EQ(m20, expected);
  const std::vector<uint8_t> block = StepAt(plan20, 7984).data;
  EXPECT_EQ(block[0], 0x2C);  // pause 300 ms, least significant byte first
  EXPECT_EQ(block[1], 0x01);
  EXPECT_EQ(block[2], 0x00);  // other channels untouched
  EXPECT_EQ(block[3], 0xC8);
  EXPECT_EQ(block[10], 9);
  EXPECT_EQ(block[11], 5);
  EXPECT_TRUE(Crc16Matches(block.data(), 16));
}

TEST(WritePlan, TemperatureSequenceByModel) {
  CalibrationImage image = ImageWithSettings();
  FillChannel(image, T, {11, 2});
  struct Case {
    uint8_t model;
    std::vector<StepShape> shapes;
  };
  const std::vector<StepShape> tables = {{K::TosDirectory, 0, 0, 3623, 7},
                                         {K::TableHeader, 0, 0, 3636, 33},
                                         {K::SegmentRecords, 0, 0, 3669, 100},
                                         {K::TableHeader, 1, 0, 3769, 6},
                                         {K::SegmentRecords, 1, 0, 3802, 10}};
  const auto with = [&](std::vector<StepShape> tail) {
    std::vector<StepShape> all = tables;
    all.insert(all.end(), tail.begin(), tail.end());
    return all;
  };
  const Case cases[] = {
      {7, with({{K::ChannelParameters, 0, 0, 4301, 11}})},
      {18, with({{K::ChannelParameters, 0, 0, 4301, 11}, {K::MeasurementParameters, 0, 0, 7984, 18}})},
      {20, with({{K::MeasurementParameters, 0, 0, 7984, 18}})},
      {9,
       {{K::TableHeader, 0, 0, 3636, 33},
        {K::SegmentRecords, 0, 0, 3669, 100},
        {K::ChannelParameters, 0, 0, 4301, 11}}},
  };
  for (const Case& c : cases) {
    DeviceMemoryMirror mirror;
    WritePlan plan;
    ASSERT_TRUE(
        PlanWriteBack(image, T, {c.model, 25, DeviceByteOrder::MsbFirst}, FreshBlocks(), mirror, plan).Ok());
    EXPECT_EQ(plan.channelCode, 1);
    ExpectShapes(plan, c.shapes, "temperature");
  }
  DeviceMemoryMirror mirror;
  WritePlan plan;
  ASSERT_TRUE(PlanWriteBack(image, T, {18, 25, DeviceByteOrder::MsbFirst}, FreshBlocks(), mirror, plan).Ok());
  EXPECT_EQ(StepAt(plan, 4301).data, Sealed({0xA0, 0x11, 0xA2, 0xA3, 0x14, 0xA5, 0xA6, 0xA7, 0xA8}));
  const std::vector<uint8_t> block = StepAt(plan, 7984).data;
  EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 6),
            (std::vector<uint8_t>{0x00, 0x64, 0x01, 0x2D, 0x01, 0x2C}));  // word 2: 301 ms
  EXPECT_EQ(block[11], 7);
  ASSERT_TRUE(PlanWriteBack(image, T, {20, 25, DeviceByteOrder::MsbFirst}, FreshBlocks(), mirror, plan).Ok());
  EXPECT_EQ(StepAt(plan, 7984).data[1], 0x2D);  // the single channel's slot 0
  EXPECT_EQ(StepAt(plan, 7984).data[10], 7);
  ASSERT_TRUE(PlanWriteBack(image, T, {9, 25, DeviceByteOrder::MsbFirst}, FreshBlocks(), mirror, plan).Ok());
  EXPECT_EQ(StepAt(plan, 4301).data, Sealed({0x10, 0x11, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8}));
}

TEST(WritePlan, DifferentialSequenceAndOlderConstants) {
  CalibrationImage image = ImageWithSettings();
  FillChannel(image, D, {2, 2, 2});
  const std::vector<StepShape> tables = {
      {K::TosSegmentTable, 0, 0, 4324, 9}, {K::TosSegmentRecords, 0, 0, 4357, 20},
      {K::TosDirectory, 0, 0, 4457, 9},    {K::TableHeader, 0, 0, 4482, 6},
      {K::SegmentRecords, 0, 0, 4557, 10}, {K::TableHeader, 1, 0, 4797, 6},
      {K::SegmentRecords, 1, 0, 4872, 10}, {K::TableHeader, 2, 0, 5112, 6},
      {K::SegmentRecords, 2, 0, 5187, 10},
  };
  std::vector<StepShape> expected = tables;
  expected.insert(expected.end(), {{K::ChannelParameters, 0, 0, 7947, 11},
                                   {K::Units, 0, 0, 4312, 8},
                                   {K::CharacteristicConstants, 0, 0, 7958, 26},
                                   {K::MeasurementParameters, 0, 0, 7984, 18}});
  DeviceMemoryMirror mirror;
  WritePlan plan;
  ASSERT_TRUE(PlanWriteBack(image, D, {18, 25, DeviceByteOrder::MsbFirst}, FreshBlocks(), mirror, plan).Ok());
  EXPECT_EQ(plan.channelCode, 2);
  ExpectShapes(plan, expected, "differential, model 18");
  EXPECT_EQ(StepAt(plan, 7947).data, Sealed({0x20, 0xB1, 0x22, 0x23, 0xB4, 0x25, 0xB6, 0xB7, 0xB8}));
  EXPECT_EQ(StepAt(plan, 4312).data, Sealed({0x00, 0x11, 0x01, 0x22, 0x33, 0x44}));
  std::vector<uint8_t> constants(24, 0xC0);
  const uint8_t offsetAndSlope[] = {0xC0, 0x00, 0x00, 0x00, 0x3F, 0x80, 0x00, 0x00};  // -2.0, 1.0
  std::copy(std::begin(offsetAndSlope), std::end(offsetAndSlope), constants.begin() + 8);
  EXPECT_EQ(StepAt(plan, 7958).data, Sealed(constants));
  EXPECT_EQ(StepAt(plan, 7984).data[5], 0x2E);  // word 4: 302 ms
  EXPECT_EQ(StepAt(plan, 7984).data[12], 5);

  // Older versions write the constants block back as the mirror knows it, and only when it does.
  DeviceMemoryMirror unknown;
  ASSERT_TRUE(PlanWriteBack(image, D, {7, 15, DeviceByteOrder::MsbFirst}, FreshBlocks(), unknown, plan).Ok());
  ExpectShapes(
      plan,
      [&] {
        std::vector<StepShape> s = tables;
        s.insert(s.end(), {{K::ChannelParameters, 0, 0, 7947, 11}, {K::Units, 0, 0, 4312, 8}});
        return s;
      }(),
      "differential, version 15, constants unknown");
  DeviceMemoryMirror known;
  const std::vector<uint8_t> held = Sealed(std::vector<uint8_t>(24, 0x5A));
  known.Store(7958, held.data(), held.size());
  ASSERT_TRUE(PlanWriteBack(image, D, {7, 15, DeviceByteOrder::MsbFirst}, FreshBlocks(), known, plan).Ok());
  EXPECT_EQ(StepAt(plan, 7958).data, held);
}

TEST(WritePlan, ModelTwentyWritesNoDifferentialPressure) {
  CalibrationImage image = ImageWithSettings();
  FillChannel(image, D, {2});
  DeviceMemoryMirror mirror;
  WritePlan plan;
  plan.steps.resize(3);
  EXPECT_TRUE(FreshBlockReads(D, {20, 25, DeviceByteOrder::MsbFirst}).empty());
  ASSERT_TRUE(
      PlanWriteBack(image, D, {20, 25, DeviceByteOrder::MsbFirst}, DeviceMemoryMirror(), mirror, plan).Ok());
  EXPECT_TRUE(plan.steps.empty());
  EXPECT_FALSE(mirror.Known(4324, 1));
}

TEST(WritePlan, CorrectionTableOf33PointsGoesInThreeGroups) {
  CalibrationImage image;
  image.SetCorrectionCount(33);
  for (int i = 0; i < 33; ++i) image.SetCorrectionPoint(i, static_cast<float>(i), 1.0f);
  DeviceMemoryMirror mirror;
  WritePlan plan;
  ASSERT_TRUE(PlanWriteBack(image, M, {16, 21, DeviceByteOrder::MsbFirst}, FreshBlocks(), mirror, plan).Ok());
  EXPECT_EQ(plan.channelCode, 5);
  ExpectShapes(plan,
               {{K::CorrectionHeader, 0, 0, 4324, 131},
                {K::SegmentRecords, 0, 0, 4455, 120},
                {K::SegmentRecords, 0, 12, 4575, 120},
                {K::SegmentRecords, 0, 24, 4695, 80}},
               "correction");
}

TEST(WritePlan, FreshBlockReadsPerSectionAndModel) {
  struct Case {
    CalibrationSection section;
    uint8_t model;
    uint8_t version;
    std::vector<int> addresses;
  };
  const Case cases[] = {
      {P, 16, 21, {4301, 4312, 7958}}, {P, 7, 19, {4301, 4312}},  {P, 20, 25, {4312, 7958, 7984}},
      {T, 18, 25, {4301, 4312, 7984}}, {T, 9, 12, {4301, 4312}},  {D, 18, 25, {4301, 4312, 7958, 7984, 7947}},
      {D, 7, 15, {4301, 4312, 7947}},  {M, 16, 21, {4301, 4312}},
  };
  for (const Case& c : cases) {
    std::vector<int> got;
    for (const MemoryBlock& b : FreshBlockReads(c.section, {c.model, c.version, DeviceByteOrder::MsbFirst})) {
      got.push_back(b.address);
      const int size = b.address == 4312 ? 6 : b.address == 7958 ? 24 : b.address == 7984 ? 16 : 9;
      EXPECT_EQ(b.dataSize, size);
    }
    EXPECT_EQ(got, c.addresses) << static_cast<int>(c.section) << " model " << int{c.model};
  }
}

TEST(WritePlan, DamagedOrMissingFreshBlocksStopEverything) {
  CalibrationImage image = ImageWithSettings();
  FillChannel(image, D, {2});
  struct Case {
    int address;
    bool drop;  // not read at all, rather than damaged
    W status;
  };
  const Case cases[] = {
      {4301, false, W::ChannelParameterBlockCheck},
      {7947, false, W::ChannelParameterBlockCheck},
      {4312, false, W::UnitsBlockCheck},
      {7958, true, W::ConstantsBlockCheck},
      {7984, false, W::MeasurementBlockCheck},
  };
  for (const Case& c : cases) {
    DeviceMemoryMirror fresh = FreshBlocks();
    if (c.drop) {
      DeviceMemoryMirror partial;
      for (int a : {4301, 7947, 4312, 7984}) {
        uint8_t block[18];
        const size_t size = a == 4312 ? 8 : a == 7984 ? 18 : 11;
        fresh.Load(a, block, size);
        partial.Store(a, block, size);
      }
      fresh = partial;
    } else {
      uint8_t b = 0;
      fresh.Load(c.address + 1, &b, 1);
      b ^= 0x01;
      fresh.Store(c.address + 1, &b, 1);
    }
    DeviceMemoryMirror mirror;
    WritePlan plan;
    plan.channelCode = 77;
    const WriteBackCheck check =
        PlanWriteBack(image, D, {18, 25, DeviceByteOrder::MsbFirst}, fresh, mirror, plan);
    EXPECT_EQ(check.status, c.status) << c.address;
    EXPECT_EQ(plan.channelCode, 77);
    EXPECT_FALSE(mirror.Known(4324, 1)) << "the mirror is untouched on failure";
  }
}

TEST(WriteBackChecks, SectionTablesRefusedBeforeAnythingIsWritten) {
  struct Case {
    const char* name;
    CalibrationSection section;
    uint8_t model;
    std::function<void(CalibrationImage&)> fill;
    W status;
  };
  const Case cases[] = {
      {"pressure without Тос points", P, 16, [](auto&) {}, W::NoTosPoints},
      {"temperature without Тос points", T, 16, [](auto&) {}, W::NoTosPoints},
      {"differential without Тос points", D, 7, [](auto&) {}, W::NoTosPoints},
      {"temperature 6 Тос points", T, 16,
       [](auto& im) {
         FillChannel(im, T, {2, 2, 2, 2, 2, 2});
       },
       W::TooManyTosPoints},
      {"differential 12 Тос points", D, 7, [](auto& im) { FillChannel(im, D, std::vector<int>(12, 2)); },
       W::TooManyTosPoints},
      {"temperature table of 12", T, 16,
       [](auto& im) {
         FillChannel(im, T, {2, 12});
       },
       W::TableCountTooHigh},
      {"pressure empty table", P, 16,
       [](auto& im) {
         FillChannel(im, P, {2, 0});
       },
       W::TableCountTooHigh},
      {"model 9 has one Тос point", T, 9,
       [](auto& im) {
         FillChannel(im, T, {3, 0, 0, 0, 0, 0, 0});
       },
       W::Ok},
      {"correction without points", M, 16, [](auto&) {}, W::TooManyCorrectionSegments},
      {"correction of 34 points", M, 16, [](auto& im) { im.SetCorrectionCount(34); },
       W::TooManyCorrectionSegments},
  };
  for (const Case& c : cases) {
    CalibrationImage image;
    c.fill(image);
    DeviceMemoryMirror mirror;
    WritePlan plan;
    EXPECT_EQ(
        PlanWriteBack(image, c.section, {c.model, 21, DeviceByteOrder::MsbFirst}, FreshBlocks(), mirror, plan)
            .status,
        c.status)
        << c.name;
  }
}

TEST(WriteBackChecks, DamagedConvertedTablesAreNamedByTableAndRecord) {
  CalibrationImage image;
  FillChannel(image, P, {3, 3});
  const WriteBackTarget target{16, 21, DeviceByteOrder::MsbFirst};
  struct Case {
    int address;
    W status;
    int index;
    int table;
  };
  const Case cases[] = {
      {1, W::TosSegmentTableCheck, 0, 0},    {33 + 2, W::TosSegmentRecordCheck, 0, 0},
      {134, W::TosDirectoryCheck, 0, 0},     {473 + 3, W::TableHeaderCheck, 0, 1},
      {548 + 10, W::TableRecordCheck, 1, 1},
  };
  for (const Case& c : cases) {
    DeviceMemoryMirror mirror;
    ConvertSectionTables(image, P, 16, DeviceByteOrder::MsbFirst, mirror);
    ASSERT_TRUE(CheckDeviceTables(mirror, P, target).Ok());
    uint8_t b = 0;
    mirror.Load(c.address, &b, 1);
    b ^= 0x80;
    mirror.Store(c.address, &b, 1);
    const WriteBackCheck check = CheckDeviceTables(mirror, P, target);
    EXPECT_EQ(check.status, c.status) << c.address;
    EXPECT_EQ(check.index, c.index) << c.address;
    EXPECT_EQ(check.table, c.table) << c.address;
  }
}

TEST(WriteBackChecks, ValidationOfTheImageSection) {
  struct Case {
    const char* name;
    CalibrationSection section;
    std::function<void(CalibrationImage&)> fill;
    W status;
    int index;
    int table;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const auto points = [](CalibrationSection s, std::vector<std::pair<int32_t, float>> pts) {
    return [=](CalibrationImage& im) {
      const ChannelSection c = im.Channel(s);
      c.SetTosCount(2);
      c.SetPointCount(0, 2);
      c.SetPoint(0, 0, 0, 0.0f);
      c.SetPoint(0, 1, 10, 1.0f);
      c.SetPointCount(1, static_cast<uint16_t>(pts.size()));
      for (size_t i = 0; i < pts.size(); ++i) c.SetPoint(1, static_cast<int>(i), pts[i].first, pts[i].second);
    };
  };
  const auto correction = [](std::vector<std::pair<float, float>> pts) {
    return [=](CalibrationImage& im) {
      im.SetCorrectionCount(static_cast<uint16_t>(pts.size()));
      for (size_t i = 0; i < pts.size(); ++i)
        im.SetCorrectionPoint(static_cast<int>(i), pts[i].first, pts[i].second);
    };
  };
  const Case cases[] = {
      {"sorted", P, points(P, {{100, 1.0f}, {200, 1.5f}, {300, 2.0f}}), W::Ok, 0, 0},
      {"unsorted", P, points(P, {{100, 1.0f}, {300, 2.0f}, {200, 1.5f}}), W::PointCodesNotIncreasing, 3, 2},
      {"equal codes", T, points(T, {{5, 1.0f}, {5, 2.0f}}), W::PointCodesNotIncreasing, 2, 2},
      {"code of 25 bits", D, points(D, {{1, 1.0f}, {0x1000000, 2.0f}}), W::PointCodeTooWide, 2, 2},
      {"negative code", D, points(D, {{-1, 1.0f}}), W::PointCodeTooWide, 1, 2},
      {"largest code", D, points(D, {{1, 1.0f}, {0xFFFFFF, 2.0f}}), W::Ok, 0, 0},
      {"falling values", P, points(P, {{1, 2.0f}, {2, 1.0f}}), W::PointValuesNotIncreasing, 2, 2},
      {"NaN value", P, points(P, {{1, 2.0f}, {2, nan}}), W::PointValuesNotIncreasing, 2, 2},
      {"correction sound", M, correction({{0, 0.95f}, {60, 1.05f}, {120, 1.0f}}), W::Ok, 0, 0},
      {"multiplier 1.051", M, correction({{0, 1.0f}, {60, 1.051f}}), W::MultiplierTooHigh, 2, 0},
      {"multiplier 0.949", M, correction({{0, 0.949f}}), W::MultiplierTooLow, 1, 0},
      {"NaN multiplier", M, correction({{0, nan}}), W::MultiplierTooLow, 1, 0},
      {"flow above limit", M, correction({{0, 1.0f}, {120.5f, 1.0f}}), W::FlowAboveUpperLimit, 2, 0},
      {"NaN flow", M, correction({{nan, 1.0f}}), W::FlowAboveUpperLimit, 1, 0},
      {"flows equal", M, correction({{10, 1.0f}, {10, 1.0f}}), W::FlowsNotIncreasing, 2, 0},
  };
  for (const Case& c : cases) {
    CalibrationImage image;
    c.fill(image);
    const WriteBackCheck check = ValidateForDevice(image, c.section, 120.0f);
    EXPECT_EQ(check.status, c.status) << c.name;
    if (c.status == W::Ok) continue;
    EXPECT_EQ(check.index, c.index) << c.name;
    EXPECT_EQ(check.table, c.table) << c.name;
  }
}

TEST(WriteBackChecks, IdentificationCodeInBothOrders) {
  const uint8_t bytes[] = {0x00, 0x01, 0xE2, 0x40};
  EXPECT_EQ(DeviceIdentificationCode(bytes, DeviceByteOrder::MsbFirst), 123456u);
  EXPECT_EQ(DeviceIdentificationCode(bytes, DeviceByteOrder::LsbFirst), 0x40E20100u);
}

TEST(WriteBackChecks, EachCheckNamesItsLanguageText) {
  struct Case {
    W status;
    CalibrationSection section;
    int textId;
    std::vector<int64_t> numbers;  // numeric arguments, in order
  };
  const Case cases[] = {
      {W::PointCodeTooWide, T, 1159, {2144, 3, 2}},
      {W::PointValuesNotIncreasing, D, 1161, {2145, 3, 2}},
      {W::FlowAboveUpperLimit, M, 1221, {1214, 3}},
      {W::MultiplierTooHigh, M, 1223, {3}},
      {W::NoTosPoints, P, 1150, {2143}},
      {W::NoTosPoints, T, 1171, {0}},
      {W::NoTosPoints, D, 1201, {}},
      {W::TooManyTosPoints, T, 1172, {5}},
      {W::TooManyTosPoints, D, 1196, {11}},
      {W::TooManyTosSegments, P, 1167, {10}},
      {W::TooManyTosSegments, D, 1203, {10}},
      {W::TableCountTooHigh, T, 1173, {10}},
      {W::TableCountTooHigh, D, 1202, {24}},
      {W::TosSegmentTableCheck, D, 3020, {}},
      {W::TosSegmentRecordCheck, D, 3021, {3}},
      {W::TableHeaderCheck, P, 3011, {2}},
      {W::TableHeaderCheck, T, 3015, {2}},
      {W::TableRecordCheck, D, 3012, {3, 2}},
      {W::TableRecordCheck, T, 3016, {3, 2}},
      {W::TooManyCorrectionSegments, M, 1225, {32}},
      {W::ChannelParameterBlockCheck, D, 3013, {}},
      {W::MeasurementBlockCheck, T, 1205, {}},
  };
  for (const Case& c : cases) {
    const TextMessage m = WriteBackMessage({c.status, c.section, 3, 2});
    EXPECT_EQ(m.textId, c.textId) << static_cast<int>(c.status);
    std::vector<int64_t> numbers;
    for (const TextArgument& a : m.arguments) numbers.push_back(a.number);
    EXPECT_EQ(numbers, c.numbers) << c.textId;
  }
  EXPECT_EQ(WriteBackMessage({}).textId, 0);
}

}  // namespace
}  // namespace ruvenset
