#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_service_host.h"
#include "cli/cli_session.h"
#include "cli/cli_stop.h"
#include "cli/cli_technician.h"
#include "cli/commands.h"
#include "common/adaptive_format.h"
#include "common/decimal_text.h"
#include "common/permissible_error.h"
#include "device/value_entry.h"
#include "shell/connect_operation.h"
#include "verification/channel_ranges.h"
#include "verification/measuring_window.h"
#include "verification/protocol_verdict.h"
#include "verification/verification_procedure.h"

#ifdef RUVENSET_REPORT_PDF
#include "verification/windows/protocol_pdf_file.h"
#endif

namespace ruvenset::cli {
namespace {

// Ticks without a new reading after which a scripted verification stops waiting.
constexpr int kStalledTicks = 40;

struct VerifyOptions {
  int kind = kKindTemperature;
  unsigned long readings = 5;
  std::string ctr;
  bool append = false;
  std::vector<float> actuals;  // each one point
  std::optional<std::string> protocol;
  std::optional<PermissibleError> limit;
  bool hart = false;
  TransmitterChoice transmitter;
  std::optional<SubstituteValueAnswer> substitute;  // none: the substitute page is left as it is
  int referenceKind = 0;                            // what the reference measures: 0 absolute, 1 gauge
};

// "measured" or "constant=VALUE".
bool ParseSubstitute(const std::string& text, SubstituteValueAnswer& answer) {
  if (text == "measured") {
    answer = {true, 0};
    return true;
  }
  const std::string prefix = "constant=";
  if (text.rfind(prefix, 0) != 0) return false;
  const std::optional<float> value = ParseDecimal(text.substr(prefix.size()));
  if (!value) return false;
  answer = {false, *value};
  return true;
}

bool ParseOptions(const CliArgs& args, VerifyOptions& o) {
  std::string unknown;
  if (!args.OnlyKnown(
          {"--channel", "--readings", "--ctr", "--actual", "--hart-port", "--hart-type", "--hart-address",
           "--hart-variable", "--password", "--substitute", "--reference", "--protocol", "--limit"},
          {"--append"}, unknown)) {
    std::fprintf(stderr, "verify: unknown option %s\n", unknown.c_str());
    return false;
  }
  const auto channel = args.Value("--channel");
  const std::optional<int> kind = channel ? ChannelKindOfWord(*channel) : std::nullopt;
  if (kind) o.kind = *kind;
  if (!kind) {
    std::fprintf(stderr, "verify: --channel temperature|pressure|dp|dp-lower|dp-upper is required\n");
    return false;
  }
  long n = 0;
  if (const auto v = args.Value("--readings")) {
    if (!ParseNumber(*v, 1, 1000000, n)) {
      std::fprintf(stderr, "verify: --readings takes a count from 1\n");
      return false;
    }
    o.readings = static_cast<unsigned long>(n);
  }
  o.ctr = args.Value("--ctr").value_or("");
  o.append = args.Flag("--append");
  if (o.append && o.ctr.empty()) {
    std::fprintf(stderr, "verify: --append needs --ctr FILE\n");
    return false;
  }
  for (size_t i = 0; i + 1 < args.rest.size(); ++i) {
    if (args.rest[i] != "--actual") continue;
    const std::optional<float> actual = ParseDecimal(args.rest[i + 1]);
    if (!actual) {
      std::fprintf(stderr, "verify: --actual takes a number\n");
      return false;
    }
    o.actuals.push_back(*actual);
  }
  o.protocol = args.Value("--protocol");
  if (const auto v = args.Value("--limit")) {
    o.limit = ParsePermissibleError(*v);
    if (!o.limit) {
      std::fprintf(stderr, "verify: --limit takes a number greater than 0, or one followed by %%\n");
      return false;
    }
  }
  if (const auto v = args.Value("--substitute")) {
    SubstituteValueAnswer answer;
    if (!ParseSubstitute(*v, answer)) {
      std::fprintf(stderr, "verify: --substitute takes measured or constant=VALUE\n");
      return false;
    }
    o.substitute = answer;
  }
  if (const auto v = args.Value("--reference")) {
    if (*v != "absolute" && *v != "gauge") {
      std::fprintf(stderr, "verify: --reference takes absolute or gauge\n");
      return false;
    }
    o.referenceKind = *v == "gauge" ? 1 : 0;
  }
  const auto type = args.Value("--hart-type");
  const auto address = args.Value("--hart-address");
  o.hart = type || address || args.Value("--hart-port");
  if (o.hart) {
    if (!type || (*type != "3051" && *type != "3095") || !address || !ParseNumber(*address, 1, 15, n)) {
      std::fprintf(stderr,
                   "verify: the reference transmitter needs --hart-type 3051|3095 --hart-address 1..15\n");
      return false;
    }
    o.transmitter.type = *type == "3095" ? kTransmitter3095 : kTransmitter3051;
    o.transmitter.address = static_cast<int>(n);
    o.transmitter.portPath = args.Value("--hart-port").value_or("");
    if (const auto v = args.Value("--hart-variable")) {
      if (!ParseNumber(*v, 0, 3, n)) {
        std::fprintf(stderr, "verify: --hart-variable takes 0..3\n");
        return false;
      }
      o.transmitter.variable = static_cast<int>(n);
    }
    if (o.kind == kKindTemperature) {
      std::fprintf(stderr, "verify: a temperature channel has no reference transmitter\n");
      return false;
    }
  }
  return true;
}

// The pages answered from the command line; the measuring window runs in real time and prints a line
// per reading.
class CliPages final : public VerificationPages, public ValuePrompts, public ProtocolPages {
 public:
  CliPages(const VerifyOptions& options, Link& link) : o_(options), link_(link), clock_(link.clock()) {}

