// Typed lists of numbers and small records: ordered insertion and binary search on a key,
// frequency counting, key-selecting sorts, three-way comparisons of the basic types, and the
// string layout of binary streams (ReadAString / WriteAString).
//
// Positions are 0-based. Getters answer a neutral value (-1, 0 or a zeroed record, as each
// says) for an index outside the list; setters then do nothing. Lists that keep a "sorted"
// flag keep it true only while the items are in ascending order of their search key.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "runtime1/lists/Useful_Classes_base.h"

// ---------------------------------------------------------------------------------------------
// Strings in streams: a 4-byte signed count of UTF-16 code units, then the units.

// The longest string, in code units, that ReadAString accepts; initially 5000.
extern int32_t global_string_safety_limit;

// Reads a string into `s` (emptied first). Raises FileReadError ("ReadAString") when the count
// is negative, above the limit (global_string_safety_limit, or `limit`) or past the end of the
// stream, StreamReadError on a short read; `s` is left empty then. A count equal to the limit
// is accepted.
void ReadAString(TStream &Stream, std::u16string &s);
void ReadAString(TStream &Stream, int32_t limit, std::u16string &s);
// Writes `s`; false, with nothing written, when it is longer than the reader's limit
// (global_string_safety_limit, or `limit`). Raises StreamWriteError on a short write.
bool WriteAString(TStream &Stream, std::u16string_view s);
bool WriteAString(TStream &Stream, int32_t limit, std::u16string_view s);

// ---------------------------------------------------------------------------------------------
// Records

struct T2_longint_rec {
  int32_t long0 = 0, long1 = 0;
};
struct T3_longint_rec {
  int32_t long0 = 0, long1 = 0, long2 = 0;
};
struct T4_longint_rec {
  int32_t long0 = 0, long1 = 0, long2 = 0, long3 = 0;
};
struct T2_Pointer {
  void *p1 = nullptr, *p2 = nullptr;
};
struct TIntegerAndSingleRec {
  int32_t int_ = 0;
  float s = 0.0f;
};
struct TTriple_cardinal_rec {
  uint32_t card1 = 0, card2 = 0, card3 = 0;
};
struct TIntegerAnd3CardinalsRec {
  int32_t freq = 0;
  TTriple_cardinal_rec value;
};
struct Tdouble_cardinal_rec {
  uint32_t card1 = 0, card2 = 0;
};
struct TIntegerAnd2CardinalsRec {
  int32_t freq = 0;
  Tdouble_cardinal_rec value;
};
struct TCardinalAndFreq {
  uint32_t c = 0;
  int32_t f = 0;
};
struct TWordFreqAndSourceNum {
  std::u16string w;
  int32_t f = 0, source_num = 0;
};
struct TStringTrueColumnAndColourRec {
  int32_t true_column_number = 0, background_colour = 0;
  std::u16string s;
};
struct T2StringsAnd2IntegersRec {
  int32_t int1 = 0, int2 = 0;
  std::u16string s1, s2;
};
struct TSmall_and_long_rec {
  int16_t small = 0;
  int32_t long_ = 0;
};
struct TIndexAndPointerRec {
  int32_t index = 0;
  void *p = nullptr;
};
struct TPointerAnd2CardinalsRec {
  void *p = nullptr;
  uint32_t Item1 = 0, Item2 = 0;
};

enum T2LongintSort : int32_t { t2_long0, t2_long1 };
enum T3LongintSort : int32_t { t3_long0, t3_long1, t3_long2 };
enum T4LongintSort : int32_t { t4_long0, t4_long1, t4_long2, t4_long3 };
enum TWhichOf3 : int32_t { on_intg1, on_intg2, on_intg3 };

// ---------------------------------------------------------------------------------------------
// Three-way comparisons: -1, 0 or 1.

