// Copies, scanning, tab expansion, the search-word record, the code page of a locale, the
// measuring hook and appending to a file of characters.
#include "runtime1/text/myUnicodeNew.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/code_pages.h"
#include "platform/error.h"
#include "runtime1/text/FileOfChar.h"
#include "runtime1/text/basic_unicode_chars.h"

namespace {

TEST(MyUnicodeNew, CopiesAreZeroTerminatedAndStopAtAZero) {
  struct Case {
    const char *source;
    int32_t count;
    std::string expected;
  } cases[] = {
      {"abcdef", 3, "abc"}, {"ab\0cd", 5, "ab"},  // never read past the source's own end
      {"abc", 0, ""},       {"abc", -2, ""},     {nullptr, 3, ""},
  };
  for (const Case &c : cases) {
    char *copy = CheckedNewLenPAnsichar(c.source, c.count);
    EXPECT_EQ(std::string(copy), c.expected);
    DeletePAnsichar(copy);
  }
  char16_t *wide = CheckedNewLenPchar(u"\x4E2D\x6587xyz", 2);
  EXPECT_EQ(std::u16string(wide), u"\x4E2D\x6587");
  DeletePWideChar(wide);
  char *narrow = MyNewPAnsichar("hello");
  EXPECT_EQ(std::string(narrow), "hello");
  DeletePAnsichar(narrow);
  char16_t *empty = MyNewPChar(nullptr);
  EXPECT_EQ(empty[0], u'\0');
  DeletePWideChar(empty);
}

TEST(MyUnicodeNew, StrScanIndexIsOneBased) {
  struct Case {
    int32_t start, expected;
  } cases[] = {{1, 2}, {2, 2}, {3, 4}, {5, 0}, {9, 0}, {0, 2}, {-3, 2}};
  for (const Case &c : cases)
    EXPECT_EQ(StrScanIndex(u"abab", u'b', c.start), c.expected) << c.start;
  EXPECT_EQ(StrScanIndex(u"", u'b', 1), 0);
}

TEST(MyUnicodeNew, ExpandTabbedWideString) {
  EXPECT_EQ(ExpandTabbedWideString(u"\tb", 3), u"   b");
  EXPECT_EQ(ExpandTabbedWideString(u"a\t\tb", 1), u"a  b");
  EXPECT_EQ(ExpandTabbedWideString(u"a\tb", 0), u"ab");
  EXPECT_EQ(ExpandTabbedWideString(u"a\tb", -1), u"ab");
}

TEST(MyUnicodeNew, SearchWordRecordKeepsEightyUnitsZeroFilled) {
  const std::u16string long_text(100, u'w');
  const Search_word_type32 record = StringToSearch_word_type32(long_text);
  EXPECT_EQ(Search_word_type32ToString(&record), std::u16string(80, u'w'));
  EXPECT_EQ(record[80], u'\0');
  const Search_word_type32 short_record = StringToSearch_word_type32(u"ab");
  for (size_t i = 2; i < short_record.size(); ++i) EXPECT_EQ(short_record[i], u'\0') << i;
  // A pair that the limit would cut in half is left out.
  const std::u16string pair_at_limit = std::u16string(79, u'a') + u"\xD83D\xDE00";
  const Search_word_type32 cut = StringToSearch_word_type32(pair_at_limit);
  EXPECT_EQ(Search_word_type32ToString(&cut), std::u16string(79, u'a'));
  EXPECT_EQ(Search_word_type32ToString(nullptr), u"");
}

TEST(MyUnicodeNew, SearchWordRecordFromADamagedFileIsReadOnlyToItsEnd) {
  uint8_t bytes[kSearchWordType32Bytes];
  for (size_t i = 0; i < kSearchWordType32Bytes; i += 2) {
    bytes[i] = 'z';
    bytes[i + 1] = 0;  // no zero unit anywhere
  }
  const Search_word_type32 record = Search_word_type32FromBytes(bytes);
  EXPECT_EQ(Search_word_type32ToString(&record), std::u16string(81, u'z'));
}

TEST(MyUnicodeNew, SearchWordRecordBytesAreLittleEndian) {
  const auto bytes = Search_word_type32ToBytes(StringToSearch_word_type32(u"A\x4E2D"));
  EXPECT_EQ(bytes[0], 0x41);
  EXPECT_EQ(bytes[1], 0x00);
  EXPECT_EQ(bytes[2], 0x2D);
  EXPECT_EQ(bytes[3], 0x4E);
  EXPECT_EQ(bytes[4], 0x00);
  EXPECT_EQ(bytes.size(), 162u);
  uint8_t raw[kSearchWordType32Bytes];
  std::copy(bytes.begin(), bytes.end(), raw);
  const Search_word_type32 read_back = Search_word_type32FromBytes(raw);
  EXPECT_EQ(Search_word_type32ToString(&read_back), u"A\x4E2D");
}

TEST(MyUnicodeNew, CodePageOfALocale) {
  const uint32_t saved = platform::AnsiCodePage();
  platform::SetAnsiCodePage(1250);
  struct Case {
    uint32_t lcid, expected;
  } cases[] = {
      {0x0409, 1252},  // English
      {0x0419, 1251},  // Russian
      {0x0411, 932},   // Japanese
      {0x041F, 1254},  // Turkish
      {0x0C1A, 1251},  // Serbian (Cyrillic)
      {0x081A, 1250},  // Serbian (Latin)
      {0x0439, 0},     // Hindi: no ANSI code page; 0 stands for the ANSI setting
      {0x0400, 1250},  // the user default locale: the process ANSI code page
      {0x1234, 1250},  // unknown: the process ANSI code page
  };
  for (const Case &c : cases) {
    EXPECT_EQ(LCIDToCodePage(c.lcid), c.expected) << std::hex << c.lcid;
    EXPECT_EQ(CodePageFromLocale(c.lcid), c.expected) << std::hex << c.lcid;
  }
  platform::SetAnsiCodePage(saved);
}

// A device context whose font gives every unit the same width.
class FixedWidthContext : public platform::DeviceContext {
 public:
  explicit FixedWidthContext(int32_t width, bool fails = false) : width_(width), fails_(fails) {}
  bool PrefixExtents(std::u16string_view text, std::span<int32_t> widths,
                     platform::TextSize &size) override {
    if (fails_) return false;
    for (size_t i = 0; i < text.size(); ++i) widths[i] = width_ * static_cast<int32_t>(i + 1);
    size = {width_ * static_cast<int32_t>(text.size()), 16};
    return true;
  }

