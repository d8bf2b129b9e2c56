// The lemmatiser library driven through its exports, with real list files.
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lemmatiser_library.h"

namespace lemmatiser_test {
namespace {

constexpr uint32_t kEnglish = 0x0409;
constexpr uint32_t kTurkish = 0x041F;

std::u16string Text(const void *p) {
  return p == nullptr ? u"<null>" : std::u16string(static_cast<const char16_t *>(p));
}
std::string Bytes(const void *p) {
  return p == nullptr ? "<null>" : std::string(static_cast<const char *>(p));
}

// Records what the load callbacks receive.
struct LoadRecorder {
  std::vector<std::pair<int32_t, std::u16string>> line_counts;
  std::vector<int32_t> progress;
  int32_t cancel_at_progress = -1;  // cancels the load when progress reports this count
  uint8_t slot = 0, kind = 0;

  QV7AnnounceNumberAndMessageProc LineCountProc() {
    return {[](void *self, int32_t n, char16_t *mess) {
              static_cast<LoadRecorder *>(self)->line_counts.emplace_back(n, mess);
            },
            this};
  }
  QV7ShowSomeProgressProc ProgressProc() {
    return {[](void *self, int32_t n) {
              auto *recorder = static_cast<LoadRecorder *>(self);
              recorder->progress.push_back(n);
              if (n == recorder->cancel_at_progress)
                LemmatiserLibrary::Get().CancelOne(recorder->slot, recorder->kind);
            },
            this};
  }
};

class LemmatiserExports : public ::testing::Test {
 protected:
  LemmatiserLibrary &lib = LemmatiserLibrary::Get();
  std::filesystem::path folder;

