#include "platform/streams.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <numeric>

#include "platform/files.h"

namespace {

std::vector<uint8_t> Pattern(size_t n) {
  std::vector<uint8_t> bytes(n);
  for (size_t k = 0; k < n; ++k) bytes[k] = static_cast<uint8_t>(k * 7 + k / 251);
  return bytes;
}

std::string TempName(const std::string &leaf) {
  return platform::PrivateTempFolder() + "/" + leaf;
}

TEST(MemoryStream, ReadsWritesAndSeeks) {
  platform::MemoryStream stream;
  EXPECT_EQ(stream.Write("abcdef", 6), 6u);
  EXPECT_EQ(stream.Position(), 6);
  ASSERT_TRUE(stream.Seek(2));
  EXPECT_EQ(stream.Write("XY", 2), 2u);
  EXPECT_EQ(stream.Size(), 6);
  EXPECT_EQ(stream.Remaining(), 2);
  char buffer[8] = {};
  ASSERT_TRUE(stream.Seek(0));
  EXPECT_EQ(stream.Read(buffer, 8), 6u);
  EXPECT_STREQ(buffer, "abXYef");
  EXPECT_EQ(stream.Read(buffer, 1), 0u);
  EXPECT_FALSE(stream.Seek(-1));
  ASSERT_TRUE(stream.Seek(10));  // past the end: nothing to read, writing fills the gap
  EXPECT_EQ(stream.Remaining(), 0);
  EXPECT_EQ(stream.Write("z", 1), 1u);
  EXPECT_EQ(stream.Size(), 11);
  EXPECT_EQ(stream.Bytes()[8], 0);
}

TEST(MemoryStream, ExactReadsRaiseOnShortData) {
  platform::MemoryStream stream(std::vector<uint8_t>{1, 2, 3});
  uint32_t value = 0;
  EXPECT_FALSE(platform::ReadValue(stream, value));
  EXPECT_EQ(value, 0u);
  stream.Seek(0);
  EXPECT_EQ(platform::ReadValueExact<uint16_t>(stream), 0x0201);
  EXPECT_THROW(platform::ReadValueExact<uint16_t>(stream), platform::StreamReadError);
}

// Reads and writes of mixed sizes across the buffer's edges give back the same bytes.
TEST(FileStream, BufferedReadsAndWritesKeepEveryByte) {
  const std::vector<uint8_t> data = Pattern(300000);
  const std::string name = TempName("buffered.bin");
  const size_t sizes[] = {1, 3, 4096, 65535, 65536, 70000, 7};
  {
    platform::FileStream file(name, platform::FileStream::Mode::kCreate);
    size_t at = 0;
    for (size_t k = 0; at < data.size(); ++k) {
      const size_t n = std::min(sizes[k % std::size(sizes)], data.size() - at);
      ASSERT_EQ(file.Write(data.data() + at, n), n);
      at += n;
    }
    EXPECT_EQ(file.Size(), static_cast<int64_t>(data.size()));
  }
  EXPECT_EQ(platform::ReadWholeFile(name), data);

  platform::FileStream file(name, platform::FileStream::Mode::kOpenReadWrite);
  std::vector<uint8_t> back(data.size());
  size_t at = 0;
  for (size_t k = 3; at < back.size(); ++k) {
    const size_t n = std::min(sizes[k % std::size(sizes)], back.size() - at);
    ASSERT_EQ(file.Read(back.data() + at, n), n);
    at += n;
  }
  EXPECT_EQ(back, data);
  uint8_t extra = 0;
  EXPECT_EQ(file.Read(&extra, 1), 0u);

  // Overwrite in the middle, then read around the change.
  ASSERT_TRUE(file.Seek(100000));
  ASSERT_EQ(file.Write("\xAA\xBB", 2), 2u);
  ASSERT_TRUE(file.Seek(99999));
  uint8_t around[4] = {};
  ASSERT_EQ(file.Read(around, 4), 4u);
  EXPECT_EQ(around[0], data[99999]);
  EXPECT_EQ(around[1], 0xAA);
  EXPECT_EQ(around[2], 0xBB);
  EXPECT_EQ(around[3], data[100002]);
  EXPECT_EQ(file.Size(), static_cast<int64_t>(data.size()));
}

TEST(FileStream, OpeningFailuresRaise) {
  EXPECT_THROW(platform::FileStream("/no/such/file", platform::FileStream::Mode::kOpenRead),
               platform::FileOpenError);
  EXPECT_THROW(
      platform::FileStream(platform::PrivateTempFolder(), platform::FileStream::Mode::kOpenRead),
      platform::FileOpenError);
}

TEST(ReplacingFileStream, ReplacesTheTargetOnlyOnCommit) {
  const std::string name = TempName("replaced.txt");
  {
    platform::FileStream old(name, platform::FileStream::Mode::kCreate);
    old.Write("old", 3);
  }
  ::chmod(name.c_str(), 0640);
  {
    platform::ReplacingFileStream abandoned(name);
    abandoned.Write("new", 3);
  }
  EXPECT_EQ(platform::ReadWholeFile(name), (std::vector<uint8_t>{'o', 'l', 'd'}));
  {
    platform::ReplacingFileStream replacing(name);
    replacing.Write("newer", 5);
    EXPECT_EQ(platform::ReadWholeFile(name)->size(), 3u);
    ASSERT_TRUE(replacing.Commit());
    EXPECT_FALSE(replacing.Commit());
  }
  EXPECT_EQ(platform::ReadWholeFile(name)->size(), 5u);
  struct stat info {};
  ASSERT_EQ(::stat(name.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  int leftovers = 0;
  for (const auto &entry : std::filesystem::directory_iterator(platform::PrivateTempFolder())) {
    leftovers += entry.path().filename().string().find(".tmp") != std::string::npos;
  }
  EXPECT_EQ(leftovers, 0);
}

TEST(PrivateFiles, UniqueNamesInAPrivateFolder) {
  const std::string a = platform::MakeUniqueFile(platform::PrivateTempFolder(), "x", ".txt");
  const std::string b = platform::MakeUniqueFile(platform::PrivateTempFolder(), "x", ".txt");
  EXPECT_NE(a, b);
  EXPECT_TRUE(a.ends_with(".txt"));
  struct stat info {};
  ASSERT_EQ(::stat(platform::PrivateTempFolder().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0077, 0u);
  ASSERT_EQ(::stat(a.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0077, 0u);
}

}  // namespace