int32_t CompareLongints(int32_t a, int32_t b);      // signed, ascending
int32_t CompareCardinals(uint32_t a, uint32_t b);   // unsigned, ascending
int32_t CompareInt64s(int64_t a, int64_t b);        // signed, ascending
int32_t Compare16BitWords(uint16_t a, uint16_t b);  // unsigned, ascending
int32_t CompareChars(char16_t a, char16_t b);       // unsigned, ascending
int32_t CompareBytes(uint8_t a, uint8_t b);         // unsigned, ascending
// Ascending; NaN sorts after every number and equals NaN, so sorts stay consistent.
int32_t CompareSingles(float a, float b);
// Later dates first: 1 when a < b. NaN sorts after every date.
int32_t CompareDates(double a, double b);
int32_t CompareJulianDates(double a, double b);
// Code unit by code unit; -1 when a sorts first.
int32_t Compare2Strings(std::u16string_view a, std::u16string_view b);
int32_t Compare2CardinalsCard1(const Tdouble_cardinal_rec &a, const Tdouble_cardinal_rec &b);
int32_t Compare2CardinalsCard2(const Tdouble_cardinal_rec &a, const Tdouble_cardinal_rec &b);
int32_t CompareIntAnd3CardinalsCard1(const TIntegerAnd3CardinalsRec &a,
                                     const TIntegerAnd3CardinalsRec &b);
int32_t CompareIntAnd3CardinalsCard2(const TIntegerAnd3CardinalsRec &a,
                                     const TIntegerAnd3CardinalsRec &b);
int32_t CompareIntAnd3CardinalsCard3(const TIntegerAnd3CardinalsRec &a,
                                     const TIntegerAnd3CardinalsRec &b);
// `freq` compared as unsigned.
int32_t CompareIntAnd3CardinalsFreq(const TIntegerAnd3CardinalsRec &a,
                                    const TIntegerAnd3CardinalsRec &b);
int32_t CompareIntAnd2CardinalsCard1(const TIntegerAnd2CardinalsRec &a,
                                     const TIntegerAnd2CardinalsRec &b);
int32_t CompareIntAnd2CardinalsCard2(const TIntegerAnd2CardinalsRec &a,
                                     const TIntegerAnd2CardinalsRec &b);
// `freq` compared as signed.
int32_t CompareIntAnd2CardinalsFreq(const TIntegerAnd2CardinalsRec &a,
                                    const TIntegerAnd2CardinalsRec &b);

void ExchangeTwoDoubleCardinalRecs(Tdouble_cardinal_rec &a, Tdouble_cardinal_rec &b);
void ExchangeTwoDoubleLongintRecs(T2_longint_rec &a, T2_longint_rec &b);
void ExchangeTwoSmallAndLongRecs(TSmall_and_long_rec &a, TSmall_and_long_rec &b);
void ExchangeTwoIndexAndPointerRecs(TIndexAndPointerRec &a, TIndexAndPointerRec &b);
void ExchangeTwoPointerAnd2CardinalsRecs(TPointerAnd2CardinalsRec &a, TPointerAnd2CardinalsRec &b);

// Split points of `total` bytes in n nearly equal parts: element i is (i + 1) * total / n
// rounded half to even, computed exactly, so the last element is `total`. Empty for n <= 0 or
// a negative total.
std::vector<int64_t> ComputedByteDivisions(int64_t total, int32_t n);

// ---------------------------------------------------------------------------------------------
// Holders: one record each. kStreamBytes > 0 marks the holders whose records are saved.

