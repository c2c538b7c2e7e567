#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "cli/cli_service_host.h"
#include "cli/cli_session.h"
#include "cli/cli_stop.h"
#include "cli/cli_technician.h"
#include "cli/commands.h"
#include "common/adaptive_format.h"
#include "common/decimal_text.h"
#include "device/value_entry.h"
#include "shell/connect_operation.h"
#include "verification/channel_ranges.h"
#include "verification/measuring_window.h"
#include "verification/verification_procedure.h"

namespace ruvenset::cli {
namespace {

// Ticks without a new reading after which a scripted verification stops waiting.
constexpr int kStalledTicks = 40;

struct VerifyOptions {
  int kind = kKindTemperature;
  unsigned long readings = 5;
  std::string ctr;
  bool append = false;
  std::optional<float> actual;
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

bool ParseKind(const std::string& name, int& kind) {
  static const char* const kNames[kChannelKindCount] = {"pressure", "temperature", "dp", "dp-lower",
                                                        "dp-upper"};
  for (int k = 0; k < kChannelKindCount; ++k) {
    if (name == kNames[k]) {
      kind = k;
      return true;
    }
  }
  return false;
}

bool ParseOptions(const CliArgs& args, VerifyOptions& o) {
  std::string unknown;
  if (!args.OnlyKnown({"--channel", "--readings", "--ctr", "--actual", "--hart-port", "--hart-type",
                       "--hart-address", "--hart-variable", "--password", "--substitute", "--reference"},
                      {"--append"}, unknown)) {
    std::fprintf(stderr, "verify: unknown option %s\n", unknown.c_str());
    return false;
  }
  const auto channel = args.Value("--channel");
  if (!channel || !ParseKind(*channel, o.kind)) {
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
  if (const auto v = args.Value("--actual")) {
    o.actual = ParseDecimal(*v);
    if (!o.actual) {
      std::fprintf(stderr, "verify: --actual takes a number\n");
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
class CliPages final : public VerificationPages, public ValuePrompts {
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
    return o_.actual.has_value();
  }
  std::optional<float> AskActualValue(const NumberRequest& r) override {
    if (actualAsked_) {
      reason_ = "the actual value lies outside " + r.rangeText;
      return {};
    }
    actualAsked_ = true;
    return o_.actual;
  }
  bool AskStart(const StartPage&) override { return reason_.empty(); }
  void RunMeasuringWindow(MeasuringWindow& window) override;

  // The unit window keeps the remembered unit; the atmospheric pressure keeps its preset.
  std::optional<int> AskChoice(const ChoiceRequest& r) override { return r.preselected; }
  std::optional<float> AskNumber(const NumberRequest& r) override {
    return AcceptNumber(r.proposed, r.lower, r.upper);
  }
  void ShowInformation(const std::string&, const std::vector<std::string>&) override {}

  unsigned long taken() const { return taken_; }
  const std::string& reason() const { return reason_; }

 private:
  const VerifyOptions& o_;
  Link& link_;
  LinkClock& clock_;
  bool substituteAsked_ = false;
  bool transmitterAsked_ = false;
  bool actualAsked_ = false;
  unsigned long taken_ = 0;
  std::string reason_;
};

void CliPages::RunMeasuringWindow(MeasuringWindow& window) {
  clock_.SleepFor(int64_t{window.firstInterval()} * 1'000'000);
  uint32_t lastCount = 0;
  int idle = 0;
  while (taken_ < o_.readings) {
    if (StopEndsTheStep(link_.stop())) {
      reason_ = "stopped";
      break;
    }
    const int next = window.Timer1Timer();
    const VerificationStatistics& s = window.statistics();
    if (s.count() != lastCount && s.count() != 0) {
      lastCount = s.count();
      idle = 0;
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
      if (taken_ >= o_.readings) break;
    } else if (++idle >= kStalledTicks) {
      const MeasuringDisplay& d = window.display();
      reason_ = "no new reading: " +
                (d.message.empty() ? std::string("the channel reports no valid value") : d.message);
      break;
    }
    clock_.SleepFor(int64_t{next} * 1'000'000);
  }
  if (taken_ > 0) {
    const MeasuringDisplay& d = window.display();
    std::printf("mean %s\n", FormatAdaptive(window.statistics().mean()).c_str());
    std::printf("max-deviation %s\n", d.largestDeviation.empty() ? "-" : d.largestDeviation.c_str());
  }
  window.BitBtn1Click();
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
  VerificationTools tools{technician, pages, pages, host, OpenPosixPort, wallClock};
  VerificationSettings settings;
  const VerificationResult result = RunVerification(state, technician, tools, settings, options.kind);
  if (technician.acceptedQuestions() > 0) std::printf("substitute written\n");
  switch (result) {
    case VerificationResult::Finished:
      if (pages.taken() >= options.readings) return kExitOk;
      std::printf("failed: %s\n", pages.reason().c_str());
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
