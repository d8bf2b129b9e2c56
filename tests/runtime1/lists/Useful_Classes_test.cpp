#include "runtime1/lists/Useful_Classes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "list_test_support.h"

using list_tests::Hex;
using list_tests::ToHex;
using platform::MemoryStream;

namespace {

template <typename List>
auto Values(const List &list) {
  std::vector<decltype(list.AllItems()[0].data)> values;
  for (const auto &item : list.AllItems()) values.push_back(item.data);
  return values;
}

TQVLongintList SortedList(std::initializer_list<int32_t> values) {
  TQVLongintList list;
  for (int32_t v : values) list.AddOne(v);
  list.SortAscendingDefault();
  return list;
}

TEST(OrderedInsertion, KeepsOrderAndPutsEqualValuesFirst) {
  struct Case {
    std::vector<int32_t> adds;
    std::vector<int32_t> result;
    int32_t last_index;
  } cases[] = {
      {{4}, {1, 3, 4, 5}, 2},
      {{3}, {1, 3, 3, 5}, 1},
      {{0, 9}, {0, 1, 3, 5, 9}, 4},
      {{5, 5}, {1, 3, 5, 5, 5}, 2},
  };
  for (const Case &c : cases) {
    TQVLongintList list = SortedList({5, 1, 3});
    int32_t index = -1;
    for (int32_t v : c.adds) index = list.AddOne(v);
    EXPECT_EQ(Values(list), c.result);
    EXPECT_EQ(index, c.last_index);
    EXPECT_TRUE(list.sorted);
  }
  TQVLongintList empty;
  empty.sorted = true;
  EXPECT_EQ(empty.AddOne(7), 0);
  EXPECT_EQ(Values(empty), std::vector<int32_t>{7});
}

TEST(OrderedInsertion, FindLeavesNearestAtTheLastProbe) {
  TQVLongintList list = SortedList({10, 20, 30, 40, 50});
  struct Case {
    int32_t value, index, nearest;
  } cases[] = {{30, 2, 2}, {10, 0, 0}, {35, -1, 3}, {5, -1, 0}, {99, -1, 4}};
  for (const Case &c : cases) {
    EXPECT_EQ(list.Find(c.value), c.index) << c.value;
    EXPECT_EQ(list.nearest, c.nearest) << c.value;
  }
  TQVInt64List big;
  for (int64_t v : {int64_t{1} << 40, int64_t{-3}, int64_t{7}}) big.AddOne(v);
  big.SortAscendingDefault();
  EXPECT_EQ(big.FindInSorted(int64_t{1} << 40), 2);
  EXPECT_EQ(big.FindInSorted(int64_t{1} << 33), -1);
  EXPECT_EQ(big.AddOne(int64_t{1} << 33), 2);
}

TEST(TypedLists, OperationsThatBreakTheOrderClearTheSortedFlag) {
  TCardinalList cards;
  for (uint32_t v : {1u, 3u, 5u}) cards.AddOne(v);
  cards.SortAscendingDefault();
  cards.AddOne(2);  // appended after 5
  EXPECT_FALSE(cards.sorted);
  EXPECT_EQ(cards.IndexOf(2), 3);
  cards.SortAscendingDefault();
  cards.AddOne(0xFFFFFFFFu);  // unsigned: still in order
  EXPECT_TRUE(cards.sorted);

  TQVLongintList list = SortedList({1, 3, 5});
  list.InsertOne(1, 2);  // fits between 1 and 3
  EXPECT_TRUE(list.sorted);
  list.InsertOne(0, 9);
  EXPECT_FALSE(list.sorted);
  EXPECT_EQ(list.IndexOf(9), 0);
  EXPECT_EQ(list.InsertOne(99, 1), -1);

  TCardinalAndFreqList freqs;
  freqs.SortOnCardinals();
  for (uint32_t c : {10u, 20u, 30u}) freqs.AddOneOrIncFreq({c, 1});
  freqs.SetACardAndFreq(1, {25, 4});  // still between 10 and 30
  EXPECT_TRUE(freqs.sorted);
  freqs.SetACardAndFreq(1, {35, 4});
  EXPECT_FALSE(freqs.sorted);
  EXPECT_EQ(freqs.IndexOf(35), 1);
  freqs.AddOneOrIncFreq({35, 1});
  EXPECT_EQ(freqs.GetACardAndFreq(1).f, 5);

  TQVLongintList unsorted;
  for (int32_t v : {4, 2, 4}) unsorted.AddOne(v);
  EXPECT_EQ(unsorted.IndexOf(4), 0);  // the first one
  EXPECT_EQ(unsorted.IndexOf(3), -1);
}

TEST(TypedLists, FrequencyCountingAfterAFrequencySort) {
  TCardinalAndFreqList list;
  list.AddOneOrIncFreq({7, 10});
  list.AddOneOrIncFreq({7, 10});
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.GetACardAndFreq(0).f, 11);

