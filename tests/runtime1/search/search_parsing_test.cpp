#include "runtime1/search/search_parsing.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/utf16_text.h"
#include "runtime1/search/user_input_wildcard_parsing.h"

namespace {

using std::u16string;

const u16string kAnyWord(1, any_word_symbol_char);
const u16string kAnyChars(1, kAnyCharsInWordUnit);
const u16string kOpen(1, kTagOpenUnit);
const u16string kClose(1, kTagCloseUnit);

TIgnore_tag_type Tags(std::u16string_view openings, std::u16string_view closings) {
  TIgnore_tag_type tags;
  for (size_t i = 0; i < openings.size(); ++i) tags.chars[tag_on][i] = openings[i];
  for (size_t i = 0; i < closings.size(); ++i) tags.chars[tag_off][i] = closings[i];
  return tags;
}

std::string Show(std::u16string_view text) {
  std::string shown;
  for (const char16_t unit : text) {
    if (unit >= 0x20 && unit < 0x7F) {
      shown.push_back(static_cast<char>(unit));
    } else {
      char buffer[16];
      snprintf(buffer, sizeof buffer, "<%04X>", static_cast<unsigned>(unit));
      shown += buffer;
    }
  }
  return shown;
}

struct ParseCase {
  u16string typed;
  TIgnore_tag_type tags;
  u16string search_text;
  uint8_t flags;
  bool ambiguous;
  bool contains_a_tag;
  u16string context;
};

TEST(ParsedSearchWord, TypedSyntaxTable) {
  const TIgnore_tag_type none{};
  const TIgnore_tag_type angle = Tags(u"<", u">");
  const TIgnore_tag_type angle_square = Tags(u"<[", u">]");
  const TIgnore_tag_type opening_only = Tags(u"<", u"");
  const std::vector<ParseCase> cases = {
      {u"colour", none, u"colour", 0x30, false, false, u""},
      {u"book*", none, u"book", 0x10, true, false, u""},
      {u"*ing", none, u"ing", 0x20, true, false, u""},
      {u"*ing*", none, u"ing", 0x00, true, false, u""},
      {u"==Word==", none, u"Word", 0x34, true, false, u""},
      {u"~the", none, u"the", 0x38, true, false, u""},
      {u"*", none, u"", 0x20, true, false, u""},
      {u"~", none, u"", 0x38, true, false, u""},
      {u"==", none, u"==", 0x30, false, false, u""},
      {u"====", none, u"", 0x34, true, false, u""},
      {u"a * b", none, u"a " + kAnyWord + u" b", 0x30, true, false, u""},
      {u"a * * b", none, u"a " + kAnyWord + u" " + kAnyWord + u" b", 0x30, true, false, u""},
      {u"a*b", none, u"a" + kAnyChars + u"b", 0x30, true, false, u""},
      {u"^#?", none, u"\x1E\x1B\x1C", 0x30, true, false, u""},
      {u"x}}}", none, u"x\x15}}", 0x30, true, false, u""},
      {u"x context:=file.txt", none, u"x", 0x30, true, false, u"file.txt"},
      {u"<w>the", angle, kOpen + u"w" + kClose + u"the", 0x30, true, true, u""},
      {u"<w>the", angle_square, kOpen + u"w" + kClose + u"the", 0x30, true, true, u""},
      {u"<w>the", none, u"<w>the", 0x30, false, false, u""},
      {u"<w>the", opening_only, kOpen + u"w>the", 0x30, true, false, u""},
      {u"w>the", angle, u"w>the", 0x30, false, false, u""},
      {u"/\\the", none, u"\x10the", 0x30, true, false, u""},
      {u"the/\\", none, u"the\x13", 0x30, true, false, u""},
      {u"\"?\"", none, u"?", 0x30, true, false, u""},
      {u"a\"/\"b", none, u"a/b", 0x30, true, false, u""},
      {u"\"*\"", none, u"*", 0x30, true, false, u""},
      {u"\"==\"x", none, u"==x", 0x30, true, false, u""},
      {u"\"}}}\"", none, u"}}}", 0x30, true, false, u""},
      {u"\"/\\\"", none, u"/\\", 0x30, true, false, u""},
      {u"\"<\"b\">\"", angle, u"<b>", 0x30, true, false, u""},
      {u"\"#\"1", none, u"#1", 0x30, true, false, u""},
      {u"  the  ", none, u"the", 0x30, true, false, u""},
      {u"a{CHR(66)}c", none, u"aBc", 0x30, true, false, u""},
  };
  for (const ParseCase &c : cases) {
    SCOPED_TRACE(Show(c.typed));
    const TSearch_word_format_rec rec = Parsed_SearchWord(c.tags, c.typed);
    EXPECT_EQ(rec.typed_in_text, c.typed);
    EXPECT_EQ(Show(rec.search_text), Show(c.search_text));
    EXPECT_EQ(rec.flags.AsByte(), c.flags);
    EXPECT_EQ(rec.ambiguous, c.ambiguous);
    EXPECT_EQ(rec.contains_a_tag, c.contains_a_tag);
    EXPECT_EQ(rec.sw_context_needed, c.context);
    EXPECT_EQ(rec.has_file_based_context_word, !c.context.empty());
  }
}

TEST(ParsedSearchWord, CopiesFollowCaseForms) {
  struct Case {
    u16string typed, upper, lower, capitalised;
  };
  const Case cases[] = {
      {u"dOG", u"DOG", u"dog", u"Dog"},
      {u"σοφία", u"ΣΟΦΊΑ", u"σοφία", u"Σοφία"},
      // Deseret letters lie outside the Basic Multilingual Plane: the capitalised copy must
      // upper-case the whole first character, not half of it.
      {u"\U00010428\U00010428", u"\U00010400\U00010400", u"\U00010428\U00010428",
       u"\U00010400\U00010428"},
      {u"a*b", u"A" + kAnyChars + u"B", u"a" + kAnyChars + u"b", u"A" + kAnyChars + u"b"},
  };
  for (const Case &c : cases) {
    const TSearch_word_format_rec rec = Parsed_SearchWord({}, c.typed);
    EXPECT_EQ(rec.copies[0], rec.search_text);
    EXPECT_EQ(rec.copies[1], c.upper);
    EXPECT_EQ(rec.copies[2], c.lower);
    EXPECT_EQ(rec.copies[3], c.capitalised);
  }
  const TSearch_word_format_rec empty = Parsed_SearchWord({}, u"*");
  for (const u16string &copy : empty.copies) EXPECT_TRUE(copy.empty());
}

TEST(ParsedSearchWord, CountsSpacesAndStartsClear) {
  const TSearch_word_format_rec rec = Parsed_SearchWord({}, u"the old dog");
  EXPECT_EQ(rec.spaces_in_sw, 2);
  EXPECT_EQ(rec.n_to_find, 0);
  EXPECT_EQ(rec.hits_found, 0);
  EXPECT_FALSE(rec.copies_converted);
  EXPECT_EQ(rec.Langnum, 0);
}

TEST(UnParsedSearchWord, TakesMarksButKeepsInternalUnits) {
  const TSearch_word_format_rec marked = UnParsed_SearchWord(u"*ab\x1D");
  EXPECT_EQ(marked.search_text, u"ab\x1D");
  EXPECT_EQ(marked.flags.AsByte(), 0x20);
  EXPECT_TRUE(marked.ambiguous);
  EXPECT_EQ(marked.copies[1], u"AB\x1D");

  const TSearch_word_format_rec plain = UnParsed_SearchWord(u"a?b");
  EXPECT_EQ(plain.search_text, u"a?b");
  EXPECT_EQ(plain.flags, kFreshSearchFlags);
  EXPECT_FALSE(plain.ambiguous);
}

TEST(FlagsFromSW, StripsOnlyTheMarksItReads) {
  struct Case {
    u16string typed, rest;
    uint8_t flags;
  };
  const Case cases[] = {
      {u"walk", u"walk", 0x30},  {u"*walk*", u"walk", 0x00}, {u"==Walk==", u"Walk", 0x34},
      {u"~walk", u"walk", 0x38}, {u"~walk*", u"walk", 0x18}, {u"*==x==", u"==x==", 0x20},
      {u"===", u"===", 0x30},    {u"**", u"", 0x00},         {u"", u"", 0x30},
      {u"~~a", u"~a", 0x38},
  };
  for (const Case &c : cases) {
    u16string text = c.typed;
    EXPECT_EQ(FlagsFromSW(text).AsByte(), c.flags) << Show(c.typed);
    EXPECT_EQ(text, c.rest) << Show(c.typed);
  }
}

TEST(SplitSWList, CutsAtSlashesBetweenAlternatives) {
  struct Case {
    u16string typed;
    bool split;
    std::vector<u16string> pieces;
  };
  const Case cases[] = {
      {u"colour/color", true, {u"colour", u"color"}},
      {u"colour/color", false, {u"colour/color"}},
      {u"a/b/c", true, {u"a", u"b", u"c"}},
      {u"a\"/\"b", true, {u"a\"/\"b"}},
      {u"/a/", true, {u"/a/"}},
      {u"a//b", true, {u"a", u"/b"}},
      {u"the/\\", true, {u"the/\\"}},
      {u"the/\\/that", true, {u"the/\\", u"that"}},
      {u"/\\the/that", true, {u"/\\the", u"that"}},
      {u"", true, {u""}},
  };
  for (const Case &c : cases) {
    u16string text = c.typed;
    EXPECT_EQ(SplitSWList(text, c.split), c.pieces) << Show(c.typed);
    EXPECT_TRUE(text.empty());
  }
}

TEST(ParseTranslate, RepeatsUntilTheSymbolIsGone) {
  u16string text = u"}}}}}";
  EXPECT_TRUE(Parse_Translate(text, u"}}}", kAnyStringUnit));
  EXPECT_EQ(text, u"\x15\x15\x15}}");
  // A replacement that recreates the symbol before it is found again.
  text = u"aab";
  EXPECT_TRUE(Parse_Translate(text, u"ab", u'b'));
  EXPECT_EQ(text, u"bbb");
  text = u"abc";
  EXPECT_FALSE(Parse_Translate(text, u"x", u'y'));
  EXPECT_FALSE(Parse_Translate(text, u"", u'y'));
  EXPECT_FALSE(Parse_Translate(text, u"a", u'a'));
  EXPECT_EQ(text, u"abc");
}

TEST(DoMainParseTranslates, ReportsOnlyTheAnyStringTranslation) {
  u16string text = u"^#*?";
  EXPECT_FALSE(DoMainParse_Translates(text));
  EXPECT_EQ(text, u"\x1E\x1B\x1D\x1C");
  text = u"a}}}b";
  EXPECT_TRUE(DoMainParse_Translates(text));
  EXPECT_EQ(text, u"a\x15}}b");
}

TEST(ContainsPairedTagMarkup, NeedsBothUnitsOfAPair) {
  struct Case {
    u16string text;
    u16string converted;
    bool paired;
  };
  // Pair 0 is < >; pair 1 is [ with no closing unit; pair 2 has no opening unit.
  TIgnore_tag_type tags = Tags(u"<[", u">]");
  tags.chars[tag_off][1] = 0;
  tags.chars[tag_off][2] = u'}';
  const Case cases[] = {
      {u"<w>", kOpen + u"w" + kClose, true},
      {u"w>", u"w>", false},
      {u"<w", kOpen + u"w", false},
      {u"[w]", kOpen + u"w]", false},
      {u"w}", u"w}", false},
      {u"<a><b>", kOpen + u"a" + kClose + kOpen + u"b" + kClose, true},
  };
  for (const Case &c : cases) {
    u16string text = c.text;
    EXPECT_EQ(ContainsPairedTagMarkup(tags, text), c.paired) << Show(c.text);
    EXPECT_EQ(Show(text), Show(c.converted));
  }
}

TEST(ParseRetainRestore, HoldsEveryQuotedSymbolAsOneUnit) {
  for (int32_t index = 0; index < kQuotedLiteralCount; ++index) {
    const u16string symbol(quoted_literal_symbols[index]);
    u16string text = u"x\"" + symbol + u"\"y\"" + symbol + u"\"";
    Parse_Retain(text, kQuotedLiteralBase);
    const char16_t unit = static_cast<char16_t>(kQuotedLiteralBase + index);
    EXPECT_EQ(text, u16string(u"x") + unit + u"y" + unit) << index;
    Parse_Restore(text, kQuotedLiteralBase);
    EXPECT_EQ(text, u"x" + symbol + u"y" + symbol) << index;
  }
  u16string text = u"\"^\"";
  EXPECT_FALSE(Parse_RetainOne(text, kQuotedLiteralBase, 11));
  EXPECT_FALSE(Parse_RetainOne(text, 0xFFFA, 8));
  EXPECT_TRUE(Parse_RetainOne(text, kQuotedLiteralBase, 0));
  EXPECT_FALSE(Parse_RestoreOne(text, kQuotedLiteralBase, -1));
}

TEST(TagWildcardConverted, ConvertsOneOccurrencePerKind) {
  struct Case {
    u16string text, converted;
  };
  const Case cases[] = {
      {u"~a",
       u"\x1F"
       u"a"},
      {u"\"~\"a~", u"~a~"},
      {u"**", u"\x1D*"},
      {u"^?#*~", u"\x1E\x1C\x1B\x1D\x1F"},
      {u"<w ~\"*\"*>", u"<w \x1F*\x2A>"},
      {u"", u""},
  };
  for (const Case &c : cases) EXPECT_EQ(Show(TagWildcardConverted(c.text)), Show(c.converted));
}

// Typed search words come from users: whatever they type, the parser answers with a record.
TEST(ParsedSearchWord, SurvivesHostileTypedText) {
  const std::vector<u16string> atoms = {u"*",
                                        u"==",
                                        u"~",
                                        u"/",
                                        u"\\",
                                        u"\"",
                                        u"^",
                                        u"#",
                                        u"?",
                                        u"}",
                                        u"}}}",
                                        u"{",
                                        u"CHR(",
                                        u")}",
                                        u"<",
                                        u">",
                                        u"[",
                                        u"]",
                                        u" ",
                                        u"  ",
                                        u"x",
                                        u"é",
                                        u"1",
                                        u"3;",
                                        u"#x",
                                        u"/\\",
                                        u" * ",
                                        u" context:=",
                                        u"\x1A",
                                        u"\x15",
                                        u"\uE000",
                                        u"\uE00A",
                                        u16string(1, char16_t(0xD800)),
                                        u16string(1, char16_t(0xDC00)),
                                        u"\U0001F600",
                                        u"\r\n",
                                        u16string(1, u'\0'),
                                        u":\\"};
  const TIgnore_tag_type tags = Tags(u"<[", u">]");
  std::mt19937 random(20261211);
  for (int round = 0; round < 3000; ++round) {
    const size_t length = round % 100 == 0 ? 2000 + random() % 3000 : random() % 40;
    u16string typed;
    for (size_t i = 0; i < length; ++i) typed += atoms[random() % atoms.size()];
    u16string entry = typed;
    for (const u16string &piece : SplitSWList(entry, true)) {
      const TSearch_word_format_rec rec = Parsed_SearchWord(tags, piece);
      ASSERT_EQ(rec.typed_in_text, piece);
      for (const u16string &copy : rec.copies)
        ASSERT_EQ(copy.size(), rec.search_text.empty() ? 0 : rec.search_text.size());
      if (!rec.search_text.empty()) {
        ASSERT_NE(rec.search_text.front(), u' ');
        ASSERT_NE(rec.search_text.back(), u' ');
      }
      for (const char16_t unit : rec.search_text)
        ASSERT_FALSE(unit >= kQuotedLiteralBase && unit < kQuotedLiteralBase + 11) << Show(piece);
      ASSERT_EQ(rec.flags.AsByte() & 0xC3, 0);
      const TSearch_word_format_rec raw = UnParsed_SearchWord(piece);
      ASSERT_LE(raw.search_text.size(), piece.size());
    }
  }
}

}  // namespace
