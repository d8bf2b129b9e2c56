#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "list_test_support.h"
#include "platform/files.h"
#include "platform/streams.h"
#include "platform/utf16_text.h"
#include "platform/zip_archive.h"
#include "runtime1/lists/myFileStreamU.h"
#include "runtime1/lists/zip_utils.h"

using list_tests::ToHex;

namespace {

TEST(ZipNames, SplitsArchiveAndInnerNames) {
  struct Case {
    std::u16string name, archive, inner;
  } cases[] = {
      {u"C:\\a\\b.zip\\c\\d.txt", u"C:\\a\\b.zip", u"c\\d.txt"},
      {u"/a/b.zip/c/d.txt", u"/a/b.zip", u"c/d.txt"},
      {u"/a/B.ZIP/d.txt", u"/a/B.ZIP", u"d.txt"},
      {u"/a/b.zipper/x.zip/d.txt", u"/a/b.zipper/x.zip", u"d.txt"},
      {u"/a/b.zip", u"", u""},
      {u"/a/b.txt", u"", u""},
  };
  for (const Case &c : cases) {
    const std::string label = platform::Utf16ToUtf8(c.name);
    EXPECT_EQ(ZipFileFullFileName(c.name), c.archive) << label;
    EXPECT_EQ(ZipFileWantedFileNameWithin(c.name), c.inner) << label;
  }
}

TEST(ZipNames, RecognisesZipFilesAndNamesWithin) {
  EXPECT_TRUE(IsZipExtension(u".ZiP"));
  EXPECT_FALSE(IsZipExtension(u".zipx"));
  EXPECT_TRUE(IsAZipFile(u"/x/y.Zip"));
  EXPECT_FALSE(IsAZipFile(u"/x.zip/y"));
  EXPECT_FALSE(IsAZipFile(u"zip"));
  EXPECT_TRUE(IsWithinAZipFile(u"/no/such/folder/a.zip/b.txt"));
  EXPECT_FALSE(IsWithinAZipFile(u"/no/such/folder/a.zip"));
  // An existing file whose name only looks like a name within an archive.
  const std::string folder = platform::PrivateTempFolder() + "/real.zip";
  std::filesystem::create_directories(folder);
  std::ofstream(folder + "/b.txt") << "x";
  EXPECT_FALSE(IsWithinAZipFile(platform::Utf8ToUtf16(folder + "/b.txt")));
}

class ZipEntries : public ::testing::Test {
 protected:
  void SetUp() override {
    archive_ = platform::MakeUniqueFile(platform::PrivateTempFolder(), "entries", ".zip");
    platform::ZipWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Create(archive_, &error)) << error;
    writer.AddFile("a.txt", std::string_view("a\nb"));
    writer.AddFile("sub/Utf8.txt", std::string_view("\xC3\xA9t\xC3\xA9\r\nx\r\n"));
    writer.AddFile("sub/ansi.txt", std::string_view("\xE9t\xE9"));
    writer.AddFile("sub/utf16.txt", std::string_view("\xFF\xFEh\0i\0", 6));
    ASSERT_TRUE(writer.Commit(&error)) << error;
  }
  std::u16string Archive() const { return platform::Utf8ToUtf16(archive_); }
  std::string archive_;
};

TEST_F(ZipEntries, ContentsByNumberAndByCombinedName) {
  struct Case {
    std::u16string by_name;
    int32_t number;
    std::u16string text;
  } cases[] = {
      {u"/a.txt", 1, u"a\nb"},
      {u"/sub/Utf8.txt", 2, u"\u00e9t\u00e9\r\nx\r\n"},
      {u"\\sub\\ansi.txt", 3, u"\u00e9t\u00e9"},
      {u"/SUB/UTF16.TXT", 4, u"hi"},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(ContentsOfFileWithinZipFile(Archive() + c.by_name), c.text);
    EXPECT_EQ(ContentsOfFileWithinZipFile(Archive(), c.number), c.text);
  }
  EXPECT_EQ(ContentsOfFileWithinZipFile(Archive(), 0), u"");
  EXPECT_EQ(ContentsOfFileWithinZipFile(Archive(), 5), u"");
  EXPECT_EQ(ContentsOfFileWithinZipFile(Archive() + u"/missing.txt"), u"");
}

TEST_F(ZipEntries, MissingOrDamagedArchivesRaiseErrors) {
  EXPECT_THROW(ContentsOfFileWithinZipFile(u"/no/such.zip", 1), platform::Error);
  EXPECT_THROW(ContentsOfFileWithinZipFile(u"/no/such.zip/a.txt"), platform::Error);
  const std::string damaged =
      platform::MakeUniqueFile(platform::PrivateTempFolder(), "bad", ".zip");
  std::ofstream(damaged) << "PK\x03\x04 not really a zip";
  EXPECT_THROW(OpenedAZipFileToTempDir(platform::Utf8ToUtf16(damaged), 1), platform::Error);
}

TEST_F(ZipEntries, TempFileHoldsTheEntryAsUtf16Lines) {
  const std::u16string path = OpenedAZipFileToTempDir(Archive(), 1);
  ASSERT_FALSE(path.empty());
  const std::string native = platform::Utf16ToUtf8(path);
  EXPECT_EQ(std::filesystem::path(native).parent_path().string(), platform::PrivateTempFolder());
  const auto bytes = platform::ReadWholeFile(native);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(ToHex(*bytes), "FF FE 61 00 0D 00 0A 00 62 00 0D 00 0A 00");
  // A second call makes a new file rather than reusing a fixed name.
  const std::u16string second = OpenedAZipFileToTempDir(Archive(), 2);
  EXPECT_NE(second, path);
  EXPECT_EQ(ToHex(*platform::ReadWholeFile(platform::Utf16ToUtf8(second))),
            "FF FE E9 00 74 00 E9 00 0D 00 0A 00 78 00 0D 00 0A 00");
}

TEST_F(ZipEntries, TempFileIsNotMadeForAnEntryOutsideTheArchive) {
  const auto before =
      std::distance(std::filesystem::directory_iterator(platform::PrivateTempFolder()),
                    std::filesystem::directory_iterator());
  EXPECT_EQ(OpenedAZipFileToTempDir(Archive(), 0), u"");
  EXPECT_EQ(OpenedAZipFileToTempDir(Archive(), 99), u"");
  const auto after =
      std::distance(std::filesystem::directory_iterator(platform::PrivateTempFolder()),
                    std::filesystem::directory_iterator());
  EXPECT_EQ(before, after);
}

TEST(PrivateTempFolder, IsPrivateToTheUser) {
  namespace fs = std::filesystem;
  const fs::perms perms = fs::status(platform::PrivateTempFolder()).permissions();
  EXPECT_EQ(perms & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
}

}  // namespace