  TCardinalAndFreqList freqs;
  for (TCardinalAndFreq r : {TCardinalAndFreq{1, 5}, {2, 1}, {3, 3}}) freqs.AddOneOrIncFreq(r);
  freqs.SortOnCardinals();
  freqs.SortOnFrequencies(true);
  EXPECT_FALSE(freqs.sorted);
  freqs.AddOneOrIncFreq({2, 0});
  ASSERT_EQ(freqs.Count(), 3);  // counted, not added a second time
  EXPECT_EQ(freqs.GetACardAndFreq(2).c, 2u);
  EXPECT_EQ(freqs.GetACardAndFreq(2).f, 2);
  freqs.SortOnFrequencies(false);
  EXPECT_EQ(freqs.GetACardAndFreq(0).f, 2);
}

TEST(TypedLists, FindAndFreeRemovesTheItem) {
  TQVActiveLongintList list;
  for (int32_t v : {10, 20, 30, 40}) list.AddOne(v);
  list.SortAscendingDefault();
  list.SetCurrentItem(2);  // 30
  EXPECT_EQ(list.FindAndFree(10), 0);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.CurrentItemValue(), 30);  // the current index follows its item
  EXPECT_EQ(list.FindAndFree(30), 1);
  EXPECT_EQ(list.CurrentItemValue(), 20);  // one down
  list.SetCurrentItem(0);
  EXPECT_EQ(list.FindAndFree(20), 0);
  EXPECT_EQ(list.CurrentItemValue(), 40);  // to the last index
  EXPECT_EQ(list.FindAndFree(77), -1);
  list.AddOneAndSetCountCurrent(50);
  EXPECT_EQ(list.GetCurrentItem(), 1);
  list.Clear();
  EXPECT_EQ(list.CurrentItemValue(), -1);
  EXPECT_EQ(list.GetCurrentItem(), -1);
}

TEST(TypedLists, GettersAnswerNeutralValuesOutsideTheList) {
  TQVLongintList longs;
  longs.AddOne(4);
  TCardinalList cards;
  TQVInt64List int64s;
  TStringColumnAndColourList columns;
  T3LongintList triples;
  TWordFreqAndSourceNumList words;
  for (int32_t i : {-1, 1, 1000}) {
    EXPECT_EQ(longs.GetAValue(i), -1);
    EXPECT_EQ(cards.GetAValue(i), 0u);
    EXPECT_EQ(int64s.GetAValue(i), -1);
    EXPECT_EQ(columns.GetATrueColumn(i), -1);
    EXPECT_EQ(columns.GetAString(i), u"");
    EXPECT_EQ(triples.GetATriple(i).long2, -1);
    EXPECT_EQ(words.GetOne(i).f, 0);
  }
  EXPECT_EQ(longs.GetAValue(0), 4);
}