struct TLongIntHolder : TUsefulBaseListObject {
  static constexpr int64_t kStreamBytes = 4;
  int32_t data = 0;
  int32_t Key() const { return data; }
  bool ReadFromStream(TStream &Stream);
  bool SaveToStream(TStream &Stream) const;
};
struct TCardinalHolder : TUsefulBaseListObject {
  static constexpr int64_t kStreamBytes = 4;
  uint32_t data = 0;
  uint32_t Key() const { return data; }
  bool ReadFromStream(TStream &Stream);
  bool SaveToStream(TStream &Stream) const;
};
struct TSingleHolder : TUsefulBaseListObject {
  static constexpr int64_t kStreamBytes = 4;
  float data = 0.0f;
  bool ReadFromStream(TStream &Stream);
  bool SaveToStream(TStream &Stream) const;
};
struct TInt64Holder : TUsefulBaseListObject {
  static constexpr int64_t kStreamBytes = 8;
  int64_t data = 0;
  int64_t Key() const { return data; }
  bool ReadFromStream(TStream &Stream);
  bool SaveToStream(TStream &Stream) const;
};
struct TIntegerAndSingleHolder : TUsefulBaseListObject {
  static constexpr int64_t kStreamBytes = 8;
  TIntegerAndSingleRec data;
  float Key() const { return data.s; }
  bool ReadFromStream(TStream &Stream);
  bool SaveToStream(TStream &Stream) const;
};
struct TIntegerAnd3CardinalsHolder : TUsefulBaseListObject {
  static constexpr int64_t kStreamBytes = 16;
  TIntegerAnd3CardinalsRec data;
  bool ReadFromStream(TStream &Stream);
  bool SaveToStream(TStream &Stream) const;
};
struct TCardinalAndFreqHolder : TUsefulBaseListObject {
  static constexpr int64_t kStreamBytes = 8;
  TCardinalAndFreq data;
  uint32_t Key() const { return data.c; }
  bool ReadFromStream(TStream &Stream);
  bool SaveToStream(TStream &Stream) const;
};
// Saved as the two numbers, then `s` as a string; false on any read or write error.
struct TStringTrueColumnAndColourHolder : TUsefulBaseListObject {
  static constexpr int64_t kStreamBytes = 12;
  TStringTrueColumnAndColourRec data;
  static TStringTrueColumnAndColourHolder CreateBlank() { return {}; }
  bool ReadFromStream(TStream &Stream);
  bool SaveToStream(TStream &Stream) const;
};
// Saved as the two numbers, then s1 and s2 as strings; false on any read or write error.
struct T2StringsAnd2IntegersHolder : TUsefulBaseListObject {
  static constexpr int64_t kStreamBytes = 16;
  T2StringsAnd2IntegersRec data;
  bool ReadFromStream(TStream &Stream);
  bool SaveToStream(TStream &Stream) const;
};
// Not saved: their lists store the count alone.
struct T2LongIntHolder : TUsefulBaseListObject {
  T2_longint_rec data;
};
struct T3LongIntHolder : TUsefulBaseListObject {
  T3_longint_rec data;
};
struct T4LongIntHolder : TUsefulBaseListObject {
  T4_longint_rec data;
};
struct TDoublePointerHolder : TUsefulBaseListObject {
  T2_Pointer data;
};
struct TWordFreqAndSourceNumHolder : TUsefulBaseListObject {
  TWordFreqAndSourceNum data;
};
struct TSmallIntHolder {
  int16_t int_ = 0;
};
// A number where an object is expected.
struct TPublicIntegerHolder {
  int32_t data = 0;
};

// Ascending comparisons of two holders' data.
int32_t SortLongints(const TLongIntHolder &a, const TLongIntHolder &b);
int32_t SortCardinals(const TCardinalHolder &a, const TCardinalHolder &b);
int32_t SortSingles(const TSingleHolder &a, const TSingleHolder &b);
int32_t SortInt64s(const TInt64Holder &a, const TInt64Holder &b);
int32_t SortIntegerAnd3CardinalsFreq(const TIntegerAnd3CardinalsHolder &a,
                                     const TIntegerAnd3CardinalsHolder &b);

// ---------------------------------------------------------------------------------------------
// A sortable list searched on one key of its holders (Holder::Key()), compared with CompareKey.

template <typename Holder, typename KeyT, int32_t (*CompareKey)(KeyT, KeyT)>
class TKeyedListSorts : public TUsefulBaseListSorts<Holder> {
 public:
  int32_t ComparedValues(int32_t i, int32_t j) const override {
    return CompareKey(this->Items(i).Key(), this->Items(j).Key());
  }

