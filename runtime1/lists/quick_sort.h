// The in-place sort shared by the lists: a quicksort with the middle item as pivot and a
// three-way comparison. Its scans never leave the range, even when the comparison is not
// consistent (a float key that is NaN, a comparison that never answers "equal"), and it
// recurses into the smaller part only, so the stack stays shallow on any input.
#pragma once

#include <cstdint>
#include <utility>

namespace qv7_lists {

// Sorts items[L..R] (inclusive) so that compare(a, b) < 0 puts a before b. `compare` returns a
// negative, zero or positive number.
template <typename T, typename Compare>
void QuickSortRange(T *items, int64_t L, int64_t R, Compare &&compare) {
  while (L < R) {
    const T pivot = items[L + (R - L) / 2];
    int64_t i = L;
    int64_t j = R;
    do {
      while (i < R && compare(items[i], pivot) < 0) ++i;
      while (j > L && compare(items[j], pivot) > 0) --j;
      if (i <= j) {
        if (i != j) std::swap(items[i], items[j]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - L < R - i) {
      if (L < j) QuickSortRange(items, L, j, compare);
      L = i;
    } else {
      if (i < R) QuickSortRange(items, i, R, compare);
      R = j;
    }
  }
}

}  // namespace qv7_lists
