#include "calibration/sample_window.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace ruvenset {
namespace {

int32_t ClampToInt32(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

}  // namespace

uint32_t RoundedMean(uint64_t sum, int n) {
  if (n <= 0) return 0;
  const uint64_t count = static_cast<uint64_t>(n);
  uint64_t mean = sum / count;
  if (n != 1 && sum % count >= count / 2) ++mean;
  return static_cast<uint32_t>(mean);
}

void SampleWindow::Reset() {
  next_ = 0;
  full_ = false;
  largest_ = 0;
}

void SampleWindow::Add(int32_t code, double fullScale) {
  codes_[next_] = code;
  if (++next_ == kSampleRingSize) {
    next_ = 0;
    full_ = true;
  }
  const int n = count();
  // Codes are unsigned on the wire; a wider sum keeps a damaged 32-bit code from wrapping the mean.
  uint64_t sum = 0;
  for (int i = 0; i < n; ++i) sum += static_cast<uint32_t>(codes_[i]);
  mean_ = RoundedMean(sum, n);
  sumOfSquares_ = 0;
  for (int i = 0; i < n; ++i) {
    const int64_t d = int64_t{static_cast<uint32_t>(codes_[i])} - int64_t{mean_};
    sumOfSquares_ += static_cast<double>(d) * static_cast<double>(d);
    if (std::llabs(d) > std::llabs(int64_t{largest_})) largest_ = ClampToInt32(d);
  }
  newestDeviation_ = ClampToInt32(int64_t{static_cast<uint32_t>(code)} - int64_t{mean_});
  threeSigma_ = std::sqrt(sumOfSquares_ / n) * 300.0 / fullScale;
}

std::vector<int32_t> SampleWindow::Codes() const {
  std::vector<int32_t> out;
  const int n = count();
  out.reserve(n);
  const int first = full_ ? next_ : 0;
  for (int i = 0; i < n; ++i) out.push_back(codes_[(first + i) % kSampleRingSize]);
  return out;
}

void ReferenceWindow::Add(float reading) {
  readings_[next_] = reading;
  if (++next_ == kSampleRingSize) {
    next_ = 0;
    full_ = true;
  }
  const int n = count();
  double sum = 0;
  for (int i = 0; i < n; ++i) sum += readings_[i];
  mean_ = static_cast<float>(sum / n);
}

}  // namespace ruvenset