 protected:
  // Binary search for S (the yield hook is called per probe): the index of an equal item, or
  // -1. With `track_nearest`, `nearest` starts at `nearest_start` and ends at the last probe.
  int32_t SearchKey(KeyT S, bool track_nearest, int32_t nearest_start) {
    if (track_nearest) this->nearest = nearest_start;
    int32_t lo = 0;
    int32_t hi = this->Count() - 1;
    while (lo <= hi) {
      MyYieldProcess();
      const int32_t mid = lo + (hi - lo) / 2;
      if (track_nearest) this->nearest = mid;
      const int32_t c = CompareKey(this->Items(mid).Key(), S);
      if (c < 0)
        lo = mid + 1;
      else if (c > 0)
        hi = mid - 1;
      else
        return mid;
    }
    return -1;
  }
  // The first index whose key equals S, or -1.
  int32_t LinearIndexOf(KeyT S) const {
    for (int32_t i = 0; i < this->Count(); ++i) {
      if (CompareKey(this->Items(i).Key(), S) == 0) return i;
    }
    return -1;
  }
  // Appends; the list stays sorted only when the new key is not below the last one.
  int32_t AppendItem(Holder item) {
    if (this->sorted && this->Count() > 0 &&
        CompareKey(item.Key(), this->fItems.back().Key()) < 0) {
      this->sorted = false;
    }
    this->fItems.push_back(std::move(item));
    return this->Count() - 1;
  }
  // Inserts at `where` (0..Count); -1, nothing inserted, for another position. The list stays
  // sorted only when the neighbours keep the order.
  int32_t InsertItem(int32_t where, Holder item) {
    if (where < 0 || where > this->Count()) return -1;
    if (this->sorted && !FitsAt(where, item.Key())) this->sorted = false;
    this->fItems.insert(this->fItems.begin() + where, std::move(item));
    return where;
  }
  // In a sorted list, inserts before an equal item, else beside the last probe of the
  // search; in an unsorted list, appends. Returns the new index.
  int32_t OrderedInsert(Holder item, int32_t nearest_start = -1) {
    if (!this->sorted) return AppendItem(std::move(item));
    const int32_t found = SearchKey(item.Key(), true, nearest_start);
    int32_t where = found;
    if (found < 0) {
      where = this->Count();
      if (this->nearest >= 0 && this->nearest < this->Count()) {
        where = this->nearest;
        if (CompareKey(this->Items(where).Key(), item.Key()) <= 0) ++where;
      }
    }
    this->fItems.insert(this->fItems.begin() + where, std::move(item));
    return where;
  }
  void SortOnKey() {
    this->Sort([](const Holder &a, const Holder &b) { return CompareKey(a.Key(), b.Key()); });
  }
  bool FitsAt(int32_t where, KeyT key) const {
    if (where > 0 && CompareKey(this->Items(where - 1).Key(), key) > 0) return false;
    return where >= this->Count() || CompareKey(key, this->Items(where).Key()) <= 0;
  }
  bool KeyOrderHolds() const override {
    for (int32_t i = 1; i < this->Count(); ++i) {
      if (CompareKey(this->Items(i - 1).Key(), this->Items(i).Key()) > 0) return false;
    }
    return true;
  }
};

// ---------------------------------------------------------------------------------------------
// Lists of one number

class TQVLongintList : public TKeyedListSorts<TLongIntHolder, int32_t, CompareLongints> {
 public:
  // Adds x: in order (before an equal value) when the list is sorted, else at the end.
  // Returns its index.
  int32_t AddOne(int32_t x);
  // Binary search of a sorted list: the index of an item equal to S, or -1; `nearest` is left
  // at the last index probed (-1 for an empty list).
  int32_t Find(int32_t S);
  // Find in a sorted list; otherwise the first index holding `item`, or -1.
  int32_t IndexOf(int32_t item);
  // Inserts x at index `where` (0..Count); -1, nothing inserted, for another index.
  int32_t InsertOne(int32_t where, int32_t x);
  // Find(S), then removes the item found; returns its index or -1.
  virtual int32_t FindAndFree(int32_t S);
  // The value at a, or -1 outside the list.
  int32_t GetAValue(int32_t a) const;
  // Sorts ascending and marks the list sorted.
  void SortAscendingDefault() { SortOnKey(); }
};

// A TQVLongintList with a current index (-1 when none).
class TQVActiveLongintList : public TQVLongintList {
 public:
  // Adds x as AddOne does and makes the last index current.
  void AddOneAndSetCountCurrent(int32_t x);
  void Clear() override;
  // As TQVLongintList::FindAndFree. When the removed item was the current one, the current
  // index moves one down, or to the last index when it was 0; when it was before the current
  // one, the current index follows its item.
  int32_t FindAndFree(int32_t S) override;
  // The current value, or -1 when the current index is outside the list.
  int32_t CurrentItemValue() const;
  int32_t GetCurrentItem() const { return fcurrentItem; }
  void SetCurrentItem(int32_t value) { fcurrentItem = value; }

