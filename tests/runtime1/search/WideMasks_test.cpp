#include "runtime1/search/WideMasks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using std::u16string;

TEST(BuildAMask, SplitsAtSemicolonsAndLineBreaks) {
  struct Case {
    u16string text;
    std::vector<u16string> masks;
  };
  const Case cases[] = {
      {u"*.doc;*.txt", {u"*.doc", u"*.txt"}},
      {u"  a;;b\r\nc  ", {u"a", u"", u"b", u"c"}},
      {u"a;", {u"a", u""}},
      {u"", {}},
      {u"   ", {}},
  };
  for (const Case &c : cases) {
    std::vector<u16string> masks = {u"stale"};
    BuildAMask(masks, c.text);
    EXPECT_EQ(masks, c.masks);
  }
}

TEST(MatchesMask, WildcardsAndCase) {
  struct Case {
    u16string text, mask;
    bool matches;
  };
  const Case cases[] = {
      {u"FILE.TXT", u"*.txt", true},
      {u"file.txt", u"*.doc", false},
      {u"a.b", u"?.b", true},
      {u"ab.b", u"?.b", false},
      {u".b", u"?.b", false},
      {u"", u"*", false},
      {u"readme", u"*.*", true},
      {u"x", u"", false},
      {u"abc", u"a*c", true},
      {u"abc", u"a*b", false},
      {u"aXbXc", u"a*b*c", true},
      {u"abcbd", u"*b?", true},
      {u"file.txt", u"*.doc; *.txt", true},
      {u"ÉTÉ.TXT", u"été.txt", true},
      {u"naïve", u"na?ve", true},
      {u"\U00010400.txt", u"?.txt", true},
      {u"a", u"a**", true},
  };
  for (const Case &c : cases) {
    std::string text(c.text.begin(), c.text.end());
    EXPECT_EQ(MatchesMask(c.text, c.mask), c.matches) << text;
  }
}

TEST(MatchesMask, ManyStarsStayFast) {
  const u16string name(4000, u'a');
  u16string mask;
  for (int i = 0; i < 2000; ++i) mask += u"*a";
  mask += u"b";
  EXPECT_FALSE(MatchesMask(name, mask));
}

// The plain recursive reading of one pattern, for names of ASCII letters.
bool ReferenceMatch(std::u16string_view name, std::u16string_view pattern) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == u'*')
    return ReferenceMatch(name, pattern.substr(1)) ||
           (!name.empty() && ReferenceMatch(name.substr(1), pattern));
  if (name.empty()) return false;
  if (pattern[0] != u'?' && pattern[0] != name[0]) return false;
  return ReferenceMatch(name.substr(1), pattern.substr(1));
}

TEST(MatchesMask, AgreesWithTheRecursiveReadingOnRandomPatterns) {
  std::mt19937 random(12345);
  const char16_t name_units[] = {u'a', u'b', u'.'};
  const char16_t pattern_units[] = {u'a', u'b', u'.', u'*', u'?'};
  for (int round = 0; round < 20000; ++round) {
    u16string name, pattern;
    for (size_t i = 1 + random() % 7; i > 0; --i) name += name_units[random() % 3];
    for (size_t i = random() % 7; i > 0; --i) pattern += pattern_units[random() % 5];
    const bool expected = pattern == u"*.*" || (!pattern.empty() && ReferenceMatch(name, pattern));
    ASSERT_EQ(MatchesMask(name, pattern), expected) << std::string(name.begin(), name.end()) << " "
                                                    << std::string(pattern.begin(), pattern.end());
  }
}

TEST(WhereInAMask, FirstNonEmptyMaskThatMatches) {
  std::vector<u16string> masks;
  BuildAMask(masks, u"*.doc;*.txt");
  EXPECT_EQ(WhereInAMask(u"file.txt", masks), 1);
  EXPECT_EQ(WhereInAMask(u"file.pdf", masks), -1);
  EXPECT_EQ(WhereInAMask(u"", masks), -1);
  BuildAMask(masks, u";x*;*");
  EXPECT_EQ(WhereInAMask(u"xy", masks), 1);
  EXPECT_EQ(WhereInAMask(u"yy", masks), 2);
  EXPECT_EQ(WhereInAMask(u"yy", {}), -1);
}

}  // namespace
