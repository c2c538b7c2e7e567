#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "calibration/calibration_procedure.h"
#include "calibration/identification_code.h"
#include "cli/cli_service_host.h"
#include "cli/cli_session.h"
#include "cli/cli_stop.h"
#include "cli/cli_technician.h"
#include "cli/commands.h"
#include "common/adaptive_format.h"
#include "common/decimal_text.h"
#include "storage/fulfill_list.h"
#include "storage/headless_write_back_pages.h"

namespace ruvenset::cli {
namespace {

// Ticks without a new code after which a scripted calibration stops waiting.
constexpr int kStalledTicks = 40;
constexpr int kDefaultReadings = 10;

struct CalibrateOptions {
  int selector = 1;
  bool continueFile = false;
  std::string path;
  float tos = 0;
  std::vector<float> points;
  int readings = kDefaultReadings;
  std::optional<uint32_t> identificationCode;
  bool hart = false;
  TransmitterChoice transmitter;
  bool acceptUnmoved = false;  // take a point whose code did not move from the previous one
};

bool ParseFloat(const std::string& text, float& value) {
  const std::optional<float> parsed = ParseDecimal(text);
  if (parsed) value = *parsed;
  return parsed.has_value();
}

bool Fail(const char* message) {
  std::fprintf(stderr, "calibrate: %s\n", message);
  return false;
}

bool ParseOptions(const CliArgs& args, CalibrateOptions& o) {
  std::string unknown;
  if (!args.OnlyKnown({"--channel", "--new", "--continue", "--tos", "--point", "--readings", "--ident-code",
                       "--password", "--hart-port", "--hart-type", "--hart-address", "--hart-variable"},
                      {"--accept-unmoved"}, unknown)) {
    std::fprintf(stderr, "calibrate: unknown option %s\n", unknown.c_str());
    return false;
  }
  const auto channel = args.Value("--channel");
  if (!channel || (*channel != "pressure" && *channel != "temperature" && *channel != "dp"))
    return Fail("--channel pressure|temperature|dp is required");
  o.selector = *channel == "pressure" ? 0 : *channel == "temperature" ? 1 : 2;
  o.acceptUnmoved = args.Flag("--accept-unmoved");
  const auto created = args.Value("--new");
  const auto continued = args.Value("--continue");
  if (created.has_value() == continued.has_value()) return Fail("give one of --new FILE and --continue FILE");
  o.continueFile = continued.has_value();
  o.path = continued ? *continued : *created;
  const auto tos = args.Value("--tos");
  if (!tos || !ParseFloat(*tos, o.tos)) return Fail("--tos VALUE is required");
  for (size_t i = 0; i + 1 < args.rest.size(); ++i) {
    if (args.rest[i] != "--point") continue;
    float value = 0;
    if (!ParseFloat(args.rest[i + 1], value)) return Fail("--point takes a number");
    o.points.push_back(value);
  }
  if (o.points.size() < 2) return Fail("a table needs at least two --point values");
  long n = 0;
  if (const auto v = args.Value("--readings")) {
    if (!ParseNumber(*v, 1, 150, n)) return Fail("--readings takes a count of 1..150");
    o.readings = static_cast<int>(n);
  }
  if (const auto v = args.Value("--ident-code")) {
    o.identificationCode = ParseIdentificationCode(*v);
    if (!o.identificationCode) return Fail("--ident-code takes 1..4294967295");
  }
  const auto type = args.Value("--hart-type");
  const auto address = args.Value("--hart-address");
  o.hart = type || address || args.Value("--hart-port");
  if (o.hart) {
    if (!type || (*type != "3051" && *type != "3095") || !address || !ParseNumber(*address, 1, 15, n))
      return Fail("the reference transmitter needs --hart-type 3051|3095 --hart-address 1..15");
    if (o.selector == 1) return Fail("a temperature channel has no reference transmitter");
    o.transmitter.type = *type == "3095" ? kTransmitter3095 : kTransmitter3051;
    o.transmitter.address = static_cast<int>(n);
    o.transmitter.portPath = args.Value("--hart-port").value_or("");
    if (const auto v = args.Value("--hart-variable")) {
      if (!ParseNumber(*v, 0, 3, n)) return Fail("--hart-variable takes 0..3");
      o.transmitter.variable = static_cast<int>(n);
    }
  }
  return true;
}

// The technician of a scripted calibration: takes every point it measured, keeps measuring never,
// replaces the file it was told to write, and declines a file of another flow computer (printing both
// codes). Everything else is the command line's technician.
class CalibrationCliTechnician final : public Technician {
 public:
  CalibrationCliTechnician(const ProgramState& state, CliTechnician& base) : state_(state), base_(base) {}

