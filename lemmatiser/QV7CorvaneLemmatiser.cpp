// The library's main unit: the four tables of 22 list slots, the listing collector and the
// exported functions. Every export checks its slot, kind and pointers and catches every error,
// so a host gets the call's false, null or 0 result instead of a crash.
#include "QV7CorvaneLemmatiser.h"

#include <array>
#include <memory>

#include "lemmatiser/LemmaStopMatchTypes.h"
#include "lemmatiser/myLemmaAndMatchLists.h"
#include "platform/code_pages.h"
#include "platform/files.h"
#include "platform/utf16_text.h"
#include "platform/yield_hook.h"

namespace lemmatiser {
namespace {

constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

template <typename List>
using SlotTable = std::array<std::unique_ptr<List>, QV7_SLOT_COUNT>;

// Everything the library keeps from load to unload. Lists are created case-sensitive, with
// commas as entry separators; every load sets the case behaviour anew.
struct Library {
  TShowClass collector;
  SlotTable<TLemmaList> lemmas;
  SlotTable<TMatchList> relations;
  SlotTable<TStopList> stops;
  SlotTable<TMatchList> matches;

  Library() {
    for (int slot = 0; slot < QV7_SLOT_COUNT; ++slot) {
      lemmas[slot] = std::make_unique<TLemmaList>(true);
      relations[slot] = std::make_unique<TMatchList>(true, as_relation);
      stops[slot] = std::make_unique<TStopList>(true);
      matches[slot] = std::make_unique<TMatchList>(true, as_match);
      lemmas[slot]->SetShowProc(collector.LemmaHandler());
      matches[slot]->SetShowProc(collector.MatchHandler());
      relations[slot]->SetShowProc(collector.RelationHandler());
      stops[slot]->SetShowProc(collector.MatchHandler());
    }
  }
};

Library g_library;

bool ValidSlot(uint8_t slot) {
  return slot < QV7_SLOT_COUNT;
}

// The list of a slot and kind, or null for a slot or kind out of range.
TReadFileTree *ListOf(uint8_t slot, uint8_t kind) {
  if (!ValidSlot(slot)) return nullptr;
  switch (kind) {
    case as_lemma:
      return g_library.lemmas[slot].get();
    case as_match:
      return g_library.matches[slot].get();
    case as_stop:
      return g_library.stops[slot].get();
    case as_relation:
      return g_library.relations[slot].get();
    default:
      return nullptr;
  }
}

template <typename Result, typename Body>
Result Guarded(Result on_error, Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return on_error;
  }
}

const void *ChangeWord(uint8_t slot, const void *word, int16_t utf16_result) {
  if (word == nullptr || !ValidSlot(slot)) return word;
  const TLemmaEntryRec found = g_library.lemmas[slot]->FoundVariant(word);
  if (found.headwordp == nullptr) return word;
  const std::u16string_view headword = platform::ViewOf(found.headwordp);
  if (utf16_result != 0) return FillWideBuffer(headword);
  return FillAnsiBuffer(platform::FromUtf16(headword, 0));
}

void Walk(TReadFileTree &list) {
  list.Traverse();
}

}  // namespace
}  // namespace lemmatiser

using namespace lemmatiser;