  // The page comes again only when the flow computer's range refused the constant: the verification
  // then does not start.
  std::optional<SubstituteValueAnswer> AskSubstituteValue(const SubstituteValuePage& page) override {
    if (substituteAsked_ && o_.substitute) {
      reason_ = "the substitute constant lies outside " + page.rangeText;
      return {};
    }
    substituteAsked_ = true;
    return o_.substitute;
  }
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
  std::optional<int> AskReferencePressureKind(const ChoiceRequest&) override { return o_.referenceKind; }
  std::optional<int> AskDataFileChoice(const ChoiceRequest&) override {
    return o_.ctr.empty() ? 0 : o_.append ? 2 : 1;
  }
  std::optional<std::string> AskDataFilePath(const DataFileDialog&) override { return o_.ctr; }
  std::optional<bool> AskTypedReference(const std::string&, const std::string&) override {
    return !o_.actuals.empty();
  }
  // The first value answers the page; each further one is the new actual value of the next point. The
  // page comes again only when the flow computer's range refused the value.
  std::optional<float> AskActualValue(const NumberRequest& r) override {
    range_ = r.rangeText;
    if (asked_ == 1 && pointsStarted_ == 0) {
      reason_ = "the actual value lies outside " + r.rangeText;
      return {};
    }
    if (asked_ >= o_.actuals.size()) return {};
    return o_.actuals[asked_++];
  }
  bool AskStart(const StartPage&) override { return reason_.empty(); }
  void RunMeasuringWindow(MeasuringWindow& window) override;

  // The unit window keeps the remembered unit; the atmospheric pressure keeps its preset.
  std::optional<int> AskChoice(const ChoiceRequest& r) override { return r.preselected; }
  std::optional<float> AskNumber(const NumberRequest& r) override {
    return AcceptNumber(r.proposed, r.lower, r.upper);
  }
  void ShowInformation(const std::string&, const std::vector<std::string>&) override {}

