// Numeric character notations: the typed forms "{CHR(n)}" and "#n", and the readable notation of
// work strings with control characters.
#include <gtest/gtest.h>

#include <string>

#include "runtime1/text/basic_unicode_chars.h"
#include "runtime1/text/myUnicodeNew.h"
#include "runtime1/text/my_string_functions.h"

namespace {

TEST(Notations, MyFormatValidNumberStrConvertsBracedThenHashNotations) {
  struct Case {
    std::u16string input, expected;
    int32_t last;
  } cases[] = {
      {u"a{CHR(66)}c", u"aBc", 66},
      {u"a{chr(66)}{Chr(67)}", u"aBC", 67},
      {u"x#65y", u"xAy", 65},
      {u"{CHR(x)}", u"{CHR(x)}", -1},
      {u")} and {CHR(65", u")} and {CHR(65", -1},  // closing mark only before the opening one
      {u"{CHR(x)}{CHR(65)}", u"{CHR(x)}A", 65},    // a bad notation does not stop the pass
      {u"#a #66", u"#a B", 66},                    // nor does a bare "#"
      {u"{CHR(35)}66", u"B", 66},          // the braced pass makes a "#", the hash pass reads it
      {u"{CHR(0)}#0", u"{CHR(0)}#0", -1},  // no NUL inside a text
      {u"#1114112 {CHR(55296)}", u"#1114112 {CHR(55296)}", -1},  // past Unicode; a surrogate half
      {u"#128512", u"\xD83D\xDE00", 128512},                     // above the BMP: a surrogate pair
      {u"#99999999999", u"#99999999999", -1},                    // does not read
  };
  for (const Case &c : cases) {
    std::u16string text = c.input;
    EXPECT_EQ(MyFormatValidNumberStr(text), c.last);
    EXPECT_EQ(text, c.expected);
  }
}

TEST(Notations, WorkStringToReadableWritesLowCodesBraced) {
  EXPECT_EQ(QVFormattedWorkStringToReadableString(u"a\tb", 32), u"a{CHR(9)}b");
  EXPECT_EQ(QVFormattedWorkStringToReadableString(u"\x1B"
                                                  "x\x13",
                                                  32),
            u"{CHR(27)}x{CHR(19)}");
  EXPECT_EQ(QVFormattedWorkStringToReadableString(u"ab", 98), u"{CHR(97)}b");
  EXPECT_EQ(QVFormattedWorkStringToReadableString(u"\xD83D\xDE00", 0x1F601), u"{CHR(128512)}");
  EXPECT_EQ(QVFormattedWorkStringToReadableString(u"\xD83D\xDE00", 0xD800), u"\xD83D\xDE00");
}

TEST(Notations, BracedNumberStrToDigitalformatMarksHexadecimal) {
  struct Case {
    std::u16string input, expected;
  } cases[] = {
      {u"9", u"9"}, {u"x1b", u"$1B"}, {u"1bh", u"$1B"}, {u"$9", u"$9"}, {u"", u""},
  };
  for (const Case &c : cases) EXPECT_EQ(BracedNumberStrToDigitalformat(c.input), c.expected);
}

TEST(Notations, ReadableToWorkStringReadsEveryForm) {
  struct Case {
    std::u16string input, expected;
  } cases[] = {
      {u"{chr(9)}", u"\t"},
      {u"{CHR($9)}", u"\t"},
      {u"{CHR(9H)}", u"\t"},
      {u"{CHR(x1B)}", u"\x1B"},
      {u"{CHR(0x41)}", u"A"},
      {u"#9", u"\t"},
      {u"#x9;", u"\t"},
      {u"#x13;#x10;", u"\x13\x10"},
      {u"#$41;b", u"Ab"},
      {u"#9;", u"\t;"},  // the ";" is consumed only after hexadecimal digits
      {u"#a", u"#a"},
      {u"a{CHR(9)}b{CHR(10)}c", u"a\tb\nc"},
      {u"{CHR(zz)}{CHR(65)}", u"{CHR(zz)}A"},      // a bad number: the search goes on
      {u"{CHR()}{CHR(65)}", u"{CHR()}{CHR(65)}"},  // an empty number ends the braced pass
      {u")}{CHR(65)}", u")}A"},            // a closing mark before the opening one is not its end
      {u"{CHR(65601)}", u"\xD800\xDC41"},  // U+10041, not cut to its low 16 bits ("A")
      {u"{CHR(-1)}#x0;", u"{CHR(-1)}#x0;"},
      {u"{CHR(x1F600)}", u"\xD83D\xDE00"},
      {u"#65#66", u"AB"},
      {u"#a #65", u"#a #65"},  // the hash pass ends at the first "#" without a number
  };
  for (const Case &c : cases) EXPECT_EQ(QVFormattedReadableStringToWorkString(c.input), c.expected);
}

TEST(Notations, ReadableFormRoundTripsControlCharacters) {
  const std::u16string work = u"line\x13word\tend\x1B";
  EXPECT_EQ(QVFormattedReadableStringToWorkString(QVFormattedWorkStringToReadableString(work, 32)),
            work);
}

TEST(Notations, HashAndBraceTests) {
  EXPECT_TRUE(IsHashSymbol(0x1B));
  EXPECT_FALSE(IsHashSymbol(u'#'));
  EXPECT_TRUE(IsHashOrBrace(u'#'));
  EXPECT_TRUE(IsHashOrBrace(u'{'));
  EXPECT_FALSE(IsHashOrBrace(u'}'));
  EXPECT_EQ(FindBracedNotationOpening(u"x{cHr(", 0), 1u);
  EXPECT_EQ(FindBracedNotationOpening(u"x{cHr(", 2), std::u16string_view::npos);
  EXPECT_EQ(FindBracedNotationOpening(u"{CHR", 0), std::u16string_view::npos);
}

}  // namespace
