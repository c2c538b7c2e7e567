#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ruvenset {

// The readings that can be placed on a time axis (those with a valid date), in time order. Readings
// are usually recorded in time order and then the index is the file order itself; a clock set back
// (or runs appended out of order) makes it a stable sort by time.
class TimeIndex {
 public:
  // Keeps a pointer to the dates: they must outlive the index and stay unchanged.
  void Build(const std::vector<double>& oleDates);

  size_t size() const { return count_; }
  // The reading (position in file order) at time position i.
  size_t Reading(size_t i) const { return identity_ ? i : order_[i]; }
  // The time position of a reading (position in file order); size() for one without a valid date.
  size_t Position(size_t reading) const;
  // Seconds from the earliest reading to the one at time position i.
  double Seconds(size_t i) const;
  // Seconds from the earliest to the latest reading.
  double Span() const { return count_ == 0 ? 0.0 : Seconds(count_ - 1); }
  // OLE date of the earliest reading.
  double FirstDate() const { return firstDate_; }
  // First time position whose time is not before `seconds`.
  size_t LowerBound(double seconds) const;
  // The time position nearest to `seconds` (size() when empty).
  size_t Nearest(double seconds) const;

 private:
  const double* dates_ = nullptr;
  std::vector<uint32_t> order_;
  std::vector<uint32_t> position_;  // the inverse of order_; empty while the index is the file order
  bool identity_ = true;
  size_t count_ = 0;
  double firstDate_ = 0.0;
  double firstDays_ = 0.0;
};

}  // namespace ruvenset
