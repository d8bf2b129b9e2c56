// Character types of UTF-16 units, code points and 8-bit text: the C1, C2 and C3 words of
// characters from several scripts, surrogate pairs, and the byte-wise form for code pages.
#include "platform/char_types.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/code_pages.h"

namespace {

using namespace platform;

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", value);
  return text;
}

struct UnitCase {
  char16_t unit;
  uint16_t ctype1;
  uint16_t ctype2;
  uint16_t ctype3;
};

constexpr uint16_t kLetterUpper = C1_ALPHA | C1_UPPER | C1_DEFINED;  // 0x0301
constexpr uint16_t kLetterLower = C1_ALPHA | C1_LOWER | C1_DEFINED;  // 0x0302
constexpr uint16_t kLetterCaseless = C1_ALPHA | C1_DEFINED;          // 0x0300
constexpr uint16_t kPunct = C1_PUNCT | C1_DEFINED;                   // 0x0210

const UnitCase kUnitCases[] = {
    // Latin, with the hex-digit flag on a-f and A-F only.
    {u'A', kLetterUpper | C1_XDIGIT, C2_LEFTTORIGHT, C3_ALPHA | C3_HALFWIDTH},
    {u'a', kLetterLower | C1_XDIGIT, C2_LEFTTORIGHT, C3_ALPHA | C3_HALFWIDTH},
    {u'z', kLetterLower, C2_LEFTTORIGHT, C3_ALPHA | C3_HALFWIDTH},
    {0x00C9, kLetterUpper, C2_LEFTTORIGHT, C3_ALPHA},  // E acute
    {0x00E9, kLetterLower, C2_LEFTTORIGHT, C3_ALPHA},
    {0x01C5, kLetterUpper, C2_LEFTTORIGHT, C3_ALPHA},  // titlecase Dz caron counts as upper
    // Greek and Cyrillic.
    {0x03A3, kLetterUpper, C2_LEFTTORIGHT, C3_ALPHA},
    {0x03C9, kLetterLower, C2_LEFTTORIGHT, C3_ALPHA},
    {0x0416, kLetterUpper, C2_LEFTTORIGHT, C3_ALPHA},
    {0x0436, kLetterLower, C2_LEFTTORIGHT, C3_ALPHA},
    // Arabic and Hebrew: caseless letters, right to left; the kashida; vowel marks.
    {0x0628, kLetterCaseless, C2_RIGHTTOLEFT, C3_ALPHA},
    {0x05D0, kLetterCaseless, C2_RIGHTTOLEFT, C3_ALPHA},
    {0x0640, kLetterCaseless, C2_RIGHTTOLEFT, C3_ALPHA | C3_KASHIDA | C3_LEXICAL},
    {0x064E, kLetterCaseless, C2_OTHERNEUTRAL,
     C3_ALPHA | C3_NONSPACING | C3_DIACRITIC | C3_VOWELMARK},  // fatha
    {0x05B4, kLetterCaseless, C2_OTHERNEUTRAL,
     C3_ALPHA | C3_NONSPACING | C3_DIACRITIC | C3_VOWELMARK},  // hiriq
    // Devanagari: letter, spacing vowel sign, digit.
    {0x0915, kLetterCaseless, C2_LEFTTORIGHT, C3_ALPHA},
    {0x093F, kLetterCaseless, C2_LEFTTORIGHT, C3_ALPHA | C3_VOWELMARK},
    {0x096B, C1_DIGIT | C1_DEFINED, C2_LEFTTORIGHT, 0},
    // CJK, hiragana, katakana (full and half width), the prolonged sound mark.
    {0x4E2D, kLetterCaseless, C2_LEFTTORIGHT, C3_ALPHA | C3_IDEOGRAPH | C3_FULLWIDTH},
    {0x3042, kLetterCaseless, C2_LEFTTORIGHT, C3_ALPHA | C3_HIRAGANA | C3_FULLWIDTH},
    {0x30A2, kLetterCaseless, C2_LEFTTORIGHT, C3_ALPHA | C3_KATAKANA | C3_FULLWIDTH},
    {0xFF71, kLetterCaseless, C2_LEFTTORIGHT, C3_ALPHA | C3_KATAKANA | C3_HALFWIDTH},
    {0x30FC, kLetterCaseless, C2_LEFTTORIGHT,
     C3_ALPHA | C3_KATAKANA | C3_HIRAGANA | C3_FULLWIDTH | C3_LEXICAL | C3_DIACRITIC},
    // Digits of several scripts; fullwidth digits and letters are hex digits too.
    {u'7', C1_DIGIT | C1_XDIGIT | C1_DEFINED, C2_EUROPENUMBER, C3_HALFWIDTH},
    {0x0663, C1_DIGIT | C1_DEFINED, C2_ARABICNUMBER, 0},
    {0xFF15, C1_DIGIT | C1_XDIGIT | C1_DEFINED, C2_EUROPENUMBER, C3_FULLWIDTH},
    {0xFF21, kLetterUpper | C1_XDIGIT, C2_LEFTTORIGHT, C3_ALPHA | C3_FULLWIDTH},
    // Symbols are punctuation in C1 and symbols in C3.
    {u'$', kPunct, C2_EUROPETERMINATOR, C3_SYMBOL | C3_HALFWIDTH},
    {u'+', kPunct, C2_EUROPESEPARATOR, C3_SYMBOL | C3_HALFWIDTH},
    {u'<', kPunct, C2_OTHERNEUTRAL, C3_SYMBOL | C3_HALFWIDTH},
    {u'=', kPunct, C2_OTHERNEUTRAL, C3_SYMBOL | C3_HALFWIDTH},
    {u'>', kPunct, C2_OTHERNEUTRAL, C3_SYMBOL | C3_HALFWIDTH},
    {u'^', kPunct, C2_OTHERNEUTRAL, C3_SYMBOL | C3_HALFWIDTH | C3_DIACRITIC | C3_LEXICAL},
    {u'|', kPunct, C2_OTHERNEUTRAL, C3_SYMBOL | C3_HALFWIDTH},
    {u'~', kPunct, C2_OTHERNEUTRAL, C3_SYMBOL | C3_HALFWIDTH},
    {0x20AC, kPunct, C2_EUROPETERMINATOR, C3_SYMBOL},  // euro sign
    {0x00BD, kPunct, C2_OTHERNEUTRAL, 0},              // one half: a number, not a digit
    {u'.', kPunct, C2_COMMONSEPARATOR, C3_HALFWIDTH},
    {u',', kPunct, C2_COMMONSEPARATOR, C3_HALFWIDTH},
    {u'!', kPunct, C2_OTHERNEUTRAL, C3_HALFWIDTH},
    // Combining marks are alphabetic, so that decomposed accents never split a word.
    {0x0301, kLetterCaseless, C2_OTHERNEUTRAL, C3_ALPHA | C3_NONSPACING | C3_DIACRITIC},
    // Spaces and controls.
    {u' ', C1_SPACE | C1_BLANK | C1_DEFINED, C2_WHITESPACE, C3_HALFWIDTH},
    {u'\t', C1_CNTRL | C1_SPACE | C1_BLANK | C1_DEFINED, C2_SEGMENTSEPARATOR, 0},
    {u'\n', C1_CNTRL | C1_SPACE | C1_DEFINED, C2_BLOCKSEPARATOR, 0},
    {u'\r', C1_CNTRL | C1_SPACE | C1_DEFINED, C2_BLOCKSEPARATOR, 0},
    {0x0001, C1_CNTRL | C1_DEFINED, C2_NOTAPPLICABLE, 0},
    {0x001F, C1_CNTRL | C1_SPACE | C1_DEFINED, C2_SEGMENTSEPARATOR, 0},
    {0x00A0, C1_SPACE | C1_BLANK | C1_DEFINED, C2_COMMONSEPARATOR, 0},  // no-break space
    {0x3000, C1_SPACE | C1_BLANK | C1_DEFINED, C2_WHITESPACE, C3_FULLWIDTH},
    {0x2028, C1_SPACE | C1_DEFINED, C2_WHITESPACE, 0},
    {0x200D, C1_CNTRL | C1_DEFINED, C2_NOTAPPLICABLE, 0},  // zero width joiner
    {0x202B, C1_CNTRL | C1_DEFINED, C2_NOTAPPLICABLE, 0},  // right-to-left embedding
    // Private use is defined and nothing else; unassigned code points and non-characters have
    // no type at all; a surrogate unit standing alone is defined and carries its C3 flag.
    {0xE000, C1_DEFINED, C2_LEFTTORIGHT, 0},
    {0x0378, 0, C2_NOTAPPLICABLE, 0},
    {0xFFFF, 0, C2_NOTAPPLICABLE, 0},
    {0xD800, C1_DEFINED, C2_NOTAPPLICABLE, C3_HIGHSURROGATE},
    {0xDC00, C1_DEFINED, C2_NOTAPPLICABLE, C3_LOWSURROGATE},
};