 private:
  int32_t fcurrentItem = -1;
};

class TCardinalList : public TKeyedListSorts<TCardinalHolder, uint32_t, CompareCardinals> {
 public:
  // Appends x (a sorted list whose order this breaks is no longer marked sorted); its index.
  int32_t AddOne(uint32_t x);
  // Binary search of a sorted list (unsigned); `nearest` is not changed. Index or -1.
  int32_t Find(uint32_t S);
  int32_t IndexOf(uint32_t item);
  int32_t InsertOne(int32_t where, uint32_t x);
  int32_t FindAndFree(uint32_t S);
  // The value at an assigned index, 0 otherwise.
  uint32_t GetAValue(int32_t a) const;
  void SortAscendingDefault() { SortOnKey(); }
};

class TQVInt64List : public TKeyedListSorts<TInt64Holder, int64_t, CompareInt64s> {
 public:
  int32_t AddOne(int64_t x);
  int32_t FindInSorted(int64_t S);
  int32_t IndexOf(int64_t item);
  int32_t InsertOne(int32_t where, int64_t x);
  int32_t FindAndFree(int64_t S);
  // The value at an assigned index, -1 otherwise.
  int64_t GetAValue(int32_t a) const;
  void SortAscendingDefault() { SortOnKey(); }
};

// ---------------------------------------------------------------------------------------------
// Lists of records

class TIntegerAndSingleList
    : public TKeyedListSorts<TIntegerAndSingleHolder, float, CompareSingles> {
 public:
  int32_t AddOne(const TIntegerAndSingleRec &rec);
  // Binary search on `s` of a list sorted by `s`; index or -1 (`nearest` not changed).
  int32_t Find(float S);
  // The record, or zeros outside the list.
  TIntegerAndSingleRec GetOne(int32_t i) const;
  // Sorts by `s` ascending (NaN last).
  void SortAscendingDefault() { SortOnKey(); }
};

class TIntegerAnd3CardinalsList : public TUsefulBaseList<TIntegerAnd3CardinalsHolder> {
 public:
  int32_t AddOne(const TIntegerAnd3CardinalsRec &rec);
  // Copies the record at i into `rec` when i is assigned; false (rec unchanged) otherwise.
  bool GetAValue(int32_t i, TIntegerAnd3CardinalsRec &rec) const;
  void SetAFreq(int32_t i, int32_t value);
  // Sorts by `freq` ascending, compared as unsigned.
  void SortAscendingDefault();
};

class TCardinalAndFreqList
    : public TKeyedListSorts<TCardinalAndFreqHolder, uint32_t, CompareCardinals> {
 public:
  // Finds rec.c (binary search when sorted, else linear) and adds 1 to its frequency;
  // otherwise adds rec (in order when sorted, else at the end). Returns the item's index.
  int32_t AddOneOrIncFreq(const TCardinalAndFreq &rec);
  // Binary search on `c`; `nearest` starts at Count - 1 and ends at the last probe.
  int32_t Find(uint32_t S);
  int32_t IndexOf(uint32_t S);
  // The record, or zeros for an unassigned index.
  TCardinalAndFreq GetACardAndFreq(int32_t i) const;
  void SetACardAndFreq(int32_t i, const TCardinalAndFreq &rec);
  // By `c` ascending; the list is then sorted.
  void SortOnCardinals() { SortOnKey(); }
  // By `f`, descending when `descending`; the list is then no longer sorted on `c`.
  void SortOnFrequencies(bool descending);
};

class TDoublePointerList : public TUsefulBaseList<TDoublePointerHolder> {
 public:
  int32_t AddOne(const T2_Pointer &rec);
  // The pair at an assigned index, two null pointers otherwise.
  T2_Pointer GetADoublePointer(int32_t i) const;
  void SetADoublePointer(int32_t i, const T2_Pointer &rec);
};