TEST(TypedLists, HolderRecordsSaveTheseBytes) {
  struct Case {
    const char *name;
    std::function<bool(TStream &)> save;
    std::string bytes;
  } cases[] = {
      {"integer and single",
       [](TStream &s) {
         TIntegerAndSingleList l;
         l.AddOne({5, 1.5f});
         return l.SaveToStream(s);
       },
       "01 00 00 00 00 05 00 00 00 00 00 C0 3F"},
      {"integer and 3 cardinals",
       [](TStream &s) {
         TIntegerAnd3CardinalsList l;
         l.AddOne({-1, {1, 2, 3}});
         return l.SaveToStream(s);
       },
       "01 00 00 00 FF FF FF FF 01 00 00 00 02 00 00 00 03 00 00 00"},
      {"cardinal and frequency",
       [](TStream &s) {
         TCardinalAndFreqList l;
         l.SortOnCardinals();
         l.AddOneOrIncFreq({7, 10});
         l.AddOneOrIncFreq({7, 10});
         return l.SaveToStream(s);
       },
       "01 00 00 00 01 07 00 00 00 0B 00 00 00"},
      {"int64",
       [](TStream &s) {
         TQVInt64List l;
         l.AddOne(-2);
         return l.SaveToStream(s);
       },
       "01 00 00 00 00 FE FF FF FF FF FF FF FF"},
      {"string, column and colour",
       [](TStream &s) {
         TStringColumnAndColourList l;
         l.AddOne({3, 0x00FF00, u"x"});
         return l.SaveToStream(s);
       },
       "01 00 00 00 03 00 00 00 00 FF 00 00 01 00 00 00 78 00"},
      {"two strings and two integers",
       [](TStream &s) {
         T2StringsAnd2IntegersList l;
         l.AddOne({1, 2, u"a", u""});
         return l.SaveToStream(s);
       },
       "01 00 00 00 01 00 00 00 02 00 00 00 01 00 00 00 61 00 00 00 00 00"},
      {"small integers, no count",
       [](TStream &s) {
         TSmallintList l;
         l.Add(1);
         l.Add(-2);
         return l.SaveToStream(s);
       },
       "01 00 FE FF"},
  };
  for (const Case &c : cases) {
    MemoryStream stream;
    EXPECT_TRUE(c.save(stream)) << c.name;
    EXPECT_EQ(ToHex(stream.Bytes()), c.bytes) << c.name;
  }
}

TEST(TypedLists, SavedRecordListsReadBack) {
  T2StringsAnd2IntegersList list;
  list.AddOne({1, -2, u"first", u"\u00e9"});
  list.AddOne({3, 4, u"", u"last"});
  MemoryStream stream;
  ASSERT_TRUE(list.SaveToStream(stream));
  stream.Seek(0);
  T2StringsAnd2IntegersList back;
  ASSERT_TRUE(back.ReadFromStream(stream));
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.GetTwoStringsAndInt(0).s2, u"\u00e9");
  EXPECT_EQ(back.GetTwoStringsAndInt(1).int2, 4);

  // Damaged string lengths inside records: false, records before the damage kept.
  const std::vector<uint8_t> whole = stream.Bytes();
  for (size_t cut = 4; cut < whole.size(); ++cut) {
    MemoryStream part(std::vector<uint8_t>(whole.begin(), whole.begin() + cut));
    T2StringsAnd2IntegersList partial;
    EXPECT_FALSE(partial.ReadFromStream(part)) << cut;
    EXPECT_LE(partial.Count(), 1) << cut;
  }
  MemoryStream negative(Hex("01 00 00 00 01 00 00 00 02 00 00 00 FF FF FF FF"));
  T2StringsAnd2IntegersList bad;
  EXPECT_FALSE(bad.ReadFromStream(negative));
  EXPECT_EQ(bad.Count(), 0);

  TSmallintList smalls;
  MemoryStream three(Hex("01 00 02 00 03"));
  EXPECT_FALSE(smalls.ReadFromStream(3, three));
  EXPECT_EQ(smalls.Count(), 2);
  EXPECT_EQ(smalls.Get(1), 2);
}

