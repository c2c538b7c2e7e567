#pragma once
#include <cstdint>
#include <functional>
#include <optional>

#include "calibration/zero_measurement_cycle.h"
#include "session/program_state.h"
#include "session/technician.h"

namespace ruvenset {

// How the zero statistics window closed.
enum class ZeroStatisticsResult {
  Measured = 1,       // ten cycles seen, the correction is ready
  Stopped = 2,        // the technician pressed the stop button
  NoNewCycles = 5,    // four ticks in a row without a new measurement cycle
  Abandoned = 7,      // a link failure or refusal, and the technician declined to try again
  NoValidValues = 8,  // ten cycles without a single valid value
};

// What one tick leaves for the window to show.
struct ZeroTick {
  bool finished = false;
  ZeroStatisticsResult result = ZeroStatisticsResult::Measured;
  int nextInterval = 0;  // ms until the next tick, when not finished
  int progress = 0;      // cycles seen, for the progress bar
};

// The logic of the zero statistics window TForm78: averages the flow computer's own measured value of
// a channel with no pressure applied over ten measurement cycles; the correction is the negative of
// the mean of the valid values.
class ZeroStatistics {
 public:
  static constexpr int kCycles = 10;
  static constexpr int kIdleTicks = 3;

  ZeroStatistics(ProgramState& state, Technician& technician, int selector)
      : state_(state), technician_(technician), selector_(selector) {}

  int firstInterval() const { return 100; }
  ZeroTick Timer1Timer();
  // The stop button: a cycle waiting for its answer was ended by the stop, which this uses up, so that
  // none is left over for the exchange after the window (leaving service mode).
  ZeroTick BitBtn1Click();

  float correction() const { return correction_; }
  int validCount() const { return validCount_; }
  int cycleCount() const { return cycleCount_; }
  std::string hint() const { return state_.Text(2816); }

 private:
  ZeroTick Finish(ZeroStatisticsResult result);
  // One look at the measurement cycle; what ends the window, or nothing when it goes on.
  std::optional<ZeroStatisticsResult> Tick();

  ProgramState& state_;
  Technician& technician_;
  int selector_;
  uint8_t validCount_ = 0;
  uint8_t cycleCount_ = 0;
  uint8_t idleCount_ = 0;
  float sum_ = 0;
  int lastCounter_ = 255;
  int interval_ = 100;
  float correction_ = 0;
  bool finished_ = false;
  ZeroStatisticsResult result_ = ZeroStatisticsResult::Measured;
};

// Shows the zero statistics window modally and returns how it closed.
class ZeroStatisticsHost {
 public:
  virtual ~ZeroStatisticsHost() = default;
  virtual ZeroStatisticsResult ShowModal(ZeroStatistics& window) = 0;
};

// Without a window (the CLI and the tests): ticks on the link's clock. `stopPressed`, when given, is asked
// before each tick; true presses the window's stop button.
class ClockZeroStatisticsHost final : public ZeroStatisticsHost {
 public:
  explicit ClockZeroStatisticsHost(LinkClock& clock, std::function<bool()> stopPressed = {})
      : clock_(clock), stopPressed_(std::move(stopPressed)) {}
  ZeroStatisticsResult ShowModal(ZeroStatistics& window) override;

 private:
  LinkClock& clock_;
  std::function<bool()> stopPressed_;
};

}  // namespace ruvenset
