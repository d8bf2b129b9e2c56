// Lists of small records that save themselves to and read themselves from binary streams:
// TUsefulBaseList (count, then one record per item) and TUsefulBaseListSorts (count, a
// "sorted" byte, then the records), with sorting, reversal and removal of repeats.
//
// Items are held by value. An item type ("holder") derives from TUsefulBaseListObject and
// supplies, where its records reach a stream:
//   bool ReadFromStream(TStream &)        - reads one record; false when it did not fully come
//   bool SaveToStream(TStream &) const    - writes one record; false when it was not written
//   static constexpr int64_t kStreamBytes - the fewest bytes one record takes in a stream
// A holder that keeps the base members reads and writes nothing (its lists save the count
// alone and read back that many zeroed items).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/streams.h"
#include "runtime1/files/logging_utilities.h"
#include "runtime1/lists/myFileStreamU.h"
#include "runtime1/lists/quick_sort.h"

// The base of every list item: reads and writes nothing.
struct TUsefulBaseListObject {
  static constexpr int64_t kStreamBytes = 0;
  bool ReadFromStream(TStream &) { return true; }
  bool SaveToStream(TStream &) const { return true; }
};

// The most items a list reads when its records take no bytes in the stream, so that a
// damaged count cannot make it create billions of items. Writers refuse larger lists.
constexpr int32_t kMaxItemsWithoutStreamBytes = 1 << 20;

template <typename Holder>
class TUsefulBaseList {
 public:
  using HolderType = Holder;

  TUsefulBaseList() = default;
  virtual ~TUsefulBaseList() = default;
  TUsefulBaseList(const TUsefulBaseList &) = default;
  TUsefulBaseList &operator=(const TUsefulBaseList &) = default;

  int32_t Count() const { return static_cast<int32_t>(fItems.size()); }
  // True when 0 <= index < Count.
  bool IndexAssignedOK(int32_t index) const { return index >= 0 && index < Count(); }
  // The item at a 0-based index; the index must be assigned.
  Holder &Items(int32_t index) { return fItems[static_cast<size_t>(index)]; }
  const Holder &Items(int32_t index) const { return fItems[static_cast<size_t>(index)]; }
  const std::vector<Holder> &AllItems() const { return fItems; }
  void Capacity(int32_t wanted) { fItems.reserve(static_cast<size_t>(std::max(wanted, 0))); }

  // Releases every item and empties the list.
  virtual void Clear() { fItems.clear(); }
  // Three-way comparison of the items at i and j; the base never finds two items equal (-1).
  virtual int32_t ComparedValues(int32_t, int32_t) const { return -1; }
  // Releases the item at i, when assigned, and removes its slot (later items move down one).
  virtual void FreeAndNilOne(int32_t i) {
    if (IndexAssignedOK(i)) fItems.erase(fItems.begin() + i);
  }

  // Appends the items of a saved list (4-byte count, then the records) to those already here.
  // False when the count is short or an item fails to read; items read before the failure
  // stay, nothing after it is added. A count below 1 reads nothing and gives true.
  virtual bool ReadFromStream(TStream &Stream) {
    int32_t count = 0;
    if (!platform::ReadValue(Stream, count)) return false;
    return ReadItems(Stream, count);
  }
  // Writes the count and every record; false when a write fails (later items are not
  // written) or when the list is too long to be read back.
  virtual bool SaveToStream(TStream &Stream) {
    if (!Saveable() || !platform::WriteValue<int32_t>(Stream, Count())) return false;
    return SaveItems(Stream);
  }

  // Opens the file for reading and appends its list; the result of ReadFromStream. Raises
  // platform::FileOpenError when the file cannot be opened.
  bool LoadFromFile(std::u16string_view aFilename) {
    platform::FileStream stream(platform::NativeFileName(aFilename),
                                platform::FileStream::Mode::kOpenRead);
    return ReadFromStream(stream);
  }
  // Saves the list into a new file that replaces aFilename only when everything was written;
  // false (an older file left as it was) otherwise. Raises platform::FileOpenError when the
  // new file cannot be made.
  bool SaveToFile(std::u16string_view aFilename) {
    platform::ReplacingFileStream stream(platform::NativeFileName(aFilename));
    return SaveToStream(stream) && stream.Commit();
  }

