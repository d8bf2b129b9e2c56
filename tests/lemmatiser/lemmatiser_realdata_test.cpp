// The lemmatiser on the real lemma lists: every valid pair of the data is answered, counts
// match what an independent reading of the data predicts, and listings come in key order.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "lemmatiser_library.h"
#include "platform/utf16_text.h"

namespace lemmatiser_test {
namespace {

namespace fs = std::filesystem;
using Pair = std::pair<std::u16string, std::u16string>;  // lemma, form

std::vector<Pair> ReadPairs(const std::string &name) {
  std::ifstream in(std::string(QV7_SHARED_DATA_DIR) + "/" + name, std::ios::binary);
  std::vector<Pair> pairs;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    const size_t tab = line.find('\t');
    if (tab != std::string::npos)
      pairs.emplace_back(platform::Utf8ToUtf16(line.substr(0, tab)),
                         platform::Utf8ToUtf16(line.substr(tab + 1)));
  }
  return pairs;
}

class LemmatiserRealData : public ::testing::TestWithParam<const char *> {
 protected:
  void SetUp() override {
    if (!fs::exists(QV7_SHARED_DATA_DIR))
      GTEST_SKIP() << "real data folder " QV7_SHARED_DATA_DIR " is not there";
  }
};

TEST_P(LemmatiserRealData, EveryPairIsAnsweredAndListedInKeyOrder) {
  LemmatiserLibrary &lib = LemmatiserLibrary::Get();
  const std::vector<Pair> pairs = ReadPairs(GetParam());
  ASSERT_GT(pairs.size(), 1000u);

  // What the list must hold: the first pair of each form, where lemma and form differ.
  std::unordered_map<std::u16string, std::u16string> first_lemma_of_form;
  std::vector<std::u16string> forms;
  std::u16string file;
  for (const Pair &p : pairs) {
    file += p.first + u" -> " + p.second + u"\r\n";
    const std::u16string lemma(platform::Trim(std::u16string_view(p.first)));
    const std::u16string form(platform::Trim(std::u16string_view(p.second)));
    if (lemma.empty() || form.empty() || lemma == form) continue;
    if (first_lemma_of_form.emplace(form, lemma).second) forms.push_back(form);
  }
  const fs::path path = fs::temp_directory_path() / (std::string("qv7_real_") + GetParam());
  WriteListFile(path, file, Encoding::Utf16LE);
  const std::string narrow = path.string();
  const std::u16string name(narrow.begin(), narrow.end());
  ASSERT_EQ(lib.LoadedOne(0, name.c_str(), 0, {}, {}, 0x0409, 1, 0), -1);
  fs::remove(path);

  EXPECT_EQ(lib.LemmaPairEntriesAltogether(0), static_cast<int32_t>(forms.size()));
  size_t answered = 0, exact = 0;
  for (const std::u16string &form : forms) {
    const auto *headword = static_cast<const char16_t *>(lib.FoundInTheList(0, form.c_str(), 1, 0));
    if (headword == nullptr) continue;
    ++answered;
    exact += first_lemma_of_form[form] == headword;
  }
  EXPECT_EQ(answered, forms.size());
  // A headword differs from the lemma of the data only when an earlier pair spelled the same
  // headword in other letter case.
  EXPECT_GT(exact, forms.size() * 99 / 100);

  const int32_t lines = lib.TraversedOne(0, INT32_MAX - 1, 0);
  ASSERT_EQ(lines, static_cast<int32_t>(forms.size()));
  std::u16string previous;
  for (int32_t i = 0; i < lines; ++i) {
    const std::u16string line = static_cast<const char16_t *>(lib.GetAString(i, 1, 0));
    const std::u16string variant = line.substr(0, line.rfind(u" ("));
    if (i > 0) {
      ASSERT_LT(previous, variant) << i;
    }
    previous = variant;
  }
  const std::set<std::u16string> distinct(forms.begin(), forms.end());
  EXPECT_EQ(distinct.size(), forms.size());
}

INSTANTIATE_TEST_SUITE_P(Languages, LemmatiserRealData,
                         ::testing::Values("lemmatization-en.txt", "lemmatization-hu.txt",
                                           "lemmatization-fa.txt"));

TEST(LemmatiserRealDataEnglish, EightBitListAnswersLikeItsUtf16Twin) {
  if (!fs::exists(QV7_SHARED_DATA_DIR)) GTEST_SKIP() << "real data folder is not there";
  LemmatiserLibrary &lib = LemmatiserLibrary::Get();
  std::u16string file;
  for (const Pair &p : ReadPairs("lemmatization-en.txt"))
    file += p.first + u" -> " + p.second + u"\n";
  const fs::path path8 = fs::temp_directory_path() / "qv7_real_en_8bit.txt";
  const fs::path path16 = fs::temp_directory_path() / "qv7_real_en_16bit.txt";
  WriteListFile(path8, file, Encoding::Ansi);
  WriteListFile(path16, file, Encoding::Utf16BE);
  const std::string n8 = path8.string(), n16 = path16.string();
  const std::u16string name8(n8.begin(), n8.end()), name16(n16.begin(), n16.end());
  ASSERT_EQ(lib.LoadedOne(1, name8.c_str(), 0, {}, {}, 0x0409, 1, 0), -1);
  ASSERT_EQ(lib.LoadedOne(2, name16.c_str(), 0, {}, {}, 0x0409, 1, 0), -1);
  fs::remove(path8);
  fs::remove(path16);
  EXPECT_EQ(lib.LemmaPairEntriesAltogether(1), lib.LemmaPairEntriesAltogether(2));
  EXPECT_EQ(lib.LemmaHeadWordsCount(1), lib.LemmaHeadWordsCount(2));
  struct Case {
    const char *form8;
    const char16_t *headword;
  } cases[] = {{"went", u"go"}, {"mice", u"mouse"}, {"children", u"child"}, {"better", u"good"}};
  for (const Case &c : cases) {
    EXPECT_EQ(std::string(static_cast<const char *>(lib.SightlineChangeWord(c.form8, 0, 0))),
              std::string(c.headword, c.headword + std::char_traits<char16_t>::length(c.headword)));
    const std::u16string form16(c.form8, c.form8 + std::strlen(c.form8));
    EXPECT_EQ(
        std::u16string(static_cast<const char16_t *>(lib.SalientChangeWord(form16.c_str(), 0, 1))),
        c.headword);
  }
}

}  // namespace
}  // namespace lemmatiser_test
