#include "runtime1/lists/Useful_Classes_base.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "list_test_support.h"
#include "platform/utf16_text.h"
#include "runtime1/lists/Useful_Classes.h"

using list_tests::Hex;
using list_tests::ToHex;
using platform::MemoryStream;

namespace {

std::vector<int32_t> Values(const TQVLongintList &list) {
  std::vector<int32_t> values;
  for (const auto &item : list.AllItems()) values.push_back(item.data);
  return values;
}

TQVLongintList ListOf(std::initializer_list<int32_t> values, bool sorted) {
  TQVLongintList list;
  for (int32_t v : values) list.AddOne(v);
  list.sorted = sorted;
  return list;
}

std::string Saved(TUsefulBaseList<TLongIntHolder> &list) {
  MemoryStream stream;
  EXPECT_TRUE(list.SaveToStream(stream));
  return ToHex(stream.Bytes());
}

TEST(BaseListLayout, EmptyAndFilledListsSaveTheseBytes) {
  TUsefulBaseList<TLongIntHolder> plain;
  EXPECT_EQ(Saved(plain), "00 00 00 00");
  TQVLongintList sorts;
  EXPECT_EQ(Saved(sorts), "00 00 00 00 00");
  TQVLongintList filled = ListOf({-1, 5}, true);
  EXPECT_EQ(Saved(filled), "02 00 00 00 01 FF FF FF FF 05 00 00 00");
  filled.sorted = false;
  EXPECT_EQ(Saved(filled), "02 00 00 00 00 FF FF FF FF 05 00 00 00");
}

TEST(BaseListLayout, ReadsAppendAndKeepTheSortedByte) {
  struct Case {
    std::string bytes;
    bool result;
    std::vector<int32_t> values;
    bool sorted;
  } cases[] = {
      {"02 00 00 00 01 FF FF FF FF 05 00 00 00", true, {-1, 5}, true},
      {"02 00 00 00 00 05 00 00 00 FF FF FF FF", true, {5, -1}, false},
      // A list that says it is sorted while its items are not is read as unsorted.
      {"02 00 00 00 01 05 00 00 00 FF FF FF FF", true, {5, -1}, false},
      {"00 00 00 00 01", true, {}, true},
      {"FF FF FF FF 00", true, {}, false},  // a count below 1 reads nothing
      // Short count, missing sorted byte: false with nothing added.
      {"02 00 00", false, {}, false},
      {"02 00 00 00", false, {}, false},
      // A damaged count: the items that came stay, the reader stops at the first missing one.
      {"FF FF FF 7F 01 05 00 00 00", false, {5}, true},
      {"03 00 00 00 01 01 00 00 00 02 00 00 00 03 00", false, {1, 2}, true},
  };
  for (const Case &c : cases) {
    TQVLongintList list;
    MemoryStream stream(Hex(c.bytes));
    EXPECT_EQ(list.ReadFromStream(stream), c.result) << c.bytes;
    EXPECT_EQ(Values(list), c.values) << c.bytes;
    EXPECT_EQ(list.sorted, c.sorted) << c.bytes;
  }
}

TEST(BaseListLayout, ReadingTwiceDoublesTheItems) {
  TUsefulBaseList<TLongIntHolder> list;
  const std::vector<uint8_t> bytes = Hex("02 00 00 00 07 00 00 00 08 00 00 00");
  for (int k = 0; k < 2; ++k) {
    MemoryStream stream(bytes);
    ASSERT_TRUE(list.ReadFromStream(stream));
  }
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Items(3).data, 8);
}

// Holders whose records take no bytes: the count alone is saved, and a damaged count cannot
// make the reader create an unbounded number of items.
TEST(BaseListLayout, ListsOfUnsavedRecordsAreBounded) {
  T2LongintList pairs;
  pairs.AddOne({1, 2});
  pairs.AddOne({3, 4});
  pairs.AddOne({5, 6});
  MemoryStream stream;
  ASSERT_TRUE(pairs.SaveToStream(stream));
  EXPECT_EQ(ToHex(stream.Bytes()), "03 00 00 00 00");
  stream.Seek(0);
  T2LongintList back;
  ASSERT_TRUE(back.ReadFromStream(stream));
  ASSERT_EQ(back.Count(), 3);
  EXPECT_EQ(back.GetADouble(2).long0, 0);

  MemoryStream damaged(Hex("FF FF FF 7F 00"));
  T2LongintList none;
  EXPECT_FALSE(none.ReadFromStream(damaged));
  EXPECT_EQ(none.Count(), 0);
}

TEST(BaseListSorts, ReverseRemoveDuplicatesAndIndexChecks) {
  TQVLongintList list = ListOf({1, 2, 3}, true);
  list.ReverseTheSort();
  EXPECT_EQ(Values(list), (std::vector<int32_t>{3, 2, 1}));
  EXPECT_FALSE(list.sorted);  // descending now: binary searches would miss
  EXPECT_EQ(list.IndexOf(3), 0);

  EXPECT_FALSE(list.IndexAssignedOK(-1));
  EXPECT_FALSE(list.IndexAssignedOK(list.Count()));
  EXPECT_TRUE(list.IndexAssignedOK(list.Count() - 1));

  TQVLongintList repeats = ListOf({1, 1, 2, 2, 2, 3}, true);
  repeats.RemoveDuplicates();
  EXPECT_EQ(Values(repeats), (std::vector<int32_t>{1, 2, 3}));

  // The base comparison never finds two items equal.
  TUsefulBaseListSorts<TLongIntHolder> base;
  MemoryStream stream(Hex("02 00 00 00 00 04 00 00 00 04 00 00 00"));
  ASSERT_TRUE(base.ReadFromStream(stream));
  base.RemoveDuplicates();
  EXPECT_EQ(base.Count(), 2);
}

class BaseListFiles : public ::testing::Test {
 protected:
  std::u16string Name(const std::string &leaf) {
    return platform::Utf8ToUtf16(platform::PrivateTempFolder() + "/" + leaf);
  }
};

TEST_F(BaseListFiles, SaveAndLoadRoundTrip) {
  TQVLongintList list = ListOf({4, 9, 12}, true);
  const std::u16string name = Name("round-trip.lst");
  ASSERT_TRUE(list.SaveToFile(name));
  TQVLongintList back;
  ASSERT_TRUE(back.LoadFromFile(name));
  EXPECT_EQ(Values(back), Values(list));
  EXPECT_TRUE(back.sorted);
  EXPECT_THROW(back.LoadFromFile(Name("missing.lst")), platform::FileOpenError);
}

TEST_F(BaseListFiles, FailedSaveLeavesTheOlderFile) {
  const std::u16string name = Name("columns.lst");
  TStringColumnAndColourList list;
  list.AddOne({1, 2, u"short"});
  ASSERT_TRUE(list.SaveToFile(name));
  const auto before = platform::ReadWholeFile(platform::Utf16ToUtf8(name));

  list.AddOne({3, 4, std::u16string(6000, u'x')});  // longer than a reader accepts
  EXPECT_FALSE(list.SaveToFile(name));
  EXPECT_EQ(platform::ReadWholeFile(platform::Utf16ToUtf8(name)), before);
  // No temporary file is left beside it.
  int files = 0;
  for (const auto &entry : std::filesystem::directory_iterator(platform::PrivateTempFolder())) {
    files += entry.path().filename().string().find("columns.lst") != std::string::npos;
  }
  EXPECT_EQ(files, 1);
}

}  // namespace