TEST(CharTypes, UnitsOfSeveralScriptsGetTheirTypeWords) {
  for (const UnitCase &c : kUnitCases) {
    const std::string name = Hex(c.unit);
    EXPECT_EQ(CharTypeOfUnit(CT_CTYPE1, c.unit), c.ctype1) << name;
    EXPECT_EQ(CharTypeOfUnit(CT_CTYPE2, c.unit), c.ctype2) << name;
    EXPECT_EQ(CharTypeOfUnit(CT_CTYPE3, c.unit), c.ctype3) << name;
    EXPECT_EQ(CharTypeOfCodePoint(CT_CTYPE1, c.unit), c.ctype1) << name;
  }
}

TEST(CharTypes, StringQueryAgreesWithTheUnitTableForEveryBmpUnitOutsideSurrogates) {
  // The whole BMP as one text, surrogates left out so that no two units pair up.
  std::u16string text;
  for (uint32_t u = 0; u < 0x10000; ++u)
    if (u < 0xD800 || u > 0xDFFF) text.push_back(static_cast<char16_t>(u));
  for (uint32_t info : {CT_CTYPE1, CT_CTYPE2, CT_CTYPE3}) {
    std::vector<uint16_t> types(text.size());
    ASSERT_TRUE(GetStringTypeW(info, text, types));
    const uint16_t *table = BmpCharTypeTable(info);
    ASSERT_NE(table, nullptr);
    size_t mismatches = 0;
    for (size_t i = 0; i < text.size(); ++i) mismatches += types[i] != table[text[i]];
    EXPECT_EQ(mismatches, 0u) << info;
  }
}

