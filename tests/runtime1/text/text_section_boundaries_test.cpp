#include "runtime1/text/text_section_boundaries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/char_types.h"

namespace {

using platform::C1_ALPHA;
using platform::C1_BLANK;
using platform::C1_DEFINED;
using platform::C1_DIGIT;
using platform::C1_LOWER;
using platform::C1_PUNCT;
using platform::C1_SPACE;
using platform::C1_UPPER;

constexpr uint32_t kEnglishUS = 0x0409;
constexpr uint32_t kRussian = 0x0419;
constexpr uint32_t kJapanese = 0x0411;
constexpr uint32_t kThai = 0x041E;

struct ClassCase {
  std::u16string text;
  size_t index;
  uint16_t required;
  uint16_t forbidden;
};

TEST(CharTypeArray, ClassesCharactersOfSeveralScripts) {
  const ClassCase cases[] = {
      {u"Ab", 0, C1_UPPER | C1_ALPHA | C1_DEFINED, C1_LOWER | C1_DIGIT | C1_PUNCT},
      {u"Ab", 1, C1_LOWER | C1_ALPHA, C1_UPPER},
      {u"λόγος", 0, C1_LOWER | C1_ALPHA, C1_PUNCT},
      {u"Жук", 0, C1_UPPER | C1_ALPHA, C1_LOWER},
      {u"كتاب", 1, C1_ALPHA, C1_UPPER | C1_LOWER | C1_PUNCT},
      {u"שלום", 0, C1_ALPHA, C1_PUNCT | C1_SPACE},
      {u"नमस्ते", 0, C1_ALPHA, C1_PUNCT},
      {u"中文", 0, C1_ALPHA, C1_PUNCT | C1_SPACE},
      {u"a 1", 1, C1_SPACE | C1_BLANK, C1_ALPHA},
      {u"a 1", 2, C1_DIGIT, C1_ALPHA},
      {u"a,b", 1, C1_PUNCT, C1_ALPHA | kWhiteMask},
      {u"a\tb", 1, kWhiteMask & ~C1_BLANK & C1_SPACE, C1_ALPHA},
  };
  for (const ClassCase &c : cases) {
    const TCharTypeArray types = BuildCharTypeArray(c.text, kEnglishUS);
    ASSERT_EQ(types.size(), c.text.size() + kCharTypeSpareWords);
    const uint16_t t = types[c.index];
    EXPECT_EQ(t & c.required, c.required) << std::hex << t;
    EXPECT_EQ(t & c.forbidden, 0) << std::hex << t;
    EXPECT_EQ(types[c.text.size()], 0);
    EXPECT_EQ(types[c.text.size() + 1], 0);
  }
}

TEST(CharTypeArray, BothUnitsOfASupplementaryCharacterCarryItsType) {
  // U+1D400 MATHEMATICAL BOLD CAPITAL A, then a lone trail surrogate.
  const std::u16string text = u"x\U0001D400y" + std::u16string(1, char16_t(0xDC00));
  const TCharTypeArray types = BuildCharTypeArray(text, kEnglishUS);
  EXPECT_EQ(types[1], types[2]);
  EXPECT_EQ(types[1], platform::CharTypeOfCodePoint(platform::CT_CTYPE1, 0x1D400));
  EXPECT_NE(types[1] & C1_ALPHA, 0);
  EXPECT_EQ(types[4], platform::CharTypeOfUnit(platform::CT_CTYPE1, 0xDC00));
}

TEST(CharTypeArray, EightBitTextIsTypedInTheLocalesCodePage) {
  // Byte 0xC6 is Æ in Windows-1252 and Ж in Windows-1251; byte 0x80 is the euro sign and Ђ.
  const std::string bytes = "\xC6\x80";
  const TCharTypeArray western = BuildCharTypeArray(std::string_view(bytes), kEnglishUS);
  const TCharTypeArray cyrillic = BuildCharTypeArray(std::string_view(bytes), kRussian);
  EXPECT_EQ(western[0], platform::CharTypeOfUnit(platform::CT_CTYPE1, u'Æ'));
  EXPECT_EQ(cyrillic[0], platform::CharTypeOfUnit(platform::CT_CTYPE1, u'Ж'));
  EXPECT_EQ(western[1] & C1_ALPHA, 0);
  EXPECT_NE(cyrillic[1] & C1_ALPHA, 0);
  // The same Latin-1 text gives the same words as 8-bit text and as UTF-16.
  const std::u16string wide = u"Ça coûte 12,50 € !";
  std::string narrow;
  for (char16_t u : wide) narrow.push_back(static_cast<char>(u == u'€' ? 0x80 : u));
  EXPECT_EQ(BuildCharTypeArray(std::string_view(narrow), kEnglishUS),
            BuildCharTypeArray(wide, kEnglishUS));
}

TEST(CharTypeArray, DoubleByteCharactersTypeBothBytes) {
  const std::string sjis =
      "\x93\xFA"
      "a";  // 日 in Shift-JIS, then a
  const TCharTypeArray types = BuildCharTypeArray(std::string_view(sjis), kJapanese);
  EXPECT_EQ(types[0], types[1]);
  EXPECT_NE(types[0] & C1_ALPHA, 0);
  EXPECT_EQ(types[2], platform::CharTypeOfUnit(platform::CT_CTYPE1, u'a'));
}

TEST(GetStringTypeExNT2000, RefusesBadArgumentsWithoutWriting) {
  const std::u16string text = u"ab";
  std::vector<uint16_t> types(4, 0x7777);
  EXPECT_FALSE(
      GetStringTypeExNT2000(true, kEnglishUS, platform::CT_CTYPE1, types, -1, text.data()));
  EXPECT_FALSE(GetStringTypeExNT2000(true, kEnglishUS, platform::CT_CTYPE1, types, 5, text.data()));
  EXPECT_FALSE(GetStringTypeExNT2000(true, kEnglishUS, platform::CT_CTYPE1, types, 2, nullptr));
  EXPECT_FALSE(GetStringTypeExNT2000(true, kEnglishUS, 0x40, types, 2, text.data()));
  EXPECT_EQ(types, std::vector<uint16_t>(4, 0x7777));
  EXPECT_TRUE(GetStringTypeExNT2000(true, kEnglishUS, platform::CT_CTYPE1, types, 2, text.data()));
  EXPECT_NE(types[0] & C1_ALPHA, 0);
  EXPECT_EQ(types[2], 0x7777);  // only count words are written
  const char narrow[] = "a1";
  EXPECT_TRUE(GetStringTypeExNT2000(false, kEnglishUS, platform::CT_CTYPE1, types, 2, narrow));
  EXPECT_NE(types[1] & C1_DIGIT, 0);
  EXPECT_TRUE(GetStringTypeExNT2000(true, kEnglishUS, platform::CT_CTYPE2, types, 2, text.data()));
  EXPECT_EQ(types[0], platform::C2_LEFTTORIGHT);
}

TEST(FillCharTypeArray, RefusesAShortArray) {
  std::vector<uint16_t> types(2, 0x7777);
  EXPECT_FALSE(FillCharTypeArray(u"abc", kEnglishUS, types));
  EXPECT_EQ(types, std::vector<uint16_t>(2, 0x7777));
  types.assign(4, 0x7777);
  EXPECT_TRUE(FillCharTypeArray(u"abc", kEnglishUS, types));
  EXPECT_EQ(types[3], 0);
}

// A type array written as a pattern: letters, digits, spaces and punctuation by their own
// classes, "-" a pass-over hyphen, and brackets the section markers.
TCharTypeArray Pattern(std::string_view pattern) {
  TCharTypeArray types;
  for (const char c : pattern) {
    uint16_t t = platform::CharTypeOfUnit(platform::CT_CTYPE1, static_cast<char16_t>(c));
    switch (c) {
      case '-':
        t = C1_PUNCT | C1_DEFINED | kPassOverBit;
        break;
      case '[':
        t = kMarkerBit | marker_sentence_start;
        break;
      case ']':
        t = kMarkerBit | marker_sentence_end;
        break;
      case '{':
        t = kMarkerBit | marker_paragraph_start;
        break;
      case '}':
        t = kMarkerBit | marker_paragraph_end;
        break;
      case '<':
        t = kMarkerBit | marker_heading_start;
        break;
      case '>':
        t = kMarkerBit | marker_heading_end;
        break;
      case '(':
        t = kMarkerBit | marker_section_start;
        break;
      case ')':
        t = kMarkerBit | marker_section_end;
        break;
      default:
        break;
    }
    types.push_back(t);
  }
  types.resize(types.size() + kCharTypeSpareWords, 0);
  return types;
}

struct MiddleCase {
  std::u16string text;
  std::u16string allowed;
  bool at_right, at_left;
  size_t index;
  int32_t expected;  // -1: unchanged
};

TEST(HandleMiddleChars, JoinsAllowedCharactersInsideWords) {
  const MiddleCase cases[] = {
      {u"don't", u"'", false, false, 3, kJoinedLetterType},
      {u"'tis", u"'", false, false, 0, -1},
      {u"'tis", u"'", false, true, 0, kJoinedLetterType},
      {u"l'homme", u"'", false, false, 1, kJoinedLetterType},
      {u"3-4", u"-", false, false, 1, kJoinedDigitType},
      {u"a-4", u"-", false, false, 1, kJoinedDigitType},
      {u"4-a", u"-", false, false, 1, kJoinedDigitType},
      {u"a -b", u"-", false, false, 2, -1},
      {u"dogs' x", u"'", false, false, 4, -1},
      {u"dogs' x", u"'", true, false, 4, kJoinedLetterType},
      {u"dogs'", u"'", true, false, 4, -1},  // never the buffer's last character
      {u"a\U0001F600b", u"\U0001F600", false, false, 1, kJoinedLetterType},
      {u"a\U0001F600b", u"\U0001F600", false, false, 2, kJoinedLetterType},
  };
  for (const MiddleCase &c : cases) {
    TCharTypeArray types = BuildCharTypeArray(c.text, kEnglishUS);
    const TCharTypeArray before = types;
    HandleMiddleChars(c.text, types, c.allowed, c.at_right, c.at_left);
    const int32_t expected = c.expected < 0 ? before[c.index] : c.expected;
    EXPECT_EQ(types[c.index], expected) << std::string(c.text.begin(), c.text.end());
  }
}

TEST(HandleMiddleChars, WalksOverPassOverCharactersButNotMarkers) {
  const std::u16string text = u"a-'b";
  TCharTypeArray types = Pattern("a-'b");
  HandleMiddleChars(text, types, u"'", false, false);
  EXPECT_EQ(types[2], kJoinedLetterType);

  types = Pattern("a]'b");
  HandleMiddleChars(text, types, u"'", false, false);
  EXPECT_EQ(types[2], Pattern("'")[0]);

  // A marker or an already passed-over character at the occurrence is left as it is.
  const std::u16string dotted = u"a.b";
  types = Pattern("a]b");
  HandleMiddleChars(dotted, types, u".", false, false);
  EXPECT_EQ(types[1], kMarkerBit | marker_sentence_end);
  types = Pattern("a-b");
  HandleMiddleChars(u"a-b", types, u"-", false, false);
  EXPECT_EQ(types[1], Pattern("-")[0]);

  std::vector<uint16_t> short_types(2, 0);
  HandleMiddleChars(u"a'b", short_types, u"'", false, false);
  EXPECT_EQ(short_types, std::vector<uint16_t>(2, 0));
}

TEST(HandleMiddleChars, EightBitAllowedCharactersGoThroughTheCodePage) {
  const std::string text = "don\x92t";  // right single quotation mark in Windows-1252
  TCharTypeArray types = BuildCharTypeArray(std::string_view(text), kEnglishUS);
  HandleMiddleChars(std::string_view(text), types, u"\u2019", 1252, false, false);
  EXPECT_EQ(types[3], kJoinedLetterType);
  // A character that has no single byte in the code page changes nothing.
  types = BuildCharTypeArray(std::string_view(text), kEnglishUS);
  const TCharTypeArray before = types;
  HandleMiddleChars(std::string_view(text), types, u"\u0105", 1252, false, false);
  EXPECT_EQ(types, before);
}

struct NumberCase {
  std::u16string text;
  bool spaces;
  std::vector<size_t> joined;
};

TEST(HandleMiddleCharsInNumbers, JoinsSeparatorsBetweenDigits) {
  const NumberCase cases[] = {
      {u"1.5", false, {1}},      {u"2,000", false, {1}}, {u"1.", false, {}},
      {u"1 000", false, {}},     {u"1 000", true, {1}},  {u"1,000,000", false, {1, 5}},
      {u"1\u00B75", false, {1}}, {u"1..5", false, {}},   {u"a.5", false, {}},
      {u"1;5", false, {}},
  };
  for (const NumberCase &c : cases) {
    TCharTypeArray types = BuildCharTypeArray(c.text, kEnglishUS);
    const TCharTypeArray before = types;
    HandleMiddleCharsInNumbers(c.spaces, c.text, types);
    for (size_t i = 0; i < c.text.size(); ++i) {
      const bool joined = std::find(c.joined.begin(), c.joined.end(), i) != c.joined.end();
      EXPECT_EQ(types[i], joined ? kJoinedDigitType : before[i])
          << std::string(c.text.begin(), c.text.end()) << " at " << i;
    }
  }
}

TEST(HandleMiddleCharsInNumbers, MiddleDotByCodePageAndMarkersKept) {
  const std::string text =
      "1\xB7"
      "5";
  TCharTypeArray types = BuildCharTypeArray(std::string_view(text), kEnglishUS);
  HandleMiddleCharsInNumbers(false, std::string_view(text), types, 1252);
  EXPECT_EQ(types[1], kJoinedDigitType);
  // In the Thai code page 874 the byte 0xB7 is a letter, not a middle dot.
  types = BuildCharTypeArray(std::string_view(text), kThai);
  const uint16_t letter = types[1];
  EXPECT_NE(letter & C1_ALPHA, 0);
  HandleMiddleCharsInNumbers(false, std::string_view(text), types, 874);
  EXPECT_EQ(types[1], letter);

  // A marker between digits stays; a marker whose code has the digit bit is no digit.
  types = Pattern("1]5");
  HandleMiddleCharsInNumbers(false, u"1.5", types);
  EXPECT_EQ(types[1], kMarkerBit | marker_sentence_end);
  types = Pattern("(.5");
  HandleMiddleCharsInNumbers(false, u"x.5", types);
  EXPECT_EQ(types[1], Pattern(".")[0]);
}

struct HookCall {
  int kind;
  int32_t number, ends_at;
  friend bool operator==(const HookCall &, const HookCall &) = default;
};
std::vector<HookCall> g_calls;
void OnSentence(int32_t n, int32_t at) {
  g_calls.push_back({1, n, at});
}
void OnParagraph(int32_t n, int32_t at) {
  g_calls.push_back({2, n, at});
}
void OnHeading(int32_t n, int32_t at) {
  g_calls.push_back({3, n, at});
}
void OnSection(int32_t n, int32_t at) {
  g_calls.push_back({4, n, at});
}

class SectionCounting : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    HandleSentenceEndProc = OnSentence;
    HandleParagraphEndProc = OnParagraph;
    HandleHeadingEndProc = OnHeading;
    HandleSectionEndProc = OnSection;
  }
  void TearDown() override {
    HandleSentenceEndProc = IgnoreTextSectionEnd;
    HandleParagraphEndProc = IgnoreTextSectionEnd;
    HandleHeadingEndProc = IgnoreTextSectionEnd;
    HandleSectionEndProc = IgnoreTextSectionEnd;
  }
};

