#include "verification/protocol_point.h"

#include <algorithm>
#include <cmath>

namespace ruvenset {

void PointRecorder::Begin(std::time_t now, float actual) {
  run_ = ProtocolPoint{};
  run_.start = now;
  if (referenceMode_ == kReferenceTyped) run_.reference = actual;
  statistics_.Reset();
  referenceSum_ = 0;
  referenceCount_ = 0;
  open_ = true;
}

void PointRecorder::AddReading(double time, float value) {
  if (!open_) return;
  run_.readings.push_back({time, value});
  statistics_.AddReading(value);
  if (referenceMode_ == kReferenceTyped) statistics_.CompareWithActual(value, *run_.reference);
  if (referenceMode_ == kReferenceNone) statistics_.CompareWithMean(value);
}

void PointRecorder::AddReference(float reference, float value) {
  if (!open_) return;
  statistics_.AddReference(reference);
  referenceSum_ += reference;
  ++referenceCount_;
  statistics_.CompareWithReference(value);
}

void PointRecorder::LoseReference() {
  if (open_) statistics_.LoseReference();
}

void PointRecorder::Close(std::time_t now) {
  if (!open_) return;
  open_ = false;
  if (run_.readings.empty()) return;
  ProtocolPoint& p = run_;
  p.end = now;
  p.count = static_cast<uint32_t>(p.readings.size());
  p.mean = statistics_.mean();
  p.minimum = p.maximum = p.readings.front().value;
  double squares = 0;
  for (const PointReading& r : p.readings) {
    p.minimum = std::min(p.minimum, r.value);
    p.maximum = std::max(p.maximum, r.value);
    const double d = static_cast<double>(r.value) - statistics_.sum() / p.count;
    squares += d * d;
  }
  if (p.count > 1) p.standardDeviation = static_cast<float>(std::sqrt(squares / (p.count - 1)));
  if (statistics_.largestDeviation() >= 0) {
    const float largest = statistics_.largestDeviation();
    p.largestDeviation = statistics_.largestBelow() ? -largest : largest;
  }
  if (referenceMode_ == kReferenceTransmitter && referenceCount_ > 0)
    p.reference = static_cast<float>(referenceSum_ / referenceCount_);
  if (p.reference) {
    const double error = static_cast<double>(p.mean) - *p.reference;
    p.error = static_cast<float>(error);
    if (range_.usable())
      p.errorPercent = static_cast<float>(error * 100.0 / (static_cast<double>(range_.upper) - range_.lower));
  }
  points_.push_back(std::move(run_));
  run_ = ProtocolPoint{};
}

}  // namespace ruvenset