TEST(TypedLists, NaNKeysSortLastWithoutLeavingTheList) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  TIntegerAndSingleList list;
  for (float s : {1.0f, nan, 0.5f, nan, -2.0f, 1.0f}) list.AddOne({0, s});
  list.SortAscendingDefault();
  const float expected[] = {-2.0f, 0.5f, 1.0f, 1.0f};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(list.GetOne(i).s, expected[i]);
  EXPECT_TRUE(std::isnan(list.GetOne(4).s));
  EXPECT_TRUE(std::isnan(list.GetOne(5).s));
  EXPECT_EQ(list.Find(0.5f), 1);
  EXPECT_GE(list.Find(nan), 4);
}

TEST(TypedLists, TupleSortsOrderByTheChosenKeys) {
  auto make = [] {
    T4LongintList list;
    for (T4_longint_rec r : {T4_longint_rec{2, 1, 9, 0}, {1, 2, 8, 0}, {2, 0, 7, 1}, {1, 2, 6, 1}})
      list.AddOne(r);
    return list;
  };
  auto field = [](const T4_longint_rec &r, int k) {
    const int32_t all[] = {r.long0, r.long1, r.long2, r.long3};
    return all[k];
  };
  struct Case {
    const char *name;
    std::function<void(T4LongintList &)> sort;
    std::vector<int> keys;  // the order the list must be in afterwards
  } cases[] = {
      {"by long2", [](T4LongintList &l) { l.SortDefault(2); }, {2}},
      {"long0 then long1", [](T4LongintList &l) { l.DoubleSort(0, 1); }, {0, 1}},
      {"long0, long3, long2", [](T4LongintList &l) { l.TripleSort(0, 3, 2); }, {0, 3, 2}},
      {"first keys equal: long1 then long0",
       [](T4LongintList &l) { l.TripleSort(1, 1, 0); },
       {1, 0}},
      {"(2, 2, 0): long2 then long0", [](T4LongintList &l) { l.TripleSort(2, 2, 0); }, {2, 0}},
      {"third repeats first: long3, long0",
       [](T4LongintList &l) { l.TripleSort(3, 0, 3); },
       {3, 0}},
  };
  for (const Case &c : cases) {
    T4LongintList list = make();
    c.sort(list);
    ASSERT_EQ(list.Count(), 4);
    int32_t long2_sum = 0;
    for (int32_t i = 0; i < 4; ++i) long2_sum += list.GetAQuad(i).long2;
    EXPECT_EQ(long2_sum, 30) << c.name;  // the same records
    for (int32_t i = 1; i < 4; ++i) {
      std::vector<int32_t> before, after;
      for (int k : c.keys) {
        before.push_back(field(list.GetAQuad(i - 1), k));
        after.push_back(field(list.GetAQuad(i), k));
      }
      EXPECT_LE(before, after) << c.name << " at " << i;
    }
  }
  T4LongintList untouched = make();
  untouched.SortDefault(4);
  untouched.TripleSort(0, 1, 7);
  for (int32_t i = 0; i < 4; ++i) EXPECT_EQ(untouched.GetAQuad(i).long2, 9 - i);

  T3LongintList triples;
  for (T3_longint_rec r : {T3_longint_rec{1, 5, 0}, {0, 5, 1}, {2, 1, 2}}) triples.AddOne(r);
  triples.TripleSort(1, 1, 0);  // by long1, then long0
  EXPECT_EQ(triples.GetATriple(0).long2, 2);
  EXPECT_EQ(triples.GetATriple(1).long2, 1);
  EXPECT_EQ(triples.GetATriple(2).long2, 0);
}

TEST(TypedLists, TupleCountersAndSearches) {
  T2LongintList pairs;
  pairs.AddOne({1, 10});
  pairs.AddOne({2, 20});
  pairs.IncOne(0, false);
  pairs.AddToOneFreq(1, 5, true);
  pairs.IncOne(7, true);  // unassigned: nothing
  EXPECT_EQ(pairs.GetADouble(0).long0, 2);
  EXPECT_EQ(pairs.GetADouble(1).long1, 25);
  EXPECT_EQ(pairs.TotalOf(1), 35);
  EXPECT_EQ(pairs.TotalOf(2), 0);
  EXPECT_EQ(pairs.LongIndexOf(25, 1), 1);
  EXPECT_EQ(pairs.LongIndexOf(25, 0), -1);
  T3LongintList triples;
  triples.AddOne({0, 0, INT32_MAX});
  triples.IncOne(0, 2);  // wraps as the stored 32 bits do, without overflow in the program
  EXPECT_EQ(triples.GetATriple(0).long2, INT32_MIN);
  triples.AddToOneFreq(0, 4, 3);  // key outside the record: nothing
  EXPECT_EQ(triples.GetATriple(0).long0, 0);
}

