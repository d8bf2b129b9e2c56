// The zip layer of the platform: opening, listing, extracting, comments, the writer, and the
// answers to missing, empty, truncated, corrupt and oversized archives.
#include "platform/zip_archive.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/streams.h"
#include "test_support.h"

namespace {

using test_support::ReadAll;
using test_support::TempDir;
using test_support::WriteAll;

namespace fs = std::filesystem;

uint32_t Crc32(std::string_view data) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : data) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// 2 March 2021 10:20:30 local time: an even second, as DOS times are.
std::time_t SomeLocalTime() {
  std::tm tm{};
  tm.tm_year = 121;
  tm.tm_mon = 2;
  tm.tm_mday = 2;
  tm.tm_hour = 10;
  tm.tm_min = 20;
  tm.tm_sec = 30;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

const std::string kAlpha = "alpha alpha alpha alpha alpha\r\n";
const std::string kBeta(5000, 'b');

std::string MakeSample(const TempDir &dir, const std::string &name = "sample.zip") {
  const std::string path = dir / name;
  platform::ZipWriter writer;
  std::string error;
  EXPECT_TRUE(writer.Create(path, &error)) << error;
  EXPECT_TRUE(writer.AddFile("a.txt", kAlpha, SomeLocalTime(), &error)) << error;
  EXPECT_TRUE(writer.AddFolder("sub", &error)) << error;
  EXPECT_TRUE(writer.AddFile("sub/B\xC3\xA9ta.txt", kBeta, 0, &error)) << error;  // "Béta"
  EXPECT_TRUE(writer.SetComment("Corvane Batch file .cnc", &error)) << error;
  EXPECT_TRUE(writer.Commit(&error)) << error;
  return path;
}

TEST(ZipArchive, ListsEntriesWithTheirDetails) {
  TempDir dir;
  const std::string path = MakeSample(dir);
  platform::ZipArchive zip;
  std::string error;
  ASSERT_TRUE(zip.Open(path, &error)) << error;
  EXPECT_TRUE(zip.IsOpen());
  EXPECT_EQ(zip.FileName(), path);
  ASSERT_EQ(zip.EntryCount(), 3);
  const auto entries = zip.Entries();
  ASSERT_EQ(entries.size(), 3u);

  EXPECT_EQ(entries[0].index, 0u);
  EXPECT_EQ(entries[0].name, "a.txt");
  EXPECT_EQ(entries[0].raw_name, "a.txt");
  EXPECT_EQ(entries[0].size, kAlpha.size());
  EXPECT_GT(entries[0].compressed_size, 0u);
  EXPECT_EQ(entries[0].crc, Crc32(kAlpha));
  EXPECT_EQ(entries[0].modified, SomeLocalTime());
  EXPECT_FALSE(entries[0].is_folder);
  EXPECT_FALSE(entries[0].encrypted);

  EXPECT_EQ(entries[1].name, "sub/");
  EXPECT_TRUE(entries[1].is_folder);
  EXPECT_EQ(entries[1].size, 0u);

  EXPECT_EQ(entries[2].name, "sub/B\xC3\xA9ta.txt");
  EXPECT_EQ(entries[2].size, kBeta.size());
  EXPECT_LT(entries[2].compressed_size, kBeta.size());  // deflated
  EXPECT_EQ(entries[2].compression_method, 8);
  EXPECT_EQ(entries[2].crc, Crc32(kBeta));

  EXPECT_EQ(zip.Comment(), "Corvane Batch file .cnc");
  EXPECT_EQ(zip.RawComment(), "Corvane Batch file .cnc");
}

TEST(ZipArchive, ExtractsToBytesStringAndSink) {
  TempDir dir;
  platform::ZipArchive zip;
  ASSERT_TRUE(zip.Open(MakeSample(dir)));
  auto text = zip.ExtractToString(0);
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, kAlpha);
  auto bytes = zip.ExtractToBytes(2);
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(std::string(bytes->begin(), bytes->end()), kBeta);
  auto folder = zip.ExtractToBytes(1);
  ASSERT_TRUE(folder.has_value());
  EXPECT_TRUE(folder->empty());

  std::string collected;
  EXPECT_TRUE(zip.ExtractTo(2, [&](const uint8_t *p, size_t n) {
    collected.append(reinterpret_cast<const char *>(p), n);
    return true;
  }));
  EXPECT_EQ(collected, kBeta);

  std::string error;
  EXPECT_FALSE(zip.ExtractTo(
      2, [](const uint8_t *, size_t) { return false; }, platform::kDefaultExtractLimit, &error));
  EXPECT_NE(error.find("stopped"), std::string::npos);
}

