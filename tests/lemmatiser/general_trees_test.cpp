// The seeded word tree's operations on entries of plain integers.
#include "lemmatiser/General_Trees.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>
#include <vector>

namespace lemmatiser {
namespace {

int32_t IntOf(const void *entry) {
  return *static_cast<const int32_t *>(entry);
}
int32_t Ascending(const void *a, const void *b) {
  // Results of large magnitude must steer searches exactly as they steered insertion.
  const int32_t x = IntOf(a), y = IntOf(b);
  return x == y ? 0 : (x < y ? -40000 : 40000);
}

// A tree whose seeds are the negative numbers, with every callback recorded.
class RecordingTree : public TGeneral_Tree {
 public:
  RecordingTree() : TGeneral_Tree(Ascending) {}
  ~RecordingTree() override { ClearingWalk(); }
  bool IsASeed(const void *entry) override { return IntOf(entry) < 0; }
  void Do_Found_Match(anything_ptr &item) override { found.push_back(IntOf(item->this_)); }
  void Do_In_Order(anything_ptr &item) override {
    visited.push_back(IntOf(item->this_));
    positions.push_back(going);
  }
  void Do_Deleting(anything_ptr &item) override {
    deleted.push_back(IntOf(item->this_));
    positions.push_back(going);
  }
  bool Add(int32_t &value) {
    current.this_ = &value;
    return Add_One(current);
  }
  anything_ptr Find(int32_t value) {
    current.this_ = &value;
    return WhereIs(current);
  }
  std::vector<int32_t> found, visited, deleted, positions;
};

TEST(GeneralTree, AnEmptyTreeWalksNothingAndFindsNothing) {
  RecordingTree tree;
  tree.Traverse();
  EXPECT_TRUE(tree.visited.empty());
  EXPECT_EQ(tree.Find(1), nullptr);
  int32_t one = 1;
  EXPECT_TRUE(tree.Add(one));
  ASSERT_NE(tree.Root(), nullptr);
  EXPECT_EQ(tree.Root()->this_, &one);
}

TEST(GeneralTree, AnEqualKeyCallsFoundMatchAndAddsNothing) {
  RecordingTree tree;
  int32_t a = 5, b = 5;
  EXPECT_TRUE(tree.Add(a));
  EXPECT_FALSE(tree.Add(b));
  {
    int32_t c = 5;
    anything probe{&c, nullptr, nullptr, 0};
    EXPECT_EQ(tree.Add_OnePtr(probe), nullptr);
  }
  EXPECT_EQ(tree.found, (std::vector<int32_t>{5, 5}));
  EXPECT_EQ(tree.Counter(), 1);
  EXPECT_EQ(tree.Find(5)->this_, &a);
}

TEST(GeneralTree, WalksCountUpAndClearingCountsDown) {
  std::vector<int32_t> values = {4, 2, 9, 7, 1};
  RecordingTree tree;
  for (int32_t &v : values) tree.Add(v);
  tree.Traverse();
  EXPECT_EQ(tree.visited, (std::vector<int32_t>{1, 2, 4, 7, 9}));
  EXPECT_EQ(tree.positions, (std::vector<int32_t>{1, 2, 3, 4, 5}));
  tree.positions.clear();
  tree.Clear();
  EXPECT_EQ(tree.deleted, (std::vector<int32_t>{1, 2, 4, 7, 9}));
  EXPECT_EQ(tree.positions, (std::vector<int32_t>{4, 3, 2, 1, 0}));
  EXPECT_EQ(tree.Counter(), 0);
  EXPECT_EQ(tree.Root(), nullptr);
}

TEST(GeneralTree, StaysShallowWhateverTheOrderOfInsertion) {
  constexpr int kCount = 100000;
  std::vector<int32_t> falling(kCount), rising(kCount), shuffled(kCount);
  for (int i = 0; i < kCount; ++i) falling[i] = kCount - i;
  std::iota(rising.begin(), rising.end(), 1);
  std::iota(shuffled.begin(), shuffled.end(), 1);
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
  const int32_t height_limit = static_cast<int32_t>(1.45 * std::log2(kCount + 2.0)) + 1;
  for (std::vector<int32_t> *values : {&falling, &rising, &shuffled}) {
    RecordingTree tree;
    for (int32_t &v : *values) ASSERT_TRUE(tree.Add(v));
    EXPECT_LE(tree.Height(), height_limit);
    tree.Traverse();
    ASSERT_EQ(tree.visited.size(), static_cast<size_t>(kCount));
    EXPECT_TRUE(std::is_sorted(tree.visited.begin(), tree.visited.end()));
    for (int32_t probe : {1, kCount / 2, kCount}) EXPECT_NE(tree.Find(probe), nullptr);
    EXPECT_EQ(tree.Find(kCount + 1), nullptr);
  }
}

TEST(GeneralTree, PointerArraysLeaveSeedsOutAndReorderingHandsThemOn) {
  std::vector<int32_t> values = {-3, 8, -1, 5, 2};
  RecordingTree tree;
  for (int32_t &v : values) tree.Add(v);
  EXPECT_EQ(tree.BuildPtrArray([](anything_ptr &item) { return IntOf(item->this_) == 5; }, {}), 2);
  tree.SortBuiltArray([](const void *a, const void *b) { return IntOf(b) - IntOf(a); });
  ASSERT_EQ(tree.BuiltArray().size(), 2u);
  EXPECT_EQ(IntOf(tree.BuiltArray()[0]), 8);
  EXPECT_EQ(IntOf(tree.BuiltArray()[1]), 2);

  std::vector<int32_t> reordered;
  tree.TraverseReordering([](const void *a, const void *b) { return IntOf(b) - IntOf(a); },
                          [&](anything_ptr &item) { reordered.push_back(IntOf(item->this_)); });
  EXPECT_EQ(reordered, (std::vector<int32_t>{8, 5, 2, -1, -3}));
}

TEST(GeneralTree, SortingWithAnInconsistentComparisonStaysInsideTheArray) {
  std::vector<int32_t> values(500);
  std::iota(values.begin(), values.end(), 0);
  RecordingTree tree;
  for (int32_t &v : values) tree.Add(v);
  tree.BuildPtrArray({}, {});
  std::mt19937 random(3);
  tree.SortBuiltArray(
      [&](const void *, const void *) { return static_cast<int32_t>(random() % 3) - 1; });
  EXPECT_EQ(tree.BuiltArray().size(), values.size());
}

TEST(GeneralTree, CopyFromWalksTheOtherTreeIntoThisOne) {
  std::vector<int32_t> values = {3, 1, 2};
  RecordingTree source, target;
  for (int32_t &v : values) source.Add(v);
  target.CopyFrom(
      source,
      [&](anything_ptr &item) {
        anything copy{item->this_, nullptr, nullptr, 0};
        target.Add_One(copy);
      },
      true, true);
  EXPECT_EQ(target.Counter(), 3);
  EXPECT_EQ(source.Counter(), 0);
}

}  // namespace
}  // namespace lemmatiser
