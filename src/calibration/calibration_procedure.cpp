#include "calibration/calibration_procedure.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "calibration/identification_code.h"
#include "calibration/point_acquisition.h"
#include "common/device_models.h"
#include "common/file_io.h"
#include "device/constants.h"
#include "device/memory_read.h"
#include "device/pipeline_state.h"
#include "device/read_configuration.h"
#include "device/unit_choice.h"
#include "storage/calibration_file.h"
#include "storage/calibration_open.h"
#include "storage/calibration_paths.h"
#include "storage/calibration_rows.h"
#include "storage/calibration_viewer.h"
#include "storage/canonical_order.h"
#include "storage/device_tables.h"
#include "verification/channel_ranges.h"
#include "verification/transmitter_link.h"
#include "verification/transmitter_pages.h"

namespace ruvenset {
namespace {

// Configuration block byte 100 + p: a set bit (1 << channel code) marks a channel measured by a HART
// transmitter of the flow computer, which this program cannot calibrate; bit 0x20 a gauge pressure sensor.
constexpr int kSensorKinds = 100;
constexpr uint8_t kGaugeSensor = 0x20;
constexpr int kAdcBlockRead = 11;
constexpr int kMeasurementBlockRead = 18;
constexpr int kModel9AdcBytes = 2;
// Own text: no further Тос point fits the section.
constexpr int kTosFullText = 3162;

// Models whose second ADC parameter block (differential pressure) the calibration reads.
bool HasSecondAdcBlock(int type) {
  return type == 7 || type == 16;
}
bool HasMeasurementBlock(int type) {
  return type == 18 || type == 20;
}

// What the flow computer holds of the channel set-up a calibration depends on.
struct DeviceBlocks {
  std::vector<uint8_t> main;
  std::vector<uint8_t> second;
  std::vector<uint8_t> measurement;
  uint32_t identificationCode = 0;
};

// How the calibration goes on: a new Тос point; a Тос point the viewer chose, whose table is taken anew
// from its first point; a Тос point whose table goes on (points added to it in the viewer, or the current
// one once confirmed after AskCurrent).
enum class Decision { NewTos, ExistingTos, AskCurrent, CurrentTos, End };

// What a set-up of the section writes: for a new calibration (an empty image) the pressure unit and
// characteristic too; for a continued file's empty section only that section's own fields.
enum class SetUp { NewImage, OwnFields };

class Calibration {
 public:
  Calibration(CalibrationProcedureTools& tools, CalibrationSettings& settings, int selector)
      : tools_(tools),
        state_(tools.files.state),
        technician_(tools.files.technician),
        settings_(settings),
        menuSelector_(selector),
        hart_(state_.link.clock(), state_.config.link) {}
  ~Calibration() { ReleaseTransmitterLink(hart_); }

  CalibrationResult Run();

 private:
  bool ReadParameters();
  bool ChannelUsable();
  void SubstituteValue();
  bool ReferencePages();
  bool AskPollAndTransmitter();
  bool NewCalibration();
  bool OpenFile();
  bool ReadDeviceBlocks(DeviceBlocks& blocks);
  void SetUpSection(const DeviceBlocks& blocks, SetUp scope);
  // The section shares the ADC channel parameter block (pressure and temperature) with another section
  // of the image that holds Тос points.
  bool SharesTakenAdcBlock();
  // Step of the checks and the viewer, with the image in memory; End with result_ set when it ends.
  Decision CheckAndView();
  bool SameChannelParameters(const DeviceBlocks& blocks);
  bool TakeTosPoint(Decision decision);
  bool AskTosValue();
  void Save();
  bool EnterService();
  void LeaveService();

  CalibrationSection section() const { return SectionOfKind(sectionKind_); }
  ChannelSection channel() { return state_.calibration.Channel(section()); }
  int deviceType() const { return state_.record.id.type; }
  AcquisitionTools Acquisition() {
    return AcquisitionTools{state_, technician_, tools_.pages, tools_.files.pages};
  }

