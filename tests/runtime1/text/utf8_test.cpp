// UTF-8 signatures, character counts and the well-formedness check.
#include <gtest/gtest.h>

#include <string>

#include "runtime1/files/logging_utilities.h"
#include "runtime1/text/UTF8_UNit.h"

namespace {

TEST(Utf8, SignatureTests) {
  EXPECT_EQ(UTF8SignatureAsUTF8String(), "\xEF\xBB\xBF");
  EXPECT_TRUE(IsUTF8Signature(0xEF, 0xBB, 0xBF));
  EXPECT_FALSE(IsUTF8Signature(0xEF, 0xBB, 0xBE));
  struct Case {
    std::string bytes;
    bool expected;
  } cases[] = {
      {"\xEF\xBB\xBF"
       "abc",
       true},
      {"\xEF\xBB\xBF", true},
      {"\xEF\xBB", false},  // too short: never read a third byte
      {"\xFF\xFE"
       "a",
       false},
      {"", false},
  };
  for (const Case &c : cases) EXPECT_EQ(IsUTF8SignatureA(c.bytes), c.expected) << c.bytes.size();
  // UTF-8 bytes read as little-endian UTF-16: EF BB | BF xx.
  EXPECT_TRUE(IsUTF8SignatureW(u"\xBBEF\x41BF"));
  EXPECT_FALSE(IsUTF8SignatureW(u"\xBBEF"));  // one unit only
  EXPECT_FALSE(
      IsUTF8SignatureW(u"\xFEFF"
                       "a"));
}

TEST(Utf8, LengthInCharsCountsSequencesOrFallsBackToTheByteLength) {
  struct Case {
    std::string bytes;
    int32_t expected;
  } cases[] = {
      {"\x41\xC3\xA9\x42", 3},
      {"\x41\x80", 2},  // a continuation byte where a sequence should start
      {"\x41\xC3", 2},  // the last sequence runs past the end
      {"\xE4\xB8\xAD\xF0\x9F\x98\x80", 2},
      {"\xF8\x80\x80\x80\x80"
       "a",
       2},  // five-byte lead: counted by its length
      {"", 0},
  };
  for (const Case &c : cases) EXPECT_EQ(UTF8LengthInChars(c.bytes), c.expected) << c.bytes.size();
}

TEST(Utf8, CheckedUtfAcceptsWellFormedTextUpToTheFirstMultiByteCharacter) {
  struct Case {
    const char *name;
    std::string bytes;
    bool ok;
    bool all_ascii;
  } cases[] = {
      {"empty", "", true, true},
      {"ascii", "plain text\r\n", true, true},
      {"two-byte", "caf\xC3\xA9", true, false},
      {"stops after the first", "\x41\xC3\xA9\xFF", true, false},
      {"three-byte", "\xE4\xB8\xAD", true, false},
      {"four-byte", "\xF0\x9F\x98\x80", true, false},
      {"highest", "\xF4\x8F\xBF\xBF", true, false},
      {"surrogate", "\x41\xED\xA0\x80", false, true},
      {"overlong two", "\x41\xC0\x80", false, true},
      {"overlong C1", "\xC1\xBF", false, true},
      {"overlong three", "\xE0\x9F\xBF", false, true},
      {"overlong four", "\xF0\x8F\xBF\xBF", false, true},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false, true},
      {"F5 lead", "\xF5\x80\x80\x80", false, true},
      {"five-byte", "\xF8\x88\x80\x80\x80", false, true},
      {"stray continuation", "ab\x80", false, true},
      {"truncated", "ab\xE4\xB8", false, true},
      {"bad continuation", "\xE4\x41\xAD", false, true},
  };
  for (const Case &c : cases) {
    bool all_ascii = !c.all_ascii;
    EXPECT_EQ(CheckedUTF(c.bytes, all_ascii), c.ok) << c.name;
    if (c.ok) {
      EXPECT_EQ(all_ascii, c.all_ascii) << c.name;
    }
  }
}

TEST(Utf8, CheckedUtfYieldsAtEveryStep) {
  int calls = 0;
  AYieldProcessProc = [&calls] { ++calls; };
  bool all_ascii = false;
  EXPECT_TRUE(CheckedUTF("abcd", all_ascii));
  AYieldProcessProc = nullptr;
  EXPECT_EQ(calls, 4);
}

}  // namespace
