// Ini files in memory: reading in every encoding, UTF-16 round trips with non-ASCII names,
// booleans as words, safe writing and backups.
#include "runtime1/files/inifileU2.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/code_pages.h"
#include "platform/utf16_text.h"
#include "test_support.h"

namespace {

using test_support::ReadAll;
using test_support::TempDir;
using test_support::WriteAll;

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(std::string_view s) {
  return std::vector<uint8_t>(s.begin(), s.end());
}

std::u16string U(const std::string &s) {
  return platform::Utf8ToUtf16(s);
}

TEST(MyMemIniFile, RoundTripsNonAsciiSectionsKeysAndValuesInUtf16) {
  TempDir dir;
  const std::u16string name = U(dir / "r\u00e9glages.ini");
  {
    TMyMemIniFile ini(name);
    ini.WriteString(u"\u00dcbersicht", u"cl\u00e9", u"\u503c \u2713 \U0001F600");
    ini.WriteString(u"\u00dcbersicht", u"\u0418\u043c\u044f", u"\u05e9\u05dc\u05d5\u05dd");
    ini.WriteInteger(u"Numbers", u"n", -42);
    ini.WriteBool(u"Numbers", u"flag", true);
    ASSERT_TRUE(ini.UpdateFile());
  }
  const auto bytes = ReadAll(platform::Utf16ToUtf8(name));
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);

  TMyMemIniFile ini(name);
  EXPECT_EQ(ini.ReadString(u"\u00dcbersicht", u"cl\u00e9", u"?"), u"\u503c \u2713 \U0001F600");
  EXPECT_EQ(ini.ReadString(u"\u00fcBERSICHT", u"CL\u00c9", u"?"), u"\u503c \u2713 \U0001F600");
  EXPECT_EQ(ini.ReadString(u"\u00dcbersicht", u"\u0418\u041c\u042f", u"?"),
            u"\u05e9\u05dc\u05d5\u05dd");
  EXPECT_EQ(ini.ReadInteger(u"numbers", u"N", 0), -42);
  EXPECT_TRUE(ini.ReadBool(u"Numbers", u"flag", false));
  EXPECT_EQ(ini.ReadString(u"Numbers", u"flag", u""), u"YES");
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::u16string>{u"\u00dcbersicht", u"Numbers"}));
  EXPECT_EQ(ini.ReadSection(u"Numbers"), (std::vector<std::u16string>{u"n", u"flag"}));
}

TEST(MyMemIniFile, WritesTheExactUtf16Layout) {
  TempDir dir;
  TMyMemIniFile ini(U(dir / "a.ini"));
  ini.WriteString(u"S", u"k", u"v");
  ini.WriteBool(u"S", u"b", false);
  ASSERT_TRUE(ini.UpdateFile());
  std::vector<uint8_t> expected = {0xFF, 0xFE};
  for (char16_t c : std::u16string_view(u"[S]\r\nk=v\r\nb=NO\r\n\r\n")) {
    expected.push_back(static_cast<uint8_t>(c));
    expected.push_back(0);
  }
  EXPECT_EQ(ReadAll(dir / "a.ini"), expected);
}

TEST(MyMemIniFile, BooleansAreWordsComparedWithCase) {
  TempDir dir;
  WriteAll(dir / "b.ini", Bytes("[B]\r\nyes=yes\r\nupper=YES\r\nYES=shadowed\r\nYup=Yup\r\nzero="
                                "0\r\nNO=NO\r\nNope=Nope\r\n"
                                "empty=\r\nno=no\r\n"));
  TMyMemIniFile ini(U(dir / "b.ini"));
  struct Case {
    std::u16string key;
    bool default_value;
    bool expected;
  } cases[] = {{u"yes", true, false},  // "yes": lower case is not "Y"
               {u"yes", false, true},   {u"upper", true, true},   {u"YES", true, false},
               {u"Yup", true, true},    {u"zero", false, true},   {u"zero", true, false},
               {u"NO", false, false},   {u"Nope", false, false},  {u"empty", true, false},
               {u"empty", false, true}, {u"missing", true, true}, {u"missing", false, false}};
  // Keys compare without case, so "yes" and "YES" are one key: the first one wins.
  for (const Case &c : cases) {
    EXPECT_EQ(ini.ReadBool(u"B", c.key, c.default_value), c.expected)
        << platform::Utf16ToUtf8(c.key) << " default " << c.default_value;
  }
  ini.WriteBool(u"B", u"new", true);
  ini.WriteBool(u"B", u"yes", false);
  EXPECT_EQ(ini.ReadString(u"B", u"new", u""), u"YES");
  EXPECT_EQ(ini.ReadString(u"B", u"YES", u""), u"NO");
}