  // The protocol of a run whose readings all came, with --limit or else the configured limit.
  std::optional<ProtocolAnswer> AskProtocol(const ProtocolPage& page) override {
    if (!o_.protocol || !complete()) return {};
    return ProtocolAnswer{o_.limit ? o_.limit : page.limit, page.technician};
  }
  std::optional<std::string> AskProtocolPath(const ProtocolSaveDialog&) override {
    if (pathAsked_) return {};
    pathAsked_ = true;
    return o_.protocol;
  }
  bool WriteProtocolPdf(const ProtocolDocument& document, const std::string& path) override;
  void ShowProtocol(const ProtocolRecord& record, const ProtocolDocument& document,
                    const ProtocolView& view) override;

  // Every reading of every point was taken.
  bool complete() const {
    return reason_.empty() && taken_ >= o_.readings * std::max<size_t>(1, o_.actuals.size());
  }
  const std::string& reason() const { return reason_; }
  bool protocolSaved() const { return protocolSaved_; }

 private:
  const VerifyOptions& o_;
  Link& link_;
  LinkClock& clock_;
  bool substituteAsked_ = false;
  bool transmitterAsked_ = false;
  size_t asked_ = 0;          // actual values answered
  size_t pointsStarted_ = 0;  // points whose readings began
  std::string range_;
  unsigned long taken_ = 0;
  bool atEnd_ = false;  // standard input ended: the points go on at once
  bool pathAsked_ = false;
  bool protocolSaved_ = false;
  std::string reason_;

