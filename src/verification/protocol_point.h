#pragma once
#include <cstdint>
#include <ctime>
#include <optional>
#include <vector>

#include "verification/channel_ranges.h"
#include "verification/verification_statistics.h"

namespace ruvenset {

// One reading of a point: when it was taken (seconds since the epoch, milliseconds as the fraction)
// and the measured value.
struct PointReading {
  double time = 0;
  float value = 0;
};

enum class Verdict { None, Pass, Fail };

// A point of a verification protocol: the run of readings that one set of statistics covered, from
// the start, a reset of the statistics or a new actual value to the next of them or the end.
struct ProtocolPoint {
  std::time_t start = 0;
  std::time_t end = 0;
  uint32_t count = 0;
  // The typed actual value, or the mean of the reference transmitter's readings of the run (with the
  // atmospheric correction); none without a reference.
  std::optional<float> reference;
  float mean = 0;
  float minimum = 0;
  float maximum = 0;
  std::optional<float> standardDeviation;  // experimental (n − 1); none for a single reading
  std::optional<float> largestDeviation;   // signed, negative below the reference, as the window shows it
  std::optional<float> error;              // mean − reference
  std::optional<float> errorPercent;       // of the channel's measuring range
  Verdict verdict = Verdict::None;         // against the permissible error, where one is given
  std::vector<PointReading> readings;      // empty for a point read back from a protocol's CSV
};

// Collects the points of a measuring window: every reading and reference reading goes to the open
// run, whose largest deviation follows the window's rules for its reference mode as if the statistics
// had been reset at the run's start. A run without a reading makes no point.
class PointRecorder {
 public:
  PointRecorder(int referenceMode, ChannelRange range) : referenceMode_(referenceMode), range_(range) {}

  // Opens a run at `now`; `actual` is its reference when the actual value is typed.
  void Begin(std::time_t now, float actual);
  void AddReading(double time, float value);
  // A reading of the reference transmitter (in the flow computer's unit, corrected) that came with the
  // reading `value`.
  void AddReference(float reference, float value);
  void LoseReference();
  // Closes the open run at `now`; it becomes a point when it holds a reading.
  void Close(std::time_t now);

  const std::vector<ProtocolPoint>& points() const { return points_; }

 private:
  int referenceMode_;
  ChannelRange range_;
  bool open_ = false;
  ProtocolPoint run_;
  VerificationStatistics statistics_;
  double referenceSum_ = 0;
  uint32_t referenceCount_ = 0;
  std::vector<ProtocolPoint> points_;
};

}  // namespace ruvenset