 protected:
  bool Saveable() const {
    return Holder::kStreamBytes > 0 || Count() <= kMaxItemsWithoutStreamBytes;
  }
  bool ReadItems(TStream &Stream, int32_t count) {
    if (count < 1) return true;
    int64_t plausible = count;
    if constexpr (Holder::kStreamBytes > 0) {
      plausible = std::min<int64_t>(count, Stream.Remaining() / Holder::kStreamBytes);
    } else if (count > kMaxItemsWithoutStreamBytes) {
      return false;
    }
    fItems.reserve(fItems.size() + static_cast<size_t>(plausible));
    for (int32_t k = 0; k < count; ++k) {
      MyYieldProcess();
      Holder item{};
      if (!item.ReadFromStream(Stream)) return false;
      fItems.push_back(std::move(item));
    }
    return true;
  }
  bool SaveItems(TStream &Stream) const {
    for (const Holder &item : fItems) {
      MyYieldProcess();
      if (!item.SaveToStream(Stream)) return false;
    }
    return true;
  }
  // Sorts every item with a three-way comparison of two holders.
  template <typename Compare>
  void SortItems(Compare &&compare) {
    if (fItems.size() > 1) {
      qv7_lists::QuickSortRange(fItems.data(), 0, static_cast<int64_t>(fItems.size()) - 1, compare);
    }
  }

  std::vector<Holder> fItems;
};

template <typename Holder>
class TUsefulBaseListSorts : public TUsefulBaseList<Holder> {
 public:
  // The last index probed by a descendant's binary search (-1 when none).
  int32_t nearest = -1;
  // True while the items are known to be in ascending order of the list's search key.
  bool sorted = false;

  void Clear() override {
    TUsefulBaseList<Holder>::Clear();
    sorted = false;
  }

  // As the base, with the "sorted" byte between the count and the records; a missing byte
  // gives false with nothing added. A list that says it is sorted but whose items are not in
  // order is read as unsorted.
  bool ReadFromStream(TStream &Stream) override {
    int32_t count = 0;
    uint8_t sorted_byte = 0;
    if (!platform::ReadValue(Stream, count) || !platform::ReadValue(Stream, sorted_byte)) {
      return false;
    }
    sorted = sorted_byte != 0;
    const bool ok = this->ReadItems(Stream, count);
    if (sorted && !KeyOrderHolds()) sorted = false;
    return ok;
  }
  bool SaveToStream(TStream &Stream) override {
    if (!this->Saveable() || !platform::WriteValue<int32_t>(Stream, this->Count()) ||
        !platform::WriteValue<uint8_t>(Stream, sorted ? 1 : 0)) {
      return false;
    }
    return this->SaveItems(Stream);
  }

  // Sorts the items with a three-way comparison of two holders and marks the list sorted.
  template <typename Compare>
  void Sort(Compare &&compare) {
    this->SortItems(compare);
    sorted = true;
  }
  // Reverses the order of the items; a list of two or more is no longer in ascending order.
  void ReverseTheSort() {
    std::reverse(this->fItems.begin(), this->fItems.end());
    if (this->Count() >= 2) sorted = false;
  }
  // Keeps the first item of every run of items that ComparedValues finds equal to the run's
  // first item.
  void RemoveDuplicates() {
    auto &items = this->fItems;
    size_t kept = 0;
    size_t a = 0;
    while (a < items.size()) {
      size_t i = a;
      while (i + 1 < items.size() &&
             this->ComparedValues(static_cast<int32_t>(a), static_cast<int32_t>(i + 1)) == 0) {
        ++i;
      }
      if (kept != a) items[kept] = std::move(items[a]);
      ++kept;
      a = i + 1;
    }
    items.resize(kept);
  }

 protected:
  // True when the items are in ascending order of the search key; lists with a key override.
  virtual bool KeyOrderHolds() const { return true; }
};
