#pragma once

namespace ruvenset {

// Sorts entries 0 .. n-1 with Batcher's merge-exchange sort (Knuth, Algorithm 5.2.2M): a fixed
// network of compare-exchange steps between entries a distance d apart. outOfOrder(i, j), i < j,
// says whether entry i belongs after entry j; exchange(i, j) swaps the two entries with everything
// that moves with them. Not stable.
template <typename OutOfOrder, typename Exchange>
void MergeExchangeSort(int n, OutOfOrder outOfOrder, Exchange exchange) {
  if (n < 2) return;
  int t = 0;
  while ((1 << t) < n) ++t;
  const int top = 1 << (t - 1);
  for (int p = top; p > 0; p >>= 1) {
    int q = top;
    int r = 0;
    int d = p;
    for (;;) {
      for (int i = 0; i < n - d; ++i) {
        if ((i & p) == r && outOfOrder(i, i + d)) exchange(i, i + d);
      }
      if (q == p) break;
      d = q - p;
      q >>= 1;
      r = p;
    }
  }
}

}  // namespace ruvenset
