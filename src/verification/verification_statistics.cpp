#include "verification/verification_statistics.h"

#include <cmath>

namespace ruvenset {

void VerificationStatistics::Reset() {
  count_ = 0;
  sum_ = 0;
  mean_ = 0;
  largest_ = kNoDeviation;
  largestBelow_ = false;
  lastReference_ = kNoReference;
  referenceMean_ = kNoReference;
  referenceCount_ = 0;
  ring_.fill(0);
  ringIndex_ = 0;
  ringFull_ = false;
}

void VerificationStatistics::AddReading(float value) {
  ++count_;
  sum_ += value;
  mean_ = static_cast<float>(sum_ / count_);
}

bool VerificationStatistics::Track(float value, float reference) {
  const float deviation = std::fabs(value - reference);
  if (!(deviation > largest_)) return false;
  largest_ = deviation;
  largestBelow_ = value < reference;
  return true;
}

bool VerificationStatistics::CompareWithActual(float value, float actual) {
  return Track(value, actual);
}

bool VerificationStatistics::CompareWithMean(float value) {
  return count_ > kSettlingReadings && Track(value, mean_);
}

bool VerificationStatistics::CompareWithReference(float value) {
  return referenceCount_ > kSettlingReadings && Track(value, referenceMean_);
}

void VerificationStatistics::AddReference(float reference) {
  ++referenceCount_;
  lastReference_ = reference;
  ring_[static_cast<size_t>(ringIndex_)] = reference;
  if (++ringIndex_ == kReferenceRingSize) {
    ringIndex_ = 0;
    ringFull_ = true;
  }
  const int filled = ringFull_ ? kReferenceRingSize : ringIndex_;
  double sum = 0;
  for (int i = 0; i < filled; ++i) sum += ring_[static_cast<size_t>(i)];
  referenceMean_ = static_cast<float>(sum / filled);
}

void VerificationStatistics::LoseReference() {
  lastReference_ = kNoReference;
  referenceMean_ = kNoReference;
}

}  // namespace ruvenset
