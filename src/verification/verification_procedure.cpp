#include "verification/verification_procedure.h"

#include <cstdio>
#include <cstring>

#include "common/file_io.h"
#include "device/constants.h"
#include "device/exchange.h"
#include "device/pipeline_state.h"
#include "device/read_configuration.h"
#include "device/unit_choice.h"
#include "verification/channel_ranges.h"
#include "verification/measuring_window.h"
#include "verification/transmitter_link.h"
#include "verification/transmitter_pages.h"
#include "verification/verification_file.h"
#include "verification/verification_protocol.h"

namespace ruvenset {
namespace {

// Configuration block data byte 100 + p: the sensor kinds of pipeline p. A set bit (1 << channel code)
// marks a channel measured by a HART transmitter of the flow computer; bit 0x20 a gauge pressure sensor.
constexpr int kSensorKinds = 100;
constexpr uint8_t kGaugeSensor = 0x20;

// The substitute constant that stands in for a channel kind.
ConstantChannel ConstantChannelOfKind(int kind) {
  return kind == kKindPressure      ? ConstantChannel::Pressure
         : kind == kKindTemperature ? ConstantChannel::Temperature
                                    : ConstantChannel::DiffPressure;
}

// One run of the procedure: what the pages chose and what has to be released at the end.
class Verification {
 public:
  Verification(ProgramState& state, Technician& technician, VerificationTools& tools,
               VerificationSettings& settings, int kind)
      : state_(state),
        technician_(technician),
        tools_(tools),
        settings_(settings),
        kind_(kind),
        hart_(state.link.clock(), state.config.link) {}

  VerificationResult Run();

 private:
  bool ReadParameters();
  bool SubstituteValue();
  bool ReferencePages();
  bool DataFile();
  bool ReferenceMode();
  bool Start();
  ProtocolRecord Statement(std::vector<ProtocolPoint> points) const;
  uint8_t sensorKinds() const {
    return kSensorKinds + p_ < kConfigurationSize ? state_.record.configuration[kSensorKinds + p_] : 0;
  }

