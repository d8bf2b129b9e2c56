#include "runtime1/lists/SortableLists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "runtime1/files/logging_utilities.h"

namespace {

struct Row {
  int32_t key[3];
  char tag;
};

// A small descendant that sorts rows on the key whose number is in force: its comparison is
// negative when an item's key is below the base's, the convention that makes an ascending
// level put smaller keys first.
class RowList : public T3SortYieldingList {
 public:
  explicit RowList(std::vector<Row> rows) : rows_(std::move(rows)) {
    for (Row &r : rows_) Add(&r);
  }
  void SetBase(void *P, int32_t sortvar) override {
    base_ = static_cast<Row *>(P);
    base_key_ = sortvar;
  }
  int32_t Compare(void *item) const {
    const int32_t k = current_sort_rec.current_sort_var;
    EXPECT_EQ(k, base_key_);
    const int32_t a = static_cast<Row *>(item)->key[k];
    const int32_t b = base_->key[k];
    return a < b ? -1 : (a > b ? 1 : 0);
  }
  TCompareFunctOfObject Comparison() {
    return [this](void *item) { return Compare(item); };
  }
  std::string Tags() const {
    std::string tags;
    for (int32_t i = 0; i < Count(); ++i) tags += static_cast<Row *>(Items(i))->tag;
    return tags;
  }

 private:
  std::vector<Row> rows_;
  Row *base_ = nullptr;
  int32_t base_key_ = -1;
};

TEST(ThreeKeySort, CompareSignConventionAscendingAndDescending) {
  const std::vector<Row> rows = {{{3}, 'c'}, {{1}, 'a'}, {{4}, 'd'}, {{2}, 'b'}, {{5}, 'e'}};
  RowList ascending(rows);
  ascending.SetAscending(true, true, true);
  ascending.DoASingleSort(ascending.Comparison(), 0);
  EXPECT_EQ(ascending.Tags(), "abcde");
  EXPECT_TRUE(ascending.sorted);

  RowList descending(rows);  // a new list's directions are all descending
  descending.DoASingleSort(descending.Comparison(), 0);
  EXPECT_EQ(descending.Tags(), "edcba");
  EXPECT_TRUE(descending.ToggledMainSortAscending());
  EXPECT_TRUE(descending.fAscending[sort_first_sort]);
}

TEST(ThreeKeySort, LaterKeysOrderRunsOfEqualEarlierKeys) {
  struct Case {
    const char *name;
    std::vector<Row> rows;
    TAscendingSort directions;
    int keys;  // 1, 2 or 3 keys: 0, then 1, then 2
    std::string tags;
  } cases[] = {
      {"first descending, second ascending",
       {{{1, 2}, 'b'}, {{2, 1}, 'c'}, {{1, 1}, 'a'}, {{2, 2}, 'd'}},
       {false, true, true},
       2,
       "cdab"},
      {"both ascending with ties on the first key",
       {{{2, 9}, 'f'}, {{1, 3}, 'b'}, {{2, 0}, 'd'}, {{1, 1}, 'a'}, {{2, 5}, 'e'}, {{1, 4}, 'c'}},
       {true, true, true},
       2,
       "abcdef"},
      // Runs of the third pass stay inside groups of the first key, even where two groups meet
      // with the same second key.
      {"third key across first-key groups",
       {{{1, 5, 9}, 'b'}, {{2, 5, 1}, 'd'}, {{1, 5, 3}, 'a'}, {{2, 5, 0}, 'c'}},
       {true, true, true},
       3,
       "abcd"},
      {"three levels, mixed directions",
       {{{1, 1, 1}, 'd'}, {{1, 1, 2}, 'c'}, {{1, 2, 1}, 'b'}, {{1, 2, 2}, 'a'}, {{0, 0, 0}, 'e'}},
       {false, false, false},
       3,
       "abcde"},
  };
  for (const Case &c : cases) {
    RowList list(c.rows);
    list.fAscending = c.directions;
    if (c.keys == 2)
      list.DoADoubleSort(list.Comparison(), 0, 1);
    else
      list.DoATrebleSort(list.Comparison(), 0, 1, 2);
    EXPECT_EQ(list.Tags(), c.tags) << c.name;
    EXPECT_FALSE(list.BusySorting) << c.name;
  }
}

// Many ties: every direction and number of keys gives rows in order of the keys, each key in
// its own direction, with no row lost or repeated. Small groups of the first key often hold a
// single second key, so the groups' edges meet with equal second keys.
void ExpectKeyOrder(const std::vector<Row> &rows, int directions, int keys) {
  RowList list(rows);
  list.SetAscending(directions & 1, directions & 2, directions & 4);
  if (keys == 1) list.DoASingleSort(list.Comparison(), 0);
  if (keys == 2) list.DoADoubleSort(list.Comparison(), 0, 1);
  if (keys == 3) list.DoATrebleSort(list.Comparison(), 0, 1, 2);
  std::string tags = list.Tags();
  std::sort(tags.begin(), tags.end());
  std::string all;
  for (const Row &r : rows) all += r.tag;
  std::sort(all.begin(), all.end());
  EXPECT_EQ(tags, all);
  for (int32_t i = 1; i < list.Count(); ++i) {
    const Row &a = *static_cast<Row *>(list.Items(i - 1));
    const Row &b = *static_cast<Row *>(list.Items(i));
    for (int k = 0; k < keys; ++k) {
      if (a.key[k] == b.key[k]) continue;
      ASSERT_EQ(a.key[k] < b.key[k], list.fAscending[k])
          << "directions " << directions << ", keys " << keys << ", at " << i;
      break;
    }
  }
}

TEST(ThreeKeySort, RandomRowsWithTiesEndInKeyOrder) {
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    std::mt19937 random(seed);
    const size_t n = 8 + seed * 7;
    std::vector<Row> rows(n);
    for (size_t k = 0; k < n; ++k) {
      rows[k] = {{static_cast<int32_t>(random() % 6), static_cast<int32_t>(random() % 3),
                  static_cast<int32_t>(random() % 5)},
                 static_cast<char>(k)};
    }
    for (int directions = 0; directions < 8; ++directions) {
      for (int keys = 1; keys <= 3; ++keys) ExpectKeyOrder(rows, directions, keys);
    }
  }
}