class TStringColumnAndColourList : public TUsefulBaseList<TStringTrueColumnAndColourHolder> {
 public:
  int32_t AddOne(const TStringTrueColumnAndColourRec &rec);
  int32_t GetATrueColumn(int32_t i) const;        // -1 when unassigned
  int32_t GetABackgroundColour(int32_t i) const;  // -1 when unassigned
  std::u16string GetAString(int32_t i) const;     // empty when unassigned
  TStringTrueColumnAndColourRec GetAStringColumnAndColour(int32_t i) const;  // zeroed
  void SetATrueColumn(int32_t i, int32_t value);
  void SetABackgroundColour(int32_t i, int32_t value);
  void SetAString(int32_t i, std::u16string_view value);
  void SetAStringColumnAndColour(int32_t i, const TStringTrueColumnAndColourRec &rec);
  // The first index whose true_column_number is col, or -1.
  int32_t IndexOfTrueColumn(int32_t col) const;
};

class T2StringsAnd2IntegersList : public TUsefulBaseList<T2StringsAnd2IntegersHolder> {
 public:
  int32_t AddOne(const T2StringsAnd2IntegersRec &rec);
  // The record, or zeros and empty strings when unassigned.
  T2StringsAnd2IntegersRec GetTwoStringsAndInt(int32_t i) const;
};

class TWordFreqAndSourceNumList : public TUsefulBaseListSorts<TWordFreqAndSourceNumHolder> {
 public:
  // The cursor of GetNext.
  int32_t this_ = 0;
  int32_t AddOne(const TWordFreqAndSourceNum &rec);
  // The record at the cursor (a zeroed record past the end); the cursor then moves on.
  TWordFreqAndSourceNum GetNext();
  void Clear() override;
  TWordFreqAndSourceNum GetOne(int32_t i) const;
  // The largest frequency; 0 for an empty list.
  int32_t HighestFrequency() const;
  // By frequency, descending.
  void SortOnFreqs();
};

// ---------------------------------------------------------------------------------------------
// Lists of pairs, triples and quadruples of numbers; key k selects field long<k>.

// Field long<k> of a record, for 0 <= k < the record's number of fields.
inline int32_t T2_longint_rec::*LongField(const T2_longint_rec &, int32_t k) {
  static constexpr int32_t T2_longint_rec::*kFields[] = {&T2_longint_rec::long0,
                                                         &T2_longint_rec::long1};
  return kFields[k];
}
inline int32_t T3_longint_rec::*LongField(const T3_longint_rec &, int32_t k) {
  static constexpr int32_t T3_longint_rec::*kFields[] = {
      &T3_longint_rec::long0, &T3_longint_rec::long1, &T3_longint_rec::long2};
  return kFields[k];
}
inline int32_t T4_longint_rec::*LongField(const T4_longint_rec &, int32_t k) {
  static constexpr int32_t T4_longint_rec::*kFields[] = {
      &T4_longint_rec::long0, &T4_longint_rec::long1, &T4_longint_rec::long2,
      &T4_longint_rec::long3};
  return kFields[k];
}

template <typename Holder, int32_t kKeys>
class TLongintTupleList : public TUsefulBaseListSorts<Holder> {
 public:
  using Rec = decltype(Holder::data);

  int32_t AddOne(const Rec &rec) {
    Holder h;
    h.data = rec;
    this->fItems.push_back(h);
    return this->Count() - 1;
  }
  // The first index whose field `which` equals value, or -1 (also for a key outside the
  // record).
  int32_t LongIndexOf(int32_t value, int32_t which) const {
    if (!ValidKey(which)) return -1;
    for (int32_t i = 0; i < this->Count(); ++i) {
      if (Field(this->Items(i).data, which) == value) return i;
    }
    return -1;
  }
  // Sorts ascending by field k; a key outside the record does nothing.
  void SortDefault(int32_t which) {
    if (ValidKey(which)) SortOnKeys({which});
  }
  // Ascending by field a, then field b; as SortDefault(a) when a = b.
  void DoubleSort(int32_t a, int32_t b) {
    if (!ValidKey(a) || !ValidKey(b)) return;
    if (a == b)
      SortDefault(a);
    else
      SortOnKeys({a, b});
  }

