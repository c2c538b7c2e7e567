#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "calibration/correction_procedure.h"
#include "cli/cli_service_host.h"
#include "cli/cli_session.h"
#include "cli/cli_stop.h"
#include "cli/cli_technician.h"
#include "cli/commands.h"
#include "common/decimal_text.h"

namespace ruvenset::cli {
namespace {

// Ticks without a new reading after which a point stops waiting.
constexpr int kStalledTicks = 40;

struct CorrectOptions {
  int channel = 0;  // 0 pressure, 1 differential pressure
  std::vector<std::string> points;
  long readings = 10;
};

bool ParseOptions(const CliArgs& args, CorrectOptions& o) {
  std::string unknown;
  if (!args.OnlyKnown({"--channel", "--point", "--readings", "--password"}, {}, unknown)) {
    std::fprintf(stderr, "correct: unknown option %s\n", unknown.c_str());
    return false;
  }
  const auto channel = args.Value("--channel");
  if (!channel || (*channel != "pressure" && *channel != "dp")) {
    std::fprintf(stderr, "correct: --channel pressure|dp is required\n");
    return false;
  }
  o.channel = *channel == "pressure" ? 0 : 1;
  for (size_t i = 0; i + 1 < args.rest.size(); ++i) {
    if (args.rest[i] != "--point") continue;
    const std::string& text = args.rest[i + 1];
    if (!ParseDecimal(text)) {
      std::fprintf(stderr, "correct: --point takes a number\n");
      return false;
    }
    o.points.push_back(text);
  }
  const size_t wanted = o.channel == 0 ? o.points.size() : 2;
  if (o.points.empty() || o.points.size() > 2 || o.points.size() != wanted) {
    std::fprintf(stderr, "correct: --point REFERENCE once or twice (twice for dp)\n");
    return false;
  }
  if (const auto v = args.Value("--readings"); v && !ParseNumber(*v, 1, 100000, o.readings)) {
    std::fprintf(stderr, "correct: --readings takes a count from 1\n");
    return false;
  }
  return true;
}

// The correction window driven from the command line: for each point the reference from the options,
// a line on standard input to start, N readings averaged; then the computation and the write.
class CliCorrection final : public CorrectionPages, public ValuePrompts {
 public:
  CliCorrection(const CorrectOptions& options, ProgramState& state)
      : o_(options), clock_(state.link.clock()), stop_(state.link.stop()) {
    const int deviceUnit =
        options.channel == 0 ? state.record.pressureUnit() : state.record.diffPressureUnit();
    answers_ = {deviceUnit};
    if (options.channel == 0) answers_.push_back(static_cast<int>(options.points.size()) - 1);
  }

  // The unit window keeps the flow computer's unit; the number of points is that of the references.
  std::optional<int> AskChoice(const ChoiceRequest&) override {
    if (answers_.empty()) return {};
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  std::optional<float> AskNumber(const NumberRequest&) override { return {}; }
  void ShowInformation(const std::string&, const std::vector<std::string>&) override {}

  CorrectionClose ShowCorrection(CorrectionWindow& window) override {
    for (size_t k = 0; k < o_.points.size(); ++k) {
      window.Edit4Exit(o_.points[k]);
      if (StopEndsTheStep(stop_)) return Stopped(window);
      std::printf("ready %zu\n", k + 1);
      std::fflush(stdout);
      std::string line;
      switch (WaitForInputLine(stop_, line)) {
        case InputLine::Read:
          break;
        case InputLine::EndOfInput:
          reason_ = "no line on standard input";
          return window.Button6Click();
        case InputLine::Stopped:
          return Stopped(window);
      }
      if (!TakePoint(window)) return reason_ == kStopped ? Stopped(window) : window.Button6Click();
    }
    if (window.Timer2Timer()) {
      reason_ = window.display().status;
      return window.Button6Click();
    }
    window.Button2Click();
    if (!window.buttons().write) {
      reason_ = "the references do not give a slope and offset";
      return window.Button6Click();
    }
    std::printf("A0 %.5f\nB0 %.5f\nA %.5f\nB %.5f\n", window.a0(), window.b0(), window.a(), window.b());
    std::fflush(stdout);
    return window.Button3Click();
  }

  const std::string& reason() const { return reason_; }

 private:
  // A Ctrl-C ends the window as its Cancel button does: nothing is written and service mode is left.
  CorrectionClose Stopped(CorrectionWindow& window) {
    reason_ = kStopped;
    return window.Button6Click();
  }

  bool TakePoint(CorrectionWindow& window) {
    window.Button4Click();
    clock_.SleepFor(int64_t{window.firstInterval()} * 1'000'000);
    uint32_t last = 0;
    for (int idle = 0; window.count() < static_cast<uint32_t>(o_.readings);) {
      if (StopEndsTheStep(stop_)) {
        reason_ = kStopped;
        return false;
      }
      const int next = window.Timer1Timer();
      if (window.count() != last) {
        last = window.count();
        idle = 0;
      } else if (++idle >= kStalledTicks) {
        const std::string& message = window.display().message;
        reason_ = "no new reading" + (message.empty() ? std::string() : ": " + message);
        return false;
      }
      clock_.SleepFor(int64_t{next} * 1'000'000);
    }
    window.Button1Click();
    return true;
  }

  static constexpr const char* kStopped = "stopped";

  const CorrectOptions& o_;
  LinkClock& clock_;
  StopSignal& stop_;
  std::deque<int> answers_;
  std::string reason_;
};

}  // namespace

// Corrects the slope and offset of the pressure or differential-pressure characteristic.
int RunCorrect(const CliArgs& args) {
  CorrectOptions options;
  if (!ParseOptions(args, options)) return kExitUsage;
  CliSession session;
  if (!session.Prepare(args)) return kExitUsage;
  CliTechnician technician(args.Value("--password"), false);
  if (const int rc = session.Connect(technician); rc != kExitOk) return rc;

  ProgramState& state = session.state();
  CliCorrection correction(options, state);
  CliServiceHost service(state);
  SystemWallClock wallClock;
  CorrectionTools tools{technician, correction, service, correction, wallClock};
  const CorrectionOutcome outcome = CorrectCharacteristic(state, technician, tools, options.channel);
  switch (outcome.result) {
    case CorrectionResult::Written:
      return kExitOk;
    case CorrectionResult::Interrupted:
      std::printf("failed: %s\n",
                  correction.reason().empty() ? state.Text(3067).c_str() : correction.reason().c_str());
      break;
    case CorrectionResult::Failed:
      std::printf("failed: %s\n", state.Text(2195).c_str());
      break;
    case CorrectionResult::NotStarted:
      std::printf("failed: the pipeline or the unit could not be read\n");
      break;
  }
  return kExitFailed;
}

}  // namespace ruvenset::cli
