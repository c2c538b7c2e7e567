#include "calibration/zero_statistics.h"

#include <cmath>

namespace ruvenset {
namespace {

constexpr int kTickMs = 450;
constexpr int kPacedModel = 18;
// A model-18 flow computer announces its measurement cycle in seconds in this identification byte;
// the window then looks three times per cycle.
constexpr int kCycleSecondsByte = 39;

int TickInterval(const Identification& id) {
  if (id.type != kPacedModel) return kTickMs;
  const int seconds = id.data(kCycleSecondsByte);
  return seconds > 0 ? seconds * 1000 / 3 : kTickMs;
}

}  // namespace

ZeroTick ZeroStatistics::Finish(ZeroStatisticsResult result) {
  finished_ = true;
  result_ = result;
  ZeroTick tick;
  tick.finished = true;
  tick.result = result;
  tick.progress = cycleCount_;
  return tick;
}

ZeroTick ZeroStatistics::BitBtn1Click() {
  state_.link.stop().Clear();
  if (finished_) return Finish(result_);
  return Finish(ZeroStatisticsResult::Stopped);
}

ZeroTick ZeroStatistics::Timer1Timer() {
  if (finished_) return Finish(result_);
  if (cycleCount_ >= kCycles) {
    if (validCount_ == 0) return Finish(ZeroStatisticsResult::NoValidValues);
    correction_ = -(sum_ / validCount_);
    return Finish(ZeroStatisticsResult::Measured);
  }
  if (idleCount_ > kIdleTicks) return Finish(ZeroStatisticsResult::NoNewCycles);
  ++idleCount_;
  if (const std::optional<ZeroStatisticsResult> ended = Tick()) return Finish(*ended);
  ZeroTick tick;
  tick.nextInterval = interval_;
  tick.progress = cycleCount_;
  return tick;
}

std::optional<ZeroStatisticsResult> ZeroStatistics::Tick() {
  if (cycleCount_ == 0) interval_ = TickInterval(state_.record.id);
  CycleReading reading;
  switch (ReadMeasurementCycle(state_, technician_, selector_, lastCounter_, true, reading)) {
    case CycleStep::Unchanged:
      return std::nullopt;
    case CycleStep::Measured:
      break;
    case CycleStep::Stopped:
      return ZeroStatisticsResult::Stopped;
    default:
      return ZeroStatisticsResult::Abandoned;
  }
  idleCount_ = 0;
  ++cycleCount_;
  // A value the flow computer marks valid but that is no number would corrupt the stored offset.
  if (reading.valid && std::isfinite(reading.value)) {
    sum_ += reading.value;
    ++validCount_;
  }
  return std::nullopt;
}

ZeroStatisticsResult ClockZeroStatisticsHost::ShowModal(ZeroStatistics& window) {
  int next = window.firstInterval();
  for (;;) {
    clock_.SleepFor(static_cast<int64_t>(next) * 1'000'000);
    const ZeroTick tick = stopPressed_ && stopPressed_() ? window.BitBtn1Click() : window.Timer1Timer();
    if (tick.finished) return tick.result;
    next = tick.nextInterval;
  }
}

}  // namespace ruvenset
