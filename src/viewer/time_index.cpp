#include "viewer/time_index.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "common/verification_record.h"

namespace ruvenset {
namespace {

constexpr uint32_t kNoPosition = UINT32_MAX;

}  // namespace

void TimeIndex::Build(const std::vector<double>& oleDates) {
  dates_ = oleDates.data();
  order_.clear();
  position_.clear();
  identity_ = true;
  double previous = -INFINITY;
  for (double date : oleDates) {
    const double days = IsValidOleDate(date) ? LinearOleDays(date) : NAN;
    if (!(days >= previous)) {
      identity_ = false;
      break;
    }
    previous = days;
  }
  if (identity_) {
    count_ = oleDates.size();
  } else {
    for (size_t i = 0; i < oleDates.size(); ++i) {
      if (IsValidOleDate(oleDates[i])) order_.push_back(static_cast<uint32_t>(i));
    }
    std::stable_sort(order_.begin(), order_.end(), [this](uint32_t a, uint32_t b) {
      return LinearOleDays(dates_[a]) < LinearOleDays(dates_[b]);
    });
    order_.shrink_to_fit();
    count_ = order_.size();
    position_.assign(oleDates.size(), kNoPosition);
    for (size_t i = 0; i < count_; ++i) position_[order_[i]] = static_cast<uint32_t>(i);
  }
  firstDate_ = count_ == 0 ? 0.0 : dates_[Reading(0)];
  firstDays_ = LinearOleDays(firstDate_);
}

size_t TimeIndex::Position(size_t reading) const {
  if (identity_) return reading < count_ ? reading : count_;
  if (reading >= position_.size() || position_[reading] == kNoPosition) return count_;
  return position_[reading];
}

double TimeIndex::Seconds(size_t i) const {
  return (LinearOleDays(dates_[Reading(i)]) - firstDays_) * 86400.0;
}

size_t TimeIndex::LowerBound(double seconds) const {
  size_t lo = 0;
  size_t hi = count_;
  while (lo < hi) {
    const size_t mid = lo + (hi - lo) / 2;
    if (Seconds(mid) < seconds) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo;
}

size_t TimeIndex::Nearest(double seconds) const {
  if (count_ == 0) return 0;
  const size_t after = LowerBound(seconds);
  if (after == 0) return 0;
  if (after == count_) return count_ - 1;
  return seconds - Seconds(after - 1) <= Seconds(after) - seconds ? after - 1 : after;
}

}  // namespace ruvenset