TEST(ZipArchive, FindsEntriesByName) {
  TempDir dir;
  platform::ZipArchive zip;
  ASSERT_TRUE(zip.Open(MakeSample(dir)));
  EXPECT_EQ(zip.FindEntry("a.txt"), 0u);
  EXPECT_EQ(zip.FindEntry("sub/B\xC3\xA9ta.txt"), 2u);
  EXPECT_FALSE(zip.FindEntry("A.TXT").has_value());
  EXPECT_EQ(zip.FindEntry("A.TXT", true), 0u);
  EXPECT_FALSE(zip.FindEntry("").has_value());
  EXPECT_FALSE(zip.FindEntry("missing.txt").has_value());
}

TEST(ZipArchive, OutOfRangeAndClosedAnswersAreNeutral) {
  TempDir dir;
  platform::ZipArchive zip;
  EXPECT_EQ(zip.EntryCount(), -1);
  EXPECT_TRUE(zip.Entries().empty());
  EXPECT_EQ(zip.Comment(), "");
  EXPECT_FALSE(zip.FindEntry("a.txt").has_value());
  EXPECT_FALSE(zip.ExtractToBytes(0).has_value());
  ASSERT_TRUE(zip.Open(MakeSample(dir)));
  EXPECT_FALSE(zip.Entry(3).has_value());
  std::string error;
  EXPECT_FALSE(zip.ExtractToString(99, platform::kDefaultExtractLimit, &error).has_value());
  EXPECT_NE(error.find("out of range"), std::string::npos);
  zip.Close();
  EXPECT_FALSE(zip.IsOpen());
  EXPECT_EQ(zip.EntryCount(), -1);
}

