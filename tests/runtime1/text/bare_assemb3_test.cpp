// In-place changes and compacting of raw buffers: the results, and that a compacted buffer is
// ended with a zero unit only inside its capacity.
#include "runtime1/text/bare_assemb3.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/char_types.h"
#include "text_test_support.h"

namespace {

using text_test::Widen;

constexpr char kGuard = '@';

// Compacting routines over 8-bit buffers: (buffer, length, capacity) -> new length.
using NarrowCompactor = std::function<int32_t(char *, int32_t, int32_t)>;

struct NarrowCompactCase {
  const char *name;
  NarrowCompactor routine;
  std::string input;
  std::string expected;
  bool writes_zero;
};

const NarrowCompactCase kNarrowCases[] = {
    {"RemoveCharA", [](char *b, int32_t n, int32_t c) { return RemoveCharA(b, 'x', n, c); },
     "axbxxc", "abc", true},
    {"RemoveCharA none", [](char *b, int32_t n, int32_t c) { return RemoveCharA(b, 'x', n, c); },
     "abc", "abc", true},
    {"ClearBetweenChars",
     [](char *b, int32_t n, int32_t c) { return ClearBetweenChars(b, '<', '>', n, c); }, "a<b>c",
     "ac", true},
    {"ClearBetweenChars unclosed",
     [](char *b, int32_t n, int32_t c) { return ClearBetweenChars(b, '<', '>', n, c); }, "a<bc",
     "abc", true},
    {"ClearBetweenChars nearest close",
     [](char *b, int32_t n, int32_t c) { return ClearBetweenChars(b, '<', '>', n, c); }, "<a>b>c<d",
     "b>cd", true},
    {"ClearBetweenChars same delimiter",
     [](char *b, int32_t n, int32_t c) { return ClearBetweenChars(b, '|', '|', n, c); }, "a|b|c",
     "abc", true},
    {"ClearBetweenChars many unclosed",
     [](char *b, int32_t n, int32_t c) { return ClearBetweenChars(b, '<', '>', n, c); }, "<a<b<c",
     "abc", true},
    {"CleanBetweenChars blank",
     [](char *b, int32_t n, int32_t c) { return CleanBetweenChars(b, '<', '>', n, 100, false, c); },
     "a<b>c", "a   c", true},
    {"CleanBetweenChars span 2",
     [](char *b, int32_t n, int32_t c) { return CleanBetweenChars(b, '<', '>', n, 2, true, c); },
     "a<bc>d", "abc>d", true},
    {"CleanBetweenChars span 3 reaches",
     [](char *b, int32_t n, int32_t c) { return CleanBetweenChars(b, '<', '>', n, 3, true, c); },
     "a<b>c", "ac", true},
    {"LengthConvertedToUnix",
     [](char *b, int32_t n, int32_t) { return LengthConvertedToUnix(b, n); }, "a\r\nb\nc", "a\rbc",
     false},
};

TEST(BareAssemb3, NarrowCompactingResults) {
  for (const NarrowCompactCase &c : kNarrowCases) {
    std::string buffer = c.input + std::string(4, kGuard);
    const int32_t n = static_cast<int32_t>(c.input.size());
    const int32_t length = c.routine(buffer.data(), n, n + 4);
    ASSERT_EQ(length, static_cast<int32_t>(c.expected.size())) << c.name;
    EXPECT_EQ(buffer.substr(0, c.expected.size()), c.expected) << c.name;
    EXPECT_EQ(buffer[c.expected.size()] == '\0', c.writes_zero) << c.name;
  }
}

TEST(BareAssemb3, NarrowCompactingNeverWritesPastAnExactCapacity) {
  for (const NarrowCompactCase &c : kNarrowCases) {
    std::string buffer = c.input + kGuard;
    const int32_t n = static_cast<int32_t>(c.input.size());
    c.routine(buffer.data(), n, n);
    EXPECT_EQ(buffer.back(), kGuard) << c.name;
  }
}

TEST(BareAssemb3, LengthBeyondCapacityIsCutToTheCapacity) {
  std::string buffer = "axbx" + std::string(1, kGuard) + "xx";
  EXPECT_EQ(RemoveCharA(buffer.data(), 'x', 7, 4), 2);
  EXPECT_EQ(buffer.substr(0, 2), "ab");
  EXPECT_EQ(buffer[4], kGuard);
}

TEST(BareAssemb3, RemoveCharWritesNothingForLengthZero) {
  char buffer[2] = {kGuard, kGuard};
  EXPECT_EQ(RemoveCharA(buffer, 'x', 0, 2), 0);
  EXPECT_EQ(buffer[0], kGuard);
}

struct WideCompactCase {
  const char *name;
  std::function<int32_t(char16_t *, int32_t, int32_t)> routine;
  std::u16string input;
  std::u16string expected;
  bool writes_zero;
};

TEST(BareAssemb3, WideCompactingResultsAndCapacity) {
  const auto remove_char = [](char16_t *b, int32_t n, int32_t c) {
    return RemoveCharW(b, 0x4E2D, n, c);
  };
  const WideCompactCase cases[] = {
      {"RemoveCharW", remove_char,
       u"a\x4E2D"
       "b",
       u"ab", true},
      {"RemoveRedundantSpaceW", RemoveRedundantSpaceW, u"a  b", u"a b", true},
      {"RemoveRedundantSpaceW runs", RemoveRedundantSpaceW, u"   a b    c ", u" a b c ", true},
      {"CutDoubleCRLFsW", CutDoubleCRLFsW, u"x\r\n\r\n\r\ny", u"x\r\ny", true},
      {"CutDoubleCRLFsW lone", CutDoubleCRLFsW, u"a\r\rb\n\nc\r\nd", u"a\r\rb\n\nc\r\nd", false},
      {"CutDoubleCRLFsW mixed", CutDoubleCRLFsW, u"\r\n\r\r\n\r\nz", u"\r\n\r\r\nz", true},
  };
  for (const WideCompactCase &c : cases) {
    const int32_t n = static_cast<int32_t>(c.input.size());
    std::u16string buffer = c.input + u"@@";
    const int32_t length = c.routine(buffer.data(), n, n + 2);
    ASSERT_EQ(length, static_cast<int32_t>(c.expected.size())) << c.name;
    EXPECT_EQ(buffer.substr(0, c.expected.size()), c.expected) << c.name;
    EXPECT_EQ(buffer[c.expected.size()] == u'\0', c.writes_zero) << c.name;
    buffer = c.input + u"@";
    c.routine(buffer.data(), n, n);
    EXPECT_EQ(buffer.back(), u'@') << c.name;
  }
}

TEST(BareAssemb3, ReplacementsThatKeepTheLength) {
  struct Case {
    const char *name;
    std::function<void(char *, int32_t)> narrow;
    std::function<void(char16_t *, int32_t)> wide;
    std::string input, expected;
  } cases[] = {
      {"CR", ReplaceCarriageReturnsBySpaceA, ReplaceCarriageReturnsBySpaceW, "a\r\nb", "a  b"},
      {"lone LF", ReplaceCarriageReturnsBySpaceA, ReplaceCarriageReturnsBySpaceW, "a\nb", "a\nb"},
      {"CR CR LF", ReplaceCarriageReturnsBySpaceA, ReplaceCarriageReturnsBySpaceW, "\r\r\n\n",
       "   \n"},
      {"controls", ReplaceControlCharsBySpaceA, ReplaceControlCharsBySpaceW, "a\x01\t\x1F \x7F",
       "a    \x7F"},
      {"by space", [](char *b, int32_t n) { ReplaceCharacterBySpace(b, '_', n); },
       [](char16_t *b, int32_t n) { ReplaceCharacterBySpaceW(b, u'_', n); }, "a_b__", "a b  "},
      {"blank out", BlankOutSomeBytesA, BlankOutSomeBytesW, "abc", "   "},
  };
  for (const Case &c : cases) {
    std::string narrow = c.input;
    c.narrow(narrow.data(), static_cast<int32_t>(narrow.size()));
    EXPECT_EQ(narrow, c.expected) << c.name;
    std::u16string wide = Widen(c.input);
    c.wide(wide.data(), static_cast<int32_t>(wide.size()));
    EXPECT_EQ(wide, Widen(c.expected)) << c.name;
  }
  // High bytes are not controls: 8-bit units compare as unsigned.
  std::string high = "\xE9\x85";
  ReplaceControlCharsBySpaceA(high.data(), 2);
  EXPECT_EQ(high, "\xE9\x85");
  std::string tabs = "a\tb\t";
  ReplaceTabsBySpace(tabs.data(), 3);
  EXPECT_EQ(tabs, "a b\t");
  std::u16string wide = u"abc";
  ZeroSomeBytesW(wide.data(), 2);
  EXPECT_EQ(wide, std::u16string(u"\0\0c", 3));
  BlankOutSomeBytesW(wide.data(), -1);
  ReplaceChar1ByChar2W(wide.data(), u'c', 0x4E2D, 3);
  EXPECT_EQ(wide, std::u16string(u"\0\0\x4E2D", 3));
}

// Windows-1252 letters above z: lower e-acute, o-umlaut, y-umlaut; their capitals.
const ANSILower_or_upperStr_type kLower = MakeANSILower_or_upperStr("\xE9\xF6\xFF");
const ANSILower_or_upperStr_type kUpper = MakeANSILower_or_upperStr("\xC9\xD6\x9F");

TEST(BareAssemb3, CapitaliseABufferUsesTheCallersLetterSets) {
  std::string text = "caf\xE9 \xF6l [x]{}";
  CapitaliseABuffer(text.data(), kLower, kUpper, static_cast<int32_t>(text.size()));
  EXPECT_EQ(text, "CAF\xC9 \xD6L [X]{}");
  // Only the first n entries count, n being the shorter set.
  std::string ydots = "\xF6\xFF";
  CapitaliseABuffer(ydots.data(), kLower, MakeANSILower_or_upperStr("\xC9\xD6"), 2);
  EXPECT_EQ(ydots, "\xD6\xFF");
}

TEST(BareAssemb3, ALengthByteAbove128IsClamped) {
  ANSILower_or_upperStr_type damaged = kLower;
  damaged.length = 255;  // a damaged record: must not read beyond its 128 characters
  std::string text = "\xE9";
  CapitaliseABuffer(text.data(), damaged, kUpper, 1);
  EXPECT_EQ(text, "\xC9");
  CutLowercaseWords(text.data(), damaged, damaged, 1);
}

TEST(BareAssemb3, CutLowercaseWordsBlanksLowerCaseUpToTheFirstCapital) {
  struct Case {
    std::string input, expected;
  } cases[] = {
      {"the Cat", "    Cat"},
      {"iPhone x", " Phone  "},
      {"\xE9t\xE9 \xC9t\xE9", "    \xC9t\xE9"},  // letters above z by the sets
      {"a1b-c", " 1 - "},                        // 0x21-0x40 stay and keep the word going
      {"mcDonald's", "  Donald's"},
      {"x\ty", " \t "},
  };
  for (const Case &c : cases) {
    std::string text = c.input;
    CutLowercaseWords(text.data(), kLower, kUpper, static_cast<int32_t>(text.size()));
    EXPECT_EQ(text, c.expected) << c.input;
  }
}

TEST(BareAssemb3, ZeroWidthJoinersAreRetyped) {
  const std::u16string text =
      u"a\x200D"
      "b\x200C"
      "c";
  std::vector<uint16_t> types(text.size(), 0x0020);
  SetZeroWidthJoinersToDefined(text.data(), types.data(), 5);
  EXPECT_EQ(types, (std::vector<uint16_t>{0x20, 0x0200, 0x20, 0x20, 0x20}));
  SetZeroWidthNonJoinersToDefinedAlpha(text.data(), types.data(), 3);  // U+200C lies beyond
  EXPECT_EQ(types[3], 0x20);
  SetZeroWidthNonJoinersToDefinedAlpha(text.data(), types.data(), 5);
  EXPECT_EQ(types[3], platform::C1_DEFINED | platform::C1_ALPHA);
}

TEST(BareAssemb3, Swap2StringsRotatesInPlace) {
  struct Case {
    std::u16string input;
    int a, b;
    std::u16string expected;
  } cases[] = {
      {u"abcde", 2, 3, u"cdeab"},   {u"abcdef", 2, 4, u"cdefab"},  // two cycles (gcd 2)
      {u"abcdef", 3, 3, u"defabc"}, {u"abcdef", 4, 2, u"efabcd"}, {u"ab", 0, 2, u"ab"},
      {u"abc", 3, 0, u"abc"},       {u"xyz!", 1, 2, u"yzx!"},  // units after A + B stay
  };
  for (const Case &c : cases) {
    std::u16string text = c.input;
    Swap2Strings(text.data(), c.a, c.b);
    EXPECT_EQ(text, c.expected);
  }
  std::u16string empty(3, u'\0');
  empty[1] = u'a';
  Swap2Strings(empty.data(), 1, 2);  // first unit 0: nothing happens
  EXPECT_EQ(empty[1], u'a');
}

}  // namespace
