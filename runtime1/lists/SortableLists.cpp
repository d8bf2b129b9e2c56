#include "runtime1/lists/SortableLists.h"

#include <algorithm>
#include <utility>

#include "runtime1/files/logging_utilities.h"

namespace {

// Ranges shorter than this are sorted by insertion.
constexpr int32_t kInsertionSortItems = 16;
// How far ahead of a scan the items it will compare are fetched into the cache.
constexpr int32_t kPrefetchDistance = 8;

// Sets a flag for the lifetime of the guard, also when an error leaves the sort.
class BusyGuard {
 public:
  explicit BusyGuard(bool &flag) : flag_(flag) { flag_ = true; }
  ~BusyGuard() { flag_ = false; }
  BusyGuard(const BusyGuard &) = delete;
  BusyGuard &operator=(const BusyGuard &) = delete;

 private:
  bool &flag_;
};

}  // namespace

int32_t T3SortYieldingList::Add(void *item) {
  fList.push_back(item);
  return Count() - 1;
}

bool T3SortYieldingList::Insert(int32_t index, void *item) {
  if (index < 0 || index > Count()) return false;
  fList.insert(fList.begin() + index, item);
  return true;
}

bool T3SortYieldingList::Delete(int32_t index) {
  if (index < 0 || index >= Count()) return false;
  fList.erase(fList.begin() + index);
  return true;
}

void T3SortYieldingList::Exchange(int32_t i, int32_t j) {
  std::swap(fList[static_cast<size_t>(i)], fList[static_cast<size_t>(j)]);
}

void T3SortYieldingList::SetAscending(bool first_sort, bool second_sort, bool third_sort) {
  fAscending = {first_sort, second_sort, third_sort};
}

bool T3SortYieldingList::ToggledMainSortAscending() {
  fAscending[sort_first_sort] = !fAscending[sort_first_sort];
  return fAscending[sort_first_sort];
}

int32_t T3SortYieldingList::AscendingSwapped(int32_t comparison) const {
  if (!fAscending[current_sort_rec.current_sort_doing]) return comparison;
  return comparison == INT32_MIN ? INT32_MAX : -comparison;
}

void T3SortYieldingList::SetBase(void *, int32_t) {}

void T3SortYieldingList::DoASingleSort(const TCompareFunctOfObject &Compare, int32_t sortvar,
                                       int32_t start, int32_t finish) {
  const int32_t keys[] = {sortvar};
  SortOnKeys(Compare, keys, 1, start, finish);
}

void T3SortYieldingList::DoASingleSort(const TCompareFunctOfObject &Compare, int32_t sortvar) {
  DoASingleSort(Compare, sortvar, 0, Count() - 1);
}

void T3SortYieldingList::DoADoubleSort(const TCompareFunctOfObject &Compare, int32_t SortVarFirst,
                                       int32_t SortVarSecond, int32_t start, int32_t finish) {
  const int32_t keys[] = {SortVarFirst, SortVarSecond};
  SortOnKeys(Compare, keys, 2, start, finish);
}

void T3SortYieldingList::DoADoubleSort(const TCompareFunctOfObject &Compare, int32_t SortVarFirst,
                                       int32_t SortVarSecond) {
  DoADoubleSort(Compare, SortVarFirst, SortVarSecond, 0, Count() - 1);
}

void T3SortYieldingList::DoATrebleSort(const TCompareFunctOfObject &Compare, int32_t SortVarFirst,
                                       int32_t SortVarSecond, int32_t SortVarThird, int32_t start,
                                       int32_t finish) {
  const int32_t keys[] = {SortVarFirst, SortVarSecond, SortVarThird};
  SortOnKeys(Compare, keys, 3, start, finish);
}

void T3SortYieldingList::DoATrebleSort(const TCompareFunctOfObject &Compare, int32_t SortVarFirst,
                                       int32_t SortVarSecond, int32_t SortVarThird) {
  DoATrebleSort(Compare, SortVarFirst, SortVarSecond, SortVarThird, 0, Count() - 1);
}

void T3SortYieldingList::SortOnKeys(const TCompareFunctOfObject &Compare, const int32_t *keys,
                                    int key_count, int32_t start, int32_t finish) {
  if (BusySorting) return;
  BusyGuard busy(BusySorting);
  start = std::max(start, 0);
  finish = std::min(finish, Count() - 1);
  if (start >= finish) return;
  current_sort_rec.current_sort_doing = sort_first_sort;
  DoAPrivateSort(Compare, keys[0], start, finish);
  SortRuns(Compare, keys, key_count, 1, start, finish);
  current_sort_rec.current_sort_doing = sort_first_sort;
}