  void SetUp() override {
    folder = std::filesystem::temp_directory_path() /
             ("qv7_lemmatiser_" + std::to_string(::getpid()) + "_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    for (uint8_t kind = 0; kind < 4; ++kind)
      for (uint8_t slot = 0; slot < QV7_SLOT_COUNT; ++slot) lib.ClearOne(slot, kind);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::u16string PathOf(const std::string &name) {
    const std::string path = (folder / name).string();
    return std::u16string(path.begin(), path.end());
  }

  int16_t Load(uint8_t slot, uint8_t kind, const std::u16string &content,
               Encoding encoding = Encoding::Ansi, LoadRecorder *recorder = nullptr,
               uint32_t lcid = kEnglish, uint8_t case_sensitive = 1, uint8_t allow_commas = 0) {
    static int counter = 0;
    const std::string name = "list" + std::to_string(++counter) + ".txt";
    WriteListFile(folder / name, content, encoding);
    return LoadFile(slot, kind, PathOf(name), recorder, lcid, case_sensitive, allow_commas);
  }

  int16_t LoadFile(uint8_t slot, uint8_t kind, const std::u16string &path,
                   LoadRecorder *recorder = nullptr, uint32_t lcid = kEnglish,
                   uint8_t case_sensitive = 1, uint8_t allow_commas = 0) {
    LoadRecorder ignored;
    LoadRecorder &r = recorder != nullptr ? *recorder : ignored;
    r.slot = slot;
    r.kind = kind;
    return lib.LoadedOne(slot, path.c_str(), kind, r.LineCountProc(), r.ProgressProc(), lcid,
                         case_sensitive, allow_commas);
  }

  std::vector<std::u16string> Listing(uint8_t slot, uint8_t kind, int32_t maximum = 1000000) {
    std::vector<std::u16string> lines;
    const int32_t n = lib.TraversedOne(slot, maximum, kind);
    for (int32_t i = 0; i < n; ++i) lines.push_back(Text(lib.GetAString(i, 1, 0)));
    return lines;
  }
};

using Lines = std::vector<std::u16string>;

TEST_F(LemmatiserExports, BeforeAnyLoadEveryLookUpFails) {
  const char16_t word[] = u"went";
  EXPECT_EQ(lib.FoundInTheList(0, word, 1, 0), nullptr);
  EXPECT_EQ(lib.TallymanChangeWord(0, word, 0, 1), word);
  EXPECT_EQ(lib.SightlineChangeWord(word, 0, 1), word);
  EXPECT_EQ(Text(lib.LemmaVariantsOf(0, u"GO", u",")), u"");
  EXPECT_EQ(lib.LemmaHeadWordsCount(0), 0);
  EXPECT_EQ(lib.LemmaPairEntriesAltogether(0), 0);
  EXPECT_EQ(lib.MatchListWordsCount(0), 0);
  EXPECT_EQ(lib.StopListWordsCount(0), 0);
  EXPECT_EQ(lib.TraversedOne(0, 10, 0), 0);
  EXPECT_EQ(lib.GetAString(0, 1, 0), nullptr);
}

TEST_F(LemmatiserExports, OutOfRangeSlotsKindsAndNullPointersGetTheNeutralResult) {
  const char16_t word[] = u"x";
  EXPECT_EQ(lib.LoadedOne(22, PathOf("none").c_str(), 0, {}, {}, kEnglish, 1, 0), 0);
  EXPECT_EQ(lib.LoadedOne(0, nullptr, 1, {}, {}, kEnglish, 1, 0), 0);
  EXPECT_EQ(lib.LoadedOne(0, PathOf("none").c_str(), 4, {}, {}, kEnglish, 1, 0), 0);
  EXPECT_EQ(lib.ClearOne(200, 0), 0);
  for (uint8_t kind : {0, 1, 2, 3, 4, 255}) EXPECT_EQ(lib.ClearOne(0, kind), -1) << int(kind);
  lib.CancelOne(255, 0);
  lib.CancelOne(0, 9);
  EXPECT_EQ(lib.FoundInTheList(22, word, 1, 1), nullptr);
  EXPECT_EQ(lib.FoundInTheList(0, nullptr, 1, 1), nullptr);
  EXPECT_EQ(lib.FoundInTheList(0, word, 1, 4), nullptr);
  EXPECT_EQ(lib.TallymanChangeWord(22, word, 0, 1), word);
  EXPECT_EQ(lib.TallymanChangeWord(0, nullptr, 0, 1), nullptr);
  EXPECT_EQ(lib.LemmaVariantsOf(22, u"a", u","), nullptr);
  EXPECT_EQ(Text(lib.LemmaVariantsOf(0, nullptr, nullptr)), u"");
  EXPECT_EQ(lib.LemmaHeadWords(22, 0), nullptr);
  EXPECT_EQ(lib.LemmaHeadWordsCount(22), 0);
  EXPECT_EQ(lib.MatchListWordsCount(99), 0);
  EXPECT_EQ(lib.TraversedOne(22, 5, 0), 0);
  EXPECT_EQ(lib.TraversedOne(0, 5, 4), 0);
  EXPECT_EQ(lib.GetAString(-1, 1, 0), nullptr);
  lib.TraverseLemmasDoing(22, {});
  lib.TraverseStopsDoing(0, {});  // an empty handler walks without calling anything
}

TEST_F(LemmatiserExports, LemmaListAnswersHeadwordsVariantsAndCounts) {
  const std::u16string file =
      u"; an English lemma list\r\n"
      u"GO -> WENT, GONE\r\n"
      u"going\r\n"
      u"\r\n"
      u"MOUSE -> MICE\r\n"
      u"WEND -> WENT\r\n"  // WENT is taken: WEND stays a headword with no variant
      u"Go -> goes\r\n"    // the store keeps the first spelling, GO
      u"BE -> BE\r\n"      // a variant equal to its headword is no pair
      u"-> ORPHAN\r\n"     // no headword: ORPHAN and the next line are ignored
      u"STRAY\r\n";
  LoadRecorder recorder;
  ASSERT_EQ(Load(3, 0, file, Encoding::Ansi, &recorder), -1);

  EXPECT_EQ(lib.LemmaPairEntriesAltogether(3), 5);
  EXPECT_EQ(lib.LemmaHeadWordsCount(3), 3);
  EXPECT_EQ(Text(lib.LemmaHeadWords(3, 0)), u"GO");
  EXPECT_EQ(Text(lib.LemmaHeadWords(3, 1)), u"MOUSE");
  EXPECT_EQ(Text(lib.LemmaHeadWords(3, 2)), u"WEND");
  EXPECT_EQ(lib.LemmaHeadWords(3, 3), nullptr);
  EXPECT_EQ(lib.LemmaHeadWords(3, -1), nullptr);

  EXPECT_EQ(Text(lib.LemmaVariantsOf(3, u"go", u"|")), u"WENT|GONE|going|goes");
  EXPECT_EQ(Text(lib.LemmaVariantsOf(3, u"WEND", u"|")), u"");
  EXPECT_EQ(Text(lib.LemmaVariantsOf(3, u"ABSENT", u"|")), u"");

  EXPECT_EQ(Text(lib.FoundInTheList(3, u"MICE", 1, 0)), u"MOUSE");
  EXPECT_EQ(Text(lib.FoundInTheList(3, "going", 0, 0)), u"GO");
  EXPECT_EQ(lib.FoundInTheList(3, u"mice", 1, 0), nullptr);  // exact, by code units
  EXPECT_EQ(lib.FoundInTheList(3, u"ORPHAN", 1, 0), nullptr);
  EXPECT_EQ(lib.FoundInTheList(3, u"M_8z", 1, 0), nullptr);  // a seed has no headword

  const char went[] = "WENT";
  EXPECT_EQ(Bytes(lib.TallymanChangeWord(3, went, 0, 0)), "GO");
  EXPECT_EQ(Text(lib.TallymanChangeWord(3, went, 0, 1)), u"GO");
  const char seed[] = "M_8z";
  EXPECT_EQ(lib.TallymanChangeWord(3, seed, 0, 0), seed);

  // Line estimate, accepted entries, stored pairs.
  const std::vector<std::pair<int32_t, std::u16string>> expected = {
      {11, u"lemmas"}, {6, u"lemmas"}, {5, u"lemmas"}};
  EXPECT_EQ(recorder.line_counts, expected);
}

TEST_F(LemmatiserExports, FixedSlotChangeWordsUseSlotsOneAndTwo) {
  ASSERT_EQ(Load(1, 0, u"SEE -> SAW\n"), -1);
  ASSERT_EQ(Load(2, 0, u"MOUSE -> MICE\n"), -1);
  EXPECT_EQ(Bytes(lib.SightlineChangeWord("SAW", 0, 0)), "SEE");
  EXPECT_EQ(Bytes(lib.SalientChangeWord("MICE", 0, 0)), "MOUSE");
  const char saw[] = "SAW";
  EXPECT_EQ(lib.SalientChangeWord(saw, 0, 0), saw);
}

TEST_F(LemmatiserExports, EveryEncodingAndLineEndGivesTheSameList) {
  const std::u16string lines[] = {u"BE -> AM, IS", u"ARE", u"caf\x00E9 -> caf\x00E9s"};
  struct Case {
    Encoding encoding;
    std::u16string line_end;
  } cases[] = {
      {Encoding::Ansi, u"\r\n"},    {Encoding::Ansi, u"\n"},      {Encoding::Ansi, u"\r"},
      {Encoding::Utf16LE, u"\r\n"}, {Encoding::Utf16BE, u"\r\n"}, {Encoding::Utf16LE, u"\x2028"},
      {Encoding::Utf16BE, u"\n"},   {Encoding::Utf16LE, u"\f"},
  };
  const Lines expected = {u"AM (BE)", u"ARE (BE)", u"IS (BE)", u"caf\x00E9s (caf\x00E9)"};
  for (const Case &c : cases) {
    std::u16string file;
    for (const auto &line : lines) file += line + c.line_end;
    ASSERT_EQ(Load(4, 0, file, c.encoding), -1);
    EXPECT_EQ(Listing(4, 0), expected) << int(c.encoding);
    EXPECT_EQ(Text(lib.LemmaVariantsOf(4, u"be", u",")), u"AM,IS,ARE");
  }
}

TEST_F(LemmatiserExports, Utf8FilesAreReadAsBytesMarkIncluded) {
  ASSERT_EQ(Load(5, 2, u"first\r\ncaf\x00E9\r\n", Encoding::Utf8WithMark), -1);
  // The mark belongs to the first entry and each UTF-8 byte is one 8-bit character.
  const Lines expected = {u"caf\x00C3\x00A9",
                          u"\x00EF\x00BB\x00BF"
                          u"first"};
  EXPECT_EQ(Listing(5, 2), expected);
}

TEST_F(LemmatiserExports, AnEightBitFileEndsAtItsFirstNulByte) {
  std::string bytes = "alpha\r\nbeta\r\n";
  bytes.push_back('\0');
  bytes += "gamma\r\ndelta\r\n";
  std::ofstream(folder / "nul.txt", std::ios::binary) << bytes;
  LoadRecorder recorder;
  ASSERT_EQ(LoadFile(6, 2, PathOf("nul.txt"), &recorder), -1);
  EXPECT_EQ(lib.StopListWordsCount(6), 2);
  ASSERT_EQ(recorder.line_counts.size(), 2u);
  EXPECT_EQ(recorder.line_counts[0].first, 5);  // every CR of the file, plus one
  EXPECT_EQ(recorder.line_counts[0].second, u"stop list");
}

TEST_F(LemmatiserExports, CommasSeparateEntriesAndCommentsRunToTheLineEnd) {
  struct Case {
    uint8_t kind, allow_commas;
    std::u16string file;
    Lines listing;
    int32_t count;
  } cases[] = {
      {1, 0, u"alpha, beta ,gamma\n", {u"alpha", u"beta", u"gamma"}, 3},
      {1, 1, u"alpha, beta ,gamma\n", {u"alpha, beta ,gamma"}, 1},
      {1, 1, u"New York, NY\n", {u"New York, NY"}, 1},
      {1, 0, u"  ; note, more\nalpha, ;note, beta\n", {u"alpha"}, 1},
      {2, 1, u"a,b\n", {u"a", u"b"}, 2},  // stop lists ignore the flag
      {1, 0, u"the\nthe\nthe\na\n", {u"a", u"the"}, 4},
      {1, 0, u"apple\nZoo\n", {u"Zoo", u"apple"}, 2},
  };
  for (const Case &c : cases) {
    ASSERT_EQ(Load(7, c.kind, c.file, Encoding::Ansi, nullptr, kEnglish, 1, c.allow_commas), -1);
    EXPECT_EQ(Listing(7, c.kind), c.listing) << int(c.kind);
    const int32_t count = c.kind == 1 ? lib.MatchListWordsCount(7) : lib.StopListWordsCount(7);
    EXPECT_EQ(count, c.count);
  }
  ASSERT_EQ(Load(7, 1, u"New York, NY\n", Encoding::Utf16LE, nullptr, kEnglish, 1, 1), -1);
  EXPECT_EQ(Text(lib.FoundInTheList(7, u"New York, NY", 1, 1)), u"New York, NY");
  EXPECT_EQ(lib.FoundInTheList(7, u"New York", 1, 1), nullptr);
}

TEST_F(LemmatiserExports, ProgressIsReportedEvery256AcceptedEntriesAtLineEnds) {
  std::u16string six_hundred_lines, one_line;
  for (int i = 0; i < 600; ++i)
    six_hundred_lines += u"w" + std::u16string(1, u'a' + i % 26) + u"\n";
  for (int i = 0; i < 300; ++i) one_line += (i ? u"," : u"") + std::u16string(u"e");
  LoadRecorder lines_recorder, commas_recorder;
  ASSERT_EQ(Load(8, 1, six_hundred_lines, Encoding::Ansi, &lines_recorder), -1);
  EXPECT_EQ(lines_recorder.progress, (std::vector<int32_t>{0, 256, 512}));
  ASSERT_EQ(Load(8, 1, one_line, Encoding::Ansi, &commas_recorder), -1);
  EXPECT_TRUE(commas_recorder.progress.empty());
  EXPECT_EQ(lib.MatchListWordsCount(8), 300);
}

TEST_F(LemmatiserExports, CancellingFromTheProgressCallbackEndsTheLoadWithWhatItHas) {
  std::u16string file;
  for (int i = 0; i < 600; ++i) file += u"w" + std::u16string(1, u'a' + i % 26) + u"\n";
  LoadRecorder recorder;
  recorder.cancel_at_progress = 256;
  ASSERT_EQ(Load(9, 2, file, Encoding::Ansi, &recorder), -1);
  EXPECT_EQ(lib.StopListWordsCount(9), 257);  // the entry being read when cancelled completes
  EXPECT_EQ(recorder.line_counts.back().first, 257);
  // A cancel before the next load has no effect on it.
  lib.CancelOne(9, 2);
  ASSERT_EQ(Load(9, 2, file), -1);
  EXPECT_EQ(lib.StopListWordsCount(9), 600);
}

TEST_F(LemmatiserExports, AHostPumpInstalledAsYieldHookCanCancelALoad) {
  struct Pump {
    int calls = 0;
  } pump;
  lib.SetLemmatiserYieldProc({[](void *self) {
                                auto *p = static_cast<Pump *>(self);
                                if (++p->calls == 500) LemmatiserLibrary::Get().CancelOne(10, 1);
                              },
                              &pump});
  std::u16string file;
  for (int i = 0; i < 1000; ++i) file += u"entry" + std::u16string(1, u'a' + i % 26) + u"\n";
  const int16_t result = Load(10, 1, file);
  lib.SetLemmatiserYieldProc({nullptr, nullptr});
  EXPECT_EQ(result, -1);
  EXPECT_GE(pump.calls, 500);
  EXPECT_GT(lib.MatchListWordsCount(10), 0);
  EXPECT_LT(lib.MatchListWordsCount(10), 1000);
}

TEST_F(LemmatiserExports, UpperCasingFollowsTheLocale) {
  ASSERT_EQ(Load(11, 1, u"istanbul\n; izmir\nizmir\n", Encoding::Utf16LE, nullptr, kTurkish, 0),
            -1);
  EXPECT_EQ(Listing(11, 1), (Lines{u"\x0130STANBUL", u"\x0130ZM\x0130R"}));
  ASSERT_EQ(Load(11, 2, u"istanbul\n", Encoding::Ansi, nullptr, kEnglish, 0), -1);
  EXPECT_EQ(Listing(11, 2), (Lines{u"ISTANBUL"}));
  ASSERT_EQ(Load(11, 3, u"istanbul\n", Encoding::Ansi, nullptr, kEnglish, 2), -1);
  EXPECT_EQ(Listing(11, 3), (Lines{u"ISTANBUL"}));  // only 1 means case-sensitive
  // 8-bit text is upper-cased in the locale's own code page: dotted capital I is DD in 1254.
  ASSERT_EQ(Load(11, 3, u"istanbul\n", Encoding::Ansi, nullptr, kTurkish, 0), -1);
  ASSERT_EQ(lib.TraversedOne(11, 5, 3), 1);
  EXPECT_EQ(Bytes(lib.GetAString(0, 0, 0)), "\xDDSTANBUL");
}

TEST_F(LemmatiserExports, ListingsHonourTheirMaximumAndLeaveSeedsOut) {
  ASSERT_EQ(Load(12, 1, u"delta\nalpha\nx_8z\ncharlie\n"), -1);
  EXPECT_EQ(Listing(12, 1, 0), (Lines{u"alpha"}));
  EXPECT_EQ(Listing(12, 1, 2), (Lines{u"alpha", u"charlie", u"delta"}));
  EXPECT_EQ(Listing(12, 1, -1), Lines{});
  EXPECT_EQ(lib.MatchListWordsCount(12), 4);
  EXPECT_EQ(Bytes(lib.FoundInTheList(12, u"M_8z", 1, 1)), "M_8z");
  EXPECT_EQ(Bytes(lib.FoundInTheList(12, u"x_8z", 1, 1)), "x_8z");

  const int32_t n = lib.TraversedOne(12, 100, 1);
  ASSERT_EQ(n, 3);
  EXPECT_EQ(Bytes(lib.GetAString(n - 1, 0, 0)), "delta");
  EXPECT_EQ(lib.GetAString(n, 1, 0), nullptr);
}

TEST_F(LemmatiserExports, ResultsInBuffersAreCutTo255Units) {
  std::u16string file = u"HEAD -> ";
  for (int i = 0; i < 40; ++i)
    file +=
        (i ? u", " : u"") + std::u16string(10, u'a' + i % 26) + std::u16string(1, u'0' + i % 10);
  ASSERT_EQ(Load(13, 0, file + u"\n", Encoding::Utf16LE), -1);
  const std::u16string joined = Text(lib.LemmaVariantsOf(13, u"HEAD", u"; "));
  EXPECT_EQ(joined.size(), 255u);
  EXPECT_EQ(joined.substr(0, 14), u"aaaaaaaaaa0; b");

  const std::u16string long_word(400, u'q');
  ASSERT_EQ(Load(13, 2, long_word + u"\n", Encoding::Utf16LE), -1);
  EXPECT_EQ(Text(lib.FoundInTheList(13, long_word.c_str(), 1, 2)), long_word);  // whole text
  ASSERT_EQ(lib.TraversedOne(13, 5, 2), 1);
  EXPECT_EQ(Text(lib.GetAString(0, 1, 0)).size(), 255u);
  EXPECT_EQ(Bytes(lib.GetAString(0, 0, 0)).size(), 255u);
}

TEST_F(LemmatiserExports, WordsAreComparedInTheListsEncodingUnlessConverted) {
  ASSERT_EQ(Load(14, 0, u"GO -> went\n", Encoding::Utf16LE), -1);
  // "went" as bytes, padded so that reading it as UTF-16 units stays inside the buffer.
  const char went8[8] = {'w', 'e', 'n', 't', 0, 0, 0, 0};
  EXPECT_EQ(lib.TallymanChangeWord(14, went8, 0, 1), went8);
  EXPECT_EQ(Text(lib.FoundInTheList(14, went8, 0, 0)), u"GO");
  EXPECT_EQ(Text(lib.TallymanChangeWord(14, u"went", 0, 1)), u"GO");
}

TEST_F(LemmatiserExports, AFailedLoadKeepsAListAndEmptiesALemmaSlot) {
  ASSERT_EQ(Load(15, 1, u"kept\n"), -1);
  ASSERT_EQ(Load(15, 0, u"GO -> WENT\n"), -1);
  std::filesystem::create_directories(folder / "a folder");
  for (const std::u16string &name : {PathOf("missing.txt"), PathOf("a folder")}) {
    EXPECT_EQ(LoadFile(15, 1, name), 0);
    EXPECT_EQ(Bytes(lib.FoundInTheList(15, u"kept", 1, 1)), "kept");
    EXPECT_EQ(LoadFile(15, 0, name), 0);
    EXPECT_EQ(lib.LemmaPairEntriesAltogether(15), 0);
    EXPECT_EQ(lib.FoundInTheList(15, u"WENT", 1, 0), nullptr);
  }
  std::ofstream(folder / "short.txt", std::ios::binary) << "x";
  EXPECT_EQ(LoadFile(15, 1, PathOf("short.txt")), 0);
}

TEST_F(LemmatiserExports, ALoadThatAcceptsNothingFailsEvenAfterOneThatDidNot) {
  ASSERT_EQ(Load(16, 2, u"word\n"), -1);
  LoadRecorder recorder;
  EXPECT_EQ(Load(16, 2, u"", Encoding::Utf16LE, &recorder), 0);
  const std::vector<std::pair<int32_t, std::u16string>> expected = {{1, u"stop list"},
                                                                    {0, u"stop list"}};
  EXPECT_EQ(recorder.line_counts, expected);
  // Lines without an arrow at the top of a file never join the previous file's headword.
  ASSERT_EQ(Load(16, 0, u"GO -> WENT\n"), -1);
  EXPECT_EQ(Load(16, 0, u"GONE\n"), 0);
  EXPECT_EQ(lib.LemmaPairEntriesAltogether(16), 0);
}

TEST_F(LemmatiserExports, ListsLoadedInFallingOrderCanBeListedAndWalked) {
  std::u16string file;
  constexpr int kWords = 5000;
  for (int i = kWords; i > 0; --i) {
    std::u16string word = u"w";
    for (int n = i; n > 0; n /= 10) word.insert(1, 1, u'0' + n % 10);
    file += u"HEAD -> " + std::u16string(6 - word.size() + 1, u'0') + word + u"\n";
  }
  ASSERT_EQ(Load(17, 0, file), -1);
  EXPECT_EQ(lib.TraversedOne(17, kWords, 0), kWords);
  const Lines first_two = {Text(lib.GetAString(0, 1, 0)), Text(lib.GetAString(1, 1, 0))};
  EXPECT_LT(first_two[0], first_two[1]);
}

struct WalkRecord {
  std::vector<std::u16string> keys;
  std::vector<int32_t> positions, out_of;
  std::vector<bool> affixes;
};

TEST_F(LemmatiserExports, TraversalsHandEveryRealEntryToTheHostsHandler) {
  ASSERT_EQ(Load(18, 0, u"A -> B\n", Encoding::Utf16LE), -1);
  WalkRecord lemmas;
  lib.TraverseLemmasDoing(18, {[](void *self, QV7LemmaEntryRec *t, uint8_t unicode, uint8_t affixes,
                                  int32_t position, int32_t out_of) {
                                 auto *r = static_cast<WalkRecord *>(self);
                                 EXPECT_EQ(unicode, 1);
                                 r->keys.push_back(Text(t->variantp) + u"/" + Text(t->headwordp));
                                 r->positions.push_back(position);
                                 r->out_of.push_back(out_of);
                                 r->affixes.push_back(affixes != 0);
                               },
                               &lemmas});
  EXPECT_EQ(lemmas.keys, (Lines{u"B/A"}));
  EXPECT_EQ(lemmas.positions, (std::vector<int32_t>{1}));  // "B" sorts before every seed
  EXPECT_EQ(lemmas.out_of, (std::vector<int32_t>{20}));    // 19 seeds and the pair

  ASSERT_EQ(Load(18, 3, u"<un>do\nZ\nzz\n"), -1);
  WalkRecord relations;
  const QV7HandleMatchProc handler = {[](void *self, const void *t, uint8_t unicode,
                                         uint8_t affixes, int32_t position, int32_t out_of) {
                                        auto *r = static_cast<WalkRecord *>(self);
                                        EXPECT_EQ(unicode, 0);
                                        const std::string key = Bytes(t);
                                        r->keys.emplace_back(key.begin(), key.end());
                                        r->positions.push_back(position);
                                        r->out_of.push_back(out_of);
                                        r->affixes.push_back(affixes != 0);
                                      },
                                      &relations};
  lib.TraverseRelationsDoing(18, handler);
  EXPECT_EQ(relations.keys, (Lines{u"<un>do", u"Z", u"zz"}));
  EXPECT_EQ(relations.affixes, (std::vector<bool>{true, false, false}));
  EXPECT_EQ(relations.out_of, (std::vector<int32_t>{22, 22, 22}));
  EXPECT_TRUE(std::is_sorted(relations.positions.begin(), relations.positions.end()));
  EXPECT_EQ(relations.positions.back(), 19);  // three seeds ("}", C0, E0) sort after "zz"
  // A relation listing shows the same entries.
  EXPECT_EQ(Listing(18, 3), (Lines{u"<un>do", u"Z", u"zz"}));
}

}  // namespace
}  // namespace lemmatiser_test
