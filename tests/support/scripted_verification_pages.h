#pragma once
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/link_clock.h"
#include "verification/measuring_window.h"
#include "verification/verification_pages.h"

namespace ruvenset::testing {

// Verification pages played by a script: every page is logged and answered from its queue (an empty
// queue cancels). The measuring window is ticked in virtual time until `readings` readings were taken
// (or `maxTicks` ticks passed), then finished; `onTick` may press buttons or change the line between
// ticks.
class ScriptedVerificationPages : public VerificationPages {
 public:
  explicit ScriptedVerificationPages(LinkClock& clock) : clock_(clock) {}

  std::vector<std::string> log;
  std::deque<std::optional<SubstituteValueAnswer>> substitute;
  std::deque<std::optional<int>> poll, variable, pressureKind, fileChoice;
  std::deque<std::optional<TransmitterChoice>> transmitter;
  std::deque<std::optional<std::string>> filePath;
  std::deque<std::optional<bool>> typed;
  std::deque<std::optional<float>> actual;
  std::deque<bool> start;
  size_t readings = 3;
  int maxTicks = 200;
  std::function<void(MeasuringWindow&, int tick)> onTick;
  std::vector<TakenReading> taken;
  std::vector<MeasuringDisplay> displays;  // after every tick
  int ticks = 0;

  std::optional<SubstituteValueAnswer> AskSubstituteValue(const SubstituteValuePage& p) override {
    log.push_back("substitute " + p.channelName + " " + p.rangeText);
    return Next(substitute, std::optional<SubstituteValueAnswer>());
  }
  std::optional<int> AskPollReference(const ChoiceRequest&) override { return Logged("poll", poll); }
  std::optional<TransmitterChoice> AskTransmitter(const TransmitterPage& p) override {
    log.push_back(p.portChoiceEnabled ? "transmitter port" : "transmitter shared");
    return Next(transmitter, std::optional<TransmitterChoice>());
  }
  std::optional<int> AskTransmitterVariable(const ChoiceRequest&) override {
    return Logged("variable", variable);
  }
  std::optional<int> AskReferencePressureKind(const ChoiceRequest&) override {
    return Logged("pressure kind", pressureKind);
  }
  std::optional<int> AskDataFileChoice(const ChoiceRequest&) override {
    return Logged("file choice", fileChoice);
  }
  std::optional<std::string> AskDataFilePath(const DataFileDialog& d) override {
    log.push_back(d.newFile ? "save dialog" : "open dialog");
    return Next(filePath, std::optional<std::string>());
  }
  std::optional<bool> AskTypedReference(const std::string&, const std::string&) override {
    log.push_back("typed reference");
    return Next(typed, std::optional<bool>(false));
  }
  std::optional<float> AskActualValue(const NumberRequest&) override { return Logged("actual", actual); }
  bool AskStart(const StartPage& p) override {
    log.push_back("start " + p.pipelineLine + " | " + p.channelLine);
    return Next(start, false);
  }
  void RunMeasuringWindow(MeasuringWindow& window) override {
    log.push_back(window.markers() ? "TForm54" : "TForm55");
    uint32_t lastCount = 0;
    clock_.SleepFor(int64_t{window.firstInterval()} * 1'000'000);
    for (ticks = 0; ticks < maxTicks && !window.closed(); ++ticks) {
      const int next = window.Timer1Timer();
      displays.push_back(window.display());
      if (window.statistics().count() != lastCount) {
        lastCount = window.statistics().count();
        if (lastCount != 0) taken.push_back(window.lastReading());
      }
      if (onTick) onTick(window, ticks);
      if (taken.size() >= readings) break;
      clock_.SleepFor(int64_t{next} * 1'000'000);
    }
    window.BitBtn1Click();
  }

 private:
  template <typename T>
  std::optional<T> Logged(const char* what, std::deque<std::optional<T>>& queue) {
    log.push_back(what);
    return Next(queue, std::optional<T>());
  }
  template <typename T>
  static T Next(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T v = queue.front();
    queue.pop_front();
    return v;
  }

  LinkClock& clock_;
};

}  // namespace ruvenset::testing