 private:
  int32_t width_;
  bool fails_;
};

TEST(MyUnicodeNew, GetTextExtentWMeasuresThePrefix) {
  FixedWidthContext dc(7);
  const TSize size = GetTextExtentW(&dc, u"abcdef", 4);
  EXPECT_EQ(size.cx, 28);
  EXPECT_EQ(size.cy, 16);
  EXPECT_EQ(GetTextExtentW(&dc, u"abc", 0).cx, 0);
  EXPECT_EQ(GetTextExtentW(&dc, u"abc", -1).cy, 0);
  EXPECT_EQ(GetTextExtentW(nullptr, u"abc", 3).cx, 0);
  FixedWidthContext failing(7, true);
  EXPECT_EQ(GetTextExtentW(&failing, u"abc", 3).cy, 0);
}

TEST(MyUnicodeNew, MeasuringHookFitsAndCanBeReplaced) {
  FixedWidthContext dc(10);
  ASSERT_NE(MyGetTextExtentExPointW, nullptr);
  int32_t fit = -1;
  std::vector<int32_t> dx(5);
  TSize size;
  EXPECT_TRUE(MyGetTextExtentExPointW(&dc, u"hello", 5, 35, &fit, dx.data(), &size));
  EXPECT_EQ(fit, 3);
  EXPECT_EQ(dx, (std::vector<int32_t>{10, 20, 30, 40, 50}));
  EXPECT_EQ(size.cx, 50);
  EXPECT_TRUE(MyGetTextExtentExPointW(&dc, u"hello", 5, 500, &fit, nullptr, nullptr));
  EXPECT_EQ(fit, 5);
  EXPECT_FALSE(MyGetTextExtentExPointW(nullptr, u"hello", 5, 35, &fit, nullptr, nullptr));

  const TGetTextExtentExPointWFunc saved = MyGetTextExtentExPointW;
  MyGetTextExtentExPointW = [](HDC, const char16_t *, int32_t cch, int32_t, int32_t *fit_out,
                               int32_t *, TSize *) {
    *fit_out = cch - 1;
    return true;
  };
  EXPECT_TRUE(MyGetTextExtentExPointW(&dc, u"hello", 5, 35, &fit, nullptr, nullptr));
  EXPECT_EQ(fit, 4);
  MyGetTextExtentExPointW = saved;
}

TEST(MyUnicodeNew, FillWCharFillsHalfTheByteCount) {
  std::u16string buffer = u"abcd";
  FillWChar(buffer.data(), 5, u'x');
  EXPECT_EQ(buffer, u"xxcd");
  FillWChar(buffer.data(), 1, u'y');
  EXPECT_EQ(buffer, u"xxcd");
}

class FileOfCharTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::path(::testing::TempDir()) /
              ("file_of_char_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::vector<uint8_t> Bytes(const std::filesystem::path &file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::u16string Name(const char *leaf) {
    const std::string path = (folder_ / leaf).string();
    return std::u16string(path.begin(), path.end());
  }
  std::filesystem::path folder_;
};

TEST_F(FileOfCharTest, NewFileStartsWithTheSignatureAndTextIsAppended) {
  const std::u16string name = Name("log.txt");
  AddToFileOfChar(name, u"A\x4E2D");
  AddToFileOfChar(name, u"b");
  EXPECT_EQ(Bytes(folder_ / "log.txt"),
            (std::vector<uint8_t>{0xFF, 0xFE, 0x41, 0x00, 0x2D, 0x4E, 0x62, 0x00}));
}

TEST_F(FileOfCharTest, EmptyTextOnlyCreatesAndEmptyNameDoesNothing) {
  const std::u16string name = Name("empty.txt");
  AddToFileOfChar(name, u"");
  EXPECT_EQ(Bytes(folder_ / "empty.txt"), (std::vector<uint8_t>{0xFF, 0xFE}));
  AddToFileOfChar(name, u"");
  EXPECT_EQ(Bytes(folder_ / "empty.txt").size(), 2u);
  EXPECT_NO_THROW(AddToFileOfChar(u"", u"text"));
}

TEST_F(FileOfCharTest, FailureReachesTheCallerAsAnException) {
  EXPECT_THROW(AddToFileOfChar(Name("missing/sub/file.txt"), u"x"), platform::Error);
}

}  // namespace
