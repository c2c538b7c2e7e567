#pragma once
#include <array>
#include <cstdint>

namespace ruvenset {

// Reference modes of a verification.
inline constexpr int kReferenceNone = 0;
inline constexpr int kReferenceTyped = 1;
inline constexpr int kReferenceTransmitter = 2;

// The last reference reading and its mean before the first value (so the first value always shows).
inline constexpr float kNoReference = 14444444.0f;
// The largest deviation before the first one (so the first deviation always shows).
inline constexpr float kNoDeviation = -0.1f;
inline constexpr int kReferenceRingSize = 150;
// Readings (or reference readings) that must be taken before the largest deviation is tracked
// against a mean.
inline constexpr uint32_t kSettlingReadings = 10;

// The running statistics of a measuring window.
class VerificationStatistics {
 public:
  VerificationStatistics() { Reset(); }
  void Reset();

  // Counts a reading and updates the sum and the mean.
  void AddReading(float value);
  // Deviation rules; each returns true when the value set a new largest deviation. The deviation's sign
  // is negative when the value lies below its reference.
  bool CompareWithActual(float value, float actual);
  bool CompareWithMean(float value);
  bool CompareWithReference(float value);
  // A reference reading (already in the flow computer's unit): stored in the ring of the last 150,
  // whose filled part gives the reference mean.
  void AddReference(float reference);
  // A failed reference reading: the reading and its mean show as missing until the next one.
  void LoseReference();

  uint32_t count() const { return count_; }
  double sum() const { return sum_; }
  float mean() const { return mean_; }
  float largestDeviation() const { return largest_; }
  bool largestBelow() const { return largestBelow_; }
  float lastReference() const { return lastReference_; }
  float referenceMean() const { return referenceMean_; }
  uint32_t referenceCount() const { return referenceCount_; }
  int ringIndex() const { return ringIndex_; }
  bool ringFull() const { return ringFull_; }

 private:
  bool Track(float value, float reference);

  uint32_t count_ = 0;
  double sum_ = 0;
  float mean_ = 0;
  float largest_ = kNoDeviation;
  bool largestBelow_ = false;
  float lastReference_ = kNoReference;
  float referenceMean_ = kNoReference;
  uint32_t referenceCount_ = 0;
  std::array<float, kReferenceRingSize> ring_{};
  int ringIndex_ = 0;
  bool ringFull_ = false;
};

}  // namespace ruvenset
