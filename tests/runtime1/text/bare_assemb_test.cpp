// Searching, comparing, byte-order marks and checksums over raw buffers, each narrow case run on
// the wide form too.
#include "runtime1/text/bare_assemb.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "text_test_support.h"

namespace {

using text_test::Widen;

// -1 for a null result, else the offset of the result in text.
template <typename Unit>
int Offset(const Unit *found, const Unit *text) {
  return found == nullptr ? -1 : static_cast<int>(found - text);
}

TEST(BareAssemb, FastStrPosTriesEveryStartIncludingTheLast) {
  struct Case {
    std::string text;
    std::string pattern;
    int length;  // the text length passed in
    int expected;
  } cases[] = {
      {"abcabd", "abd", 6, 3},  // a false start at 0 must not skip the real one
      {"aab", "ab", 3, 1},      // a mismatch resumes right after the candidate start
      {"abc", "abc", 3, 0},     // the whole text
      {"abcx", "x", 4, 3},      // the last position
      {"abc", "abcd", 3, -1},   // longer than the text
      {"abcabc", "bc", 2, -1},  // only the first `length` units count
      {"abcabc", "bc", 3, 1},  {"abc", "", 3, -1},  // empty pattern
      {"abc", "a", 0, -1},     {"abc", "a", -5, -1},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(Offset(FastStrPos(c.text.c_str(), c.pattern.c_str(), c.length), c.text.c_str()),
              c.expected)
        << c.text << " / " << c.pattern;
    const std::u16string text = Widen(c.text), pattern = Widen(c.pattern);
    EXPECT_EQ(Offset(FastStrPosW(text.c_str(), pattern.c_str(), c.length), text.c_str()),
              c.expected)
        << c.text << " / " << c.pattern;
  }
  EXPECT_EQ(FastStrPos(nullptr, "a", 3), nullptr);
  EXPECT_EQ(FastStrPos("abc", nullptr, 3), nullptr);
}

TEST(BareAssemb, OneUnitPatternIsFoundAtEveryPosition) {
  const std::string text = "xyzw";
  for (size_t i = 0; i < text.size(); ++i) {
    const char pattern[2] = {text[i], 0};
    EXPECT_EQ(Offset(FastStrPos(text.c_str(), pattern, 4), text.c_str()), static_cast<int>(i));
  }
}

TEST(BareAssemb, FastStrIPosMatchesEitherFormAtEachIndex) {
  struct Case {
    std::string text, form1, form2;
    int expected;
  } cases[] = {
      {"The CAT sat", "cat", "CAT", 4},
      {"xCaT", "cat", "CAT", 1},
      {"cat", "cat", "CAT", 0},  // whole text
      {"cAx", "cat", "CAT", -1},
      {"cat", "cat", "CA", -1},  // forms of different length
      {"c", "ca", "CA", -1},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(Offset(FastStrIPos(c.text.c_str(), c.form1.c_str(), c.form2.c_str(),
                                 static_cast<int32_t>(c.text.size())),
                     c.text.c_str()),
              c.expected)
        << c.text;
    const std::u16string text = Widen(c.text), f1 = Widen(c.form1), f2 = Widen(c.form2);
    EXPECT_EQ(Offset(FastStrIPosW(text.c_str(), f1.c_str(), f2.c_str(),
                                  static_cast<int32_t>(text.size())),
                     text.c_str()),
              c.expected)
        << c.text;
  }
}

TEST(BareAssemb, FastStrScanStopsAtTheLength) {
  const char text[] = "abcabc";
  EXPECT_EQ(Offset(FastStrScan(text, 'c', 6), text), 2);
  EXPECT_EQ(FastStrScan(text, 'c', 2), nullptr);
  EXPECT_EQ(FastStrScan(text, 'c', 0), nullptr);
  const std::u16string wide = u"ab\x4E2D";
  EXPECT_EQ(Offset(FastStrScanW(wide.c_str(), 0x4E2D, 3), wide.c_str()), 2);
}

TEST(BareAssemb, EqualAndHowFarEqualContents) {
  struct Case {
    std::string a, b;
    int length;
    bool equal;
    int how_far;
  } cases[] = {
      {"abcd", "abcd", 4, true, 0},  {"abcd", "abcx", 4, false, 0},  // only the last unit differs
      {"abcd", "xbcd", 4, false, 3},  // the first units differ: length - 1
      {"abcd", "abxd", 4, false, 1},  // first difference at 4 - 1 - 1 = 2
      {"abcd", "abxd", 2, true, 0},   // the difference lies beyond the length
      {"ab", "xy", 0, true, 0},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(EqualContentsA(c.a.data(), c.b.data(), c.length), c.equal) << c.a << c.b;
    EXPECT_EQ(HowFarEqualContentsA(c.a.data(), c.b.data(), c.length), c.how_far) << c.a << c.b;
    const std::u16string a = Widen(c.a), b = Widen(c.b);
    EXPECT_EQ(EqualContentsW(a.data(), b.data(), c.length), c.equal) << c.a << c.b;
    EXPECT_EQ(HowFarEqualContentsW(a.data(), b.data(), c.length), c.how_far) << c.a << c.b;
  }
  EXPECT_FALSE(EqualContentsA(nullptr, "a", 1));
}

TEST(BareAssemb, ScanForIntGivesTheOneBasedPositionOfTheFirstMatch) {
  const int32_t values[] = {3, 7, 7, -2};
  EXPECT_EQ(ScanForInt(7, values, 3), 2);
  EXPECT_EQ(ScanForInt(5, values, 3), 0);
  EXPECT_EQ(ScanForInt(-2, values, 3), 0);  // beyond the count
  EXPECT_EQ(ScanForInt(-2, values, 4), 4);
  EXPECT_EQ(ScanForInt(3, values, 0), 0);
}

TEST(BareAssemb, SearchAndReplaceFastKeepsTheLengthAndDoesNotOverlap) {
  struct Case {
    std::u16string buffer, pattern, replacement, expected;
    int replaced;
  } cases[] = {
      {u"a--b--c", u"--", u"==", u"a==b==c", 2},
      {u"aaaa", u"aa", u"bc", u"bcbc", 2},  // no overlapping matches
      {u"xaax", u"aa", u"b", u"xb x", 1},   // a short replacement is padded with spaces
      {u"xyz", u"q", u"r", u"xyz", 0},
  };
  for (Case &c : cases) {
    std::u16string buffer = c.buffer;
    EXPECT_EQ(SearchAndReplaceFastW(buffer.data(), c.pattern.c_str(), c.replacement.c_str(),
                                    static_cast<int32_t>(buffer.size()),
                                    static_cast<int32_t>(c.pattern.size())),
              c.replaced);
    EXPECT_EQ(buffer, c.expected);
  }
}

TEST(BareAssemb, ByteOrderMarksNeedTwoBytes) {
  struct Case {
    std::vector<uint8_t> image;
    bool is_signed;
    bool is_reversed;
  } cases[] = {
      {{0xFF, 0xFE, 0x41}, true, false},
      {{0xFE, 0xFF}, true, true},
      {{0xEF, 0xBB, 0xBF}, false, false},
      {{0xFF}, false, false},  // one byte only: never read past it
      {{}, false, false},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(UnicodeSigned(c.image.data(), c.image.size()) != nullptr, c.is_signed);
    EXPECT_EQ(UnicodeByteReversed(c.image.data(), c.image.size()) != nullptr, c.is_reversed);
  }
  const uint8_t image[] = {0xFF, 0xFE};
  EXPECT_EQ(UnicodeSigned(image, 2), image);
}

TEST(BareAssemb, ChecksumsAddLittleEndianWords) {
  struct Case {
    std::string bytes;
    int count;
    uint32_t sum;
  } cases[] = {
      {"abcd", 4, 0x64636261},
      {"abcde", 5, 0x64636261},  // trailing bytes do not count
      {"abc", 3, 0},
      {std::string("\xFF\xFF\xFF\xFF\x02\x00\x00\x00", 8), 8, 1},  // wraps modulo 2^32
  };
  for (const Case &c : cases) EXPECT_EQ(My4Checksum(c.bytes.data(), c.count), c.sum) << c.count;
  EXPECT_EQ(My2Checksum("abcd", 2), 0xC6C4u);         // 0x6261 + 0x6463
  EXPECT_EQ(My2Checksum("\xFF\xFF\x02\x00", 2), 1u);  // modulo 65536
  EXPECT_EQ(My2Checksum("\x01\x02", 1), 0x0201u);     // little-endian
  EXPECT_EQ(My4Checksum(nullptr, 8), 0u);
}

}  // namespace