TEST(ThreeKeySort, SameKeyTwiceEqualsOneSort) {
  const std::vector<Row> rows = {{{2}, 'b'}, {{1}, 'a'}, {{3}, 'c'}, {{2}, 'B'}};
  RowList once(rows), twice(rows);
  once.SetAscending(true, true, true);
  twice.SetAscending(true, true, true);
  once.DoASingleSort(once.Comparison(), 0);
  twice.DoADoubleSort(twice.Comparison(), 0, 0);
  EXPECT_EQ(once.Tags(), twice.Tags());
}

TEST(ThreeKeySort, RangesAreClampedAndOneItemIsLeftAlone) {
  const std::vector<Row> rows = {{{3}, 'c'}, {{1}, 'a'}, {{2}, 'b'}, {{0}, 'z'}};
  struct Case {
    int32_t start, finish;
    std::string tags;
  } cases[] = {{-5, 99, "zabc"}, {0, 2, "abcz"}, {1, 1, "cabz"}, {2, 1, "cabz"}, {1, 3, "czab"}};
  for (const Case &c : cases) {
    RowList list(rows);
    list.SetAscending(true, true, true);
    list.DoASingleSort(list.Comparison(), 0, c.start, c.finish);
    EXPECT_EQ(list.Tags(), c.tags) << c.start << ".." << c.finish;
  }
}

class YieldHookTest : public ::testing::Test {
 protected:
  void TearDown() override { AYieldProcessProc = nullptr; }
};

TEST_F(YieldHookTest, SortRequestsDuringASortAreIgnored) {
  RowList list({{{3}, 'c'}, {{1}, 'a'}, {{2}, 'b'}, {{5}, 'e'}, {{4}, 'd'}});
  list.SetAscending(true, true, true);
  int yields = 0;
  AYieldProcessProc = [&] {
    ++yields;
    EXPECT_TRUE(list.BusySorting);
    list.SetAscending(false, false, false);  // a request from a message handler
    list.DoASingleSort(list.Comparison(), 0);
    list.SetAscending(true, true, true);
  };
  list.DoASingleSort(list.Comparison(), 0);
  EXPECT_GT(yields, 0);
  EXPECT_EQ(list.Tags(), "abcde");
  EXPECT_FALSE(list.BusySorting);
}

TEST_F(YieldHookTest, NonYieldingListSwitchesTheHookOffAndRestoresIt) {
  class NonYieldingRows : public T3SortNonYieldingList {
   public:
    std::vector<int32_t> keys{5, 3, 9, 1};
    void SetBase(void *P, int32_t) override { base_ = *static_cast<int32_t *>(P); }
    TCompareFunctOfObject Comparison(bool fail) {
      return [this, fail](void *item) -> int32_t {
        if (fail) throw std::runtime_error("comparison failed");
        return *static_cast<int32_t *>(item) - base_;
      };
    }
    int32_t base_ = 0;
  } list;
  for (int32_t &k : list.keys) list.Add(&k);
  list.SetAscending(true, true, true);
  int yields = 0;
  AYieldProcessProc = [&] { ++yields; };
  list.DoASingleSort(list.Comparison(false), 0);
  EXPECT_EQ(yields, 0);
  EXPECT_EQ(*static_cast<int32_t *>(list.Items(0)), 1);
  ASSERT_TRUE(AYieldProcessProc);
  EXPECT_THROW(list.DoASingleSort(list.Comparison(true), 0), std::runtime_error);
  ASSERT_TRUE(AYieldProcessProc);  // restored after the error too
  EXPECT_FALSE(list.BusySorting);
  MyYieldProcess();
  EXPECT_EQ(yields, 1);
}

// A comparison that never answers "equal", not even for the base itself, must not make the
// scans leave the list.
TEST(ThreeKeySort, InconsistentComparisonsStayInsideTheList) {
  for (int32_t answer : {-1, 1}) {
    RowList list({{{1}, 'a'}, {{2}, 'b'}, {{3}, 'c'}, {{4}, 'd'}, {{5}, 'e'}});
    for (bool ascending : {true, false}) {
      list.SetAscending(ascending, true, true);
      list.DoASingleSort([answer](void *) { return answer; }, 0);
      EXPECT_EQ(list.Count(), 5);
    }
  }
}

TEST(ThreeKeySort, AscendingSwappedFollowsTheCurrentLevel) {
  T3SortYieldingList list;
  list.SetAscending(true, false, true);
  list.current_sort_rec.current_sort_doing = sort_first_sort;
  EXPECT_EQ(list.AscendingSwapped(3), -3);
  list.current_sort_rec.current_sort_doing = sort_second_sort;
  EXPECT_EQ(list.AscendingSwapped(3), 3);
  list.SetSortToAscend(sort_second_sort, true);
  EXPECT_EQ(list.AscendingSwapped(INT32_MIN), INT32_MAX);
}

}  // namespace
