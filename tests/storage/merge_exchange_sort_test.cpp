#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "storage/merge_exchange_sort.h"

namespace ruvenset {
namespace {

void Sort(std::vector<int>& v) {
  MergeExchangeSort(
      static_cast<int>(v.size()), [&](int a, int b) { return v[a] > v[b]; },
      [&](int a, int b) { std::swap(v[a], v[b]); });
}

TEST(MergeExchangeSort, MatchesStdSortOnRandomDataForEverySizeUpTo33) {
  std::mt19937 random(12345);
  for (int n = 0; n <= 33; ++n) {
    for (int trial = 0; trial < 200; ++trial) {
      std::vector<int> v(static_cast<size_t>(n));
      const int range = trial % 2 == 0 ? 5 : 1 << 24;  // many ties, or nearly none
      for (int& x : v) x = static_cast<int>(random() % static_cast<unsigned>(range));
      std::vector<int> expected = v;
      std::sort(expected.begin(), expected.end());
      Sort(v);
      ASSERT_EQ(v, expected) << "n=" << n << " trial=" << trial;
    }
  }
}

// A comparison network sorts every input when it sorts every sequence of zeros and ones.
TEST(MergeExchangeSort, SortsEveryZeroOneSequenceUpTo16) {
  for (int n = 1; n <= 16; ++n) {
    for (uint32_t bits = 0; bits < (1u << n); ++bits) {
      std::vector<int> v(static_cast<size_t>(n));
      for (int i = 0; i < n; ++i) v[static_cast<size_t>(i)] = (bits >> i) & 1;
      Sort(v);
      ASSERT_TRUE(std::is_sorted(v.begin(), v.end())) << "n=" << n << " bits=" << bits;
    }
  }
}

TEST(MergeExchangeSort, ComparesOnlyInsideTheRangeAndLowerIndexFirst) {
  for (int n = 0; n <= 33; ++n) {
    bool inside = true;
    MergeExchangeSort(
        n,
        [&](int a, int b) {
          inside = inside && a >= 0 && a < b && b < n;
          return false;
        },
        [](int, int) {});
    EXPECT_TRUE(inside) << n;
  }
}

}  // namespace
}  // namespace ruvenset