TEST(ZipArchive, MissingEmptyFolderAndPlainFilesAreRefused) {
  TempDir dir;
  platform::ZipArchive zip;
  std::string error;
  EXPECT_FALSE(zip.Open(dir / "missing.zip", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(zip.LastError(), error);
  EXPECT_FALSE(zip.Open("", &error));

  WriteAll(dir / "empty.zip", {});
  EXPECT_FALSE(zip.Open(dir / "empty.zip", &error));
  EXPECT_FALSE(zip.IsOpen());

  fs::create_directory(dir / "folder.zip");
  EXPECT_FALSE(zip.Open(dir / "folder.zip", &error));

  WriteAll(dir / "plain.lst", std::vector<uint8_t>(200, 'x'));
  EXPECT_FALSE(zip.Open(dir / "plain.lst", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(zip.IsOpen());
}

TEST(ZipArchive, TruncatedArchivesAreRefusedOrFailCleanly) {
  TempDir dir;
  const auto whole = ReadAll(MakeSample(dir));
  ASSERT_GT(whole.size(), 100u);
  // Every cut of the archive: open must answer, and whatever opens must list and extract
  // without crashing.
  for (size_t cut = 1; cut < whole.size(); cut += 7) {
    const std::string name = dir / "cut.zip";
    WriteAll(name, std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(cut)));
    platform::ZipArchive zip;
    std::string error;
    if (zip.Open(name, &error)) {
      for (int64_t i = 0; i < zip.EntryCount(); ++i)
        (void)zip.ExtractToBytes(static_cast<uint64_t>(i));
      (void)zip.Comment();
    } else {
      EXPECT_FALSE(error.empty());
    }
  }
}

TEST(ZipArchive, CorruptDataFailsExtractionWithAMessage) {
  TempDir dir;
  auto bytes = ReadAll(MakeSample(dir));
  // The compressed data of "a.txt" starts after its 30-byte local header and its name (and no
  // extra field in what libzip writes); damage some of it.
  ASSERT_EQ(bytes[0], 0x50);
  const size_t name_len = bytes[26] | (bytes[27] << 8);
  const size_t extra_len = bytes[28] | (bytes[29] << 8);
  const size_t data = 30 + name_len + extra_len;
  for (size_t i = data; i < data + 6; ++i) bytes[i] ^= 0x5A;
  WriteAll(dir / "bad.zip", bytes);
  platform::ZipArchive zip;
  ASSERT_TRUE(zip.Open(dir / "bad.zip"));
  std::string error;
  EXPECT_FALSE(zip.ExtractToString(0, platform::kDefaultExtractLimit, &error).has_value());
  EXPECT_FALSE(error.empty());
  // The other entries are still readable.
  auto beta = zip.ExtractToString(2);
  ASSERT_TRUE(beta.has_value());
  EXPECT_EQ(*beta, kBeta);
}

TEST(ZipArchive, TheSizeCapStopsLargeEntries) {
  TempDir dir;
  const std::string path = dir / "bomb.zip";
  const std::string zeros(1 << 20, '\0');
  {
    platform::ZipWriter writer;
    ASSERT_TRUE(writer.Create(path));
    ASSERT_TRUE(writer.AddFile("zeros.bin", zeros));
    ASSERT_TRUE(writer.Commit());
  }
  platform::ZipArchive zip;
  ASSERT_TRUE(zip.Open(path));
  std::string error;
  EXPECT_FALSE(zip.ExtractToBytes(0, 1000, &error).has_value());
  EXPECT_NE(error.find("limit"), std::string::npos);
  EXPECT_TRUE(zip.ExtractToBytes(0, zeros.size()).has_value());  // exactly the cap is fine
  zip.Close();

  // An archive that lies about the size: declared 100 bytes in both headers, 1 MiB inside.
  auto bytes = ReadAll(path);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<uint8_t>(v >> (8 * k));
  };
  put32(22, 100);  // local header: uncompressed size
  for (size_t i = 0; i + 4 < bytes.size(); ++i) {
    if (bytes[i] == 0x50 && bytes[i + 1] == 0x4B && bytes[i + 2] == 0x01 && bytes[i + 3] == 0x02) {
      put32(i + 24, 100);  // central directory: uncompressed size
    }
  }
  WriteAll(dir / "liar.zip", bytes);
  ASSERT_TRUE(zip.Open(dir / "liar.zip"));
  size_t delivered = 0;
  EXPECT_FALSE(zip.ExtractTo(
      0,
      [&](const uint8_t *, size_t n) {
        delivered += n;
        return true;
      },
      4096, &error));
  EXPECT_LE(delivered, 4096u + 65536u);
}

TEST(ZipArchive, ReadsTheCommentOfAnArchiveWithoutEntries) {
  // An end-of-central-directory record alone, with a comment: libzip's writer cannot make it.
  const std::string comment = "Corvane Batch file .lst";
  std::vector<uint8_t> eocd = {0x50, 0x4B, 0x05, 0x06, 0, 0, 0, 0, 0, 0,
                               0,    0,    0,    0,    0, 0, 0, 0, 0, 0};
  eocd.push_back(static_cast<uint8_t>(comment.size()));
  eocd.push_back(0);
  eocd.insert(eocd.end(), comment.begin(), comment.end());
  TempDir dir;
  WriteAll(dir / "empty_batch.zip", eocd);
  platform::ZipArchive zip;
  std::string error;
  ASSERT_TRUE(zip.Open(dir / "empty_batch.zip", &error)) << error;
  EXPECT_EQ(zip.EntryCount(), 0);
  EXPECT_EQ(zip.Comment(), comment);

  ASSERT_TRUE(zip.OpenFromBytes(eocd, &error)) << error;
  EXPECT_EQ(zip.EntryCount(), 0);
  EXPECT_EQ(zip.Comment(), comment);
}

TEST(ZipArchive, OpensArchivesHeldInMemoryAndUnderNonAsciiNames) {
  TempDir dir;
  const std::string path = MakeSample(dir, "t\xC3\xA9xtes \xE6\x96\x87.zip");
  platform::ZipArchive zip;
  std::string error;
  ASSERT_TRUE(zip.OpenFromBytes(ReadAll(path), &error)) << error;
  EXPECT_EQ(zip.EntryCount(), 3);
  EXPECT_EQ(zip.ExtractToString(0), kAlpha);
  EXPECT_FALSE(zip.OpenFromBytes({}, &error));
  EXPECT_FALSE(zip.OpenFromBytes(std::vector<uint8_t>(64, 7), &error));

  ASSERT_TRUE(zip.Open(path, &error)) << error;
  platform::ZipArchive moved = std::move(zip);
  EXPECT_FALSE(zip.IsOpen());
  EXPECT_EQ(moved.EntryCount(), 3);
  EXPECT_EQ(moved.Comment(), "Corvane Batch file .cnc");
}

TEST(ZipWriter, NothingReachesTheDiskBeforeCommit) {
  TempDir dir;
  const std::string path = dir / "keep.zip";
  WriteAll(path, {'o', 'l', 'd'});
  {
    platform::ZipWriter writer;
    ASSERT_TRUE(writer.Create(path));
    ASSERT_TRUE(writer.AddFile("x.txt", std::string_view("x")));
    writer.Discard();
  }
  EXPECT_EQ(ReadAll(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
  {
    platform::ZipWriter writer;
    ASSERT_TRUE(writer.Create(path));
    ASSERT_TRUE(writer.AddFile("x.txt", std::string_view("x")));
  }  // destroyed without Commit
  EXPECT_EQ(ReadAll(path), (std::vector<uint8_t>{'o', 'l', 'd'}));

  platform::ZipWriter writer;
  std::string error;
  EXPECT_FALSE(writer.AddFile("x.txt", std::string_view("x"), 0, &error));  // not created
  EXPECT_FALSE(writer.Commit(&error));
  EXPECT_FALSE(writer.Create(dir / "no/such/folder/x.zip", &error) &&
               writer.AddFile("x.txt", std::string_view("x")) && writer.Commit(&error));
  EXPECT_FALSE(fs::exists(dir / "no"));
}

}  // namespace
