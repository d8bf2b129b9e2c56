// Text helpers, code pages, locale identifiers, case mapping and collation of the platform layer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/case_mapping.h"
#include "platform/code_pages.h"
#include "platform/collation.h"
#include "platform/files.h"
#include "platform/locale_ids.h"
#include "platform/utf16_text.h"

namespace {

TEST(Utf16Text, TrimRemovesEverythingUpToSpaceFromBothEnds) {
  EXPECT_EQ(platform::Trim(std::u16string_view(u"\t\x01 word \r\n")), u"word");
  EXPECT_EQ(platform::Trim(std::u16string_view(u"\x0020\x00A0x")), u"\x00A0x");  // NBSP stays
  EXPECT_EQ(platform::Trim(std::u16string_view(u" \t ")), u"");
  EXPECT_EQ(platform::Trim(std::string_view("\x1f"
                                            "a b"
                                            "\x20")),
            "a b");
}

TEST(Utf16Text, CompareCodeUnitsIsUnsignedAndReturnsTheDifference) {
  struct Case {
    std::u16string a, b;
    int32_t expected;
  } cases[] = {
      {u"Zoo", u"apple", u'Z' - u'a'},
      {u"abc", u"abc", 0},
      {u"ab", u"abc", -1},
      {u"\xFFFF", u"a", 0xFFFF - u'a'},
  };
  for (const Case &c : cases) EXPECT_EQ(platform::CompareCodeUnits(c.a, c.b), c.expected);
  EXPECT_GT(platform::CompareCodeUnits(std::string_view("\xE9"), std::string_view("z")), 0);
}

TEST(CodePages, ConvertsBothWaysThroughIcu) {
  struct Case {
    uint32_t code_page;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {1252,
       "\x80"
       "caf\xE9",
       u"\x20AC"
       "caf\x00E9"},
      {1251, "\xCF\xF0\xE8", u"\x041F\x0440\x0438"},
      {1253, "\xC1", u"\x0391"},
      {1254, "\xDD\xFD", u"\x0130\x0131"},
      {932, "\x93\xFA\x96\x7B", u"\x65E5\x672C"},
      {65001, "\xC3\xA9", u"\x00E9"},
      {28591, "\xFF", u"\x00FF"},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(platform::ToUtf16(c.bytes, c.code_page), c.text) << c.code_page;
    EXPECT_EQ(platform::FromUtf16(c.text, c.code_page), c.bytes) << c.code_page;
  }
}

TEST(CodePages, UnmappableCharactersBecomeAQuestionMarkOrABestFit) {
  EXPECT_EQ(platform::FromUtf16(u"\x65E5", 1252), "?");
  EXPECT_TRUE(platform::IsSingleByteCodePage(1252));
  EXPECT_FALSE(platform::IsSingleByteCodePage(932));
  EXPECT_FALSE(platform::IsCodePageAvailable(12345));
  EXPECT_EQ(platform::ToUtf16("\xE9", 12345), u"\x00E9");  // unknown: read as Western
}

TEST(CodePages, CodePageZeroMeansTheProcessSetting) {
  const uint32_t saved = platform::AnsiCodePage();
  platform::SetAnsiCodePage(1251);
  EXPECT_EQ(platform::ToUtf16("\xCF", 0), u"\x041F");
  platform::SetAnsiCodePage(0);
  EXPECT_EQ(platform::AnsiCodePage(), platform::kDefaultAnsiCodePage);
  platform::SetAnsiCodePage(saved);
}

TEST(LocaleIds, AnsiCodePageAndLanguageByIdentifier) {
  struct Case {
    uint32_t lcid;
    uint32_t code_page;
    const char *icu;
  } cases[] = {
      {0x0409, 1252, "en"},      {0x0809, 1252, "en"},      {0x041F, 1254, "tr"},
      {0x0419, 1251, "ru"},      {0x0405, 1250, "cs"},      {0x0408, 1253, "el"},
      {0x040D, 1255, "he"},      {0x0401, 1256, "ar"},      {0x0425, 1257, "et"},
      {0x042A, 1258, "vi"},      {0x041E, 874, "th"},       {0x0411, 932, "ja"},
      {0x0412, 949, "ko"},       {0x0804, 936, "zh_CN"},    {0x0404, 950, "zh_TW"},
      {0x0C1A, 1251, "sr_Cyrl"}, {0x081A, 1250, "sr_Latn"}, {0x082C, 1251, "az_Cyrl"},
      {0x0439, 0, "hi"},         {0x042B, 0, "hy"},         {0x0400, 0, ""},
      {0xFFFF, 0, ""},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(platform::AnsiCodePageOfLocale(c.lcid), c.code_page) << std::hex << c.lcid;
    EXPECT_EQ(platform::IcuLocaleOf(c.lcid), c.icu) << std::hex << c.lcid;
  }
}

TEST(CaseMapping, UpperCasesWithoutChangingLength) {
  struct Case {
    uint32_t lcid;
    std::u16string in, out;
  } cases[] = {
      {0x0409, u"istanbul", u"ISTANBUL"},
      {0x041F, u"istanbul", u"\x0130STANBUL"},
      {0x042C, u"bir", u"B\x0130R"},
      {0x041F, u"\x0131", u"I"},
      {0x0407,
       u"stra\x00DF"
       "e",
       u"STRA\x00DF"
       "E"},  // sharp s would expand: kept
      {0x0408, u"\x03B1\x03AC", u"\x0391\x0386"},
      {0x0409, u"\xD801\xDC28", u"\xD801\xDC00"},  // a letter outside the BMP
      {0x0409, u"\xD801", u"\xD801"},              // a lone surrogate is left alone
  };
  for (const Case &c : cases) {
    std::u16string text = c.in;
    platform::UpperCaseInPlace(std::span<char16_t>(text.data(), text.size()), c.lcid);
    EXPECT_EQ(text, c.out);
  }
}

TEST(CaseMapping, UpperCasesEightBitTextInItsCodePage) {
  struct Case {
    uint32_t lcid, code_page;
    std::string in, out;
  } cases[] = {
      {0x0409, 1252, "caf\xE9 \xFF", "CAF\xC9 \x9F"},
      {0x0409, 1252, "\xB5\xDF", "\xB5\xDF"},  // micro sign and sharp s have no capital here
      {0x041F, 1254, "i\xFD", "\xDDI"},
      {0x0419, 1251, "\xEF\xF0", "\xCF\xD0"},
      {0x0411, 932, "abc\x93\xFA", "ABC\x93\xFA"},
  };
  for (const Case &c : cases) {
    std::string text = c.in;
    platform::UpperCaseInPlace(std::span<char>(text.data(), text.size()), c.lcid, c.code_page);
    EXPECT_EQ(text, c.out) << c.code_page;
  }
}

TEST(Collation, IgnoresCaseButNotAccents) {
  platform::CaseInsensitiveCollator collator;
  EXPECT_EQ(collator.Compare(u"go", u"GO"), 0);
  EXPECT_NE(collator.Compare(u"resume", u"r\x00E9sum\x00E9"), 0);
  EXPECT_LT(collator.Compare(u"apple", u"Zoo"), 0);
  EXPECT_EQ(collator.SortKey(u"Go"), collator.SortKey(u"gO"));
  EXPECT_LT(collator.SortKey(u"apple"), collator.SortKey(u"Zoo"));
}

TEST(Files, ReadsFilesAndRefusesFoldersAndMissingNames) {
  const auto folder = std::filesystem::temp_directory_path() / "qv7_platform_files_test";
  std::filesystem::create_directories(folder);
  const auto file = folder / "data.bin";
  std::ofstream(file, std::ios::binary) << std::string("a\0b", 3);
  EXPECT_TRUE(platform::FileExists(file.string()));
  EXPECT_FALSE(platform::FileExists(folder.string()));
  EXPECT_FALSE(platform::FileExists((folder / "none").string()));
  auto data = platform::ReadWholeFile(file.string());
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(data->size(), 3u);
  std::string error;
  EXPECT_FALSE(platform::ReadWholeFile(folder.string(), &error).has_value());
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(platform::NativeFileName(u"caf\x00E9"), "caf\xC3\xA9");
  std::filesystem::remove_all(folder);
}

}  // namespace