TEST(CharTypes, EveryLetterIsAlphaAndEveryCasedLetterIsUpperOrLowerButNotBoth) {
  // Class invariants over the whole table: the engine's masks rely on them.
  const uint16_t *c1 = BmpCharTypeTable(CT_CTYPE1);
  const uint16_t *c3 = BmpCharTypeTable(CT_CTYPE3);
  for (uint32_t u = 0; u < 0x10000; ++u) {
    const uint16_t t = c1[u];
    const std::string name = Hex(u);
    EXPECT_TRUE(!(t & (C1_UPPER | C1_LOWER)) || (t & C1_ALPHA)) << name;
    EXPECT_NE(t & (C1_UPPER | C1_LOWER), C1_UPPER | C1_LOWER) << name;
    EXPECT_TRUE(t == 0 || (t & C1_DEFINED)) << name;
    EXPECT_FALSE((t & C1_ALPHA) && (t & (C1_DIGIT | C1_PUNCT | C1_SPACE))) << name;
    EXPECT_EQ((c3[u] & C3_ALPHA) != 0, (t & C1_ALPHA) != 0) << name;
  }
}

struct PairCase {
  char32_t code_point;
  uint16_t ctype1;
  uint16_t ctype2;
  uint16_t ctype3;  // without the surrogate flags
};

const PairCase kPairCases[] = {
    {0x1D400, kLetterUpper, C2_LEFTTORIGHT, C3_ALPHA},  // mathematical bold capital A
    {0x20000, kLetterCaseless, C2_LEFTTORIGHT, C3_ALPHA | C3_IDEOGRAPH | C3_FULLWIDTH},
    {0x1F600, kPunct, C2_OTHERNEUTRAL, C3_SYMBOL | C3_FULLWIDTH},  // grinning face
    {0x1E922, kLetterLower, C2_RIGHTTOLEFT, C3_ALPHA},             // Adlam small letter
    {0x11066, C1_DIGIT | C1_DEFINED, C2_LEFTTORIGHT, 0},           // Brahmi digit zero
    {0x50000, 0, C2_NOTAPPLICABLE, 0},                             // unassigned plane 5
};

TEST(CharTypes, BothUnitsOfASurrogatePairCarryTheCharactersType) {
  for (const PairCase &c : kPairCases) {
    const std::string name = Hex(c.code_point);
    EXPECT_EQ(CharTypeOfCodePoint(CT_CTYPE1, c.code_point), c.ctype1) << name;
    EXPECT_EQ(CharTypeOfCodePoint(CT_CTYPE2, c.code_point), c.ctype2) << name;
    EXPECT_EQ(CharTypeOfCodePoint(CT_CTYPE3, c.code_point), c.ctype3) << name;
    const char32_t v = c.code_point - 0x10000;
    const std::u16string text = {u'x', static_cast<char16_t>(0xD800 + (v >> 10)),
                                 static_cast<char16_t>(0xDC00 + (v & 0x3FF)), u' '};
    std::vector<uint16_t> t1(4), t2(4), t3(4);
    ASSERT_TRUE(GetStringTypeW(CT_CTYPE1, text, t1));
    ASSERT_TRUE(GetStringTypeW(CT_CTYPE2, text, t2));
    ASSERT_TRUE(GetStringTypeW(CT_CTYPE3, text, t3));
    EXPECT_EQ(t1, (std::vector<uint16_t>{kLetterLower, c.ctype1, c.ctype1,
                                         C1_SPACE | C1_BLANK | C1_DEFINED}))
        << name;
    EXPECT_EQ(t2[1], c.ctype2) << name;
    EXPECT_EQ(t2[2], c.ctype2) << name;
    EXPECT_EQ(t3[1], c.ctype3 | C3_HIGHSURROGATE) << name;
    EXPECT_EQ(t3[2], c.ctype3 | C3_LOWSURROGATE) << name;
  }
}