  CalibrationProcedureTools& tools_;
  ProgramState& state_;
  Technician& technician_;
  CalibrationSettings& settings_;
  int menuSelector_;
  int channelSelector_ = 0;
  int sectionKind_ = 0;
  bool acquires_ = true;  // the lower differential-pressure range takes no table of its own
  HartLink hart_;
  CalibrationRun run_;
  CalibrationResult result_ = CalibrationResult::Cancelled;
  bool tookPoint_ = false;
};

bool Calibration::ReadParameters() {
  return ReadAllPipelineParameters(state_, technician_) == ReadResult::Read &&
         ReloadCurrentPipeline(state_, technician_) == PipelineResult::Done;
}

bool Calibration::ChannelUsable() {
  if (!(state_.record.configuration[kSensorKinds] & (1u << channelSelector_))) return true;
  technician_.ShowMessageWindow(state_.Text(2325), state_.Text(2219) + state_.Text(2220), state_.Text(2278));
  return false;
}

void Calibration::SubstituteValue() {
  ConnectionRecord& record = state_.record;
  uint8_t* stateRecord = record.stateRecord(1);
  uint8_t saved[kPipelineStateSize];
  std::memcpy(saved, stateRecord, kPipelineStateSize);
  ClampSubstituteConstants(record, 0, DensityIsDeviceFloat(state_));
  const int kind = sectionKind_;
  const ChannelRange range = RangeOfKind(record, 0, kind);
  const ConstantChannel constant = kind == kCalibrationPressure      ? ConstantChannel::Pressure
                                   : kind == kCalibrationTemperature ? ConstantChannel::Temperature
                                                                     : ConstantChannel::DiffPressure;
  char text[96];
  for (;;) {
    const ConstantChoice current = ReadConstantChoice(stateRecord, constant);
    SubstituteValuePage page;
    page.caption = state_.Text(2238);
    page.channelName = state_.Text(2125 + kind);
    page.unitName = kind == kCalibrationTemperature ? state_.Text(2189)
                    : kind == kCalibrationPressure  ? state_.Text(2168 + record.pressureUnit())
                                                    : state_.Text(2155 + record.diffPressureUnit());
    page.measured = current.measured;
    page.constant = current.constant;
    page.lower = range.lower;
    page.upper = range.upper;
    std::snprintf(text, sizeof text, "[ %g ... %g ]", range.lower, range.upper);
    page.rangeText = text;
    std::snprintf(text, sizeof text, kind == kCalibrationTemperature ? "%.2f" : "%g", current.constant);
    page.constantText = text;
    const std::optional<SubstituteValueAnswer> answer = tools_.wizard.AskSubstituteValue(page);
    if (!answer) return;
    if (!answer->measured && range.usable() &&
        (answer->constant < range.lower || answer->constant > range.upper))
      continue;
    const ConstantChoice single{answer->measured, answer->constant};
    if (ApplyConstants(stateRecord, saved, record.pipelineFlag(0), 2, ConstantsChoices{}, kind, single) == 0)
      return;
    if (technician_.ConfirmWrite("", state_.Text(2204))) {
      if (WritePipelineState(state_, technician_, tools_.files.passwords, 1) == PipelineResult::Done) return;
      // The flow computer keeps its substitute: so does the program's copy.
      std::memcpy(stateRecord, saved, kPipelineStateSize);
      return;
    }
    std::memcpy(stateRecord, saved, kPipelineStateSize);
  }
}

bool Calibration::AskPollAndTransmitter() {
  ChoiceRequest page;
  page.caption = state_.Text(2238);
  page.items = {state_.Text(2669), state_.Text(2670)};
  page.preselected = settings_.pollReference ? 1 : 0;
  page.acceptText = state_.Text(2279);
  page.cancelText = state_.Text(2614);
  const std::optional<int> poll = tools_.wizard.AskPollReference(page);
  if (!poll) return false;
  settings_.pollReference = *poll == 1;
  if (!settings_.pollReference) return true;
  if (ChooseReferenceTransmitter(state_, technician_, tools_.wizard, state_.Text(2238), tools_.opener,
                                 settings_.transmitter, hart_) != TransmitterPagesResult::Chosen)
    return false;
  run_.hart = &hart_;
  run_.referenceUnit = sectionKind_ == kCalibrationPressure
                           ? state_.Text(2168 + state_.record.pressureUnit())
                           : state_.Text(2155 + state_.record.diffPressureUnit());
  return true;
}

bool Calibration::ReferencePages() {
  if (sectionKind_ == kCalibrationTemperature) return true;
  const uint8_t sensorKinds = state_.record.configuration[kSensorKinds];
  if (!(sensorKinds & (1u << channelSelector_)) && !AskPollAndTransmitter()) return false;
  if (run_.hart == nullptr) {
    const int list = sectionKind_ == kCalibrationPressure ? kPressureUnitList : kDiffPressureUnitList;
    if (ChooseUnit(state_, tools_.files.values, list, kUnitForCalibration)) return false;
    const int chosen = list == kPressureUnitList ? state_.units.pressure : state_.units.diffPressure;
    const int own =
        list == kPressureUnitList ? state_.record.pressureUnit() : state_.record.diffPressureUnit();
    run_.unitsDiffer = chosen != own;
    run_.calibrationUnit = chosen;
  }
  if (sectionKind_ != kCalibrationPressure) return true;
  ChoiceRequest kindPage;
  kindPage.caption = state_.Text(2238);
  kindPage.items = {state_.Bilingual("Абсолютное давление", "Абсолютний тиск"),
                    state_.Bilingual("Избыточное давление", "Надлишковий тиск")};
  kindPage.acceptText = state_.Text(2279);
  kindPage.cancelText = state_.Text(2614);
  const std::optional<int> measures = tools_.wizard.AskReferencePressureKind(kindPage);
  if (!measures) return false;
  run_.referencePressureKind = *measures;
  const bool gauge = sensorKinds & kGaugeSensor;
  run_.barometricMode = *measures == 1 && !gauge ? 1 : *measures == 0 && gauge ? 2 : 0;
  if (run_.barometricMode == 0) return true;
  const float stored = settings_.barometric > 0 ? settings_.barometric : StandardAtmosphere(state_);
  const std::optional<float> barometric = AskAtmosphericPressure(state_, tools_.files.values, stored);
  if (!barometric) return false;
  settings_.barometric = run_.barometric = *barometric;
  return true;
}

bool Calibration::ReadDeviceBlocks(DeviceBlocks& blocks) {
  if (!ReadMemoryBlock(state_, technician_, kMainAdcBlock, kAdcBlockRead, state_.Text(1573), blocks.main))
    return false;
  if ((HasSecondAdcBlock(deviceType()) || channelSelector_ == kCalibrationDifferential) &&
      !ReadMemoryBlock(state_, technician_, kSecondAdcBlock, kAdcBlockRead, state_.Text(1573), blocks.second))
    return false;
  if (HasMeasurementBlock(deviceType()) &&
      !ReadMemoryBlock(state_, technician_, kMeasurementBlock, kMeasurementBlockRead, state_.Text(1207),
                       blocks.measurement))
    return false;
  const std::optional<uint32_t> code = ReadIdentificationCode(state_, technician_);
  if (!code) return false;
  blocks.identificationCode = *code;
  return true;
}

bool Calibration::SharesTakenAdcBlock() {
  if (channelSelector_ == kCalibrationDifferential) return false;
  const CalibrationSection other = section() == CalibrationSection::Pressure ? CalibrationSection::Temperature
                                                                             : CalibrationSection::Pressure;
  return state_.calibration.Channel(other).TosCount() > 0;
}

void Calibration::SetUpSection(const DeviceBlocks& blocks, SetUp scope) {
  CalibrationImage& image = state_.calibration;
  const int version = state_.record.id.version;
  channel().SetTosCount(0);
  if (channelSelector_ == kCalibrationDifferential && blocks.second.size() >= kAdcBlockData) {
    std::memcpy(image.differentialAdcParameters, blocks.second.data(), kAdcBlockData);
  } else if (blocks.main.size() >= kAdcBlockData) {
    std::memset(image.pressureAdcParameters, 0, kAdcBlockData);
    std::memcpy(image.pressureAdcParameters, blocks.main.data(),
                ModelOf(deviceType()).singleTos ? kModel9AdcBytes : kAdcBlockData);
  }
  if (scope == SetUp::NewImage || section() == CalibrationSection::Pressure) {
    image.pressureUnit = static_cast<uint8_t>(state_.record.pressureUnit());
    if (version >= 20) image.SetCharacteristic(CalibrationSection::Pressure, 0.0f, 1.0f);
  }
  if (channelSelector_ == kCalibrationDifferential) {
    image.differentialUnit = static_cast<uint8_t>(state_.record.diffPressureUnit());
    const float slope =
        version >= 20 ? 1.0f : image.CharacteristicSlope(CalibrationSection::DifferentialPressure);
    image.SetCharacteristic(CalibrationSection::DifferentialPressure, 0.0f, slope);
  }
  if (blocks.measurement.size() >= kMeasurementBlockData) {
    const int n = channelSelector_;
    const int from = deviceType() == 20 ? 0 : n;
    const uint16_t pause = DeviceWordAt(blocks.measurement.data() + 2 * from, state_.record.id.byteOrder);
    StoreLe16(image.measurementPauses[n], pause);
    image.conversionCounts[n] = blocks.measurement[static_cast<size_t>(10 + from)];
  }
}

bool Calibration::NewCalibration() {
  FileDialogRequest dialog;
  dialog.title = state_.Text(1186);
  dialog.filter = state_.Text(2874);
  dialog.folder = CalibrationDirectory(state_.startDirectory);
  EnsureCalibrationDirectory(state_.startDirectory);
  for (;;) {
    const std::optional<std::string> path = tools_.files.pages.AskSavePath(dialog);
    if (!path) return false;
    if (PathExists(*path) &&
        !technician_.ConfirmWrite(state_.Text(2238), state_.texts.FormatText(1474, {*path})))
      continue;
    run_.path = *path;
    break;
  }
  RemoveFile(run_.path);
  CalibrationImage& image = state_.calibration;
  image = CalibrationImage{};
  image.modelCode = static_cast<uint8_t>(deviceType());
  image.softwareVersion = static_cast<uint8_t>(state_.record.id.version);
  DeviceBlocks blocks;
  if (!ReadDeviceBlocks(blocks)) {
    result_ = CalibrationResult::Abandoned;
    return false;
  }
  // The parameters the calibration is taken with, shown read-only.
  const std::vector<uint8_t>& adc =
      channelSelector_ == kCalibrationDifferential && !blocks.second.empty() ? blocks.second : blocks.main;
  tools_.pages.ShowAdcParameters(state_.Text(1573), channelSelector_, adc);
  SetUpSection(blocks, SetUp::NewImage);
  const IdentificationResult code = IdentificationCodeStep(state_, technician_, tools_.pages);
  if (code != IdentificationResult::Done) {
    result_ =
        code == IdentificationResult::Cancelled ? CalibrationResult::Cancelled : CalibrationResult::Abandoned;
    return false;
  }
  return true;
}

bool Calibration::OpenFile() {
  EnsureCalibrationDirectory(state_.startDirectory);
  FileDialogRequest dialog;
  dialog.title = state_.Text(1187);
  dialog.filter = state_.Text(2874);
  dialog.folder = CalibrationDirectory(state_.startDirectory);
  const std::optional<std::string> path = tools_.files.pages.AskOpenPath(dialog);
  if (!path) return false;
  CalibrationReadRequest request;
  request.section = section();
  const CalibrationFileStatus status = ReadCalibrationFile(*path, request, state_.calibration);
  if (status != CalibrationFileStatus::Ok) {
    if (status != CalibrationFileStatus::NotFound)
      ShowCalibrationMessage(tools_.files, CalibrationFileMessage(status, *path));
    result_ = CalibrationResult::Abandoned;
    return false;
  }
  run_.path = *path;
  return true;
}

bool Calibration::SameChannelParameters(const DeviceBlocks& blocks) {
  const CalibrationImage& image = state_.calibration;
  int differs = 0;
  if (channelSelector_ == kCalibrationDifferential) {
    if (blocks.second.size() >= kAdcBlockData &&
        std::memcmp(blocks.second.data(), image.differentialAdcParameters, kAdcBlockData) != 0)
      differs = 1142;
  } else {
    const size_t n = ModelOf(deviceType()).singleTos ? kModel9AdcBytes : kAdcBlockData;
    if (blocks.main.size() >= n && std::memcmp(blocks.main.data(), image.pressureAdcParameters, n) != 0)
      differs = 1141;
  }
  if (differs == 0 && blocks.measurement.size() >= kMeasurementBlockData) {
    const int n = channelSelector_;
    const int from = deviceType() == 20 ? 0 : n;
    const uint16_t pause = DeviceWordAt(blocks.measurement.data() + 2 * from, state_.record.id.byteOrder);
    if (pause != image.MeasurementPause(n) ||
        blocks.measurement[static_cast<size_t>(10 + from)] != image.ConversionCount(n))
      differs = 1143;
  }
  if (differs == 0) return true;
  technician_.ShowMessageWindow(state_.Text(2385), state_.Text(differs) + "\n" + state_.Text(1190),
                                state_.Text(2278));
  return false;
}

Decision Calibration::CheckAndView() {
  DeviceBlocks blocks;
  if (!ReadDeviceBlocks(blocks)) {
    result_ = CalibrationResult::Abandoned;
    return Decision::End;
  }
  const uint32_t fileCode = state_.calibration.IdentificationCode();
  if (fileCode != blocks.identificationCode &&
      !technician_.Confirm3(state_.Text(1164), state_.texts.FormatText(1137, {fileCode}),
                            state_.texts.FormatText(1138, {blocks.identificationCode}), "")) {
    result_ = CalibrationResult::ForeignFile;
    return Decision::End;
  }
  if (channel().TosCount() > 0 && !SameChannelParameters(blocks)) {
    result_ = CalibrationResult::ForeignFile;
    return Decision::End;
  }
  const ViewerOutcome viewed = RunCalibrationViewer(tools_.files, section(), false, run_.path);
  switch (viewed.result) {
    case ViewerResult::NoTosPoints:
      // A section without Тос points takes the flow computer's present settings, as a new calibration
      // does, so that no zero slope or foreign ADC block is stored with its tables; but only its own
      // fields: an ADC block the other section's tables were taken with must match instead.
      if (SharesTakenAdcBlock() && !SameChannelParameters(blocks)) {
        result_ = CalibrationResult::ForeignFile;
        return Decision::End;
      }
      SetUpSection(blocks, SetUp::OwnFields);
      run_.tosIndex = 0;
      return Decision::NewTos;
    case ViewerResult::ContinueAtTos:
      run_.tosIndex = viewed.tosIndex;
      return viewed.tosIndex >= channel().TosCount() ? Decision::NewTos : Decision::ExistingTos;
    case ViewerResult::AddPointsAtTos:
      run_.tosIndex = viewed.tosIndex;
      return Decision::CurrentTos;
    case ViewerResult::NothingChosen:
      run_.tosIndex = std::max(0, channel().UsedTosPoints() - 1);
      return Decision::AskCurrent;
    case ViewerResult::Closed:
      break;
  }
  result_ = tookPoint_ ? CalibrationResult::Finished : CalibrationResult::Cancelled;
  return Decision::End;
}

bool Calibration::AskTosValue() {
  char code[64];
  std::snprintf(code, sizeof code, "%-11lu (0x%-x)", static_cast<unsigned long>(run_.tosCode),
                static_cast<unsigned>(run_.tosCode));
  PointValueEntry entry;
  entry.caption = state_.Text(2247);
  entry.codeText = code;
  entry.rangeText = "[-43.00...63.00]";
  entry.unitText = state_.Text(2189);
  entry.lower = -43.0f;
  entry.upper = 63.0f;
  entry.maxLength = 6;
  entry.acceptText = state_.Text(2613);
  entry.cancelText = state_.Text(2614);
  char proposed[32];
  std::snprintf(proposed, sizeof proposed, "%.2f", run_.tosValue);
  entry.proposed = proposed;
  for (;;) {
    const std::optional<float> value = tools_.pages.AskValue(entry);
    if (!value) return false;
    if (!(*value >= entry.lower && *value <= entry.upper)) continue;
    std::snprintf(proposed, sizeof proposed, "%.2f", *value);
    entry.proposed = proposed;
    if (technician_.Confirm3(state_.Text(2238), "      " + state_.Text(2242) + code,
                             state_.texts.FormatText(1484, {*value, state_.Text(2189)}), "")) {
      run_.tosValue = *value;
      return true;
    }
  }
}

bool Calibration::TakeTosPoint(Decision decision) {
  const ChannelSection section = channel();
  if (ModelOf(deviceType()).singleTos) {
    run_.tosIndex = 0;
    run_.tosCode = 0;
    run_.tosValue = 0;
    return true;
  }
  if (decision != Decision::NewTos) {
    run_.tosCode = static_cast<uint32_t>(section.TosCode(run_.tosIndex));
    run_.tosValue = section.TosValue(run_.tosIndex);
    // A Тос point chosen in the viewer is calibrated again: its table is taken from its first point.
    run_.retakeTable = decision == Decision::ExistingTos;
    return true;
  }
  AcquisitionTools acquisition = Acquisition();
  if (RunMeasurementWindow(acquisition, run_, AcquisitionMode::Ambient, false) ==
          MeasurementResult::Cancelled ||
      RunMeasurementWindow(acquisition, run_, AcquisitionMode::Ambient, true) == MeasurementResult::Cancelled)
    return false;
  if (!AskTosValue()) return false;
  // A new Тос point's table starts empty, whatever an earlier run left there.
  section.SetPointCount(run_.tosIndex, 0);
  return true;
}

void Calibration::Save() {
  const CalibrationFileStatus written =
      WriteCalibrationFile(run_.path, section(), state_.calibration.modelCode, state_.calibration);
  if (written == CalibrationFileStatus::Ok) return;
  technician_.ShowMessageWindow(state_.Text(1164),
                                FormatTextMessage(CalibrationFileMessage(written, run_.path), state_.texts),
                                state_.Text(2279));
}

bool Calibration::EnterService() {
  return RunServiceOperation(state_, technician_, tools_.files.passwords, tools_.serviceHost, kServiceEnter,
                             0, state_.Text(2202)) == ServiceResult::Succeeded;
}

void Calibration::LeaveService() {
  (void)RunServiceOperation(state_, technician_, tools_.files.passwords, tools_.serviceHost, kServiceLeave, 0,
                            state_.Text(2203));
}

CalibrationResult Calibration::Run() {
  channelSelector_ = menuSelector_ == 4 ? 2 : menuSelector_;
  sectionKind_ = channelSelector_ == 3 ? kCalibrationDifferential : channelSelector_;
  acquires_ = channelSelector_ != 3;
  state_.channel.code = channelSelector_;
  state_.channel.kind = sectionKind_;
  state_.channel.selector = sectionKind_;
  state_.record.currentPipeline = 1;
  run_.kind = sectionKind_;
  run_.channelSelector = channelSelector_;

  if (!ReadParameters()) return CalibrationResult::Abandoned;
  if (!ChannelUsable()) return CalibrationResult::Abandoned;
  SubstituteValue();
  if (!ReferencePages()) return CalibrationResult::Cancelled;

  ChoiceRequest choice;
  choice.caption = state_.Text(2238);
  choice.items = {state_.Text(2875), state_.Text(2876)};
  choice.acceptText = state_.Text(2613);
  choice.cancelText = state_.Text(2614);
  const std::optional<int> how = tools_.files.values.AskChoice(choice);
  if (!how || *how < 0 || *how > 1) return CalibrationResult::Cancelled;

  Decision decision = Decision::NewTos;
  if (*how == 0) {
    if (!NewCalibration()) return result_;
    run_.tosIndex = 0;
  } else {
    if (!OpenFile()) return result_;
    decision = CheckAndView();
    if (decision == Decision::End) return result_;
  }

  const ChannelLimits limits = LimitsOf(section());
  for (;;) {
    if (run_.tosIndex >= limits.maxTosPoints) {
      technician_.ShowMessageWindow(
          state_.Text(2238), state_.texts.FormatText(kTosFullText, {limits.maxTosPoints}), state_.Text(2278));
      return tookPoint_ ? CalibrationResult::Finished : CalibrationResult::Abandoned;
    }
    if (!EnterService()) return CalibrationResult::ServiceModeFailed;
    if (decision == Decision::AskCurrent) {
      const std::string line =
          state_.texts.FormatText(1154, {state_.Text(2143 + sectionKind_)}) +
          state_.texts.FormatText(1155, {channel().TosValue(run_.tosIndex), state_.Text(2189)});
      if (!technician_.Confirm(state_.Text(2238), line)) {
        LeaveService();
        return tookPoint_ ? CalibrationResult::Finished : CalibrationResult::Cancelled;
      }
      decision = Decision::CurrentTos;
    }
    bool completed = false;
    if (acquires_ && TakeTosPoint(decision)) {
      AcquisitionTools acquisition = Acquisition();
      if (AcquireTable(acquisition, run_) == TableResult::Ended) {
        StoreTosPoint(state_.calibration, state_, run_);
        Save();
        completed = true;
        tookPoint_ = true;
      }
    }
    LeaveService();
    if (!completed) return tookPoint_ ? CalibrationResult::Finished : CalibrationResult::Cancelled;
    decision = CheckAndView();
    if (decision == Decision::End) return result_;
  }
}

}  // namespace

CalibrationResult Calibrate(CalibrationProcedureTools& tools, CalibrationSettings& settings,
                            int calibrationSelector) {
  ProgramState& state = tools.files.state;
  if (calibrationSelector < 0 || calibrationSelector >= kCalibrationSelectorCount || !state.connected)
    return CalibrationResult::Abandoned;
  Calibration calibration(tools, settings, calibrationSelector);
  return calibration.Run();
}

}  // namespace ruvenset