TEST(MyMemIniFile, ReadsEveryEncodingByItsMark) {
  TempDir dir;
  const std::u16string expected = u"caf\u00e9";
  std::vector<uint8_t> be = {0xFE, 0xFF};
  for (char16_t c : std::u16string_view(u"[S]\nk=caf\u00e9\n")) {
    be.push_back(static_cast<uint8_t>(c >> 8));
    be.push_back(static_cast<uint8_t>(c));
  }
  struct Case {
    std::string what;
    std::vector<uint8_t> bytes;
  } cases[] = {{"utf-8 with mark", Bytes("\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9\r\n")},
               {"utf-8 without mark", Bytes("[S]\nk=caf\xC3\xA9\n")},
               {"ansi", Bytes("[S]\rk=caf\xE9\r")},
               {"utf-16 be", be}};
  platform::SetAnsiCodePage(1252);
  for (const Case &c : cases) {
    WriteAll(dir / "e.ini", c.bytes);
    TMyMemIniFile ini(U(dir / "e.ini"));
    EXPECT_EQ(ini.ReadString(u"S", u"k", u""), expected) << c.what;
  }
}

TEST(MyMemIniFile, ParsesLikeTheClassLibrary) {
  TempDir dir;
  WriteAll(dir / "p.ini",
           Bytes("orphan=1\r\n; comment\r\n\r\n  [ Main ]  \r\n  key  =  a = b  \r\n"
                 "bare line\r\n[Other]\r\nk=1\r\n[main]\r\nlater=2\r\nkey=second\r\n"));
  TMyMemIniFile ini(U(dir / "p.ini"));
  EXPECT_EQ(ini.ReadString(u"Main", u"key", u""), u"a = b");
  EXPECT_EQ(ini.ReadString(u"MAIN", u"later", u""), u"2");  // a repeated section continues
  EXPECT_FALSE(ini.ValueExists(u"", u"orphan"));
  EXPECT_TRUE(ini.SectionExists(u"other"));
  EXPECT_EQ(ini.ReadSection(u"Main"), (std::vector<std::u16string>{u"key", u"later", u"key"}));
  EXPECT_EQ(ini.GetStrings(),
            (std::vector<std::u16string>{u"[Main]", u"key=a = b", u"bare line", u"later=2",
                                         u"key=second", u"", u"[Other]", u"k=1", u""}));
  ini.DeleteKey(u"main", u"KEY");
  EXPECT_EQ(ini.ReadString(u"Main", u"key", u""), u"second");
  ini.EraseSection(u"OTHER");
  EXPECT_FALSE(ini.SectionExists(u"Other"));
  EXPECT_EQ(ini.ReadInteger(u"Main", u"key", 7), 7);  // "second" is no number
}

TEST(MyMemIniFile, MissingDamagedAndUnwritableFilesAreAnswered) {
  TempDir dir;
  TMyMemIniFile missing(U(dir / "none.ini"));
  EXPECT_TRUE(missing.ReadSections().empty());
  EXPECT_EQ(missing.ReadString(u"a", u"b", u"d"), u"d");

  WriteAll(dir / "odd.ini", {0xFF, 0xFE, '[', 0, 'S', 0, ']', 0, '\n'});  // odd length
  TMyMemIniFile odd(U(dir / "odd.ini"));
  EXPECT_TRUE(odd.SectionExists(u"S"));
  std::vector<uint8_t> junk(4096);
  for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<uint8_t>(i * 131 + 7);
  WriteAll(dir / "junk.ini", junk);
  EXPECT_NO_THROW(TMyMemIniFile junk_ini(U(dir / "junk.ini")));

  TMyMemIniFile nowhere(U(dir / "no/folder/x.ini"));
  nowhere.WriteString(u"S", u"k", u"v");
  EXPECT_FALSE(nowhere.UpdateFile());
  TMyMemIniFile unnamed(u"");
  EXPECT_FALSE(unnamed.UpdateFile());
  EXPECT_FALSE(unnamed.SaveABackup());
}

TEST(MyMemIniFile, UpdateReplacesTheFileAndSaveABackupCopiesIt) {
  TempDir dir;
  WriteAll(dir / "s.ini", Bytes("[S]\r\nk=old\r\n"));
  TMyMemIniFile ini(U(dir / "s.ini"));
  EXPECT_TRUE(ini.SaveABackup());
  EXPECT_EQ(ReadAll(dir / "s.BAK"), Bytes("[S]\r\nk=old\r\n"));
  ini.WriteString(u"S", u"k", u"new");
  ASSERT_TRUE(ini.UpdateFile());
  EXPECT_TRUE(ini.SaveABackup());  // replaces the older backup
  EXPECT_EQ(TMyMemIniFile(U(dir / "s.BAK")).ReadString(u"S", u"k", u""), u"new");
  // No stray temporary files are left beside the ini.
  int files = 0;
  for (const auto &entry : fs::directory_iterator(dir / "")) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(files, 2);
  TMyMemIniFile gone(U(dir / "gone.ini"));
  EXPECT_FALSE(gone.SaveABackup());
}

}  // namespace
