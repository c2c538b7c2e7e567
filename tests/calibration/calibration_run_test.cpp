#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "calibration/identification_code.h"
#include "calibration/point_acquisition.h"
#include "calibration_fixture.h"
#include "enter_requests.h"
#include "storage/calibration_file.h"
#include "storage/fulfill_list.h"

namespace ruvenset::testing {
namespace {

CalibrationImage ReadImage(const std::string& path) {
  CalibrationImage image;
  std::ifstream file(path, std::ios::binary);
  file.read(reinterpret_cast<char*>(image.Bytes()), kCalibrationImageSize);
  EXPECT_EQ(file.gcount(), static_cast<std::streamsize>(kCalibrationImageSize)) << path;
  return image;
}

struct CalibrationRunTest : CalibrationFixture {
  std::string Path(const std::string& name) {
    std::filesystem::create_directories(folder.File("CALIBR"));
    return folder.File("CALIBR/" + name);
  }
  void Inputs(std::vector<double> ambient, std::vector<double> points) {
    ApplyInputs(runPages, ambient, points);
  }
  // A file of the simulated flow computer (model 16, its identification code and ADC block) whose
  // temperature section holds one Тос point at 20 °C with `points`.
  static CalibrationImage TemperatureFile(std::initializer_list<std::pair<int32_t, float>> points) {
    CalibrationImage image;
    image.modelCode = 16;
    image.SetIdentificationCode(160123);
    const uint8_t adc[9] = {3, 0, 3, 1, 1, 1, 0, 0, 0};
    std::copy(adc, adc + 9, image.pressureAdcParameters);
    const ChannelSection t = image.Channel(CalibrationSection::Temperature);
    t.SetTosCount(1);
    t.SetTosPoint(0, 40768, 20.0f);
    t.SetPointCount(0, static_cast<uint16_t>(points.size()));
    int i = 0;
    for (const auto& [code, value] : points) t.SetPoint(0, i++, code, value);
    return image;
  }
};

TEST_F(CalibrationRunTest, TwoTosPointsOfANewTemperatureCalibration) {
  Connect();
  const std::string path = Path("t.klb");
  technician.choices = {0};  // new calibration
  lists.savePaths = {path};
  runPages.codes = {160123};
  Inputs({20.0, 40.0}, {-20.0, 60.0, 0.0, 50.0});
  // Тос value, two point values; again for the second Тос point.
  runPages.values = {20.0f, -20.0f, 60.0f, 40.0f, 0.0f, 50.0f};
  lists.lists = {
      {ListChoice::Close, 0}, {ListChoice::Add, 0}, {ListChoice::Close, 0}, {ListChoice::Close, 1}};
  EXPECT_EQ(Run(1), CalibrationResult::Finished);
  EXPECT_EQ(PipelineState(), 0);
  EXPECT_EQ(Requests(0x10), 2);
  EXPECT_EQ(EnterFlagBytes(peer->requests), (std::vector<int>{1, 1}));
  EXPECT_EQ(Requests(0x11), 2);
  EXPECT_EQ(Requests(0x14), 0);  // the code was confirmed unchanged

  const CalibrationImage image = ReadImage(path);
  EXPECT_TRUE(image.CheckBytesValid());
  const ConstChannelSection t = image.Channel(CalibrationSection::Temperature);
  ASSERT_EQ(t.TosCount(), 2);
  // Ambient codes 32768 + 400 × Ta; temperature codes 4 000 000 + 50 000 × T + 150 × (Ta − 20).
  EXPECT_EQ(t.TosCode(0), 40768);
  EXPECT_FLOAT_EQ(t.TosValue(0), 20.0f);
  EXPECT_EQ(t.TosCode(1), 48768);
  EXPECT_FLOAT_EQ(t.TosValue(1), 40.0f);
  ASSERT_EQ(t.PointCount(0), 2);
  EXPECT_EQ(t.PointCode(0, 0), 3'000'000);
  EXPECT_FLOAT_EQ(t.PointValue(0, 0), -20.0f);
  EXPECT_EQ(t.PointCode(0, 1), 7'000'000);
  EXPECT_FLOAT_EQ(t.PointValue(0, 1), 60.0f);
  ASSERT_EQ(t.PointCount(1), 2);
  EXPECT_EQ(t.PointCode(1, 0), 4'003'000);
  EXPECT_FLOAT_EQ(t.PointValue(1, 0), 0.0f);
  EXPECT_EQ(t.PointCode(1, 1), 6'503'000);
  EXPECT_FLOAT_EQ(t.PointValue(1, 1), 50.0f);
  EXPECT_EQ(image.IdentificationCode(), 160123u);
  const uint8_t adc[9] = {3, 0, 3, 1, 1, 1, 0, 0, 0};
  EXPECT_TRUE(std::equal(adc, adc + 9, image.pressureAdcParameters));
  ASSERT_EQ(runPages.adcBlocks.size(), 1u);
  EXPECT_TRUE(std::equal(adc, adc + 9, runPages.adcBlocks[0].begin()));
  EXPECT_EQ(image.modelCode, 16);
  EXPECT_FLOAT_EQ(image.CharacteristicSlope(CalibrationSection::Pressure), 1.0f);
  EXPECT_EQ(image.Channel(CalibrationSection::Pressure).TosCount(), 0);

  // The windows in their order: the Тос measurement, then each point in prompt and statistics mode.
  const std::vector<std::string> first(runPages.log.begin() + 1, runPages.log.begin() + 10);
  EXPECT_EQ(runPages.log.front(), "ident 160123");
  EXPECT_EQ(first, (std::vector<std::string>{"ambient prompt", "ambient statistics", "value [-43.00...63.00]",
                                             "point prompt", "point statistics", "value [-45.00...85.00]",
                                             "point prompt", "point statistics", "value [-45.00...85.00]"}));
}

// The technician forgot to apply the second point's input: the window asks, naming both codes, and a No
// keeps measuring until the input is there.
TEST_F(CalibrationRunTest, APointWhoseCodeDidNotMoveIsAskedAbout) {
  Connect();
  const std::string path = Path("unmoved.klb");
  technician.choices = {0};
  lists.savePaths = {path};
  runPages.codes = {160123};
  int measured = 0;
  runPages.beforeWindow = [&](const TForm60Logic& window) {
    if (window.setup().mode != AcquisitionMode::Point || !window.setup().statistics) return;
    ++measured;
    peer->model.inputs().temperature = measured <= 2 ? -20.0 : 60.0;
  };
  // Having applied the input, the technician resets the statistics before the window goes on.
  runPages.onTick = [&](TForm60Logic& window, const AcquisitionTick&, int tick) -> std::optional<int> {
    if (measured == 3 && tick == 0) window.BitBtn2Click();
    return std::nullopt;
  };
  runPages.unmovedAnswers = {false};
  runPages.values = {20.0f, -20.0f, 60.0f};
  lists.lists = {{ListChoice::Close, 0}, {ListChoice::Close, 0}};
  EXPECT_EQ(Run(1), CalibrationResult::Finished);
  ASSERT_EQ(runPages.unmoved.size(), 1u);
  EXPECT_EQ(runPages.unmoved[0].pointNumber, 2);
  EXPECT_EQ(runPages.unmoved[0].code, 3'000'000u);
  EXPECT_EQ(runPages.unmoved[0].previous, 3'000'000u);
  EXPECT_EQ(runPages.unmoved[0].message,
            "Точка 2: средний код АЦП 3000000 не сдвинулся от кода предыдущей точки 3000000. Подано ли новое "
            "входное значение? Принять точку всё равно?");
  const CalibrationImage image = ReadImage(path);
  const ConstChannelSection t = image.Channel(CalibrationSection::Temperature);
  ASSERT_EQ(t.PointCount(0), 2);
  EXPECT_EQ(t.PointCode(0, 0), 3'000'000);
  EXPECT_EQ(t.PointCode(0, 1), 7'000'000);
  EXPECT_EQ(PipelineState(), 0);
}

TEST(PointCodeMoved, AwayFromThePreviousCodeInTheTablesDirection) {
  EXPECT_TRUE(PointCodeMoved({}, 100, 0));
  // Two points give no direction yet: any step beyond the spread.
  EXPECT_TRUE(PointCodeMoved({100}, 90, 5));
  EXPECT_FALSE(PointCodeMoved({100}, 105, 5));
  EXPECT_FALSE(PointCodeMoved({100}, 100, 0));
  // Rising codes: a third point must rise further.
  EXPECT_TRUE(PointCodeMoved({100, 200}, 206, 5));
  EXPECT_FALSE(PointCodeMoved({100, 200}, 205, 5));
  EXPECT_FALSE(PointCodeMoved({100, 200}, 150, 5));
  // Falling codes: a third point must fall further.
  EXPECT_TRUE(PointCodeMoved({200, 100}, 50, 5));
  EXPECT_FALSE(PointCodeMoved({200, 100}, 150, 5));
  // Codes near the top of the 24-bit range do not wrap.
  EXPECT_TRUE(PointCodeMoved({0, 16'777'000}, 16'777'215, 0));
}

TEST_F(CalibrationRunTest, TheReviewCorrectsAPointAndTakesOneMore) {
  Connect();
  const std::string path = Path("review.klb");
  technician.choices = {0};
  lists.savePaths = {path};
  runPages.codes = {160123};
  Inputs({20.0}, {-20.0, 60.0, 20.0});
  // The working file holds the reviewed table before the third point is measured.
  int pointsOnDisk = -1;
  const auto previous = runPages.beforeWindow;
  runPages.beforeWindow = [&](const TForm60Logic& window) {
    if (window.setup().mode == AcquisitionMode::Point && window.setup().pointNumber == 3 &&
        pointsOnDisk < 0) {
      const CalibrationImage onDisk = ReadImage(path);
      pointsOnDisk = onDisk.Channel(CalibrationSection::Temperature).PointCount(0);
    }
    previous(window);
  };
  // Тос value, two points, the second corrected to 61, a third point.
  runPages.values = {20.0f, -20.0f, 60.0f, 61.0f, 20.0f};
  lists.lists = {{ListChoice::Open, 1}, {ListChoice::Ok, 0}, {ListChoice::Close, 0}, {ListChoice::Close, 0}};
  EXPECT_EQ(Run(1), CalibrationResult::Finished);
  EXPECT_EQ(pointsOnDisk, 2);
  ASSERT_GE(runPages.entries.size(), 4u);
  EXPECT_EQ(runPages.entries[3].proposed, "60.00");  // the stored value is proposed for the correction
  EXPECT_EQ(runPages.entries[3].codeText, "7000000    ");
  const CalibrationImage image = ReadImage(path);
  const ConstChannelSection t = image.Channel(CalibrationSection::Temperature);
  ASSERT_EQ(t.PointCount(0), 3);
  EXPECT_EQ(t.PointCode(0, 0), 3'000'000);
  EXPECT_EQ(t.PointCode(0, 1), 5'000'000);
  EXPECT_FLOAT_EQ(t.PointValue(0, 1), 20.0f);
  EXPECT_EQ(t.PointCode(0, 2), 7'000'000);
  EXPECT_FLOAT_EQ(t.PointValue(0, 2), 61.0f);
  // The review of three points offers no further point only when the table is full.
  ASSERT_EQ(lists.shownLists.size(), 4u);
  EXPECT_EQ(lists.shownLists[2].rows.size(), 3u);
  EXPECT_EQ(lists.shownLists[2].buttons.size(), 3u);
}

TEST_F(CalibrationRunTest, StopInsideTheMeasurementWindowLeavesServiceMode) {
  Connect();
  technician.choices = {0};
  lists.savePaths = {Path("stop.klb")};
  runPages.codes = {160123};
  runPages.values = {20.0f};
  runPages.onTick = [&](TForm60Logic& window, const AcquisitionTick&, int tick) -> std::optional<int> {
    if (window.setup().mode == AcquisitionMode::Point && tick == 2) {
      EXPECT_EQ(PipelineState(), 3);
      // Escape after the tick's last exchange: the Stop finds no exchange to end.
      state.link.stop().Request();
      return kMeasurementCancel;
    }
    return std::nullopt;
  };
  EXPECT_EQ(Run(1), CalibrationResult::Cancelled);
  EXPECT_EQ(Requests(0x11), 1);
  EXPECT_EQ(PipelineState(), 0);
  EXPECT_EQ(technician.Count("confirm " + Text(2238) + " | " + Text(2617)), 1);
  EXPECT_EQ(technician.Count("confirm " + Text(2195)), 0);  // leaving service mode was not stopped
}

TEST_F(CalibrationRunTest, AFileOfAnotherFlowComputerIsRefusedBeforeAnythingIsMeasured) {
  Connect();
  CalibrationImage image = TemperatureFile({{3'000'000, -20.0f}, {7'000'000, 60.0f}});
  image.SetIdentificationCode(999);
  const std::string path = Path("other.klb");
  ASSERT_EQ(WriteCalibrationFile(path, CalibrationSection::Temperature, 16, image),
            CalibrationFileStatus::Ok);
  technician.choices = {1};
  lists.openPaths = {path};
  const int measurements = Requests(0x0C);
  EXPECT_EQ(Run(1), CalibrationResult::ForeignFile);
  EXPECT_EQ(technician.Count("confirm3 " + Text(1164) +
                             " | Идентификационный код в файле: 999 | "
                             "Идентификационный код вычислителя: 160123"),
            1);
  EXPECT_EQ(Requests(0x10), 0);
  EXPECT_EQ(Requests(0x0C), measurements);
  EXPECT_TRUE(lists.shownLists.empty());
}

TEST_F(CalibrationRunTest, AFileWithoutTosPointsIsSetUpAsANewCalibration) {
  Connect();
  CalibrationImage image;
  image.modelCode = 16;
  image.SetIdentificationCode(160123);
  const std::string path = Path("empty.klb");
  ASSERT_EQ(WriteCalibrationFile(path, CalibrationSection::Temperature, 16, image),
            CalibrationFileStatus::Ok);
  technician.choices = {1};
  lists.openPaths = {path};
  runPages.values = {20.0f, -20.0f, 60.0f};
  Inputs({20.0}, {-20.0, 60.0});
  lists.lists = {{ListChoice::Close, 0}, {ListChoice::Close, 0}};
  EXPECT_EQ(Run(1), CalibrationResult::Finished);
  const CalibrationImage saved = ReadImage(path);
  // The temperature section's own settings only: the pressure characteristic is another channel's.
  EXPECT_FLOAT_EQ(saved.CharacteristicSlope(CalibrationSection::Pressure), 0.0f);
  const uint8_t adc[9] = {3, 0, 3, 1, 1, 1, 0, 0, 0};
  EXPECT_TRUE(std::equal(adc, adc + 9, saved.pressureAdcParameters));
  EXPECT_EQ(saved.Channel(CalibrationSection::Temperature).TosCount(), 1);
  EXPECT_EQ(PipelineState(), 0);
}

// The pressure section of a file is continued while its temperature section holds tables: the pressure
// unit and characteristic are set up, the temperature's stay; the ADC block both were taken with must be
// the flow computer's.
TEST_F(CalibrationRunTest, AnEmptySectionBesideATakenOneSetsOnlyItsOwnFields) {
  Connect();
  CalibrationImage image = TemperatureFile({{3'000'000, -20.0f}, {7'000'000, 60.0f}});
  image.softwareVersion = 35;
  image.pressureUnit = 1;
  image.SetCharacteristic(CalibrationSection::Pressure, 0.5f, 0.0f);
  const std::string path = Path("beside.klb");
  ASSERT_EQ(WriteCalibrationFile(path, CalibrationSection::Pressure, 16, image), CalibrationFileStatus::Ok);
  wizard.poll = {0};
  wizard.pressureKind = {0};
  technician.choices = {0, 1};  // the flow computer's unit; continue a file
  lists.openPaths = {path};
  lists.lists = {{ListChoice::Close, 0}, {ListChoice::Close, 0}};
  runPages.values = {20.0f, 1.0f, 10.0f};
  runPages.beforeWindow = [this](const TForm60Logic& window) {
    const AcquisitionSetup& s = window.setup();
    if (s.mode == AcquisitionMode::Point && !s.statistics)
      peer->model.inputs().pressure = s.pointNumber == 1 ? 1.0 : 10.0;
  };
  EXPECT_EQ(Run(0), CalibrationResult::Finished);
  const CalibrationImage saved = ReadImage(path);
  EXPECT_EQ(saved.pressureUnit, 0);  // the flow computer's
  EXPECT_FLOAT_EQ(saved.CharacteristicOffset(CalibrationSection::Pressure), 0.0f);
  EXPECT_FLOAT_EQ(saved.CharacteristicSlope(CalibrationSection::Pressure), 1.0f);
  EXPECT_EQ(saved.Channel(CalibrationSection::Pressure).PointCount(0), 2);
  EXPECT_EQ(saved.Channel(CalibrationSection::Temperature).PointCode(0, 1), 7'000'000);

  // The temperature tables were taken with another ADC setting: the empty section is not set up.
  image.pressureAdcParameters[5] = 2;
  ASSERT_EQ(WriteCalibrationFile(path, CalibrationSection::Pressure, 16, image), CalibrationFileStatus::Ok);
  wizard.poll = {0};
  wizard.pressureKind = {0};
  technician.choices = {0, 1};
  lists.openPaths = {path};
  EXPECT_EQ(Run(0), CalibrationResult::ForeignFile);
  EXPECT_EQ(ReadImage(path).pressureUnit, 1);
}

// The Тос point chosen in the viewer is calibrated again: its table holds only the new points.
TEST_F(CalibrationRunTest, AChosenTosPointIsTakenFromItsFirstPoint) {
  Connect();
  CalibrationImage image = TemperatureFile({{1'000'000, -40.0f}, {2'000'000, -30.0f}});
  const std::string path = Path("again.klb");
  ASSERT_EQ(WriteCalibrationFile(path, CalibrationSection::Temperature, 16, image),
            CalibrationFileStatus::Ok);
  technician.choices = {1};
  lists.openPaths = {path};
  // The viewer: continue at Тос point 1; the review ends the table; the viewer closes.
  lists.lists = {{ListChoice::Open, 0}, {ListChoice::Close, 0}, {ListChoice::Close, 0}};
  runPages.values = {-20.0f, 60.0f};
  Inputs({}, {-20.0, 60.0});
  EXPECT_EQ(Run(1), CalibrationResult::Finished);
  const CalibrationImage written = ReadImage(path);
  const ConstChannelSection saved = written.Channel(CalibrationSection::Temperature);
  ASSERT_EQ(saved.TosCount(), 1);
  ASSERT_EQ(saved.PointCount(0), 2);
  EXPECT_EQ(saved.PointCode(0, 0), 3'000'000);
  EXPECT_EQ(saved.PointCode(0, 1), 7'000'000);
  EXPECT_EQ(saved.TosCode(0), 40768);
}

TEST_F(CalibrationRunTest, AFileTakenWithOtherAdcParametersIsNotContinued) {
  Connect();
  CalibrationImage image = TemperatureFile({{3'000'000, -20.0f}, {7'000'000, 60.0f}});
  image.pressureAdcParameters[5] = 2;  // one setting differs from the flow computer's
  const std::string path = Path("adc.klb");
  ASSERT_EQ(WriteCalibrationFile(path, CalibrationSection::Temperature, 16, image),
            CalibrationFileStatus::Ok);
  technician.choices = {1};
  lists.openPaths = {path};
  EXPECT_EQ(Run(1), CalibrationResult::ForeignFile);
  EXPECT_EQ(technician.Count("message " + Text(2385) + " | " + Text(1141) + "\n" + Text(1190)), 1);
  EXPECT_EQ(Requests(0x10), 0);
  EXPECT_TRUE(lists.shownLists.empty());
}

TEST_F(CalibrationRunTest, AFullTableTakesNoFurtherPoint) {
  Connect();
  CalibrationImage image = TemperatureFile({});
  const ChannelSection t = image.Channel(CalibrationSection::Temperature);
  t.SetPointCount(0, 11);
  for (int i = 0; i < 11; ++i) t.SetPoint(0, i, 3'000'000 + 100'000 * i, -40.0f + 10 * i);
  const std::string path = Path("full.klb");
  ASSERT_EQ(WriteCalibrationFile(path, CalibrationSection::Temperature, 16, image),
            CalibrationFileStatus::Ok);
  technician.choices = {1};
  lists.openPaths = {path};
  // The viewer: continue Тос point 1 (its table is full), then the review ends, then close.
  lists.lists = {{ListChoice::Open, 0}, {ListChoice::Close, 0}, {ListChoice::Close, 0}};
  EXPECT_EQ(Run(1), CalibrationResult::Finished);
  EXPECT_EQ(technician.Count("message " + Text(2238) + " | Таблица точки Тос заполнена: не более 11 точек"),
            1);
  EXPECT_TRUE(runPages.log.empty());
  const CalibrationImage saved = ReadImage(path);
  EXPECT_EQ(saved.Channel(CalibrationSection::Temperature).TosCount(), 1);
  EXPECT_EQ(saved.Channel(CalibrationSection::Temperature).PointCount(0), 11);
  EXPECT_EQ(PipelineState(), 0);
}

TEST_F(CalibrationRunTest, ACodeAboveTheFloatMantissaIsWrittenAndKeptExactly) {
  Connect();
  technician.choices = {0};
  const std::string path = Path("code.klb");
  lists.savePaths = {path};
  runPages.codes = {4'000'000'001u};
  // Cancel at the first Тос window: the code is already written and in the image.
  runPages.results = {kMeasurementCancel};
  EXPECT_EQ(Run(1), CalibrationResult::Cancelled);
  EXPECT_EQ(runPages.log.front(), "ident 160123");
  EXPECT_EQ(state.calibration.IdentificationCode(), 4'000'000'001u);
  EXPECT_EQ(ReadIdentificationCode(state, technician), std::optional<uint32_t>(4'000'000'001u));
  EXPECT_EQ(PipelineState(), 0);
}

TEST_F(CalibrationRunTest, APressureTableInOtherUnitsIsStoredInTheFlowComputersUnit) {
  sim::FlowComputerConfig device;
  device.lsb =
      true;  // the identification code comes least significant byte first; the measurement reply does not
  Connect(device);
  const std::string path = Path("p.klb");
  wizard.poll = {0};            // no reference transmitter
  wizard.pressureKind = {0};    // the reference measures absolute pressure, as the sensor does
  technician.choices = {2, 0};  // kPa for the calibration; a new calibration
  lists.savePaths = {path};
  runPages.codes = {160123};
  runPages.beforeWindow = [this](const TForm60Logic& window) {
    const AcquisitionSetup& s = window.setup();
    if (s.mode == AcquisitionMode::Point && !s.statistics)
      peer->model.inputs().pressure = s.pointNumber == 1 ? 1.0 : 10.0;
  };
  runPages.values = {20.0f, 98.0665f, 980.665f};
  lists.lists = {{ListChoice::Close, 0}, {ListChoice::Close, 0}};
  EXPECT_EQ(Run(0), CalibrationResult::Finished);
  ASSERT_GE(runPages.entries.size(), 2u);
  EXPECT_EQ(runPages.entries[1].rangeText, "[79.785...1631.8]");
  EXPECT_EQ(runPages.entries[1].unitText, Text(2172));
  const CalibrationImage image = ReadImage(path);
  const ConstChannelSection p = image.Channel(CalibrationSection::Pressure);
  ASSERT_EQ(p.TosCount(), 1);
  ASSERT_EQ(p.PointCount(0), 2);
  // Pressure codes 800 000 + 900 000 × p (kgf/cm2); values entered in kPa, stored in kgf/cm2.
  EXPECT_EQ(p.PointCode(0, 0), 1'700'000);
  EXPECT_FLOAT_EQ(p.PointValue(0, 0), 1.0f);
  EXPECT_EQ(p.PointCode(0, 1), 9'800'000);
  EXPECT_FLOAT_EQ(p.PointValue(0, 1), 10.0f);
  EXPECT_EQ(image.IdentificationCode(), 160123u);
  EXPECT_EQ(image.pressureUnit, 0);
  EXPECT_EQ(PipelineState(), 0);
}

// A reference that measures gauge pressure on an absolute sensor: the barometric pressure is added to
// every entered value; an absolute reference on a gauge sensor: it is subtracted.
TEST_F(CalibrationRunTest, TheBarometricPressureBridgesGaugeAndAbsolute) {
  struct Case {
    bool gaugeSensor;
    int referenceKind;
    std::vector<float> typed;
  };
  const Case cases[] = {{false, 1, {0.0f, 9.0f}}, {true, 0, {2.0f, 11.0f}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gaugeSensor);
    Connect();
    state.record.configuration[100] = c.gaugeSensor ? 0x20 : 0x00;
    const std::string path = Path("barometric.klb");
    wizard.poll = {0};
    wizard.pressureKind = {c.referenceKind};
    technician.choices = {0, 0, 0};  // kgf/cm2 for the calibration and the barometer; a new calibration
    technician.numbers = {1.0f};     // the barometric pressure
    technician.confirms = {true};    // the file exists from the first case
    lists.savePaths = {path};
    runPages.codes = {160123};
    runPages.beforeWindow = [this](const TForm60Logic& window) {
      const AcquisitionSetup& s = window.setup();
      if (s.mode == AcquisitionMode::Point && !s.statistics)
        peer->model.inputs().pressure = s.pointNumber == 1 ? 1.0 : 10.0;
    };
    runPages.values = {20.0f, c.typed[0], c.typed[1]};
    lists.lists = {{ListChoice::Close, 0}, {ListChoice::Close, 0}};
    ASSERT_EQ(Run(0), CalibrationResult::Finished);
    const CalibrationImage image = ReadImage(path);
    const ConstChannelSection p = image.Channel(CalibrationSection::Pressure);
    ASSERT_EQ(p.PointCount(0), 2);
    EXPECT_FLOAT_EQ(p.PointValue(0, 0), 1.0f);
    EXPECT_FLOAT_EQ(p.PointValue(0, 1), 10.0f);
  }
}

TEST_F(CalibrationRunTest, TheReferenceTransmittersMeanIsProposed) {
  Connect();
  const std::string path = Path("hart.klb");
  wizard.poll = {1};
  TransmitterChoice choice;
  choice.address = 1;  // the 3051 measuring the applied pressure in kPa, on the flow computer's line
  wizard.transmitter = {choice};
  wizard.pressureKind = {0};
  technician.choices = {0};
  lists.savePaths = {path};
  runPages.codes = {160123};
  runPages.beforeWindow = [this](const TForm60Logic& window) {
    const AcquisitionSetup& s = window.setup();
    if (s.mode == AcquisitionMode::Point && !s.statistics)
      peer->model.inputs().pressure = s.pointNumber == 1 ? 1.0 : 10.0;
  };
  runPages.values = {20.0f, 1.0f, 10.0f};
  lists.lists = {{ListChoice::Close, 0}, {ListChoice::Close, 0}};
  EXPECT_EQ(Run(0), CalibrationResult::Finished);
  ASSERT_EQ(runPages.entries.size(), 3u);
  // The transmitter's kPa converted to the flow computer's kgf/cm2, averaged over the window.
  EXPECT_EQ(runPages.entries[1].proposed, "1.0000");
  EXPECT_EQ(runPages.entries[2].proposed, "10.0000");  // 9.99999.. after the conversion
  const AcquisitionTick& last = runPages.ticks.back();
  EXPECT_EQ(last.lines[10], "10.0000 " + Text(2168));
  EXPECT_EQ(last.lines[11], "10.0000 " + Text(2168));
  EXPECT_EQ(PipelineState(), 0);
}

TEST(IdentificationCode, TypedTextsAreWholeUnsignedNumbers) {
  EXPECT_EQ(ParseIdentificationCode("1"), std::optional<uint32_t>(1));
  EXPECT_EQ(ParseIdentificationCode("16777217"), std::optional<uint32_t>(16777217));
  EXPECT_EQ(ParseIdentificationCode("4294967295"), std::optional<uint32_t>(4294967295u));
  EXPECT_FALSE(ParseIdentificationCode("4294967296"));
  EXPECT_FALSE(ParseIdentificationCode("0"));
  EXPECT_FALSE(ParseIdentificationCode(""));
  EXPECT_FALSE(ParseIdentificationCode("-5"));
  EXPECT_FALSE(ParseIdentificationCode("1e6"));
  EXPECT_FALSE(ParseIdentificationCode("12345678901"));
}

TEST_F(CalibrationRunTest, TheMenuItemShowsTheCode) {
  Connect();
  EXPECT_EQ(ShowIdentificationCode(state, technician), IdentificationResult::Done);
  EXPECT_EQ(technician.Count("message " + Text(1144) + " | Идентификационный код вычислителя: 160123"), 1);
}

}  // namespace
}  // namespace ruvenset::testing