extern "C" {

int16_t LoadedOne(uint8_t slot, const char16_t *file_name, uint8_t kind,
                  QV7AnnounceNumberAndMessageProc line_count, QV7ShowSomeProgressProc progress,
                  uint32_t lcid, uint8_t case_sensitive, uint8_t allow_commas) {
  return Guarded<int16_t>(kFalse, [&]() -> int16_t {
    TReadFileTree *list = ListOf(slot, kind);
    if (list == nullptr) return kFalse;
    if (kind == as_lemma) list->Clear();
    if (kind == as_match) list->SetAllowStringsWithCommas(allow_commas == 1);
    if (file_name == nullptr) return kFalse;
    const std::string name = platform::NativeFileName(platform::ViewOf(file_name));
    const bool force_upper_case = case_sensitive != 1;
    if (!list->LoadFromFile(line_count, progress, lcid, force_upper_case, name)) return kFalse;
    if (kind == as_lemma) list->TellTotalLines(static_cast<TLemmaList *>(list)->LemmaPairEntries());
    return list->LoadedOK() ? kTrue : kFalse;
  });
}

int16_t ClearOne(uint8_t slot, uint8_t kind) {
  return Guarded<int16_t>(kFalse, [&]() -> int16_t {
    if (!ValidSlot(slot)) return kFalse;
    TReadFileTree *list = ListOf(slot, kind);
    if (list == nullptr) return kTrue;
    list->Clear();
    return list->Counter() == 0 ? kTrue : kFalse;
  });
}

void CancelOne(uint8_t slot, uint8_t kind) {
  if (TReadFileTree *list = ListOf(slot, kind)) list->Cancel();
}

const void *TallymanChangeWord(uint8_t slot, const void *word, int32_t, int16_t utf16_result) {
  return Guarded<const void *>(nullptr, [&] { return ChangeWord(slot, word, utf16_result); });
}

const void *SightlineChangeWord(const void *word, int32_t, int16_t utf16_result) {
  return Guarded<const void *>(nullptr, [&] { return ChangeWord(1, word, utf16_result); });
}

const void *SalientChangeWord(const void *word, int32_t, int16_t utf16_result) {
  return Guarded<const void *>(nullptr, [&] { return ChangeWord(2, word, utf16_result); });
}

const void *FoundInTheList(uint8_t slot, const void *word, uint8_t word_is_utf16, uint8_t kind) {
  return Guarded<const void *>(nullptr, [&]() -> const void * {
    TReadFileTree *list = ListOf(slot, kind);
    if (list == nullptr || word == nullptr) return nullptr;
    const void *key = list->CopyOfPointer(word, word_is_utf16 == 1);
    if (kind == as_lemma) return static_cast<TLemmaList *>(list)->FoundVariant(key).headwordp;
    return static_cast<TMatchList *>(list)->FoundEntry(key);
  });
}

const char16_t *LemmaVariantsOf(uint8_t slot, const char16_t *headword, const char16_t *separator) {
  return Guarded<const char16_t *>(nullptr, [&]() -> const char16_t * {
    if (!ValidSlot(slot)) return nullptr;
    if (headword == nullptr) return FillWideBuffer({});
    return g_library.lemmas[slot]->LemmaVariantsOf(platform::ViewOf(headword),
                                                   platform::ViewOf(separator));
  });
}

const char16_t *LemmaHeadWords(uint8_t slot, int32_t index) {
  return Guarded<const char16_t *>(nullptr, [&]() -> const char16_t * {
    if (!ValidSlot(slot)) return nullptr;
    const auto *headword = g_library.lemmas[slot]->Headwords().At(index);
    return headword == nullptr ? nullptr : headword->text;
  });
}

int32_t LemmaHeadWordsCount(uint8_t slot) {
  return ValidSlot(slot) ? g_library.lemmas[slot]->Headwords().Count() : 0;
}

int32_t LemmaPairEntriesAltogether(uint8_t slot) {
  return ValidSlot(slot) ? g_library.lemmas[slot]->LemmaPairEntries() : 0;
}

int32_t MatchListWordsCount(uint8_t slot) {
  return ValidSlot(slot) ? g_library.matches[slot]->Lines() : 0;
}

int32_t StopListWordsCount(uint8_t slot) {
  return ValidSlot(slot) ? g_library.stops[slot]->Lines() : 0;
}

int32_t TraversedOne(uint8_t slot, int32_t maximum, uint8_t kind) {
  return Guarded<int32_t>(0, [&]() -> int32_t {
    TShowClass &collector = g_library.collector;
    collector.Clear();
    if (ListOf(slot, kind) == nullptr) return 0;
    collector.SetMaxToShow(maximum);
    switch (kind) {
      case as_lemma:
        g_library.lemmas[slot]->SetShowProc(collector.LemmaHandler());
        Walk(*g_library.lemmas[slot]);
        break;
      case as_match:
        g_library.matches[slot]->SetShowProc(collector.MatchHandler());
        Walk(*g_library.matches[slot]);
        break;
      case as_stop:
        g_library.stops[slot]->SetShowProc(collector.MatchHandler());
        Walk(*g_library.stops[slot]);
        break;
      default:
        g_library.relations[slot]->SetShowProc(collector.RelationHandler());
        Walk(*g_library.relations[slot]);
        break;
    }
    return static_cast<int32_t>(collector.Lines().size());
  });
}

const void *GetAString(int32_t index, uint8_t utf16_result, int32_t) {
  return Guarded<const void *>(nullptr, [&]() -> const void * {
    const auto &lines = g_library.collector.Lines();
    if (index < 0 || static_cast<size_t>(index) >= lines.size()) return nullptr;
    const std::u16string &line = lines[static_cast<size_t>(index)];
    if (utf16_result != 0) return FillWideBuffer(line);
    return FillAnsiBuffer(platform::FromUtf16(line, 0));
  });
}

void TraverseLemmasDoing(uint8_t slot, QV7HandleLemmaProc handler) {
  Guarded<int>(0, [&] {
    if (!ValidSlot(slot)) return 0;
    g_library.lemmas[slot]->SetShowProc(handler);
    Walk(*g_library.lemmas[slot]);
    return 0;
  });
}

void TraverseMatchesDoing(uint8_t slot, QV7HandleMatchProc handler) {
  Guarded<int>(0, [&] {
    if (!ValidSlot(slot)) return 0;
    g_library.matches[slot]->SetShowProc(handler);
    Walk(*g_library.matches[slot]);
    return 0;
  });
}

void TraverseRelationsDoing(uint8_t slot, QV7HandleMatchProc handler) {
  Guarded<int>(0, [&] {
    if (!ValidSlot(slot)) return 0;
    g_library.relations[slot]->SetShowProc(handler);
    Walk(*g_library.relations[slot]);
    return 0;
  });
}

void TraverseStopsDoing(uint8_t slot, QV7HandleStopProc handler) {
  Guarded<int>(0, [&] {
    if (!ValidSlot(slot)) return 0;
    g_library.stops[slot]->SetShowProc(handler);
    Walk(*g_library.stops[slot]);
    return 0;
  });
}

void SetLemmatiserYieldProc(QV7YieldProc pump) {
  platform::SetYieldHook(platform::YieldHook{pump.code, pump.object});
}

}  // extern "C"