struct CountCase {
  std::string pattern;
  TTagsFoundArray found;
  bool in_heading_before;
  std::array<int32_t, 5> number, position;
  bool in_heading_after;
  std::vector<HookCall> calls;
};

TEST_F(SectionCounting, CountsWordsAndSectionsOfSmallTexts) {
  const TTagsFoundArray none{};
  const TTagsFoundArray sentence_ends{0, 2, 0, 0, 0, 0, 0, 0};
  const TTagsFoundArray heading_ends{0, 0, 0, 0, 1, 1, 0, 0};
  const CountCase cases[] = {
      // The first word of a buffer that does not begin with white space is not counted.
      {"a b c", none, false, {2, 0, 0, 0, 0}, {0, 2, 2, 0, 2}, false, {}},
      {" a b c", none, false, {3, 0, 0, 0, 0}, {0, 3, 3, 0, 3}, false, {}},
      {" a  b\t\tc ", none, false, {4, 0, 0, 0, 0}, {0, 4, 4, 0, 4}, false, {}},
      {" a b] c]",
       sentence_ends,
       false,
       {3, 2, 0, 0, 0},
       {0, 1, 3, 0, 3},
       false,
       {{1, 0, 2}, {1, 1, 2}}},
      // Sentence starts are ignored where sentence ends are marked, and end sentences where not.
      // A space before a marker starts no word, so a word glued to a marker is not counted.
      {" [a b] [c]",
       sentence_ends,
       false,
       {1, 2, 0, 0, 0},
       {0, 1, 1, 0, 1},
       false,
       {{1, 0, 1}, {1, 1, 1}}},
      {" [a b [c", none, false, {1, 2, 0, 0, 0}, {0, 1, 1, 0, 1}, false, {{1, 0, 0}, {1, 1, 2}}},
      // A marker is no character class: no word starts at or before it.
      {"a]b", sentence_ends, false, {0, 1, 0, 0, 0}, {0, 1, 0, 0, 0}, false, {{1, 0, 0}}},
      {" a ]b", sentence_ends, false, {1, 1, 0, 0, 0}, {0, 1, 1, 0, 1}, false, {{1, 0, 1}}},
      {" a {b", none, false, {1, 0, 1, 0, 0}, {0, 1, 1, 0, 1}, false, {{2, 0, 1}}},
      {" a} b}", none, false, {2, 0, 2, 0, 0}, {0, 2, 1, 0, 2}, false, {{2, 0, 1}, {2, 1, 2}}},
      {" a) b(", none, false, {2, 0, 0, 0, 2}, {0, 2, 2, 0, 1}, false, {{4, 0, 1}, {4, 1, 2}}},
      // Headings: the heading position advances only inside a heading.
      {" <- a b>- c", heading_ends, false, {3, 0, 0, 1, 0}, {0, 3, 3, 1, 3}, false, {{3, 0, 2}}},
      {" <- a b", none, false, {2, 0, 0, 1, 0}, {0, 2, 2, 1, 2}, false, {{3, 0, 0}}},
      {" a b", none, true, {2, 0, 0, 0, 0}, {0, 2, 2, 2, 2}, true, {}},
      {" a <b", heading_ends, false, {1, 0, 0, 0, 0}, {0, 1, 1, 0, 1}, true, {}},
      // A pass-over character is not white: "a -b" starts a word at the space.
      {"a -b", none, false, {1, 0, 0, 0, 0}, {0, 1, 1, 0, 1}, false, {}},
  };
  for (const CountCase &c : cases) {
    SCOPED_TRACE(c.pattern);
    g_calls.clear();
    const TCharTypeArray types = Pattern(c.pattern);
    TSearchStatsRec stats;
    bool in_heading = c.in_heading_before;
    CountTextSections(types, static_cast<int32_t>(c.pattern.size()), stats, in_heading, c.found);
    EXPECT_EQ(stats.number, c.number);
    EXPECT_EQ(stats.position, c.position);
    for (size_t k = 1; k < 5; ++k) EXPECT_EQ(stats.out_of[k], stats.position[k]);
    EXPECT_EQ(in_heading, c.in_heading_after);
    EXPECT_EQ(g_calls, c.calls);
  }
}