TEST(TypedLists, WordFrequenciesAndCursor) {
  TWordFreqAndSourceNumList words;
  EXPECT_EQ(words.GetNext().f, 0);
  EXPECT_EQ(words.this_, 1);
  words.Clear();
  EXPECT_EQ(words.this_, 0);
  words.AddOne({u"a", 3, 1});
  words.AddOne({u"b", 9, 2});
  words.AddOne({u"c", 5, 3});
  EXPECT_EQ(words.HighestFrequency(), 9);
  words.SortOnFreqs();
  EXPECT_EQ(words.GetNext().w, u"b");
  EXPECT_EQ(words.GetNext().w, u"c");
}

TEST(Comparisons, ThreeWayResults) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char *name;
    int32_t result, expected;
  } cases[] = {
      {"longints", CompareLongints(-1, 1), -1},
      {"cardinals are unsigned", CompareCardinals(0xFFFFFFFFu, 1), 1},
      {"int64s", CompareInt64s(INT64_MIN, 0), -1},
      {"16-bit words", Compare16BitWords(0xFFFF, 1), 1},
      {"chars", CompareChars(u'a', u'a'), 0},
      {"bytes", CompareBytes(0x80, 0x7F), 1},
      {"singles", CompareSingles(0.5f, 0.25f), 1},
      {"singles equal", CompareSingles(0.25f, 0.25f), 0},
      {"NaN after numbers", CompareSingles(nan, 1e30f), 1},
      {"numbers before NaN", CompareSingles(1e30f, nan), -1},
      {"NaN equals NaN", CompareSingles(nan, nan), 0},
      {"later dates first", CompareDates(2.0, 1.0), -1},
      {"earlier dates after", CompareDates(1.0, 2.0), 1},
      {"julian dates", CompareJulianDates(5.0, 5.0), 0},
      {"strings by code unit", Compare2Strings(u"\uFF21", u"\U0001F600"), 1},
      {"string prefix", Compare2Strings(u"ab", u"abc"), -1},
      {"card2", Compare2CardinalsCard2({0, 2}, {9, 1}), 1},
      {"3 cardinals freq unsigned", CompareIntAnd3CardinalsFreq({-1, {}}, {1, {}}), 1},
      {"2 cardinals freq signed", CompareIntAnd2CardinalsFreq({-1, {}}, {1, {}}), -1},
      {"3 cardinals card3", CompareIntAnd3CardinalsCard3({0, {0, 0, 1}}, {0, {0, 0, 2}}), -1},
  };
  for (const Case &c : cases) EXPECT_EQ(c.result, c.expected) << c.name;

  Tdouble_cardinal_rec a{1, 2}, b{3, 4};
  ExchangeTwoDoubleCardinalRecs(a, b);
  EXPECT_EQ(a.card1, 3u);
  EXPECT_EQ(b.card2, 2u);
}

TEST(Comparisons, ByteDivisionsAreExact) {
  struct Case {
    int64_t total;
    int32_t n;
    std::vector<int64_t> expected;
  } cases[] = {
      {10, 4, {2, 5, 8, 10}},  // 2.5 and 7.5 round half to even
      {16777217, 1, {16777217}},
      {100000001, 3, {33333334, 66666667, 100000001}},
      {int64_t{1} << 40, 2, {int64_t{1} << 39, int64_t{1} << 40}},
      {5, 0, {}},
      {5, -3, {}},
  };
  for (const Case &c : cases) EXPECT_EQ(ComputedByteDivisions(c.total, c.n), c.expected) << c.total;
}

}  // namespace
