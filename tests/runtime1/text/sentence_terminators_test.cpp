#include "runtime1/text/sentence_terminators.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(SentenceTerminators, TablesAreSortedAndDisjoint) {
  EXPECT_TRUE(std::is_sorted(other_sent_terminators.begin(), other_sent_terminators.end()));
  EXPECT_TRUE(std::is_sorted(punct_not_ending_sent.begin(), punct_not_ending_sent.end()));
  for (const char16_t u : other_sent_terminators) EXPECT_FALSE(IsPunctNotEndingSent(u)) << int(u);
  EXPECT_EQ(other_sent_terminators.front(), 0x0589);
  EXPECT_EQ(other_sent_terminators.back(), 0xFF61);
  EXPECT_EQ(punct_not_ending_sent.front(), 0x037E);
  EXPECT_EQ(punct_not_ending_sent.back(), 0xFF65);
}

TEST(SentenceTerminators, PotentialTerminators) {
  struct Case {
    char16_t unit;
    bool terminator, not_ending;
  };
  const Case cases[] = {
      {u'.', true, false},    {u'!', true, false},    {u'?', true, false},   {0x3002, true, false},
      {0x0964, true, false},  {0x0589, true, false},  {0xFF61, true, false}, {0x1AAB, true, false},
      {0x2049, true, false},  {u',', false, false},   {u';', false, false},  {0x037E, false, true},
      {u' ', false, false},   {u'@', false, false},   {u'}', false, false},  {u'~', false, false},
      {0x0588, false, false}, {0xFF62, false, false}, {0x1AAC, false, true}, {0x205E, false, true},
      {0xFF65, false, true},  {0x2054, false, false}, {0x0700, true, false}, {0x0703, false, true},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(IsPotentialSentenceTerminator(c.unit), c.terminator) << std::hex << int(c.unit);
    EXPECT_EQ(IsPunctNotEndingSent(c.unit), c.not_ending) << std::hex << int(c.unit);
  }
}

}  // namespace