// Items start..finish are in order of keys[0..level-1]. Each run of items equal to its first
// item under keys[level-1] is sorted by keys[level] in the direction of that level, and its
// own runs then by the next key, so no later key moves an item across an earlier key's
// groups. A key equal to the one before it adds nothing and passes its level on.
void T3SortYieldingList::SortRuns(const TCompareFunctOfObject &Compare, const int32_t *keys,
                                  int key_count, int level, int32_t start, int32_t finish) {
  if (level >= key_count) return;
  const int32_t a = keys[level - 1];
  const int32_t b = keys[level];
  if (a == b) {
    SortRuns(Compare, keys, key_count, level + 1, start, finish);
    return;
  }
  const auto outer_level = static_cast<Tsort_num>(level - 1);
  const auto inner_level = static_cast<Tsort_num>(level);
  int32_t c = start;
  while (c < finish) {
    current_sort_rec.current_sort_doing = outer_level;
    current_sort_rec.current_sort_var = a;
    base_itemnum = c;
    SetBase(fList[static_cast<size_t>(c)], a);
    int32_t i = c;
    while (i < finish) {
      comparison_itemnum = i + 1;
      if (Compare(fList[static_cast<size_t>(i) + 1]) != 0) break;
      ++i;
    }
    if (i > c) {
      current_sort_rec.current_sort_doing = inner_level;
      DoAPrivateSort(Compare, b, c, i);
      SortRuns(Compare, keys, key_count, level + 1, c, i);
    }
    c = i + 1;
  }
  current_sort_rec.current_sort_doing = outer_level;
  current_sort_rec.current_sort_var = a;
}

void T3SortYieldingList::DoAPrivateSort(const TCompareFunctOfObject &Compare, int32_t sortvar,
                                        int32_t L, int32_t R) {
  sorted = true;
  current_sort_rec.current_sort_var = sortvar;
  if (fAscending[current_sort_rec.current_sort_doing]) {
    PartitionRange<-1>(Compare, sortvar, L, R);
  } else {
    PartitionRange<1>(Compare, sortvar, L, R);
  }
}

// Short ranges: each item in turn becomes the base and moves down past the items that belong
// after it. Equal items keep their order.
template <int Before>
void T3SortYieldingList::InsertionSortRange(const TCompareFunctOfObject &Compare, int32_t sortvar,
                                            int32_t L, int32_t R) {
  for (int32_t x = L + 1; x <= R; ++x) {
    void *const item = fList[static_cast<size_t>(x)];
    base_itemnum = x;
    SetBase(item, sortvar);
    int32_t j = x;
    while (j > L) {
      comparison_itemnum = j - 1;
      const int32_t c = Compare(fList[static_cast<size_t>(j) - 1]);
      if (!(Before < 0 ? c > 0 : c < 0)) break;  // stops at an item that is not after the base
      fList[static_cast<size_t>(j)] = fList[static_cast<size_t>(j) - 1];
      --j;
    }
    fList[static_cast<size_t>(j)] = item;
  }
}

// Quicksort with the middle item as base; ranges of fewer than kInsertionSortItems items are
// finished by insertion. The scans stay inside L..R even when a comparison never answers 0 for
// the base, and only the smaller part is sorted by recursion. `Before` is the sign of a
// comparison that puts an item before the base: -1 ascending, 1 descending.
template <int Before>
void T3SortYieldingList::PartitionRange(const TCompareFunctOfObject &Compare, int32_t sortvar,
                                        int32_t L, int32_t R) {
  auto compared = [&](int32_t k) {
    comparison_itemnum = k;
    // The items are compared in index order from both ends: fetch the ones a few steps ahead
    // while this one is compared.
    if (k + kPrefetchDistance <= R)
      __builtin_prefetch(fList[static_cast<size_t>(k + kPrefetchDistance)]);
    if (k - kPrefetchDistance >= L)
      __builtin_prefetch(fList[static_cast<size_t>(k - kPrefetchDistance)]);
    const int32_t c = Compare(fList[static_cast<size_t>(k)]);
    // > 0: the item belongs before the base; < 0: after it.
    if constexpr (Before < 0)
      return (c < 0) - (c > 0);
    else
      return (c > 0) - (c < 0);
  };
  while (L < R) {
    MyYieldProcess();
    if (R - L < kInsertionSortItems) {
      InsertionSortRange<Before>(Compare, sortvar, L, R);
      return;
    }
    base_itemnum = L + (R - L) / 2;
    SetBase(fList[static_cast<size_t>(base_itemnum)], sortvar);
    int32_t i = L;
    int32_t j = R;
    do {
      while (i < R && compared(i) > 0) ++i;
      while (j > L && compared(j) < 0) --j;
      if (i <= j) {
        if (i != j) std::swap(fList[static_cast<size_t>(i)], fList[static_cast<size_t>(j)]);
        ++i;
        --j;
      }
    } while (i <= j);
    if (j - L < R - i) {
      if (L < j) PartitionRange<Before>(Compare, sortvar, L, j);
      L = i;
    } else {
      if (i < R) PartitionRange<Before>(Compare, sortvar, i, R);
      R = j;
    }
  }
}

void T3SortNonYieldingList::DoAPrivateSort(const TCompareFunctOfObject &Compare, int32_t sortvar,
                                           int32_t L, int32_t R) {
  struct HookRestorer {
    TYieldProcessProc saved = std::exchange(AYieldProcessProc, nullptr);
    ~HookRestorer() { AYieldProcessProc = std::move(saved); }
  } restorer;
  T3SortYieldingList::DoAPrivateSort(Compare, sortvar, L, R);
}
