#include "runtime1/lists/Useful_Classes.h"

#include <cmath>
#include <cstring>
#include <utility>

using platform::ReadValueExact;
using platform::WriteValueExact;

int32_t global_string_safety_limit = 5000;

// ---------------------------------------------------------------------------------------------
// Strings

void ReadAString(TStream &Stream, std::u16string &s) {
  ReadAString(Stream, global_string_safety_limit, s);
}

void ReadAString(TStream &Stream, int32_t limit, std::u16string &s) {
  s.clear();
  const int32_t n = ReadValueExact<int32_t>(Stream);
  if (n == 0) return;
  if (n < 0 || n > limit || n > Stream.Remaining() / 2) throw FileReadError("ReadAString");
  std::u16string text(static_cast<size_t>(n), u'\0');
  Stream.ReadExact(text.data(), static_cast<size_t>(n) * 2);
  s = std::move(text);
}

bool WriteAString(TStream &Stream, std::u16string_view s) {
  return WriteAString(Stream, global_string_safety_limit, s);
}

bool WriteAString(TStream &Stream, int32_t limit, std::u16string_view s) {
  if (s.size() > static_cast<size_t>(std::max(limit, 0))) return false;
  WriteValueExact<int32_t>(Stream, static_cast<int32_t>(s.size()));
  if (!s.empty()) Stream.WriteExact(s.data(), s.size() * 2);
  return true;
}

// ---------------------------------------------------------------------------------------------
// Comparisons

