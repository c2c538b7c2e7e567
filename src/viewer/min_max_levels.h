#pragma once
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

namespace ruvenset {

// Lowest and highest finite sample of a stretch; lo > hi when it holds none.
struct Envelope {
  float lo = std::numeric_limits<float>::infinity();
  float hi = -std::numeric_limits<float>::infinity();

  bool Empty() const { return lo > hi; }
  void Add(float v) {
    if (!std::isfinite(v)) return;
    if (v < lo) lo = v;
    if (v > hi) hi = v;
  }
  void Merge(const Envelope& e) {
    if (e.lo < lo) lo = e.lo;
    if (e.hi > hi) hi = e.hi;
  }
};

// Min/max of a series over aligned blocks of 16, 32, 64 ... samples, like the levels of a mipmap, so the
// envelope of any stretch costs a few block lookups plus at most two part-blocks of samples. A `Source`
// is anything with `float operator()(size_t i) const`; non-finite samples are left out.
class MinMaxLevels {
 public:
  static constexpr size_t kBaseBlock = 16;

  template <class Source>
  void Build(const Source& source, size_t count) {
    levels_.clear();
    std::vector<Envelope> level(count / kBaseBlock);
    for (size_t b = 0; b < level.size(); ++b) {
      for (size_t i = b * kBaseBlock; i < (b + 1) * kBaseBlock; ++i) level[b].Add(source(i));
    }
    while (!level.empty()) {
      std::vector<Envelope> next(level.size() / 2);
      for (size_t b = 0; b < next.size(); ++b) {
        next[b] = level[2 * b];
        next[b].Merge(level[2 * b + 1]);
      }
      levels_.push_back(std::move(level));
      level = std::move(next);
    }
  }

  template <class Source>
  Envelope Query(const Source& source, size_t begin, size_t end) const {
    Envelope e;
    size_t i = begin;
    while (i < end && i % kBaseBlock != 0) e.Add(source(i++));
    while (i < end && !levels_.empty()) {
      size_t k = 0;
      while (k + 1 < levels_.size() && i % (kBaseBlock << (k + 1)) == 0 && i + (kBaseBlock << (k + 1)) <= end)
        ++k;
      const size_t block = i / (kBaseBlock << k);
      if (i + kBaseBlock > end || block >= levels_[k].size()) break;
      e.Merge(levels_[k][block]);
      i += kBaseBlock << k;
    }
    while (i < end) e.Add(source(i++));
    return e;
  }

 private:
  std::vector<std::vector<Envelope>> levels_;
};

}  // namespace ruvenset