  void ShowMessageWindow(const std::string& c, const std::string& m, const std::string& b) override {
    base_.ShowMessageWindow(c, m, b);
  }
  void ShowMessageBox(const std::string& c, const std::string& m) override { base_.ShowMessageBox(c, m); }
  bool Confirm(const std::string& caption, const std::string& message) override {
    if (message == state_.Text(1471) || message == state_.Text(2617)) return false;
    if (message.rfind(Prefix(1479), 0) == 0 || message.rfind(Prefix(1474), 0) == 0) return true;
    return base_.Confirm(caption, message);
  }
  bool Confirm3(const std::string& caption, const std::string& l1, const std::string& l2,
                const std::string& l3) override {
    if (caption == state_.Text(2238)) return true;
    if (caption == state_.Text(1164)) {
      foreign_ = true;
      std::printf("ident-code file %lu device %s\n",
                  static_cast<unsigned long>(state_.calibration.IdentificationCode()),
                  TrailingNumber(l2).c_str());
      return false;
    }
    return base_.Confirm3(caption, l1, l2, l3);
  }
  std::unique_ptr<ProgressWindow> OpenProgress(const std::string& c, const std::string& t, int m) override {
    return base_.OpenProgress(c, t, m);
  }
  void ShowNotice(const std::string& c, const std::string& l1, const std::string& l2, int ms) override {
    base_.ShowNotice(c, l1, l2, ms);
  }
  void SetStatusText(const std::string&) override {}
  void SetProgressText(const std::string&) override {}
  void SetConnectionText(const std::string&) override {}
  void Pause(int ms) override { base_.Pause(ms); }

  bool foreign() const { return foreign_; }

 private:
  std::string Prefix(int id) const {
    const std::string& text = state_.Text(id);
    const size_t percent = text.find('%');
    return text.substr(0, percent);
  }
  static std::string TrailingNumber(const std::string& line) {
    size_t end = line.size();
    while (end > 0 && (line[end - 1] < '0' || line[end - 1] > '9')) --end;
    size_t begin = end;
    while (begin > 0 && line[begin - 1] >= '0' && line[begin - 1] <= '9') --begin;
    return line.substr(begin, end - begin);
  }