namespace {

template <typename T>
int32_t ThreeWay(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// Ascending with NaN after every number and equal to NaN.
template <typename F>
int32_t CompareFloats(F a, F b) {
  const bool a_nan = std::isnan(a);
  const bool b_nan = std::isnan(b);
  if (a_nan || b_nan) return ThreeWay<int>(a_nan, b_nan);
  return ThreeWay(a, b);
}

}  // namespace

int32_t CompareLongints(int32_t a, int32_t b) {
  return ThreeWay(a, b);
}
int32_t CompareCardinals(uint32_t a, uint32_t b) {
  return ThreeWay(a, b);
}
int32_t CompareInt64s(int64_t a, int64_t b) {
  return ThreeWay(a, b);
}
int32_t Compare16BitWords(uint16_t a, uint16_t b) {
  return ThreeWay(a, b);
}
int32_t CompareChars(char16_t a, char16_t b) {
  return ThreeWay(a, b);
}
int32_t CompareBytes(uint8_t a, uint8_t b) {
  return ThreeWay(a, b);
}
int32_t CompareSingles(float a, float b) {
  return CompareFloats(a, b);
}

int32_t CompareDates(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return CompareFloats(a, b);
  return ThreeWay(b, a);
}
int32_t CompareJulianDates(double a, double b) {
  return CompareDates(a, b);
}

int32_t Compare2Strings(std::u16string_view a, std::u16string_view b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int32_t Compare2CardinalsCard1(const Tdouble_cardinal_rec &a, const Tdouble_cardinal_rec &b) {
  return ThreeWay(a.card1, b.card1);
}
int32_t Compare2CardinalsCard2(const Tdouble_cardinal_rec &a, const Tdouble_cardinal_rec &b) {
  return ThreeWay(a.card2, b.card2);
}
int32_t CompareIntAnd3CardinalsCard1(const TIntegerAnd3CardinalsRec &a,
                                     const TIntegerAnd3CardinalsRec &b) {
  return ThreeWay(a.value.card1, b.value.card1);
}
int32_t CompareIntAnd3CardinalsCard2(const TIntegerAnd3CardinalsRec &a,
                                     const TIntegerAnd3CardinalsRec &b) {
  return ThreeWay(a.value.card2, b.value.card2);
}
int32_t CompareIntAnd3CardinalsCard3(const TIntegerAnd3CardinalsRec &a,
                                     const TIntegerAnd3CardinalsRec &b) {
  return ThreeWay(a.value.card3, b.value.card3);
}
int32_t CompareIntAnd3CardinalsFreq(const TIntegerAnd3CardinalsRec &a,
                                    const TIntegerAnd3CardinalsRec &b) {
  return ThreeWay(static_cast<uint32_t>(a.freq), static_cast<uint32_t>(b.freq));
}
int32_t CompareIntAnd2CardinalsCard1(const TIntegerAnd2CardinalsRec &a,
                                     const TIntegerAnd2CardinalsRec &b) {
  return ThreeWay(a.value.card1, b.value.card1);
}
int32_t CompareIntAnd2CardinalsCard2(const TIntegerAnd2CardinalsRec &a,
                                     const TIntegerAnd2CardinalsRec &b) {
  return ThreeWay(a.value.card2, b.value.card2);
}
int32_t CompareIntAnd2CardinalsFreq(const TIntegerAnd2CardinalsRec &a,
                                    const TIntegerAnd2CardinalsRec &b) {
  return ThreeWay(a.freq, b.freq);
}

int32_t SortLongints(const TLongIntHolder &a, const TLongIntHolder &b) {
  return CompareLongints(a.data, b.data);
}
int32_t SortCardinals(const TCardinalHolder &a, const TCardinalHolder &b) {
  return CompareCardinals(a.data, b.data);
}
int32_t SortSingles(const TSingleHolder &a, const TSingleHolder &b) {
  return CompareSingles(a.data, b.data);
}
int32_t SortInt64s(const TInt64Holder &a, const TInt64Holder &b) {
  return CompareInt64s(a.data, b.data);
}
int32_t SortIntegerAnd3CardinalsFreq(const TIntegerAnd3CardinalsHolder &a,
                                     const TIntegerAnd3CardinalsHolder &b) {
  return CompareIntAnd3CardinalsFreq(a.data, b.data);
}

void ExchangeTwoDoubleCardinalRecs(Tdouble_cardinal_rec &a, Tdouble_cardinal_rec &b) {
  std::swap(a, b);
}
void ExchangeTwoDoubleLongintRecs(T2_longint_rec &a, T2_longint_rec &b) {
  std::swap(a, b);
}
void ExchangeTwoSmallAndLongRecs(TSmall_and_long_rec &a, TSmall_and_long_rec &b) {
  std::swap(a, b);
}
void ExchangeTwoIndexAndPointerRecs(TIndexAndPointerRec &a, TIndexAndPointerRec &b) {
  std::swap(a, b);
}
void ExchangeTwoPointerAnd2CardinalsRecs(TPointerAnd2CardinalsRec &a, TPointerAnd2CardinalsRec &b) {
  std::swap(a, b);
}

std::vector<int64_t> ComputedByteDivisions(int64_t total, int32_t n) {
  std::vector<int64_t> result;
  if (n <= 0 || total < 0) return result;
  result.reserve(static_cast<size_t>(n));
  for (int64_t i = 1; i <= n; ++i) {
    const __int128 numerator = static_cast<__int128>(total) * i;
    int64_t q = static_cast<int64_t>(numerator / n);
    const int64_t r = static_cast<int64_t>(numerator % n);
    if (2 * r > n || (2 * r == n && (q & 1) != 0)) ++q;  // half to even
    result.push_back(q);
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// Holders. Fixed parts go through one read or write of their packed little-endian bytes.

namespace {

template <typename... T>
bool ReadPacked(TStream &stream, T &...fields) {
  constexpr size_t kSize = (sizeof(T) + ...);
  uint8_t bytes[kSize];
  if (stream.Read(bytes, kSize) != kSize) return false;
  size_t at = 0;
  ((std::memcpy(&fields, bytes + at, sizeof(T)), at += sizeof(T)), ...);
  return true;
}

template <typename... T>
bool WritePacked(TStream &stream, const T &...fields) {
  constexpr size_t kSize = (sizeof(T) + ...);
  uint8_t bytes[kSize];
  size_t at = 0;
  ((std::memcpy(bytes + at, &fields, sizeof(T)), at += sizeof(T)), ...);
  return stream.Write(bytes, kSize) == kSize;
}

// Runs a read or write of strings, turning any error into false.
template <typename Step>
bool NoThrow(Step &&step) {
  try {
    return step();
  } catch (const std::exception &) {
    return false;
  }
}

}  // namespace

bool TLongIntHolder::ReadFromStream(TStream &Stream) {
  return ReadPacked(Stream, data);
}
bool TLongIntHolder::SaveToStream(TStream &Stream) const {
  return WritePacked(Stream, data);
}
bool TCardinalHolder::ReadFromStream(TStream &Stream) {
  return ReadPacked(Stream, data);
}
bool TCardinalHolder::SaveToStream(TStream &Stream) const {
  return WritePacked(Stream, data);
}
bool TSingleHolder::ReadFromStream(TStream &Stream) {
  return ReadPacked(Stream, data);
}
bool TSingleHolder::SaveToStream(TStream &Stream) const {
  return WritePacked(Stream, data);
}
bool TInt64Holder::ReadFromStream(TStream &Stream) {
  return ReadPacked(Stream, data);
}
bool TInt64Holder::SaveToStream(TStream &Stream) const {
  return WritePacked(Stream, data);
}

bool TIntegerAndSingleHolder::ReadFromStream(TStream &Stream) {
  return ReadPacked(Stream, data.int_, data.s);
}
bool TIntegerAndSingleHolder::SaveToStream(TStream &Stream) const {
  return WritePacked(Stream, data.int_, data.s);
}

bool TIntegerAnd3CardinalsHolder::ReadFromStream(TStream &Stream) {
  return ReadPacked(Stream, data.freq, data.value.card1, data.value.card2, data.value.card3);
}
bool TIntegerAnd3CardinalsHolder::SaveToStream(TStream &Stream) const {
  return WritePacked(Stream, data.freq, data.value.card1, data.value.card2, data.value.card3);
}

bool TCardinalAndFreqHolder::ReadFromStream(TStream &Stream) {
  return ReadPacked(Stream, data.c, data.f);
}
bool TCardinalAndFreqHolder::SaveToStream(TStream &Stream) const {
  return WritePacked(Stream, data.c, data.f);
}

bool TStringTrueColumnAndColourHolder::ReadFromStream(TStream &Stream) {
  return NoThrow([&] {
    if (!ReadPacked(Stream, data.true_column_number, data.background_colour)) return false;
    ReadAString(Stream, data.s);
    return true;
  });
}
bool TStringTrueColumnAndColourHolder::SaveToStream(TStream &Stream) const {
  return NoThrow([&] {
    return WritePacked(Stream, data.true_column_number, data.background_colour) &&
           WriteAString(Stream, data.s);
  });
}

bool T2StringsAnd2IntegersHolder::ReadFromStream(TStream &Stream) {
  return NoThrow([&] {
    if (!ReadPacked(Stream, data.int1, data.int2)) return false;
    ReadAString(Stream, data.s1);
    ReadAString(Stream, data.s2);
    return true;
  });
}
bool T2StringsAnd2IntegersHolder::SaveToStream(TStream &Stream) const {
  return NoThrow([&] {
    return WritePacked(Stream, data.int1, data.int2) && WriteAString(Stream, data.s1) &&
           WriteAString(Stream, data.s2);
  });
}

// ---------------------------------------------------------------------------------------------
// Lists of one number

namespace {

template <typename Holder, typename V>
Holder HolderOf(V value) {
  Holder h;
  h.data = value;
  return h;
}

}  // namespace

int32_t TQVLongintList::AddOne(int32_t x) {
  return OrderedInsert(HolderOf<TLongIntHolder>(x));
}
int32_t TQVLongintList::Find(int32_t S) {
  return SearchKey(S, true, -1);
}
int32_t TQVLongintList::IndexOf(int32_t item) {
  return sorted ? Find(item) : LinearIndexOf(item);
}
int32_t TQVLongintList::InsertOne(int32_t where, int32_t x) {
  return InsertItem(where, HolderOf<TLongIntHolder>(x));
}
int32_t TQVLongintList::FindAndFree(int32_t S) {
  const int32_t found = Find(S);
  if (found >= 0) FreeAndNilOne(found);
  return found;
}
int32_t TQVLongintList::GetAValue(int32_t a) const {
  return IndexAssignedOK(a) ? Items(a).data : -1;
}

void TQVActiveLongintList::AddOneAndSetCountCurrent(int32_t x) {
  AddOne(x);
  fcurrentItem = Count() - 1;
}
void TQVActiveLongintList::Clear() {
  TQVLongintList::Clear();
  fcurrentItem = -1;
}
int32_t TQVActiveLongintList::FindAndFree(int32_t S) {
  const int32_t found = TQVLongintList::FindAndFree(S);
  if (found < 0) return found;
  if (found == fcurrentItem)
    fcurrentItem = fcurrentItem > 0 ? fcurrentItem - 1 : Count() - 1;
  else if (found < fcurrentItem)
    --fcurrentItem;
  return found;
}
int32_t TQVActiveLongintList::CurrentItemValue() const {
  return GetAValue(fcurrentItem);
}

int32_t TCardinalList::AddOne(uint32_t x) {
  return AppendItem(HolderOf<TCardinalHolder>(x));
}
int32_t TCardinalList::Find(uint32_t S) {
  return SearchKey(S, false, -1);
}
int32_t TCardinalList::IndexOf(uint32_t item) {
  return sorted ? Find(item) : LinearIndexOf(item);
}
int32_t TCardinalList::InsertOne(int32_t where, uint32_t x) {
  return InsertItem(where, HolderOf<TCardinalHolder>(x));
}
int32_t TCardinalList::FindAndFree(uint32_t S) {
  const int32_t found = Find(S);
  if (found >= 0) FreeAndNilOne(found);
  return found;
}
uint32_t TCardinalList::GetAValue(int32_t a) const {
  return IndexAssignedOK(a) ? Items(a).data : 0;
}

int32_t TQVInt64List::AddOne(int64_t x) {
  return OrderedInsert(HolderOf<TInt64Holder>(x));
}
int32_t TQVInt64List::FindInSorted(int64_t S) {
  return SearchKey(S, true, -1);
}
int32_t TQVInt64List::IndexOf(int64_t item) {
  return sorted ? FindInSorted(item) : LinearIndexOf(item);
}
int32_t TQVInt64List::InsertOne(int32_t where, int64_t x) {
  return InsertItem(where, HolderOf<TInt64Holder>(x));
}
int32_t TQVInt64List::FindAndFree(int64_t S) {
  const int32_t found = FindInSorted(S);
  if (found >= 0) FreeAndNilOne(found);
  return found;
}
int64_t TQVInt64List::GetAValue(int32_t a) const {
  return IndexAssignedOK(a) ? Items(a).data : -1;
}

// ---------------------------------------------------------------------------------------------
// Lists of records

int32_t TIntegerAndSingleList::AddOne(const TIntegerAndSingleRec &rec) {
  return AppendItem(HolderOf<TIntegerAndSingleHolder>(rec));
}
int32_t TIntegerAndSingleList::Find(float S) {
  return SearchKey(S, false, -1);
}
TIntegerAndSingleRec TIntegerAndSingleList::GetOne(int32_t i) const {
  return IndexAssignedOK(i) ? Items(i).data : TIntegerAndSingleRec{};
}

int32_t TIntegerAnd3CardinalsList::AddOne(const TIntegerAnd3CardinalsRec &rec) {
  fItems.push_back(HolderOf<TIntegerAnd3CardinalsHolder>(rec));
  return Count() - 1;
}
bool TIntegerAnd3CardinalsList::GetAValue(int32_t i, TIntegerAnd3CardinalsRec &rec) const {
  if (!IndexAssignedOK(i)) return false;
  rec = Items(i).data;
  return true;
}
void TIntegerAnd3CardinalsList::SetAFreq(int32_t i, int32_t value) {
  if (IndexAssignedOK(i)) Items(i).data.freq = value;
}
void TIntegerAnd3CardinalsList::SortAscendingDefault() {
  SortItems(SortIntegerAnd3CardinalsFreq);
}

int32_t TCardinalAndFreqList::AddOneOrIncFreq(const TCardinalAndFreq &rec) {
  const int32_t found = sorted ? Find(rec.c) : LinearIndexOf(rec.c);
  if (found >= 0) {
    int32_t &f = Items(found).data.f;
    f = static_cast<int32_t>(static_cast<uint32_t>(f) + 1u);
    return found;
  }
  return OrderedInsert(HolderOf<TCardinalAndFreqHolder>(rec), Count() - 1);
}
int32_t TCardinalAndFreqList::Find(uint32_t S) {
  return SearchKey(S, true, Count() - 1);
}
int32_t TCardinalAndFreqList::IndexOf(uint32_t S) {
  return sorted ? Find(S) : LinearIndexOf(S);
}
TCardinalAndFreq TCardinalAndFreqList::GetACardAndFreq(int32_t i) const {
  return IndexAssignedOK(i) ? Items(i).data : TCardinalAndFreq{};
}
void TCardinalAndFreqList::SetACardAndFreq(int32_t i, const TCardinalAndFreq &rec) {
  if (!IndexAssignedOK(i)) return;
  const uint32_t old_key = Items(i).data.c;
  Items(i).data = rec;
  if (sorted && rec.c != old_key) {
    const bool after_previous = i == 0 || Items(i - 1).data.c <= rec.c;
    const bool before_next = i + 1 >= Count() || rec.c <= Items(i + 1).data.c;
    sorted = after_previous && before_next;
  }
}
void TCardinalAndFreqList::SortOnFrequencies(bool descending) {
  SortItems([descending](const TCardinalAndFreqHolder &a, const TCardinalAndFreqHolder &b) {
    const int32_t c = CompareLongints(a.data.f, b.data.f);
    return descending ? -c : c;
  });
  sorted = KeyOrderHolds();
}

int32_t TDoublePointerList::AddOne(const T2_Pointer &rec) {
  fItems.push_back(HolderOf<TDoublePointerHolder>(rec));
  return Count() - 1;
}
T2_Pointer TDoublePointerList::GetADoublePointer(int32_t i) const {
  return IndexAssignedOK(i) ? Items(i).data : T2_Pointer{};
}
void TDoublePointerList::SetADoublePointer(int32_t i, const T2_Pointer &rec) {
  if (IndexAssignedOK(i)) Items(i).data = rec;
}

int32_t TStringColumnAndColourList::AddOne(const TStringTrueColumnAndColourRec &rec) {
  fItems.push_back(HolderOf<TStringTrueColumnAndColourHolder>(rec));
  return Count() - 1;
}
int32_t TStringColumnAndColourList::GetATrueColumn(int32_t i) const {
  return IndexAssignedOK(i) ? Items(i).data.true_column_number : -1;
}
int32_t TStringColumnAndColourList::GetABackgroundColour(int32_t i) const {
  return IndexAssignedOK(i) ? Items(i).data.background_colour : -1;
}
std::u16string TStringColumnAndColourList::GetAString(int32_t i) const {
  return IndexAssignedOK(i) ? Items(i).data.s : std::u16string();
}
TStringTrueColumnAndColourRec TStringColumnAndColourList::GetAStringColumnAndColour(
    int32_t i) const {
  return IndexAssignedOK(i) ? Items(i).data : TStringTrueColumnAndColourRec{};
}
void TStringColumnAndColourList::SetATrueColumn(int32_t i, int32_t value) {
  if (IndexAssignedOK(i)) Items(i).data.true_column_number = value;
}
void TStringColumnAndColourList::SetABackgroundColour(int32_t i, int32_t value) {
  if (IndexAssignedOK(i)) Items(i).data.background_colour = value;
}
void TStringColumnAndColourList::SetAString(int32_t i, std::u16string_view value) {
  if (IndexAssignedOK(i)) Items(i).data.s = value;
}
void TStringColumnAndColourList::SetAStringColumnAndColour(
    int32_t i, const TStringTrueColumnAndColourRec &rec) {
  if (IndexAssignedOK(i)) Items(i).data = rec;
}
int32_t TStringColumnAndColourList::IndexOfTrueColumn(int32_t col) const {
  for (int32_t i = 0; i < Count(); ++i) {
    if (Items(i).data.true_column_number == col) return i;
  }
  return -1;
}

int32_t T2StringsAnd2IntegersList::AddOne(const T2StringsAnd2IntegersRec &rec) {
  fItems.push_back(HolderOf<T2StringsAnd2IntegersHolder>(rec));
  return Count() - 1;
}
T2StringsAnd2IntegersRec T2StringsAnd2IntegersList::GetTwoStringsAndInt(int32_t i) const {
  return IndexAssignedOK(i) ? Items(i).data : T2StringsAnd2IntegersRec{};
}

int32_t TWordFreqAndSourceNumList::AddOne(const TWordFreqAndSourceNum &rec) {
  fItems.push_back(HolderOf<TWordFreqAndSourceNumHolder>(rec));
  return Count() - 1;
}
TWordFreqAndSourceNum TWordFreqAndSourceNumList::GetNext() {
  TWordFreqAndSourceNum rec = GetOne(this_);
  if (this_ < INT32_MAX) ++this_;
  return rec;
}
void TWordFreqAndSourceNumList::Clear() {
  TUsefulBaseListSorts::Clear();
  this_ = 0;
}
TWordFreqAndSourceNum TWordFreqAndSourceNumList::GetOne(int32_t i) const {
  return IndexAssignedOK(i) ? Items(i).data : TWordFreqAndSourceNum{};
}
int32_t TWordFreqAndSourceNumList::HighestFrequency() const {
  int32_t highest = 0;
  for (const auto &item : fItems) highest = std::max(highest, item.data.f);
  return highest;
}
void TWordFreqAndSourceNumList::SortOnFreqs() {
  Sort([](const TWordFreqAndSourceNumHolder &a, const TWordFreqAndSourceNumHolder &b) {
    return CompareLongints(b.data.f, a.data.f);
  });
}

int64_t T2LongintList::TotalOf(int32_t which) const {
  if (!ValidKey(which)) return 0;
  int64_t total = 0;
  for (const auto &item : fItems) total += Field(item.data, which);
  return total;
}

// ---------------------------------------------------------------------------------------------

int32_t TSmallintList::Add(int16_t value) {
  fItems.push_back(TSmallIntHolder{value});
  return Count() - 1;
}
int16_t TSmallintList::Get(int32_t index) const {
  return index >= 0 && index < Count() ? fItems[static_cast<size_t>(index)].int_ : 0;
}
void TSmallintList::Clear() {
  for (size_t k = 0; k < fItems.size(); ++k) MyYieldProcess();
  fItems.clear();
}
bool TSmallintList::ReadFromStream(int32_t n, TStream &Stream) {
  if (n <= 0) return true;
  fItems.reserve(fItems.size() + static_cast<size_t>(std::min<int64_t>(n, Stream.Remaining() / 2)));
  for (int32_t k = 0; k < n; ++k) {
    MyYieldProcess();
    int16_t value = 0;
    if (!platform::ReadValue(Stream, value)) return false;
    fItems.push_back(TSmallIntHolder{value});
  }
  return true;
}
bool TSmallintList::SaveToStream(TStream &Stream) const {
  for (const auto &item : fItems) {
    if (!platform::WriteValue(Stream, item.int_)) return false;
  }
  return true;
}