 protected:
  static bool ValidKey(int32_t which) { return which >= 0 && which < kKeys; }
  static int32_t &Field(Rec &rec, int32_t which) { return rec.*LongField(rec, which); }
  static int32_t Field(const Rec &rec, int32_t which) { return rec.*LongField(rec, which); }
  // Adds `amount` to field `which` of an assigned index (wrapping like the stored 32 bits).
  void AddToField(int32_t index, int32_t amount, int32_t which) {
    if (!this->IndexAssignedOK(index) || !ValidKey(which)) return;
    int32_t &field = Field(this->Items(index).data, which);
    field = static_cast<int32_t>(static_cast<uint32_t>(field) + static_cast<uint32_t>(amount));
  }
  Rec GetRec(int32_t index) const {
    if (this->IndexAssignedOK(index)) return this->Items(index).data;
    Rec rec;
    for (int32_t k = 0; k < kKeys; ++k) Field(rec, k) = -1;
    return rec;
  }
  void SetRec(int32_t index, const Rec &rec) {
    if (this->IndexAssignedOK(index)) this->Items(index).data = rec;
  }
  // Ascending by a, then b, then c (when different keys are given), as one three-key order.
  void TripleSortKeys(int32_t a, int32_t b, int32_t c) {
    if (!ValidKey(a) || !ValidKey(b) || !ValidKey(c)) return;
    if (a == b)
      DoubleSort(a, c);
    else if (c == a || c == b)
      DoubleSort(a, b);
    else
      SortOnKeys({a, b, c});
  }
  void SortOnKeys(std::initializer_list<int32_t> keys) {
    const std::vector<int32_t> order(keys);
    this->Sort([&order](const Holder &x, const Holder &y) {
      for (int32_t k : order) {
        const int32_t c = CompareLongints(Field(x.data, k), Field(y.data, k));
        if (c != 0) return c;
      }
      return 0;
    });
  }
};

class T2LongintList : public TLongintTupleList<T2LongIntHolder, 2> {
 public:
  T2_longint_rec GetADouble(int32_t index) const { return GetRec(index); }
  void SetADouble(int32_t index, const T2_longint_rec &rec) { SetRec(index, rec); }
  // Adds freq to long0 (which false) or long1 (which true) of an assigned index.
  void AddToOneFreq(int32_t index, int32_t freq, bool which) { AddToField(index, freq, which); }
  void IncOne(int32_t index, bool which) { AddToField(index, 1, which); }
  // The sum of field `which` over the list, 0 for a key above 1.
  int64_t TotalOf(int32_t which) const;
};

class T3LongintList : public TLongintTupleList<T3LongIntHolder, 3> {
 public:
  T3_longint_rec GetATriple(int32_t index) const { return GetRec(index); }
  void SetATriple(int32_t index, const T3_longint_rec &rec) { SetRec(index, rec); }
  // Adds freq to field `which` (0..2) of an assigned index; other keys do nothing.
  void AddToOneFreq(int32_t index, int32_t freq, int32_t which) { AddToField(index, freq, which); }
  void IncOne(int32_t index, int32_t which) { AddToField(index, 1, which); }
  // Ascending by a, b, c. When c repeats a or b: DoubleSort(a, b); when a = b: DoubleSort(a, c).
  void TripleSort(int32_t a, int32_t b, int32_t c) { TripleSortKeys(a, b, c); }
};

class T4LongintList : public TLongintTupleList<T4LongIntHolder, 4> {
 public:
  T4_longint_rec GetAQuad(int32_t index) const { return GetRec(index); }
  void SetAQuad(int32_t index, const T4_longint_rec &rec) { SetRec(index, rec); }
  void AddToOneFreq(int32_t index, int32_t freq, int32_t which) { AddToField(index, freq, which); }
  void IncOne(int32_t index, int32_t which) { AddToField(index, 1, which); }
  // As T3LongintList::TripleSort.
  void TripleSort(int32_t a, int32_t b, int32_t c) { TripleSortKeys(a, b, c); }
};

// A list of 16-bit numbers saved without a count.
class TSmallintList {
 public:
  int32_t Count() const { return static_cast<int32_t>(fItems.size()); }
  int32_t Add(int16_t value);
  // The value at an assigned index, 0 otherwise.
  int16_t Get(int32_t index) const;
  void Clear();
  // Appends n values of 2 bytes (yielding per value). False when the stream ends first; the
  // values read before stay. n <= 0 reads nothing.
  bool ReadFromStream(int32_t n, TStream &Stream);
  // Writes every value as 2 bytes, with no count; false when a write fails.
  bool SaveToStream(TStream &Stream) const;

 private:
  std::vector<TSmallIntHolder> fItems;
};
