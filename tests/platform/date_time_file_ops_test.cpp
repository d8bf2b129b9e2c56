// Date-time formatting, number formats, locale settings and the safe file operations of the
// platform layer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/date_time.h"
#include "platform/file_ops.h"
#include "platform/utf16_text.h"
#include "test_support.h"

namespace {

using test_support::ReadAll;
using test_support::TempDir;
using test_support::WriteAll;

namespace fs = std::filesystem;

std::string ReadText(const std::string &name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const std::string &name, const std::string &text) {
  std::ofstream(name, std::ios::binary | std::ios::trunc) << text;
}

// 2 March 2021 14:05:09.250 as a date-time.
constexpr double kSample = 44257.0 + (14 * 3600 + 5 * 60 + 9.25) / 86400.0;

TEST(DateTimeFormat, PatternLetters) {
  platform::FormatSettings s;
  s.ShortDateFormat = u"dd/mm/yyyy";
  s.LongTimeFormat = u"hh:nn:ss";
  struct Case {
    std::u16string pattern, expected;
  } cases[] = {{u"yyyy-mm-dd", u"2021-03-02"},
               {u"d/m/yy", u"2/3/21"},
               {u"hh:nn:ss.zzz", u"14:05:09.250"},
               {u"h:mm", u"14:05"},  // m after an hour means minutes
               {u"h:nn ampm", u"2:05 PM"},
               {u"mmm mmmm", u"Mar March"},
               {u"'yyyy' \"d\" yyyy", u"yyyy d 2021"},
               {u"c", u"02/03/2021 14:05:09"},
               {u"", u""}};
  for (const Case &c : cases) {
    EXPECT_EQ(platform::FormatDateTime(c.pattern, kSample, s), c.expected)
        << platform::Utf16ToUtf8(c.pattern);
  }
  s.DateSeparator = u'.';
  s.TimeSeparator = u'-';
  EXPECT_EQ(platform::FormatDateTime(u"dd/mm hh:nn", kSample, s), u"02.03 14-05");
  EXPECT_EQ(platform::FormatDateTime(u"c", 44257.0, s), u"02.03.2021");  // midnight: no time
  EXPECT_EQ(platform::FormatDateTime(u"yyyy-mm-dd", 0.0, s), u"1899-12-30");
  EXPECT_EQ(platform::FormatDateTime(u"yyyy-mm-dd", 25569.0, s), u"1970-01-01");
}

TEST(DateTimeFormat, LocalTimesConvert) {
  std::tm tm{};
  tm.tm_year = 121;
  tm.tm_mon = 2;
  tm.tm_mday = 2;
  tm.tm_hour = 14;
  tm.tm_min = 5;
  tm.tm_sec = 9;
  tm.tm_isdst = -1;
  EXPECT_NEAR(platform::DateTimeFromTime(std::mktime(&tm)), kSample - 0.25 / 86400.0, 1e-9);
  const double now = platform::NowAsDateTime();
  EXPECT_GT(now, 44000.0);
}

TEST(LocaleSettings, SeparatorsAndPatternsComeFromTheLocale) {
  const auto german = platform::FormatSettingsForLocale("de_DE");
  EXPECT_EQ(german.DecimalSeparator, u',');
  EXPECT_EQ(german.ThousandSeparator, u'.');
  EXPECT_EQ(german.DateSeparator, u'.');
  EXPECT_EQ(platform::FormatDateTime(german.ShortDateFormat, kSample, german), u"02.03.2021");
  const auto us = platform::FormatSettingsForLocale("en_US");
  EXPECT_EQ(us.DecimalSeparator, u'.');
  EXPECT_EQ(platform::FormatDateTime(us.ShortDateFormat, kSample, us), u"3/2/2021");
  EXPECT_EQ(platform::FormatDateTime(us.LongTimeFormat, kSample, us), u"2:05:09 PM");
}

TEST(FileOps, CopyReplacesThroughATemporaryAndRefusesItself) {
  TempDir dir;
  WriteText(dir / "a.txt", "new");
  WriteText(dir / "b.txt", "old");
  std::string error;
  EXPECT_TRUE(platform::CopyFileReplacing(dir / "a.txt", dir / "b.txt", &error)) << error;
  EXPECT_EQ(ReadText(dir / "b.txt"), "new");
  EXPECT_FALSE(platform::CopyFileReplacing(dir / "a.txt", dir / "a.txt", &error));
  EXPECT_EQ(ReadText(dir / "a.txt"), "new");
  EXPECT_FALSE(platform::CopyFileReplacing(dir / "missing", dir / "c.txt", &error));
  EXPECT_FALSE(fs::exists(dir / "c.txt"));
  EXPECT_FALSE(platform::CopyFileReplacing(dir / "a.txt", dir / "no/b.txt", &error));
  int entries = 0;
  for (const auto &e : fs::directory_iterator(dir / "")) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 2);  // no temporary left behind
}

TEST(FileOps, AppendWritesThePrefixOnlyIntoAnEmptyFile) {
  TempDir dir;
  EXPECT_TRUE(platform::AppendToFile(dir / "log", "ab", 2, "<>"));
  EXPECT_TRUE(platform::AppendToFile(dir / "log", "cd", 2, "<>"));
  EXPECT_EQ(ReadText(dir / "log"), "<>abcd");
  EXPECT_FALSE(platform::AppendToFile(dir / "no/log", "x", 1));
}

TEST(FileOps, PrefixesSizesExtensionsAndDeletion) {
  TempDir dir;
  WriteText(dir / "f.bin", "0123456789");
  EXPECT_EQ(platform::FileSize(dir / "f.bin"), 10u);
  EXPECT_FALSE(platform::FileSize(dir / "").has_value());  // a folder
  auto head = platform::ReadFilePrefix(dir / "f.bin", 4);
  ASSERT_TRUE(head.has_value());
  EXPECT_EQ(std::string(head->begin(), head->end()), "0123");
  EXPECT_EQ(platform::ReadFilePrefix(dir / "f.bin", 100)->size(), 10u);
  EXPECT_FALSE(platform::ReadFilePrefix(dir / "missing", 4).has_value());
  EXPECT_TRUE(platform::WriteFileAtomically(dir / "w.bin", std::vector<uint8_t>{1, 2}));
  EXPECT_EQ(platform::FileSize(dir / "w.bin"), 2u);
  EXPECT_TRUE(platform::DeleteFileNamed(dir / "w.bin"));
  EXPECT_FALSE(platform::DeleteFileNamed(dir / "w.bin"));
  EXPECT_FALSE(platform::DeleteFileNamed(dir / ""));

  struct Case {
    std::string name, ext, expected;
  } cases[] = {{"/a/b.lst", ".types", "/a/b.types"},
               {"/a.d/b", ".types", "/a.d/b.types"},
               {"b.x.lst", ".BAK", "b.x.BAK"},
               {"/a/b.", ".t", "/a/b.t"}};
  for (const Case &c : cases) EXPECT_EQ(platform::ChangeFileExtension(c.name, c.ext), c.expected);
}

}  // namespace
