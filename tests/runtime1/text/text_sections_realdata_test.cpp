// The type arrays of the Brown corpus texts: the 8-bit and the UTF-16 array of each text agree,
// and the word starts counted over them agree with a count of the text's tokens.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/utf16_text.h"
#include "platform/zip_archive.h"
#include "runtime1/text/text_section_boundaries.h"

namespace {

constexpr uint32_t kEnglishUS = 0x0409;

TEST(BrownCorpus, WordStartsOfEveryTextAgreeWithItsTokens) {
  const std::string archive = std::string(QV7_SHARED_DATA_DIR) + "/brown.zip";
  if (!std::filesystem::exists(archive)) GTEST_SKIP() << "no " << archive;
  platform::ZipArchive zip;
  ASSERT_TRUE(zip.Open(archive));
  int texts = 0;
  for (const auto &entry : zip.Entries()) {
    if (entry.is_folder) continue;
    const auto text = zip.ExtractToString(entry.index);
    ASSERT_TRUE(text.has_value()) << entry.name;
    const TCharTypeArray narrow = BuildCharTypeArray(std::string_view(*text), kEnglishUS);
    const TCharTypeArray wide = BuildCharTypeArray(platform::Utf8ToUtf16(*text), kEnglishUS);
    ASSERT_EQ(narrow, wide) << entry.name;

    // A word start is a space, tab or line break followed by anything else, the text's end
    // included (where the next chunk's first word would begin).
    int32_t expected = 0;
    for (size_t k = 0; k < text->size(); ++k) {
      const auto white = [&](size_t i) {
        return i < text->size() && ((*text)[i] == ' ' || (*text)[i] == '\t' || (*text)[i] == '\n' ||
                                    (*text)[i] == '\r');
      };
      if (white(k) && !white(k + 1)) ++expected;
    }
    TSearchStatsRec stats;
    bool in_heading = false;
    CountTextSections(narrow, static_cast<int32_t>(text->size()), stats, in_heading, {});
    EXPECT_EQ(stats.number[0], expected) << entry.name;
    EXPECT_EQ(stats.number[1], 0);
    ++texts;
  }
  EXPECT_GT(texts, 500);
}

}  // namespace
