// Pointer lists that sort a range of their items on up to three keys, each ascending or
// descending, calling the yield hook once per partition step so that the host stays
// responsive. Descendants say how items compare: SetBase remembers the pivot item, and the
// comparison function compares any other item with it under the key in current_sort_var.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

enum Tsort_num : uint8_t { sort_first_sort, sort_second_sort, sort_third_sort };
// Ascending (true) or descending (false) for the first, second and third key.
using TAscendingSort = std::array<bool, 3>;

struct TCurrentSortRec {
  Tsort_num current_sort_doing = sort_first_sort;  // the level being sorted
  int32_t current_sort_var = 0;                    // the key number in force
};

// Compares an item with the current base under the key in current_sort_var: negative when
// the item belongs before the base in ascending order, 0 when equal, positive when after.
using TCompareFunctOfObject = std::function<int32_t(void *item)>;

class T3SortYieldingList {
 public:
  // A sort is running; sort requests made meanwhile (from the yield hook) do nothing.
  bool BusySorting = false;
  TAscendingSort fAscending{false, false, false};
  TCurrentSortRec current_sort_rec;
  // Set by every sort.
  bool sorted = false;
  // The index of the item being compared with the base, and of the base when it was chosen.
  int32_t comparison_itemnum = 0;
  int32_t base_itemnum = 0;

  T3SortYieldingList() = default;
  virtual ~T3SortYieldingList() = default;

  // The pointer list. Indexes are 0-based; the list does not own what its items point to.
  int32_t Count() const { return static_cast<int32_t>(fList.size()); }
  void *Items(int32_t index) const { return fList[static_cast<size_t>(index)]; }
  int32_t Add(void *item);
  // Inserts at 0..Count; false, nothing inserted, for another index.
  bool Insert(int32_t index, void *item);
  // Removes the item at an index of the list; false for another index.
  bool Delete(int32_t index);
  void Exchange(int32_t i, int32_t j);
  void Clear() { fList.clear(); }

  void SetAscending(bool first_sort, bool second_sort, bool third_sort);
  void SetSortToAscend(Tsort_num srt, bool Value) { fAscending[srt] = Value; }
  // Flips the first key's direction and returns the new one.
  bool ToggledMainSortAscending();
  // The comparison negated when the level being sorted is ascending, unchanged otherwise.
  int32_t AscendingSwapped(int32_t comparison) const;

  // Remembers P as the item that comparisons are made against, under key sortvar. The base
  // does nothing.
  virtual void SetBase(void *P, int32_t sortvar);

  // Sort the items start..finish (clamped to the list; the whole list in the forms without a
  // range) by one, two or three keys. Each later key orders only the runs of items that are
  // equal under every earlier key.
  virtual void DoASingleSort(const TCompareFunctOfObject &Compare, int32_t sortvar, int32_t start,
                             int32_t finish);
  virtual void DoASingleSort(const TCompareFunctOfObject &Compare, int32_t sortvar);
  virtual void DoADoubleSort(const TCompareFunctOfObject &Compare, int32_t SortVarFirst,
                             int32_t SortVarSecond, int32_t start, int32_t finish);
  virtual void DoADoubleSort(const TCompareFunctOfObject &Compare, int32_t SortVarFirst,
                             int32_t SortVarSecond);
  virtual void DoATrebleSort(const TCompareFunctOfObject &Compare, int32_t SortVarFirst,
                             int32_t SortVarSecond, int32_t SortVarThird, int32_t start,
                             int32_t finish);
  virtual void DoATrebleSort(const TCompareFunctOfObject &Compare, int32_t SortVarFirst,
                             int32_t SortVarSecond, int32_t SortVarThird);

 protected:
  // Sorts L..R by key sortvar in the direction of the current level; sets `sorted`.
  virtual void DoAPrivateSort(const TCompareFunctOfObject &Compare, int32_t sortvar, int32_t L,
                              int32_t R);

  std::vector<void *> fList;

 private:
  void SortOnKeys(const TCompareFunctOfObject &Compare, const int32_t *keys, int key_count,
                  int32_t start, int32_t finish);
  void SortRuns(const TCompareFunctOfObject &Compare, const int32_t *keys, int key_count, int level,
                int32_t start, int32_t finish);
  template <int Before>
  void MedianToMiddle(const TCompareFunctOfObject &Compare, int32_t sortvar, int32_t L, int32_t M,
                      int32_t R);
  template <int Before>
  void InsertionSortRange(const TCompareFunctOfObject &Compare, int32_t sortvar, int32_t L,
                          int32_t R);
  template <int Before>
  void PartitionRange(const TCompareFunctOfObject &Compare, int32_t sortvar, int32_t L, int32_t R);
};

// The same list with the process-wide yield hook switched off while it sorts (and restored
// afterwards, also when a comparison raises an error).
class T3SortNonYieldingList : public T3SortYieldingList {
 protected:
  void DoAPrivateSort(const TCompareFunctOfObject &Compare, int32_t sortvar, int32_t L,
                      int32_t R) override;
};
