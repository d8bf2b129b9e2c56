// Frequency counting on the Brown corpus: the sorted list built by AddOneOrIncFreq must agree
// with a plain map count of the same tokens.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>

#include "platform/zip_archive.h"
#include "runtime1/lists/Useful_Classes.h"

namespace {

TEST(BrownCorpus, FrequencyListAgreesWithAMapCount) {
  const std::string archive = std::string(QV7_SHARED_DATA_DIR) + "/brown.zip";
  if (!std::filesystem::exists(archive)) GTEST_SKIP() << "no " << archive;
  platform::ZipArchive zip;
  ASSERT_TRUE(zip.Open(archive));
  TCardinalAndFreqList list;
  list.SortOnCardinals();
  std::map<uint32_t, int32_t> expected;
  int64_t tokens = 0;
  for (const auto &entry : zip.Entries()) {
    if (entry.is_folder) continue;
    const auto text = zip.ExtractToString(entry.index);
    ASSERT_TRUE(text.has_value()) << entry.name;
    uint32_t hash = 2166136261u;
    bool in_token = false;
    for (size_t k = 0; k <= text->size(); ++k) {
      const bool space = k == text->size() || std::isspace(static_cast<unsigned char>((*text)[k]));
      if (!space) {
        hash = (hash ^ static_cast<unsigned char>((*text)[k])) * 16777619u;
        in_token = true;
      } else if (in_token) {
        list.AddOneOrIncFreq({hash, 1});
        ++expected[hash];
        ++tokens;
        hash = 2166136261u;
        in_token = false;
      }
    }
  }
  EXPECT_GT(tokens, 1000000);
  ASSERT_EQ(list.Count(), static_cast<int32_t>(expected.size()));
  EXPECT_TRUE(list.sorted);
  int32_t i = 0;
  for (const auto &[c, f] : expected) {
    ASSERT_EQ(list.GetACardAndFreq(i).c, c) << i;
    ASSERT_EQ(list.GetACardAndFreq(i).f, f) << i;
    ++i;
  }
}

}  // namespace