  const ProgramState& state_;
  CliTechnician& base_;
  bool foreign_ = false;
};

// Every window of the calibration answered from the options. The measurement window runs in real time.
class CliCalibrationPages final : public CalibrationPages,
                                  public CalibrationEditorPages,
                                  public VerificationPages,
                                  public ValuePrompts {
 public:
  // `rig`: the simulated flow computer of --demo, whose inputs are set to the Тос and point values
  // before they are measured, as a calibration rig would; null for a real flow computer.
  CliCalibrationPages(const CalibrateOptions& o, ProgramState& state, sim::InProcessSimulator* rig)
      : o_(o), state_(state), rig_(rig) {}

  int ShowMeasurementWindow(TForm60Logic& window) override {
    const AcquisitionSetup& s = window.setup();
    // A Ctrl-C ends the window as its Cancel button does: the calibration ends and leaves service mode.
    if (StopEndsTheStep(state_.link.stop())) return Stopped();
    // A point refused for an unmoved code ends the calibration.
    if (unmoved_) return kMeasurementCancel;
    if (!s.statistics) {
      if (s.mode == AcquisitionMode::Ambient) Apply("ambient", o_.tos);
      if (s.mode == AcquisitionMode::Point) {
        if (taken_ < static_cast<int>(o_.points.size()))
          Apply(kRigChannels[o_.selector], o_.points[static_cast<size_t>(taken_)]);
        std::printf("ready %d\n", taken_ + 1);
        std::fflush(stdout);
        std::string line;
        const InputLine input = atEnd_ ? InputLine::EndOfInput : WaitForInputLine(state_.link.stop(), line);
        if (input == InputLine::Stopped) return Stopped();
        atEnd_ = input == InputLine::EndOfInput;
      }
      return kMeasurementNext;
    }
    LinkClock& clock = state_.link.clock();
    int idle = 0;
    int count = 0;
    while (window.samples().count() < o_.readings) {
      clock.SleepFor(int64_t{kAcquisitionInterval} * 1'000'000);
      if (StopEndsTheStep(state_.link.stop())) return Stopped();
      const AcquisitionTick tick = window.Tick();
      if (window.samples().count() != count) {
        count = window.samples().count();
        idle = 0;
      } else if (++idle >= kStalledTicks) {
        reason_ = "no new code: " + (tick.lines[0].empty() ? tick.lines[1] : tick.lines[0]);
        return kMeasurementCancel;
      }
    }
    code_ = window.samples().mean();
    answered_ = false;
    return kMeasurementNext;
  }
  bool ConfirmUnmovedPoint(const UnmovedPoint& point) override {
    if (o_.acceptUnmoved) return true;
    std::printf("unmoved point %d code %lu previous %lu\n", point.pointNumber,
                static_cast<unsigned long>(point.code), static_cast<unsigned long>(point.previous));
    std::fflush(stdout);
    reason_ = "the code of point " + std::to_string(point.pointNumber) +
              " did not move from the previous point's: apply the next input, or give --accept-unmoved";
    unmoved_ = true;
    return false;
  }
  std::optional<float> AskValue(const PointValueEntry& entry) override {
    const bool tos = entry.lower == -43.0f && entry.upper == 63.0f && entry.unitText == state_.Text(2189) &&
                     entry.rangeText == "[-43.00...63.00]";
    // Asked again for the same reading: the value was refused.
    if (answered_) {
      reason_ = "the value lies outside " + entry.rangeText;
      return {};
    }
    answered_ = true;
    if (tos) {
      std::printf("tos %d code %lu value %s\n", tosIndex_, static_cast<unsigned long>(code_),
                  FormatAdaptive(o_.tos).c_str());
      return o_.tos;
    }
    if (taken_ >= static_cast<int>(o_.points.size())) return {};
    const float value = o_.points[static_cast<size_t>(taken_)];
    ++taken_;
    std::printf("point %d code %lu value %s\n", taken_, static_cast<unsigned long>(code_),
                FormatAdaptive(value).c_str());
    std::fflush(stdout);
    return value;
  }
  std::optional<uint32_t> AskIdentificationCode(const IdentificationCodeEntry& entry) override {
    if (o_.identificationCode) return o_.identificationCode;
    return ParseIdentificationCode(entry.proposed);
  }
  void ShowAdcParameters(const std::string&, int, const std::vector<uint8_t>& block) override {
    std::fprintf(stderr, "adc-parameters");
    for (uint8_t b : block) std::fprintf(stderr, " %02X", b);
    std::fprintf(stderr, "\n");
  }

  // The review takes more points while there are some, then ends; the viewer goes on with a new Тос
  // point before the run's point and closes after it.
  ListAnswer ShowList(const FulfillList& list) override {
    auto has = [&](ListChoice result) {
      for (const ListButton& b : list.buttons)
        if (b.modalResult == result) return true;
      return false;
    };
    const bool review = has(ListChoice::Open) && has(ListChoice::Ok);
    if (review) return {taken_ < static_cast<int>(o_.points.size()) ? ListChoice::Ok : ListChoice::Close, 0};
    if (!measured_ && has(ListChoice::Add)) {
      measured_ = true;
      tosIndex_ = static_cast<int>(list.rows.size());
      return {ListChoice::Add, 0};
    }
    if (!measured_) reason_ = "the file's section has no room for another Тос point";
    return {ListChoice::Close, 0};
  }
  std::optional<std::array<float, 2>> AskEntry(const SchEntry&) override { return {}; }
  std::optional<std::string> AskOpenPath(const FileDialogRequest&) override {
    measured_ = false;
    return o_.path;
  }
  std::optional<std::string> AskSavePath(const FileDialogRequest&) override {
    measured_ = true;
    return o_.path;
  }

  std::optional<SubstituteValueAnswer> AskSubstituteValue(const SubstituteValuePage&) override { return {}; }
  std::optional<int> AskPollReference(const ChoiceRequest&) override { return o_.hart ? 1 : 0; }
  std::optional<TransmitterChoice> AskTransmitter(const TransmitterPage&) override {
    if (transmitterAsked_) {
      reason_ = "the reference transmitter did not answer";
      return {};
    }
    transmitterAsked_ = true;
    return o_.transmitter;
  }
  std::optional<int> AskTransmitterVariable(const ChoiceRequest&) override { return o_.transmitter.variable; }
  // The reference measures what the flow computer's sensor measures: no barometric correction.
  std::optional<int> AskReferencePressureKind(const ChoiceRequest&) override {
    return state_.record.configuration[100] & 0x20 ? 1 : 0;
  }
  std::optional<int> AskDataFileChoice(const ChoiceRequest&) override { return {}; }
  std::optional<std::string> AskDataFilePath(const DataFileDialog&) override { return {}; }
  std::optional<bool> AskTypedReference(const std::string&, const std::string&) override { return false; }
  std::optional<float> AskActualValue(const NumberRequest&) override { return {}; }
  bool AskStart(const StartPage&) override { return true; }
  void RunMeasuringWindow(MeasuringWindow&) override {}

  // New or continued calibration; every unit list keeps the flow computer's own unit.
  std::optional<int> AskChoice(const ChoiceRequest& r) override {
    if (!r.items.empty() && r.items[0] == state_.Text(2875)) return o_.continueFile ? 1 : 0;
    return r.preselected;
  }
  std::optional<float> AskNumber(const NumberRequest&) override { return {}; }
  void ShowInformation(const std::string&, const std::vector<std::string>&) override {}

  int taken() const { return taken_; }
  const std::string& reason() const { return reason_; }

 private:
  static constexpr const char* kRigChannels[] = {"pressure", "temperature", "dp"};

  void Apply(const char* channel, float value) {
    if (rig_ != nullptr) rig_->Control(std::string("set ") + channel + " " + FormatAdaptive(value));
  }
  int Stopped() {
    reason_ = "stopped";
    return kMeasurementCancel;
  }

  const CalibrateOptions& o_;
  ProgramState& state_;
  sim::InProcessSimulator* rig_;
  bool unmoved_ = false;
  int taken_ = 0;
  int tosIndex_ = 0;
  uint32_t code_ = 0;
  bool atEnd_ = false;
  bool measured_ = false;
  bool transmitterAsked_ = false;
  bool answered_ = true;
  std::string reason_;
};

}  // namespace

// One Тос point of a calibration, the points' inputs applied by a rig or a technician between the lines.
int RunCalibrate(const CliArgs& args) {
  CalibrateOptions options;
  if (!ParseOptions(args, options)) return kExitUsage;
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  CliTechnician base(args.Value("--password"), false);
  if (const int rc = session.Connect(base); rc != kExitOk) return rc;

  ProgramState& state = session.state();
  // The unit lists keep the flow computer's own units.
  state.units.pressure = static_cast<uint8_t>(state.record.pressureUnit());
  state.units.diffPressure = static_cast<uint8_t>(state.record.diffPressureUnit());
  CalibrationCliTechnician technician(state, base);
  CliCalibrationPages pages(options, state, session.simulator());
  CliServiceHost host(state);
  HeadlessWriteBackPages writeBack(state, technician, &host);
  CalibrationTools files{state, technician, pages, base, pages, writeBack};
  CalibrationProcedureTools tools{files, pages, pages, host, OpenSerialPort};
  CalibrationSettings settings;
  settings.transmitter = options.transmitter;
  const CalibrationResult result = Calibrate(tools, settings, options.selector);
  if (result == CalibrationResult::Finished && pages.taken() == static_cast<int>(options.points.size())) {
    std::printf("saved %s\n", options.path.c_str());
    return kExitOk;
  }
  if (technician.foreign()) return kExitRefused;
  switch (result) {
    case CalibrationResult::Finished:
    case CalibrationResult::Cancelled:
      std::printf("failed: %s\n", pages.reason().empty() ? "calibration cancelled" : pages.reason().c_str());
      break;
    case CalibrationResult::Abandoned:
      std::printf("failed: the flow computer or the calibration file could not be used\n");
      break;
    case CalibrationResult::ForeignFile:
      std::printf("failed: the file's channel parameters differ from the flow computer's\n");
      return kExitRefused;
    case CalibrationResult::ServiceModeFailed:
      std::printf("failed: service mode could not be entered\n");
      break;
  }
  return kExitFailed;
}

// Reads the identification code, and writes a new one first with --set.
int RunIdentCode(const CliArgs& args) {
  std::string unknown;
  if (!args.OnlyKnown({"--set", "--password"}, {}, unknown)) {
    std::fprintf(stderr, "ident-code: unknown option %s\n", unknown.c_str());
    return kExitUsage;
  }
  std::optional<uint32_t> wanted;
  if (const auto v = args.Value("--set")) {
    wanted = ParseIdentificationCode(*v);
    if (!wanted) {
      std::fprintf(stderr, "ident-code: --set takes 1..4294967295\n");
      return kExitUsage;
    }
  }
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  CliTechnician technician(args.Value("--password"), false);
  if (const int rc = session.Connect(technician); rc != kExitOk) return rc;
  ProgramState& state = session.state();
  if (wanted && !WriteIdentificationCode(state, technician, *wanted)) {
    std::printf("failed: the code was not written\n");
    return kExitFailed;
  }
  const std::optional<uint32_t> code = ReadIdentificationCode(state, technician);
  if (!code) {
    std::printf("failed: the code could not be read\n");
    return kExitFailed;
  }
  std::printf("ident-code %lu\n", static_cast<unsigned long>(*code));
  return kExitOk;
}

}  // namespace ruvenset::cli