TEST(CharTypes, SurrogatesThatDoNotFormAPairAreTypedAlone) {
  struct Case {
    std::u16string text;
  } cases[] = {
      {u"\xDC00\xD800"},  // trail before lead
      {u"a\xD800"},       // lead at the end
      {u"\xD800z"},       // lead before a non-trail
  };
  for (const Case &c : cases) {
    std::vector<uint16_t> types(c.text.size());
    ASSERT_TRUE(GetStringTypeW(CT_CTYPE1, c.text, types));
    for (size_t i = 0; i < c.text.size(); ++i)
      EXPECT_EQ(types[i], CharTypeOfUnit(CT_CTYPE1, c.text[i])) << i;
  }
}

TEST(CharTypes, RefusesUnknownKindsAndShortOutputWithoutWriting) {
  std::vector<uint16_t> types(2, 0xABCD);
  EXPECT_FALSE(GetStringTypeW(3, u"ab", types));
  EXPECT_FALSE(GetStringTypeW(CT_CTYPE1, u"abc", types));
  EXPECT_FALSE(GetStringTypeA(CT_CTYPE1, "abc", 1252, types));
  EXPECT_FALSE(GetStringTypeA(8, "ab", 1252, types));
  EXPECT_EQ(types, (std::vector<uint16_t>{0xABCD, 0xABCD}));
  EXPECT_EQ(BmpCharTypeTable(0), nullptr);
  EXPECT_EQ(CharTypeOfUnit(0, u'a'), 0);
  EXPECT_EQ(CharTypeOfCodePoint(CT_CTYPE1, 0x110000), 0);
  EXPECT_TRUE(GetStringTypeW(CT_CTYPE1, u"", std::span<uint16_t>()));
}

TEST(CharTypes, EightBitTextGivesEveryByteOfACharacterItsType) {
  constexpr uint16_t kSpace = C1_SPACE | C1_BLANK | C1_DEFINED;
  struct Case {
    uint32_t code_page;
    std::string bytes;
    std::vector<uint16_t> ctype1;
  } cases[] = {
      {1252, "\x80\xE9 a", {kPunct, kLetterLower, kSpace, kLetterLower | C1_XDIGIT}},
      {1251, "\xC6\xE6", {kLetterUpper, kLetterLower}},
      {1253, "\xD3", {kLetterUpper}},
      // Shift-JIS: the trail byte 7B of the second ideograph is not a brace.
      {932,
       "\x93\xFA\x96\x7B"
       "a",
       {kLetterCaseless, kLetterCaseless, kLetterCaseless, kLetterCaseless,
        kLetterLower | C1_XDIGIT}},
      // UTF-8: a two-byte letter, a four-byte symbol, a stray continuation byte, a cut-off
      // sequence at the end.
      {65001,
       "\xC3\xA9\xF0\x9F\x98\x80\x80!\xE4\xB8",
       {kLetterLower, kLetterLower, kPunct, kPunct, kPunct, kPunct, 0, kPunct, 0, 0}},
  };
  for (const Case &c : cases) {
    std::vector<uint16_t> types(c.bytes.size(), 0xABCD);
    ASSERT_TRUE(GetStringTypeA(CT_CTYPE1, c.bytes, c.code_page, types));
    EXPECT_EQ(types, c.ctype1) << c.code_page;
  }
}

TEST(CharTypes, EightBitCodePageZeroMeansTheProcessAnsiCodePage) {
  const uint32_t saved = AnsiCodePage();
  SetAnsiCodePage(1251);
  std::vector<uint16_t> types(1);
  ASSERT_TRUE(GetStringTypeA(CT_CTYPE1, "\xC6", 0, types));
  EXPECT_EQ(types[0], kLetterUpper);  // Cyrillic capital Zhe, not Latin AE
  SetAnsiCodePage(1253);
  ASSERT_TRUE(GetStringTypeA(CT_CTYPE3, "\xC6", 0, types));
  EXPECT_EQ(types[0], C3_ALPHA);  // Greek capital Phi: no width class
  SetAnsiCodePage(saved);
}

}  // namespace
