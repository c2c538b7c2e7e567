#pragma once
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "viewer/min_max_levels.h"
#include "viewer/time_index.h"

namespace ruvenset {

// The visible time window of a strip: `width` pixel columns from `startSeconds` (seconds after the
// earliest reading), `secondsPerPixel` each.
struct StripWindow {
  double startSeconds;
  double secondsPerPixel;
  int width;
};

// One line of a trace in pixel columns (x) and values (v): a column's min..max bar or a joint
// between neighbouring readings.
struct TraceLine {
  int x1;
  float v1;
  int x2;
  float v2;
};

// Readings further apart than this belong to different runs; the trace does not join them.
inline constexpr double kRunBreakSeconds = 300.0;

// Builds the trace of one series in the window: per pixel column a bar from the lowest to the highest
// reading in it (so a single-reading spike still shows), and joints from the last reading of one
// column to the first of the next that holds readings, including the readings just outside the window.
// Reading i of the series is source(index.Reading(i)).
template <class Source>
void TraceStrip(const TimeIndex& index, const Source& source, const MinMaxLevels& levels,
                const StripWindow& window, std::vector<TraceLine>& out);

// Sample access in time order, the form the levels are built over.
template <class Source>
struct TimeOrdered {
  const TimeIndex& index;
  const Source& source;
  float operator()(size_t i) const { return source(index.Reading(i)); }
};

namespace strip_detail {

// First finite reading in [begin, end) walking forward, or backward when step is -1; returns end when none.
template <class Ordered>
size_t FindFinite(const Ordered& ordered, size_t begin, size_t end, int step) {
  if (step > 0) {
    for (size_t i = begin; i < end; ++i)
      if (std::isfinite(ordered(i))) return i;
    return end;
  }
  for (size_t i = end; i > begin; --i)
    if (std::isfinite(ordered(i - 1))) return i - 1;
  return end;
}

inline int ColumnOf(double seconds, const StripWindow& w) {
  const double x = std::floor((seconds - w.startSeconds) / w.secondsPerPixel);
  return static_cast<int>(std::fmax(-1e6, std::fmin(1e6, x)));
}

}  // namespace strip_detail

template <class Source>
void TraceStrip(const TimeIndex& index, const Source& source, const MinMaxLevels& levels,
                const StripWindow& window, std::vector<TraceLine>& out) {
  out.clear();
  if (index.size() == 0 || window.width <= 0 || !(window.secondsPerPixel > 0.0)) return;
  const TimeOrdered<Source> ordered{index, source};
  constexpr size_t kLookAside = 64;  // how far to look for a finite reading outside the window
  bool havePrevious = false;
  int previousX = 0;
  float previousValue = 0.0f;
  double previousSeconds = 0.0;

  const auto join = [&](int x, float value, double seconds) {
    if (havePrevious && seconds - previousSeconds <= kRunBreakSeconds)
      out.push_back(TraceLine{previousX, previousValue, x, value});
  };

  size_t begin = index.LowerBound(window.startSeconds);
  if (begin > 0) {
    const size_t from = begin > kLookAside ? begin - kLookAside : 0;
    const size_t before = strip_detail::FindFinite(ordered, from, begin, -1);
    if (before != begin) {
      havePrevious = true;
      previousSeconds = index.Seconds(before);
      previousX = strip_detail::ColumnOf(previousSeconds, window);
      previousValue = ordered(before);
    }
  }
  for (int x = 0; x < window.width; ++x) {
    const size_t end = index.LowerBound(window.startSeconds + (x + 1) * window.secondsPerPixel);
    if (end > begin) {
      const Envelope e = levels.Query(ordered, begin, end);
      if (!e.Empty()) {
        const size_t first = strip_detail::FindFinite(ordered, begin, end, 1);
        const size_t last = strip_detail::FindFinite(ordered, begin, end, -1);
        join(x, ordered(first), index.Seconds(first));
        out.push_back(TraceLine{x, e.lo, x, e.hi});
        havePrevious = true;
        previousX = x;
        previousValue = ordered(last);
        previousSeconds = index.Seconds(last);
      }
    }
    begin = end;
  }
  const size_t after =
      strip_detail::FindFinite(ordered, begin, std::min(index.size(), begin + kLookAside), 1);
  if (after < std::min(index.size(), begin + kLookAside)) {
    const double seconds = index.Seconds(after);
    join(strip_detail::ColumnOf(seconds, window), ordered(after), seconds);
  }
}

}  // namespace ruvenset
