#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>

#include "storage/calibration_checks.h"
#include "storage/calibration_file.h"
#include "storage/calibration_paths.h"
#include "storage_test_support.h"

namespace ruvenset {
namespace {

using S = CalibrationFileStatus;
using test::ImageBytes;
using test::ReadBytes;
using test::SampleImage;
using test::TempFolder;
using test::WriteBytes;

CalibrationReadRequest Request(CalibrationSection s, bool editor = false) {
  return {s, editor, 120.0f};
}

// An image that the program holds before a read: distinct from anything a test file contains.
CalibrationImage Resident() {
  CalibrationImage image;
  std::fill(image.Bytes(), image.Bytes() + kCalibrationImageSize, uint8_t{0x5A});
  return image;
}

TEST(CalibrationFile, WrittenImageReadsBackByteForByte) {
  TempFolder folder;
  const std::string path = folder.File("a.klb");
  CalibrationImage image = SampleImage();
  ASSERT_EQ(WriteCalibrationFile(path, CalibrationSection::Pressure, 16, image), S::Ok);
  EXPECT_EQ(ReadBytes(path), ImageBytes(image));
  for (CalibrationSection s :
       {CalibrationSection::Pressure, CalibrationSection::Temperature,
        CalibrationSection::DifferentialPressure, CalibrationSection::CorrectionMultipliers}) {
    CalibrationImage back = Resident();
    ASSERT_EQ(ReadCalibrationFile(path, Request(s), back), S::Ok);
    EXPECT_EQ(ImageBytes(back), ImageBytes(image));
  }
}

TEST(CalibrationFile, WriteSortsTheSectionAndStoresCheckBytes) {
  TempFolder folder;
  const std::string path = folder.File("sorted.klb");
  CalibrationImage image;
  const ChannelSection p = image.Channel(CalibrationSection::Pressure);
  p.SetTosCount(1);
  p.SetPointCount(0, 2);
  p.SetPoint(0, 0, 5, 2.0f);
  p.SetPoint(0, 1, 1, 0.5f);
  ASSERT_EQ(WriteCalibrationFile(path, CalibrationSection::Pressure, 16, image), S::Ok);
  const std::vector<uint8_t> file = ReadBytes(path);
  ASSERT_EQ(file.size(), kCalibrationImageSize);
  const std::vector<uint8_t> codes(file.begin() + 92, file.begin() + 100);
  const std::vector<uint8_t> values(file.begin() + 192, file.begin() + 200);
  EXPECT_EQ(codes, (std::vector<uint8_t>{1, 0, 0, 0, 5, 0, 0, 0}));
  EXPECT_EQ(values, (std::vector<uint8_t>{0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x00, 0x40}));
  CalibrationImage back;
  EXPECT_EQ(ReadCalibrationFile(path, Request(CalibrationSection::Pressure), back), S::Ok);
}

TEST(CalibrationFile, EveryFlippedBitIsRefusedAndLeavesTheImage) {
  TempFolder folder;
  const std::string path = folder.File("flip.klb");
  CalibrationImage image = SampleImage();
  const std::vector<uint8_t> good = ImageBytes(image);
  for (size_t byte = 0; byte < kCalibrationImageSize; byte += 97) {
    std::vector<uint8_t> bad = good;
    bad[byte] ^= static_cast<uint8_t>(1u << (byte % 8));
    WriteBytes(path, bad);
    CalibrationImage resident = Resident();
    ASSERT_EQ(ReadCalibrationFile(path, Request(CalibrationSection::Temperature), resident), S::BadCheck)
        << byte;
    ASSERT_EQ(ImageBytes(resident), ImageBytes(Resident()));
  }
}

TEST(CalibrationFile, LengthDecidesBeforeContent) {
  TempFolder folder;
  const std::string path = folder.File("len.klb");
  const std::vector<uint8_t> good = ImageBytes(SampleImage());
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    S status;
  };
  std::vector<uint8_t> shorter(good.begin(), good.end() - 1);
  std::vector<uint8_t> longer = good;
  longer.push_back(0x77);
  const Case cases[] = {
      {"empty", {}, S::TooShort},
      {"6257 bytes", shorter, S::TooShort},
      {"6259 bytes", longer, S::Ok},
      {"all 0xFF", std::vector<uint8_t>(kCalibrationImageSize, 0xFF), S::BadCheck},
      {"all 0xFF and longer", std::vector<uint8_t>(100000, 0xFF), S::BadCheck},
  };
  for (const Case& c : cases) {
    WriteBytes(path, c.bytes);
    CalibrationImage resident = Resident();
    EXPECT_EQ(ReadCalibrationFile(path, Request(CalibrationSection::Pressure), resident), c.status) << c.name;
    EXPECT_EQ(ImageBytes(resident), c.status == S::Ok ? good : ImageBytes(Resident())) << c.name;
  }
}

TEST(CalibrationFile, MissingFileAndFolderAreTold) {
  TempFolder folder;
  CalibrationImage resident = Resident();
  EXPECT_EQ(ReadCalibrationFile(folder.File("none.klb"), Request(CalibrationSection::Pressure), resident),
            S::NotFound);
  EXPECT_EQ(ReadCalibrationFile(folder.Path(), Request(CalibrationSection::Pressure), resident),
            S::CannotOpen);
  EXPECT_EQ(ImageBytes(resident), ImageBytes(Resident()));
  CalibrationImage image = SampleImage();
  EXPECT_EQ(WriteCalibrationFile(folder.File("no/such/dir.klb"), CalibrationSection::Pressure, 16, image),
            S::CannotCreate);
}

// Section checks on files whose check bytes are right: the damage is in the counts.
TEST(CalibrationFile, SectionChecksRefuseImplausibleCounts) {
  struct Case {
    const char* name;
    CalibrationSection section;
    std::function<void(CalibrationImage&)> damage;
    S status;
  };
  const auto ch = [](CalibrationImage& im, CalibrationSection s) { return im.Channel(s); };
  constexpr auto P = CalibrationSection::Pressure;
  constexpr auto T = CalibrationSection::Temperature;
  constexpr auto D = CalibrationSection::DifferentialPressure;
  const Case cases[] = {
      {"pressure 12 Тос points", P, [&](auto& im) { ch(im, P).SetTosCount(12); }, S::PressureTosCountTooHigh},
      {"pressure 65535 Тос points", P, [&](auto& im) { ch(im, P).SetTosCount(65535); },
       S::PressureTosCountTooHigh},
      {"pressure 11 Тос points", P, [&](auto& im) { ch(im, P).SetTosCount(11); }, S::Ok},
      {"pressure table after last", P, [&](auto& im) { ch(im, P).SetPointCount(3, 26); },
       S::PressureTableCountTooHigh},
      {"pressure used table 65535", P, [&](auto& im) { ch(im, P).SetPointCount(1, 65535); },
       S::PressureTableCountTooHigh},
      {"pressure table beyond next", P, [&](auto& im) { ch(im, P).SetPointCount(4, 65535); }, S::Ok},
      {"pressure unit 2", P, [](auto& im) { im.pressureUnit = 2; }, S::PressureUnitInvalid},
      {"pressure unit 1", P, [](auto& im) { im.pressureUnit = 1; }, S::Ok},
      {"temperature 6 Тос points", T, [&](auto& im) { ch(im, T).SetTosCount(6); },
       S::TemperatureTosCountTooHigh},
      {"temperature table after last", T, [&](auto& im) { ch(im, T).SetPointCount(2, 12); },
       S::TemperatureTableCountTooHigh},
      {"temperature 5 full Тос points", T,
       [&](auto& im) {
         ch(im, T).SetTosCount(5);
         for (int k = 0; k < 5; ++k) ch(im, T).SetPointCount(k, 11);
       },
       S::Ok},
      {"differential 12 Тос points", D, [&](auto& im) { ch(im, D).SetTosCount(12); },
       S::DifferentialTosCountTooHigh},
      {"differential table after last", D, [&](auto& im) { ch(im, D).SetPointCount(1, 26); },
       S::DifferentialTableCountTooHigh},
      {"differential unit 2", D, [](auto& im) { im.differentialUnit = 2; }, S::DifferentialUnitInvalid},
      {"other section damaged", D, [](auto& im) { im.pressureUnit = 9; }, S::Ok},
      {"correction unchecked", CalibrationSection::CorrectionMultipliers,
       [](auto& im) { im.pressureUnit = 9; }, S::Ok},
  };
  TempFolder folder;
  const std::string path = folder.File("counts.klb");
  for (const Case& c : cases) {
    CalibrationImage image = SampleImage();
    c.damage(image);
    image.StoreCheckBytes();
    WriteBytes(path, ImageBytes(image));
    CalibrationImage resident = Resident();
    EXPECT_EQ(ReadCalibrationFile(path, Request(c.section), resident), c.status) << c.name;
    if (c.status != S::Ok) {
      EXPECT_EQ(ImageBytes(resident), ImageBytes(Resident())) << c.name;
    }
  }
}

TEST(CalibrationFile, EditorConditionsComeBeforeSectionChecks) {
  TempFolder folder;
  const std::string path = folder.File("editor.klb");
  CalibrationImage image = SampleImage();
  image.modelCode = 9;
  image.differentialUnit = 5;
  image.softwareVersion = 10;
  image.StoreCheckBytes();
  WriteBytes(path, ImageBytes(image));
  CalibrationImage resident = Resident();
  const CalibrationSection d = CalibrationSection::DifferentialPressure;
  const CalibrationSection m = CalibrationSection::CorrectionMultipliers;
  EXPECT_EQ(ReadCalibrationFile(path, Request(d, true), resident), S::NoDifferentialChannel);
  EXPECT_EQ(ReadCalibrationFile(path, Request(d, false), resident), S::DifferentialUnitInvalid);
  EXPECT_EQ(ReadCalibrationFile(path, Request(m, true), resident), S::NoCorrectionTable);
  EXPECT_EQ(ImageBytes(resident), ImageBytes(Resident()));
  for (uint8_t model : {7, 16, 18}) {
    image.modelCode = model;
    image.differentialUnit = 1;
    image.softwareVersion = 11;
    image.StoreCheckBytes();
    WriteBytes(path, ImageBytes(image));
    EXPECT_EQ(ReadCalibrationFile(path, Request(d, true), resident), S::Ok);
    EXPECT_EQ(ReadCalibrationFile(path, Request(m, true), resident), S::Ok);
  }
}

TEST(CalibrationFile, CorrectionTableOfZeroOrMoreThan33PointsGetsTheDefault) {
  TempFolder folder;
  const std::string path = folder.File("corr.klb");
  for (uint16_t count : {0, 34, 65535, 33, 1}) {
    CalibrationImage image = SampleImage();
    image.SetCorrectionCount(count);
    image.StoreCheckBytes();
    WriteBytes(path, ImageBytes(image));
    CalibrationImage back;
    ASSERT_EQ(ReadCalibrationFile(path, Request(CalibrationSection::CorrectionMultipliers), back), S::Ok);
    const bool reset = count == 0 || count > 33;
    EXPECT_EQ(back.CorrectionCount(), reset ? 2 : count) << count;
    if (reset) {
      EXPECT_EQ(back.CorrectionFlow(0), 0.0f);
      EXPECT_EQ(back.CorrectionFlow(1), 60.0f);
      EXPECT_EQ(back.CorrectionMultiplier(0), 0.0f);
      EXPECT_EQ(back.CorrectionMultiplier(1), 0.0f);
    }
    CalibrationImage pressureRead;
    ASSERT_EQ(ReadCalibrationFile(path, Request(CalibrationSection::Pressure), pressureRead), S::Ok);
    EXPECT_EQ(pressureRead.CorrectionCount(), count);
  }
}

TEST(CalibrationFile, NanValuesAndWideCodesReadAndRewriteWithoutHarm) {
  TempFolder folder;
  const std::string path = folder.File("nan.klb");
  CalibrationImage image = SampleImage();
  const ChannelSection p = image.Channel(CalibrationSection::Pressure);
  p.SetPoint(0, 0, -1, std::numeric_limits<float>::quiet_NaN());
  p.SetPoint(0, 1, 0x7FFFFFFF, std::numeric_limits<float>::infinity());
  image.SetCorrectionPoint(1, std::numeric_limits<float>::quiet_NaN(),
                           std::numeric_limits<float>::quiet_NaN());
  image.StoreCheckBytes();
  WriteBytes(path, ImageBytes(image));
  CalibrationImage back;
  ASSERT_EQ(ReadCalibrationFile(path, Request(CalibrationSection::Pressure), back), S::Ok);
  ASSERT_EQ(WriteCalibrationFile(path, CalibrationSection::Pressure, 16, back), S::Ok);
  ASSERT_EQ(WriteCalibrationFile(path, CalibrationSection::CorrectionMultipliers, 16, back), S::Ok);
  CalibrationImage again;
  ASSERT_EQ(ReadCalibrationFile(path, Request(CalibrationSection::Pressure), again), S::Ok);
  EXPECT_EQ(again.Channel(CalibrationSection::Pressure).PointCode(0, 0), -1);
  EXPECT_TRUE(std::isnan(again.Channel(CalibrationSection::Pressure).PointValue(0, 0)));
}

TEST(CalibrationFile, ReadOnlyTargetIsReplaced) {
  TempFolder folder;
  const std::string path = folder.File("ro.klb");
  WriteBytes(path, std::vector<uint8_t>(10, 1));
  std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
  CalibrationImage image = SampleImage();
  ASSERT_EQ(WriteCalibrationFile(path, CalibrationSection::Temperature, 16, image), S::Ok);
  EXPECT_EQ(ReadBytes(path), ImageBytes(image));
}

TEST(CalibrationFile, WriteThatCannotReplaceTheTargetLeavesNoTemporaryFile) {
  TempFolder folder;
  const std::string path = folder.File("taken");
  ASSERT_TRUE(std::filesystem::create_directory(path));
  WriteBytes(path + "/inside", {1, 2, 3});
  CalibrationImage image = SampleImage();
  EXPECT_EQ(WriteCalibrationFile(path, CalibrationSection::Pressure, 16, image), S::WriteFailed);
  EXPECT_EQ(ReadBytes(path + "/inside"), (std::vector<uint8_t>{1, 2, 3}));
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    entries += entry.exists() ? 1 : 0;
  EXPECT_EQ(entries, 1);
}

TEST(CalibrationFile, EachStatusNamesItsLanguageText) {
  struct Case {
    S status;
    int textId;
    int64_t number;  // -1: the path is the argument; 0: no argument
  };
  const Case cases[] = {
      {S::Ok, 0, 0},
      {S::NotFound, 0, 0},
      {S::CannotOpen, 3102, -1},
      {S::TooShort, 1246, -1},
      {S::BadCheck, 1149, 0},
      {S::PressureTosCountTooHigh, 1169, 11},
      {S::TemperatureTosCountTooHigh, 1172, 5},
      {S::DifferentialTosCountTooHigh, 1196, 11},
      {S::NoDifferentialChannel, 1162, 0},
      {S::CannotCreate, 1244, -1},
      {S::WriteFailed, 1245, -1},
  };
  for (const Case& c : cases) {
    const TextMessage m = CalibrationFileMessage(c.status, "/x/y.klb");
    EXPECT_EQ(m.textId, c.textId) << static_cast<int>(c.status);
    if (c.number == 0) {
      EXPECT_TRUE(m.arguments.empty());
    } else if (c.number < 0) {
      ASSERT_EQ(m.arguments.size(), 1u);
      EXPECT_EQ(m.arguments[0].text, "/x/y.klb");
    } else {
      ASSERT_EQ(m.arguments.size(), 1u);
      EXPECT_EQ(m.arguments[0].number, c.number);
    }
  }
}

TEST(CalibrationPaths, FolderAndReportPath) {
  TempFolder folder;
  EXPECT_EQ(CalibrationDirectory("/home/a"), "/home/a/CALIBR");
  EXPECT_EQ(CalibrationDirectory("/home/a/"), "/home/a/CALIBR");
  ASSERT_TRUE(EnsureCalibrationDirectory(folder.Path()));
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path() + "/CALIBR"));
  EXPECT_TRUE(EnsureCalibrationDirectory(folder.Path()));
  WriteBytes(folder.File("plain"), {1});
  EXPECT_FALSE(EnsureCalibrationDirectory(folder.File("plain")));
  EXPECT_EQ(ReportPathFor("/c/CALIBR/n123.klb"), "/c/CALIBR/n123.rcl");
  EXPECT_EQ(ReportPathFor("/c/CALIBR/n123"), "/c/CALIBR/n123.rcl");
  EXPECT_EQ(ReportPathFor("ab"), "ab.rcl");
  EXPECT_EQ(ReportPathFor("/c/CALIBR/x.rcl"), "/c/CALIBR/x.rcl.rcl");
  EXPECT_EQ(ReportPathFor("/c/v1.2/n.klb"), "/c/v1.2/n.rcl");
  EXPECT_EQ(ReportPathFor("/c/v1.2/n"), "/c/v1.2/n.rcl");
}

}  // namespace
}  // namespace ruvenset