  // Takes the readings of one point; false when they stopped coming or the technician stopped.
  bool TakeReadings(MeasuringWindow& window, unsigned long wanted);
  // "ready <k>" and a line of standard input, before each point of a run of several; false when the
  // technician stopped.
  bool WaitForThePoint(size_t k);
};

bool CliPages::WaitForThePoint(size_t k) {
  if (o_.actuals.size() < 2) return true;
  std::printf("ready %zu\n", k + 1);
  std::fflush(stdout);
  std::string line;
  const InputLine input = atEnd_ ? InputLine::EndOfInput : WaitForInputLine(link_.stop(), line);
  if (input == InputLine::Stopped) {
    reason_ = "stopped";
    return false;
  }
  atEnd_ = input == InputLine::EndOfInput;
  return true;
}

bool CliPages::TakeReadings(MeasuringWindow& window, unsigned long wanted) {
  uint32_t lastCount = window.statistics().count();
  unsigned long taken = 0;
  int idle = 0;
  while (taken < wanted) {
    if (StopEndsTheStep(link_.stop())) {
      reason_ = "stopped";
      return false;
    }
    const int next = window.Timer1Timer();
    const VerificationStatistics& s = window.statistics();
    if (s.count() != lastCount && s.count() != 0) {
      lastCount = s.count();
      idle = 0;
      ++taken;
      ++taken_;
      const TakenReading& r = window.lastReading();
      std::printf("%lu %s %u %lu %s", static_cast<unsigned long>(r.count), r.time.c_str(),
                  static_cast<unsigned>(r.ambientAdc), static_cast<unsigned long>(r.channelAdc),
                  FormatAdaptive(r.value).c_str());
      if (r.hasDeviation) std::printf(" %s", FormatAdaptive(r.deviation).c_str());
      std::printf("\n");
      std::fflush(stdout);
      if (!window.display().fileError.empty())
        std::fprintf(stderr, "%s\n", window.display().fileError.c_str());
      if (taken >= wanted) break;
    } else if (++idle >= kStalledTicks) {
      const MeasuringDisplay& d = window.display();
      reason_ = "no new reading: " +
                (d.message.empty() ? std::string("the channel reports no valid value") : d.message);
      return false;
    }
    clock_.SleepFor(int64_t{next} * 1'000'000);
  }
  return true;
}

void CliPages::RunMeasuringWindow(MeasuringWindow& window) {
  const size_t points = std::max<size_t>(1, o_.actuals.size());
  for (size_t k = 0; k < points; ++k) {
    if (!WaitForThePoint(k)) break;
    if (k == 0) {
      clock_.SleepFor(int64_t{window.firstInterval()} * 1'000'000);
    } else {
      window.BitBtn3Click();
      if (window.setup().actual != o_.actuals[k]) {
        reason_ = "the actual value lies outside " + range_;
        break;
      }
    }
    ++pointsStarted_;
    if (!TakeReadings(window, o_.readings)) break;
  }
  if (taken_ > 0) {
    const MeasuringDisplay& d = window.display();
    std::printf("mean %s\n", FormatAdaptive(window.statistics().mean()).c_str());
    std::printf("max-deviation %s\n", d.largestDeviation.empty() ? "-" : d.largestDeviation.c_str());
  }
  window.BitBtn1Click();
}

bool CliPages::WriteProtocolPdf(const ProtocolDocument& document, const std::string& path) {
#ifdef RUVENSET_REPORT_PDF
  return WriteProtocolPdfFile(document, path);
#else
  (void)document;
  (void)path;
  std::fprintf(stderr, "this build has no PDF printing\n");
  return false;
#endif
}

// "-" for a value the point does not have.
std::string Shown(const std::optional<float>& value) {
  return value ? FormatAdaptive(*value) : std::string("-");
}

void CliPages::ShowProtocol(const ProtocolRecord& record, const ProtocolDocument&, const ProtocolView& view) {
  for (size_t k = 0; k < record.points.size(); ++k) {
    const ProtocolPoint& p = record.points[k];
    std::printf("point %zu n %lu reference %s mean %s error %s verdict %s\n", k + 1,
                static_cast<unsigned long>(p.count), Shown(p.reference).c_str(),
                FormatAdaptive(p.mean).c_str(), Shown(p.error).c_str(), VerdictWord(p.verdict));
  }
  std::printf("protocol %s\ncsv %s\nverdict %s\n", view.files.pdf.c_str(), view.files.csv.c_str(),
              VerdictWord(OverallVerdict(record.points)));
  std::fflush(stdout);
  protocolSaved_ = true;
}

}  // namespace

// A verification of one channel with the pages answered from the options.
int RunVerify(const CliArgs& args) {
  VerifyOptions options;
  if (!ParseOptions(args, options)) return kExitUsage;
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  CliTechnician technician(args.Value("--password"), false);
  if (const int rc = session.Connect(technician); rc != kExitOk) return rc;

  ProgramState& state = session.state();
  // A substitute choice that changes the pipeline's state record is written to the flow computer.
  if (options.substitute) technician.AcceptQuestion(state.Text(2204));
  CliPages pages(options, state.link);
  CliServiceHost host(state);
  SystemWallClock wallClock;
  VerificationTools tools{technician, pages, pages, host, OpenSerialPort, wallClock, pages};
  VerificationSettings settings;
  const VerificationResult result = RunVerification(state, technician, tools, settings, options.kind);
  if (technician.acceptedQuestions() > 0) std::printf("substitute written\n");
  switch (result) {
    case VerificationResult::Finished:
      if (!pages.complete()) {
        std::printf("failed: %s\n", pages.reason().c_str());
        return kExitFailed;
      }
      // A failed verdict is a result of the verification, not a failure of the command.
      if (!options.protocol || pages.protocolSaved()) return kExitOk;
      std::printf("failed: the protocol could not be written to %s\n", options.protocol->c_str());
      return kExitFailed;
    case VerificationResult::Cancelled:
      std::printf("failed: %s\n", pages.reason().empty() ? "verification cancelled" : pages.reason().c_str());
      break;
    case VerificationResult::Abandoned:
      std::printf("failed: the flow computer or the data file could not be used\n");
      break;
    case VerificationResult::ServiceModeFailed:
      std::printf("failed: service mode could not be entered\n");
      break;
    case VerificationResult::LeaveFailed:
      std::printf("failed: service mode could not be left\n");
      break;
  }
  return kExitFailed;
}

}  // namespace ruvenset::cli