TEST_F(SectionCounting, ContinuesFromTheCountsGivenAndKeepsIndexZero) {
  TSearchStatsRec stats;
  stats.number = {10, 2, 1, 0, 0};
  stats.position = {77, 5, 9, 0, 9};
  stats.out_of = {88, 0, 0, 0, 0};
  bool in_heading = false;
  const TCharTypeArray types = Pattern(" a] b");
  CountTextSections(types, 5, stats, in_heading, {0, 1, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(stats.number, (std::array<int32_t, 5>{12, 3, 1, 0, 0}));
  EXPECT_EQ(stats.position, (std::array<int32_t, 5>{77, 2, 11, 0, 11}));
  EXPECT_EQ(stats.out_of, (std::array<int32_t, 5>{88, 2, 11, 0, 11}));
  EXPECT_EQ(g_calls, (std::vector<HookCall>{{1, 2, 6}}));
}

TEST_F(SectionCounting, CountsStopAtTheLargestValueAndBadCountsChangeNothing) {
  TSearchStatsRec stats;
  stats.number[0] = INT32_MAX;
  stats.position[1] = INT32_MAX;
  bool in_heading = false;
  const TCharTypeArray types = Pattern(" a b");
  CountTextSections(types, 4, stats, in_heading, {});
  EXPECT_EQ(stats.number[0], INT32_MAX);
  EXPECT_EQ(stats.position[1], INT32_MAX);
  EXPECT_EQ(stats.position[2], 2);

  const TSearchStatsRec before = stats;
  CountTextSections(types, -1, stats, in_heading, {});
  CountTextSections(types, static_cast<int32_t>(types.size()) + 1, stats, in_heading, {});
  EXPECT_EQ(stats, before);
}

// Marks every occurrence of each tag as a tool does: a marker word at the tag's first
// character and the pass-over bit on the rest of it. Returns the TTagsFoundArray.
TTagsFoundArray MarkTags(std::u16string_view text, TCharTypeArray &types) {
  struct Tag {
    std::u16string_view text;
    TTextMarkerCode code;
  };
  const Tag tags[] = {{u"<s>", marker_sentence_start},  {u"</s>", marker_sentence_end},
                      {u"<p>", marker_paragraph_start}, {u"</p>", marker_paragraph_end},
                      {u"<h>", marker_heading_start},   {u"</h>", marker_heading_end},
                      {u"<d>", marker_section_start},   {u"</d>", marker_section_end}};
  TTagsFoundArray found{};
  for (size_t k = 0; k < std::size(tags); ++k) {
    for (size_t at = text.find(tags[k].text); at != text.npos;
         at = text.find(tags[k].text, at + 1)) {
      types[at] = kMarkerBit | tags[k].code;
      for (size_t i = 1; i < tags[k].text.size(); ++i) types[at + i] |= kPassOverBit;
      ++found[k];
    }
  }
  return found;
}

TEST_F(SectionCounting, CountsATaggedTextWithAHeading) {
  const std::u16string text = u" <h> Big News </h> <p> <s> The cat sat. </s> <s> It ran. </s> </p>";
  TCharTypeArray types = BuildCharTypeArray(text, kEnglishUS);
  const TTagsFoundArray found = MarkTags(text, types);
  EXPECT_EQ(found, (TTagsFoundArray{2, 2, 1, 1, 1, 1, 0, 0}));
  TSearchStatsRec stats;
  bool in_heading = false;
  CountTextSections(types, static_cast<int32_t>(text.size()), stats, in_heading, found);
  EXPECT_EQ(stats.number, (std::array<int32_t, 5>{7, 2, 1, 1, 0}));
  EXPECT_EQ(stats.position, (std::array<int32_t, 5>{0, 1, 1, 1, 7}));
  EXPECT_FALSE(in_heading);
  EXPECT_EQ(g_calls, (std::vector<HookCall>{{3, 0, 2}, {1, 0, 5}, {1, 1, 3}, {2, 0, 7}}));

  // The same text cut in two at the heading's end: the second call goes on from the counts
  // and the heading state that the first one stored.
  const size_t cut = text.find(u"</h>");
  TSearchStatsRec chunked;
  in_heading = false;
  g_calls.clear();
  CountTextSections(std::span<const uint16_t>(types).first(cut + 1), static_cast<int32_t>(cut),
                    chunked, in_heading, found);
  EXPECT_TRUE(in_heading);
  EXPECT_EQ(chunked.position[3], 2);
  CountTextSections(std::span<const uint16_t>(types).subspan(cut),
                    static_cast<int32_t>(text.size() - cut), chunked, in_heading, found);
  EXPECT_EQ(chunked, stats);
  EXPECT_EQ(g_calls.size(), 4u);
}

TEST_F(SectionCounting, WorksOnATypedAndJoinedText) {
  const std::u16string text = u"It's 1,000 dogs' bones.";
  TCharTypeArray types = BuildCharTypeArray(text, kEnglishUS);
  HandleMiddleChars(text, types, u"'", false, false);
  HandleMiddleCharsInNumbers(false, text, types);
  EXPECT_EQ(types[2], kJoinedLetterType);
  EXPECT_EQ(types[6], kJoinedDigitType);
  EXPECT_EQ(types[15] & kWordCharMask, 0);  // dogs' : the apostrophe ends the word
  TSearchStatsRec stats;
  bool in_heading = false;
  CountTextSections(types, static_cast<int32_t>(text.size()), stats, in_heading, {});
  EXPECT_EQ(stats.number[0], 3);
}

}  // namespace