  ProgramState& state_;
  Technician& technician_;
  VerificationTools& tools_;
  VerificationSettings& settings_;
  int kind_;
  int p_ = 0;
  HartLink hart_;
  VerificationFile file_;
  MeasuringSetup setup_;
  bool polling_ = false;
  bool fileFailed_ = false;
  std::optional<bool> referenceGauge_;  // what the reference transmitter measures on a pressure channel
};

bool Verification::ReadParameters() {
  return ReadAllPipelineParameters(state_, technician_) == ReadResult::Read &&
         ReloadCurrentPipeline(state_, technician_) == PipelineResult::Done;
}

bool Verification::SubstituteValue() {
  ConnectionRecord& record = state_.record;
  uint8_t* stateRecord = record.stateRecord(setup_.pipeline);
  uint8_t saved[kPipelineStateSize];
  std::memcpy(saved, stateRecord, kPipelineStateSize);
  ClampSubstituteConstants(record, p_, DensityIsDeviceFloat(state_));

  const ChannelRange range = RangeOfKind(record, p_, kind_);
  const ConstantChannel channel = ConstantChannelOfKind(kind_);
  char text[96];
  for (;;) {
    const ConstantChoice current = ReadConstantChoice(stateRecord, channel);
    SubstituteValuePage page;
    page.caption = state_.Text(2208);
    page.channelName = state_.Text(2125 + kind_);
    page.unitName = state_.Text(state_.channelNameText);
    page.measured = current.measured;
    page.constant = current.constant;
    page.lower = range.lower;
    page.upper = range.upper;
    std::snprintf(text, sizeof text, "[ %g ... %g ]", range.lower, range.upper);
    page.rangeText = text;
    std::snprintf(text, sizeof text, kind_ == kKindTemperature ? "%.2f" : "%g", current.constant);
    page.constantText = text;
    const std::optional<SubstituteValueAnswer> answer = tools_.pages.AskSubstituteValue(page);
    if (!answer) return true;
    if (!answer->measured && range.usable() &&
        (answer->constant < range.lower || answer->constant > range.upper))
      continue;
    const ConstantChoice single{answer->measured, answer->constant};
    // The page shows the channel's group of the constants: every differential-pressure range merges
    // into the differential-pressure group, never into density.
    const int group = kind_ == kKindPressure      ? kKindPressure
                      : kind_ == kKindTemperature ? kKindTemperature
                                                  : kKindDiffPressure;
    if (ApplyConstants(stateRecord, saved, record.pipelineFlag(p_), 2, ConstantsChoices{}, group, single) ==
        0)
      return true;
    if (technician_.ConfirmWrite("", state_.Text(2204))) {
      if (WritePipelineState(state_, technician_, tools_.passwords, setup_.pipeline) == PipelineResult::Done)
        return true;
      // The flow computer keeps its substitute: so does the program's copy, and the run ends.
      std::memcpy(stateRecord, saved, kPipelineStateSize);
      return false;
    }
    std::memcpy(stateRecord, saved, kPipelineStateSize);
  }
}

bool Verification::ReferencePages() {
  const int code = ChannelCodeOfKind(kind_);
  const bool pollable = kind_ != kKindTemperature && !(sensorKinds() & (1u << code));
  polling_ = false;
  if (pollable) {
    ChoiceRequest page;
    page.caption = state_.Text(2208);
    page.items = {state_.Text(2669), state_.Text(2670)};
    page.preselected = settings_.pollReference ? 1 : 0;
    page.acceptText = state_.Text(2279);
    page.cancelText = state_.Text(2614);
    const std::optional<int> poll = tools_.pages.AskPollReference(page);
    if (!poll) return false;
    settings_.pollReference = *poll == 1;
    polling_ = settings_.pollReference;
  }
  if (polling_) {
    if (ChooseReferenceTransmitter(state_, technician_, tools_.pages, state_.Text(2208), tools_.opener,
                                   settings_.transmitter, hart_) != TransmitterPagesResult::Chosen)
      return false;
    setup_.hart = &hart_;
    if (kind_ == kKindPressure) {
      ChoiceRequest kindPage;
      kindPage.caption = state_.Text(2208);
      kindPage.items = {state_.Bilingual("Абсолютное давление", "Абсолютний тиск"),
                        state_.Bilingual("Избыточное давление", "Надлишковий тиск")};
      kindPage.acceptText = state_.Text(2279);
      kindPage.cancelText = state_.Text(2614);
      const std::optional<int> measures = tools_.pages.AskReferencePressureKind(kindPage);
      if (!measures) return false;
      referenceGauge_ = *measures == 1;
      const bool gaugeSensor = sensorKinds() & kGaugeSensor;
      setup_.atmosphericMode = *measures == 0 && gaugeSensor ? 2 : *measures == 1 && !gaugeSensor ? 1 : 0;
      if (setup_.atmosphericMode != 0) {
        const float stored =
            settings_.atmosphericPressure > 0 ? settings_.atmosphericPressure : StandardAtmosphere(state_);
        const std::optional<float> atmospheric = AskAtmosphericPressure(state_, tools_.prompts, stored);
        if (!atmospheric) return false;
        settings_.atmosphericPressure = *atmospheric;
        setup_.atmospheric = *atmospheric;
      }
    }
    return true;
  }
  if (kind_ == kKindTemperature) return true;
  const int list = kind_ == kKindPressure ? kPressureUnitList : kDiffPressureUnitList;
  if (ChooseUnit(state_, tools_.prompts, list, kUnitForVerification)) return false;
  const int chosen = list == kPressureUnitList ? state_.units.pressure : state_.units.diffPressure;
  const int own = list == kPressureUnitList ? state_.record.pressureUnit() : state_.record.diffPressureUnit();
  setup_.showConverted = chosen != own;
  setup_.convertedUnit = UnitName(state_, list, chosen);
  return true;
}

bool Verification::DataFile() {
  ChoiceRequest page;
  page.caption = state_.Bilingual("Сохранение данных поверки", "Збереження даних повірки");
  page.items = {state_.Bilingual(" Не сохранять", " Не зберігати"),
                state_.Bilingual(" Сохранять в новый файл", " Зберігати у новий файл"),
                state_.Bilingual(" Сохранять в существующий файл", " Зберігати в існуючий файл")};
  page.acceptText = state_.Text(2279);
  const std::optional<int> choice = tools_.pages.AskDataFileChoice(page);
  if (!choice || *choice < 0 || *choice > 2) return false;
  if (*choice == 0) return true;

  DataFileDialog dialog;
  dialog.newFile = *choice == 1;
  dialog.title = dialog.newFile
                     ? state_.Bilingual("Запись файла данных поверки", "Запис файлу даних повірки")
                     : state_.Bilingual("Продолжить файл данных поверки", "Продовжити файл даних повірки");
  dialog.filter = "DataFiles (*.ctr)|*.ctr|All files (*.*)|*.*";
  dialog.folder = state_.startDirectory.empty() ? "." : state_.startDirectory;
  MakeDirectory(dialog.folder);
  const std::optional<std::string> path = tools_.pages.AskDataFilePath(dialog);
  if (!path) return false;
  const DataFileStatus status = dialog.newFile ? file_.Create(*path) : file_.Continue(*path);
  if (status != DataFileStatus::Ok) {
    const char* why =
        status == DataFileStatus::NotADataFile
            ? state_.Bilingual("не является файлом данных поверки", "не є файлом даних повірки")
            : state_.Bilingual("не удалось открыть для записи", "не вдалося відкрити для запису");
    technician_.ShowMessageWindow(state_.Text(2385), *path + ": " + why, state_.Text(2278));
    fileFailed_ = true;
    return false;
  }
  setup_.file = &file_;
  // The viewer reads the unit byte as the unit of the recorded value, which is the flow computer's own.
  setup_.recordChannel = kind_ == kKindPressure ? 0 : kind_ == kKindTemperature ? 1 : 2;
  setup_.recordUnit = kind_ == kKindPressure      ? static_cast<uint8_t>(state_.record.pressureUnit())
                      : kind_ == kKindTemperature ? 0
                                                  : static_cast<uint8_t>(state_.record.diffPressureUnit());
  return true;
}

bool Verification::ReferenceMode() {
  setup_.actualRange = RangeOfKind(state_.record, p_, kind_);
  if (polling_) {
    setup_.referenceMode = kReferenceTransmitter;
    return true;
  }
  const std::optional<bool> typed = tools_.pages.AskTypedReference(state_.Text(2208), state_.Text(1156));
  if (!typed) return false;
  if (!*typed) {
    setup_.referenceMode = kReferenceNone;
    return true;
  }
  setup_.referenceMode = kReferenceTyped;
  const NumberRequest request = ActualValueRequest(state_, kind_, setup_.actualRange);
  for (;;) {
    const std::optional<float> actual = tools_.pages.AskActualValue(request);
    if (!actual) return false;
    if (*actual >= setup_.actualRange.lower && *actual <= setup_.actualRange.upper) {
      setup_.actual = *actual;
      return true;
    }
  }
}

bool Verification::Start() {
  StartPage page;
  page.caption = state_.Text(2208);
  const std::string name(state_.record.name, sizeof state_.record.name);
  page.pipelineLine = state_.texts.FormatText(2209, {setup_.pipeline, name});
  page.channelLine = state_.texts.FormatText(2212, {state_.Text(2125 + kind_)});
  return tools_.pages.AskStart(page);
}

ProtocolRecord Verification::Statement(std::vector<ProtocolPoint> points) const {
  const ConnectionRecord& record = state_.record;
  ProtocolRecord r;
  r.langRus = state_.config.langRus;
  r.deviceText = record.identificationText;
  r.model = record.id.type;
  r.version = record.id.version;
  r.revision = record.id.revision;
  r.pipeline = setup_.pipeline;
  r.channelKind = kind_;
  r.unit = state_.Text(state_.channelNameText);
  r.range = setup_.actualRange;
  const uint8_t* stateRecord = record.pipelineState[ConnectionRecord::ClampPipeline(setup_.pipeline) - 1];
  const ConstantChoice substitute = ReadConstantChoice(stateRecord, ConstantChannelOfKind(kind_));
  r.substituteMeasured = substitute.measured;
  r.substituteConstant = substitute.constant;
  r.referenceMode = setup_.referenceMode;
  if (setup_.referenceMode == kReferenceTransmitter) {
    r.transmitterType = settings_.transmitter.type;
    r.transmitterAddress = settings_.transmitter.address;
    if (settings_.transmitter.type == kTransmitter3095)
      r.transmitterVariable = settings_.transmitter.variable;
    r.referenceGauge = referenceGauge_;
    if (setup_.atmosphericMode != 0) {
      r.atmospheric = setup_.atmospheric;
      r.atmosphericUnit = state_.Text(2168 + record.pressureUnit());
    }
  }
  if (file_.open() && setup_.markers) r.dataFile = file_.path();  // TForm55 records nothing
  r.points = std::move(points);
  return r;
}

VerificationResult Verification::Run() {
  state_.channel.kind = kind_;
  state_.channel.code = ChannelCodeOfKind(kind_);
  state_.record.currentPipeline = 1;
  setup_.pipeline = 1;
  setup_.channelKind = kind_;
  p_ = 0;
  if (!ReadParameters()) return VerificationResult::Abandoned;
  if (!SubstituteValue()) return VerificationResult::Cancelled;
  if (!ReferencePages()) return VerificationResult::Cancelled;
  if (!DataFile()) return fileFailed_ ? VerificationResult::Abandoned : VerificationResult::Cancelled;
  if (!ReferenceMode() || !Start()) return VerificationResult::Cancelled;

  if (RunServiceOperation(state_, technician_, tools_.passwords, tools_.serviceHost, kServiceEnter, 1,
                          state_.Text(2202)) != ServiceResult::Succeeded)
    return VerificationResult::ServiceModeFailed;

  setup_.markers = ReportsMeasurementMarkers(state_.record.id.type);
  std::vector<ProtocolPoint> points;
  {
    MeasuringWindow window(state_, technician_, tools_.pages, setup_, tools_.wallClock);
    tools_.pages.RunMeasuringWindow(window);
    points = window.points();
  }
  // A Stop pressed in the window was meant for its ticks, which are over: it does not stop leaving
  // service mode.
  state_.link.stop().Clear();
  ReleaseTransmitterLink(hart_);
  const ProtocolRecord statement = Statement(std::move(points));
  file_.Close();
  const ServiceResult left = RunServiceOperation(state_, technician_, tools_.passwords, tools_.serviceHost,
                                                 kServiceLeave, 1, state_.Text(2203));
  // The readings are the technician's whatever became of service mode: the protocol is offered.
  (void)SaveVerificationProtocol(state_, technician_, tools_.protocol, statement);
  return left == ServiceResult::Succeeded ? VerificationResult::Finished : VerificationResult::LeaveFailed;
}

}  // namespace

VerificationResult RunVerification(ProgramState& state, Technician& technician, VerificationTools& tools,
                                   VerificationSettings& settings, int channelKind) {
  if (channelKind < 0 || channelKind >= kChannelKindCount || !state.connected)
    return VerificationResult::Abandoned;
  Verification verification(state, technician, tools, settings, channelKind);
  return verification.Run();
}

}  // namespace ruvenset
