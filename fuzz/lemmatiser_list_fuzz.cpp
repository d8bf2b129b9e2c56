// Feeds arbitrary bytes to the lemmatiser's list-file reader as a lemma list and as a match
// list (8-bit or UTF-16 by the bytes' own mark), then walks, lists and looks up what was read.
// The first byte chooses upper-casing, a locale and whether commas belong to entries.
#include <cstddef>
#include <cstdint>
#include <span>

#include "lemmatiser/myLemmaAndMatchLists.h"

namespace {

constexpr uint32_t kLocales[] = {0x0409, 0x041F, 0x0419, 0x0411, 0x0408, 0x042C, 0x0439, 0x0000};

void Exercise(lemmatiser::TReadFileTree &list, std::span<const uint8_t> bytes) {
  list.Clear();
  list.LoadFromStream(bytes);
  int32_t visited = 0;
  list.Traverse([&](lemmatiser::anything_ptr &) { ++visited; });
  if (visited != list.Counter()) __builtin_trap();
  // Every stored key must be found again through the exact index.
  list.Traverse([&](lemmatiser::anything_ptr &item) {
    const void *key = *static_cast<const void *const *>(item->this_);
    if (list.FindEntry(key) != item->this_) __builtin_trap();
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  const uint8_t flags = data[0];
  const std::span<const uint8_t> bytes(data + 1, size - 1);
  static lemmatiser::TLemmaList lemmas(true);
  static lemmatiser::TMatchList matches(true);
  static lemmatiser::TShowClass collector;
  const uint32_t lcid = kLocales[flags & 7];
  lemmas.SetForceUpperCase((flags & 8) != 0);
  matches.SetForceUpperCase((flags & 8) != 0);
  matches.SetAllowStringsWithCommas((flags & 16) != 0);
  lemmas.SetLocale(lcid);
  matches.SetLocale(lcid);

  collector.Clear();
  collector.SetMaxToShow(50);
  lemmas.SetShowProc(collector.LemmaHandler());
  Exercise(lemmas, bytes);
  for (int32_t i = 0; i < 3; ++i)
    if (const auto *headword = lemmas.Headwords().At(i))
      lemmas.LemmaVariantsOf(headword->text, u", ");
  matches.SetShowProc(collector.MatchHandler());
  Exercise(matches, bytes);
  return 0;
}
