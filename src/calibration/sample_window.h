#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace ruvenset {

// How many of the newest readings the statistics of a calibration point cover.
inline constexpr int kSampleRingSize = 150;

// Full scale of a point code (24 bits) and of an ambient (Тос) code (16 bits), for the per-cent figures.
inline constexpr double kPointFullScale = 16777215.0;
inline constexpr double kAmbientFullScale = 65535.0;

// The ring of the newest ADC codes of a calibration point and the statistics over it: the rounded mean,
// the deviation of the newest code, the largest deviation seen, and three sigma in per cent of full scale.
class SampleWindow {
 public:
  // Empties the ring and forgets the largest deviation. The mean of the last update stays readable but
  // count() is 0, so it must not be taken as a point's code.
  void Reset();
  // Adds the newest code and recomputes the statistics over the codes in the ring.
  void Add(int32_t code, double fullScale);

  int count() const { return full_ ? kSampleRingSize : next_; }
  uint32_t mean() const { return mean_; }
  int32_t newestDeviation() const { return newestDeviation_; }
  int32_t largestDeviation() const { return largest_; }
  double sumOfSquares() const { return sumOfSquares_; }
  double threeSigma() const { return threeSigma_; }
  // The codes in the ring, oldest first.
  std::vector<int32_t> Codes() const;

 private:
  std::array<int32_t, kSampleRingSize> codes_{};
  int next_ = 0;
  bool full_ = false;
  uint32_t mean_ = 0;
  int32_t newestDeviation_ = 0;
  int32_t largest_ = 0;
  double sumOfSquares_ = 0;
  double threeSigma_ = 0;
};

// The rounded mean of codes, as the flow computer's calibration takes it: the integer quotient, plus one
// when the remainder is at least half the count (integer half); a single code is its own mean.
uint32_t RoundedMean(uint64_t sum, int n);

// The ring of the newest reference-transmitter readings and their plain mean.
class ReferenceWindow {
 public:
  void Reset() {
    next_ = 0;
    full_ = false;
  }
  void Add(float reading);
  int count() const { return full_ ? kSampleRingSize : next_; }
  float mean() const { return mean_; }

 private:
  std::array<float, kSampleRingSize> readings_{};
  int next_ = 0;
  bool full_ = false;
  float mean_ = 0;
};

}  // namespace ruvenset
