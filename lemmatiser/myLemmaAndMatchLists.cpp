#include "lemmatiser/myLemmaAndMatchLists.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/case_mapping.h"
#include "platform/code_pages.h"
#include "platform/collation.h"
#include "platform/files.h"
#include "platform/locale_ids.h"
#include "platform/utf16_text.h"
#include "platform/yield_hook.h"

namespace lemmatiser {

namespace {

// First characters of the 19 seed keys, in insertion order; each seed is the character
// followed by "_8z". Inserted in this order they give the tree a skeleton that spreads the
// words of any file over twenty gaps. 0xC0 and 0xE0 are the same bytes in 8-bit lists.
constexpr char16_t kSeedInitials[19] = {u'M', u'F',   u'S', u'C', u'U', 0x00C0, u'}',
                                        u'P', 0x00E0, u'J', u'T', u'm', u'f',   u's',
                                        u'c', u'u',   u'p', u'j', u't'};

template <typename Char>
constexpr bool IsLineTerminator(Char c) {
  if constexpr (sizeof(Char) == 1) {
    return c == 0 || c == '\n' || c == '\f' || c == '\r';
  } else {
    return c == 0 || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r' || c == 0x2028 ||
           c == 0x2029;
  }
}

template <typename Char>
size_t KeyLength(const void *key) {
  return key == nullptr ? 0 : std::char_traits<Char>::length(static_cast<const Char *>(key));
}

template <typename Char>
std::basic_string_view<Char> KeyView(const void *key) {
  if (key == nullptr) return {};
  return {static_cast<const Char *>(key), KeyLength<Char>(key)};
}

const void *KeyOfEntry(const void *entry) {
  return entry == nullptr ? nullptr : *static_cast<const void *const *>(entry);
}

platform::CaseInsensitiveCollator &HeadwordCollator() {
  static platform::CaseInsensitiveCollator collator;
  return collator;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TReadFileTree

TReadFileTree::TReadFileTree(bool aCase_sensitive, TLemmaMatchStopOptions kind)
    : force_upper_case(!aCase_sensitive) {
  // A relation list is a match list and reports itself as one.
  const std::u16string_view name =
      LemmaMatchStopnames_of_processes(kind == as_relation ? as_match : kind);
  std::copy_n(name.begin(), std::min<size_t>(name.size(), 100), name_of_process.begin());
  SetCompareFunction(
      [this](const void *a, const void *b) { return CompareKeys(KeyOfEntry(a), KeyOfEntry(b)); });
}

void TReadFileTree::Clear() {
  lines = 0;
  cancelled = false;
  This_list_has_data = false;
  index_.clear();
  TGeneral_Tree::Clear();
}

bool TReadFileTree::LoadFromFile(TAnnounceNumberAndMessageProc aSetNLinesProc,
                                 TShowSomeProgressProc aProgressProc, uint32_t anLCID,
                                 bool aForceUpperCase, const std::string &Filename) {
  if (!platform::FileExists(Filename)) return false;
  // The whole file is read before anything changes, so an unreadable file leaves the list as
  // it was.
  const auto data = platform::ReadWholeFile(Filename);
  if (!data) return false;
  fLCID = anLCID;
  fCodepage = static_cast<int32_t>(platform::AnsiCodePageOfLocale(anLCID));
  force_upper_case = aForceUpperCase;
  fSetNLinesProc = aSetNLinesProc;
  fProgressProc = aProgressProc;
  Clear();
  return LoadFromStream(*data);
}

bool TReadFileTree::LoadFromStream(std::span<const uint8_t> Stream) {
  lines = 0;
  if (Stream.size() < 2) return false;
  const bool little_endian = Stream[0] == 0xFF && Stream[1] == 0xFE;
  const bool big_endian = Stream[0] == 0xFE && Stream[1] == 0xFF;
  SetEncodingFunctions(little_endian || big_endian);
  Seed_Tree();
  if (using_unicode) {
    const size_t units = (Stream.size() - 2) / 2;
    std::u16string text(units, u'\0');
    bool swapping = big_endian;
    for (size_t i = 0; i < units; ++i) {
      const uint8_t first = Stream[2 + 2 * i];
      const uint8_t second = Stream[3 + 2 * i];
      char16_t unit = static_cast<char16_t>(first | (second << 8));
      if (swapping) {
        unit = static_cast<char16_t>((first << 8) | second);
        swapping = unit != 0;  // units after the first zero stay as they were read
      }
      text[i] = unit;
    }
    TellTotalLines(static_cast<int32_t>(std::count(text.begin(), text.end(), u'\r')) + 1);
    Parse(text);
  } else {
    std::string text(reinterpret_cast<const char *>(Stream.data()), Stream.size());
    TellTotalLines(static_cast<int32_t>(std::count(text.begin(), text.end(), '\r')) + 1);
    Parse(text);
  }
  TellTotalLines(lines);
  return true;
}

template <typename Char>
void TReadFileTree::Parse(std::basic_string<Char> &text) {
  text.push_back(Char(0));  // the parser stops at the first NUL
  if (force_upper_case) {
    const size_t length = std::char_traits<Char>::length(text.data());
    if constexpr (sizeof(Char) == 1) {
      platform::UpperCaseInPlace(std::span<char>(text.data(), length), fLCID,
                                 static_cast<uint32_t>(fCodepage));
    } else {
      platform::UpperCaseInPlace(std::span<char16_t>(text.data(), length), fLCID);
    }
  }
  lines = 0;
  const Char comma = Char(',');
  const Char *p = text.data();
  while (*p != 0 && !cancelled) {
    platform::CallYieldHook();
    const Char *end = p;
    while (!IsLineTerminator(*end) && (*end != comma || allow_strings_with_commas)) ++end;
    if (*end != comma && lines % 256 == 0) ReportProgress(lines);
    const std::basic_string_view<Char> entry =
        platform::Trim(std::basic_string_view<Char>(p, static_cast<size_t>(end - p)));
    if (!entry.empty()) {
      if (entry.front() == Char(';')) {
        while (!IsLineTerminator(*end)) ++end;  // a comment runs to the end of its line
      } else {
        bool accepted;
        if constexpr (sizeof(Char) == 1) {
          accepted = FormatIsOKA(entry);
        } else {
          accepted = FormatIsOKW(entry);
        }
        if (accepted) ++lines;
      }
    }
    p = end;
    if (*p != 0) {
      const Char terminator = *p++;
      if (terminator == Char('\r') && *p == Char('\n')) ++p;
    }
  }
}

void TReadFileTree::ReportProgress(int32_t n) {
  if (fProgressProc.code != nullptr) fProgressProc.code(fProgressProc.object, n);
}

void TReadFileTree::TellTotalLines(int32_t n) {
  if (fSetNLinesProc.code != nullptr)
    fSetNLinesProc.code(fSetNLinesProc.object, n, name_of_process.data());
}

const void *TReadFileTree::CopyOfPointer(const void *p, bool p_in_unicode) {
  if (p == nullptr || p_in_unicode == using_unicode) return p;
  // The key may itself live in a shared buffer, so it is copied out before the buffers fill.
  if (using_unicode) {
    const std::string key(KeyView<char>(p).substr(0, 255));
    const std::string_view bytes = FillAnsiBuffer(key);
    return FillWideBuffer(platform::ToUtf16(bytes, 0));
  }
  const std::u16string key(KeyView<char16_t>(p).substr(0, 255));
  const std::u16string_view units = FillWideBuffer(key);
  return FillAnsiBuffer(platform::FromUtf16(units, 0));
}

bool TReadFileTree::IsASeed(const void *entry) {
  const void *key = KeyOfEntry(entry);
  if (using_unicode) return KeyView<char16_t>(key).find(u"_8z") != std::u16string_view::npos;
  return KeyView<char>(key).find("_8z") != std::string_view::npos;
}

bool TReadFileTree::FormatIsOKA(std::string_view) {
  return false;
}
bool TReadFileTree::FormatIsOKW(std::u16string_view) {
  return false;
}

void TReadFileTree::SetEncodingFunctions(bool unicode) {
  using_unicode = unicode;
}

const void *TReadFileTree::NewKey(std::string_view text) const {
  char *copy = static_cast<char *>(std::malloc(text.size() + 1));
  if (copy == nullptr) throw std::bad_alloc();
  std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = 0;
  return copy;
}

const void *TReadFileTree::NewKey(std::u16string_view text) const {
  auto *copy = static_cast<char16_t *>(std::malloc((text.size() + 1) * sizeof(char16_t)));
  if (copy == nullptr) throw std::bad_alloc();
  std::memcpy(copy, text.data(), text.size() * sizeof(char16_t));
  copy[text.size()] = 0;
  return copy;
}

void TReadFileTree::DeleteKey(const void *key) {
  std::free(const_cast<void *>(key));
}

int32_t TReadFileTree::CompareKeys(const void *a, const void *b) const {
  if (using_unicode) return platform::CompareCodeUnits(KeyView<char16_t>(a), KeyView<char16_t>(b));
  return platform::CompareCodeUnits(KeyView<char>(a), KeyView<char>(b));
}

std::string_view TReadFileTree::KeyBytes(const void *key) const {
  if (using_unicode)
    return {static_cast<const char *>(key), KeyLength<char16_t>(key) * sizeof(char16_t)};
  return KeyView<char>(key);
}

void TReadFileTree::Do_Added_One(anything_ptr &item) {
  if (item != nullptr && item->this_ != nullptr)
    index_.emplace(KeyBytes(KeyOfEntry(item->this_)), item);
}

anything_ptr TReadFileTree::FindKey(const void *key) const {
  if (key == nullptr) return nullptr;
  platform::CallYieldHook();
  const auto found = index_.find(KeyBytes(key));
  return found == index_.end() ? nullptr : found->second;
}

std::u16string TReadFileTree::KeyAsUtf16(const void *key) const {
  if (using_unicode) return std::u16string(KeyView<char16_t>(key));
  return platform::ToUtf16(KeyView<char>(key), 0);
}

template <typename MakeEntry>
void TReadFileTree::InsertSeeds(MakeEntry make_entry) {
  for (const char16_t initial : kSeedInitials) {
    const void *key;
    if (using_unicode) {
      const char16_t seed[] = {initial, u'_', u'8', u'z'};
      key = NewKey(std::u16string_view(seed, 4));
    } else {
      const char seed[] = {static_cast<char>(initial), '_', '8', 'z'};
      key = NewKey(std::string_view(seed, 4));
    }
    current.this_ = make_entry(key);
    if (!Add_One(current)) {
      anything duplicate{current.this_, nullptr, nullptr, 0};
      anything_ptr item = &duplicate;
      Do_Deleting(item);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// THeadwordStore

THeadwordStore::Headword &THeadwordStore::FindOrAdd(std::u16string_view text) {
  const std::u16string spelling(text);
  if (auto known = by_spelling_.find(spelling); known != by_spelling_.end()) return *known->second;
  std::string key = HeadwordCollator().SortKey(text);
  Headword *headword;
  if (auto same = by_sort_key_.find(key); same != by_sort_key_.end()) {
    headword = same->second;
  } else {
    auto added = std::make_unique<Headword>();
    added->text = spelling;
    added->sort_key = key;
    headword = added.get();
    items_.push_back(std::move(added));
    by_sort_key_.emplace(std::move(key), headword);
    sorted_valid_ = false;
  }
  by_spelling_.emplace(spelling, headword);
  return *headword;
}

const THeadwordStore::Headword *THeadwordStore::Find(std::u16string_view text) const {
  if (auto known = by_spelling_.find(std::u16string(text)); known != by_spelling_.end())
    return known->second;
  const auto same = by_sort_key_.find(HeadwordCollator().SortKey(text));
  return same == by_sort_key_.end() ? nullptr : same->second;
}

const THeadwordStore::Headword *THeadwordStore::At(int32_t index) const {
  if (index < 0 || index >= Count()) return nullptr;
  if (!sorted_valid_) {
    sorted_.clear();
    sorted_.reserve(items_.size());
    for (const auto &item : items_) sorted_.push_back(item.get());
    std::sort(sorted_.begin(), sorted_.end(),
              [](const Headword *a, const Headword *b) { return a->sort_key < b->sort_key; });
    sorted_valid_ = true;
  }
  return sorted_[static_cast<size_t>(index)];
}

void THeadwordStore::Clear() {
  by_spelling_.clear();
  by_sort_key_.clear();
  sorted_.clear();
  items_.clear();
  sorted_valid_ = true;
}

// ---------------------------------------------------------------------------------------------
// TLemmaList

TLemmaList::TLemmaList(bool aCase_sensitive) : TReadFileTree(aCase_sensitive, as_lemma) {}

TLemmaList::~TLemmaList() {
  ClearingWalk();
}

void TLemmaList::Clear() {
  TReadFileTree::Clear();
  headwords.Clear();
  lemma_pair_entries = 0;
  last_replaceA.clear();
  last_replaceW.clear();
}

void TLemmaList::Seed_Tree() {
  InsertSeeds([](const void *key) { return new TLemmaEntryRec{key, nullptr}; });
  lemma_pair_entries = 0;
}

bool TLemmaList::FormatIsOKW(std::u16string_view s) {
  std::u16string_view variant = s;
  const size_t arrow = s.find(u"->");
  if (arrow != std::u16string_view::npos) {
    last_replaceW = std::u16string(platform::Trim(s.substr(0, arrow)));
    variant = platform::Trim(s.substr(arrow + 2));
  }
  const std::u16string_view headword = last_replaceW;
  if (headword.empty() || variant.empty() || headword == variant) return false;
  return AddPair(headword, NewKey(variant));
}

bool TLemmaList::FormatIsOKA(std::string_view s) {
  std::string_view variant = s;
  const size_t arrow = s.find("->");
  if (arrow != std::string_view::npos) {
    last_replaceA = std::string(platform::Trim(s.substr(0, arrow)));
    variant = platform::Trim(s.substr(arrow + 2));
  }
  const std::string_view headword = last_replaceA;
  if (headword.empty() || variant.empty() || headword == variant) return false;
  return AddPair(platform::ToUtf16(headword, 0), NewKey(variant));
}

bool TLemmaList::AddPair(std::u16string_view headword, const void *variant_key) {
  This_list_has_data = true;
  auto *entry = new TLemmaEntryRec{variant_key, nullptr};
  THeadwordStore::Headword &stored = headwords.FindOrAdd(headword);
  entry->headwordp = stored.text.c_str();
  platform::CallYieldHook();
  current.this_ = entry;
  if (Add_One(current)) {
    ++lemma_pair_entries;
    stored.holders.push_back(TLemmaPointerHolder{entry});
  } else {
    anything duplicate{entry, nullptr, nullptr, 0};
    anything_ptr item = &duplicate;
    Do_Deleting(item);
  }
  return true;
}

TLemmaEntryRec TLemmaList::FoundVariant(const void *x) const {
  if (anything_ptr node = FindKey(x)) return *static_cast<const TLemmaEntryRec *>(node->this_);
  return TLemmaEntryRec{x, nullptr};
}

const char16_t *TLemmaList::LemmaVariantsOf(std::u16string_view headword,
                                            std::u16string_view separated_with) const {
  auto &buffer = SharedBuffers().wide;
  buffer.fill(0);
  const THeadwordStore::Headword *stored = headwords.Find(headword);
  if (stored == nullptr) return buffer.data();
  constexpr size_t kLimit = QV7_RESULT_BUFFER_UNITS - 1;
  size_t length = 0;
  const auto append = [&](std::u16string_view text) {
    const size_t n = std::min(text.size(), kLimit - length);
    std::copy_n(text.begin(), n, buffer.begin() + static_cast<std::ptrdiff_t>(length));
    length += n;
  };
  const auto &holders = stored->holders;
  for (size_t i = 0; i < holders.size() && length < kLimit; ++i) {
    append(KeyAsUtf16(holders[i].data->variantp));
    if (i + 1 < holders.size()) append(separated_with);
  }
  return buffer.data();
}

void TLemmaList::Do_In_Order(anything_ptr &item) {
  if (ShowProc.code == nullptr || item == nullptr) return;
  const auto *entry = static_cast<const TLemmaEntryRec *>(item->this_);
  if (entry == nullptr || entry->variantp == nullptr || entry->headwordp == nullptr) return;
  if (IsASeed(entry)) return;
  TLemmaEntryRec passed = *entry;  // the handler gets its own copy of the record
  ShowProc.code(ShowProc.object, &passed, using_unicode, HasAffixes(KeyAsUtf16(entry->variantp)),
                going, counter);
}

void TLemmaList::Do_Deleting(anything_ptr &item) {
  if (item == nullptr || item->this_ == nullptr) return;
  auto *entry = static_cast<TLemmaEntryRec *>(item->this_);
  item->this_ = nullptr;
  DeleteKey(entry->variantp);
  delete entry;
}

// ---------------------------------------------------------------------------------------------
// TMatchList

TMatchList::TMatchList(bool aCase_sensitive, TLemmaMatchStopOptions kind)
    : TReadFileTree(aCase_sensitive, kind) {}

TMatchList::~TMatchList() {
  ClearingWalk();
}

void TMatchList::Seed_Tree() {
  InsertSeeds([](const void *key) { return new TMatchEntryRec{key}; });
}

bool TMatchList::FormatIsOKA(std::string_view s) {
  if (s.empty()) return false;
  return StoreText(NewKey(s));
}

bool TMatchList::FormatIsOKW(std::u16string_view s) {
  if (s.empty()) return false;
  return StoreText(NewKey(s));
}

bool TMatchList::StoreText(const void *key) {
  This_list_has_data = true;
  current.this_ = new TMatchEntryRec{key};
  if (!Add_One(current)) {
    anything duplicate{current.this_, nullptr, nullptr, 0};
    anything_ptr item = &duplicate;
    Do_Deleting(item);
  }
  return true;
}

const void *TMatchList::FoundEntry(const void *key) const {
  const anything_ptr node = FindKey(key);
  return node == nullptr ? nullptr : static_cast<const TMatchEntryRec *>(node->this_)->searchp;
}

void TMatchList::Do_In_Order(anything_ptr &item) {
  if (ShowProc.code == nullptr || item == nullptr) return;
  const auto *entry = static_cast<const TMatchEntryRec *>(item->this_);
  if (entry == nullptr || entry->searchp == nullptr || IsASeed(entry)) return;
  ShowProc.code(ShowProc.object, entry->searchp, using_unicode,
                HasAffixes(KeyAsUtf16(entry->searchp)), going, counter);
}

void TMatchList::Do_Deleting(anything_ptr &item) {
  if (item == nullptr || item->this_ == nullptr) return;
  auto *entry = static_cast<TMatchEntryRec *>(item->this_);
  item->this_ = nullptr;
  DeleteKey(entry->searchp);
  delete entry;
}

// ---------------------------------------------------------------------------------------------
// TShowClass

void TShowClass::AddText(const void *t, bool in_unicode, std::u16string_view suffix) {
  if (Full() || t == nullptr) return;
  std::u16string line =
      in_unicode ? std::u16string(KeyView<char16_t>(t)) : platform::ToUtf16(KeyView<char>(t), 0);
  line.append(suffix);
  StringList.push_back(std::move(line));
}

void TShowClass::ShowALemma(TLemmaEntryRec *t, bool in_unicode, bool, int32_t, int32_t) {
  if (t == nullptr) return;
  std::u16string suffix = u" (";
  suffix.append(platform::ViewOf(t->headwordp));
  suffix.push_back(u')');
  AddText(t->variantp, in_unicode, suffix);
}

void TShowClass::ShowAMatch(const void *t, bool in_unicode, bool, int32_t, int32_t) {
  AddText(t, in_unicode);
}

void TShowClass::ShowARelation(const void *t, bool in_unicode, bool consider_affixes, int32_t this_,
                               int32_t out_of) {
  ShowAMatch(t, in_unicode, consider_affixes, this_, out_of);
}

void TShowClass::ShowAStop(const void *t, bool in_unicode, bool consider_affixes, int32_t this_,
                           int32_t out_of) {
  ShowAMatch(t, in_unicode, consider_affixes, this_, out_of);
}

THandleLemmaProc TShowClass::LemmaHandler() {
  return {[](void *self, QV7LemmaEntryRec *t, uint8_t u, uint8_t a, int32_t p, int32_t o) {
            static_cast<TShowClass *>(self)->ShowALemma(t, u != 0, a != 0, p, o);
          },
          this};
}

THandleMatchProc TShowClass::MatchHandler() {
  return {[](void *self, const void *t, uint8_t u, uint8_t a, int32_t p, int32_t o) {
            static_cast<TShowClass *>(self)->ShowAMatch(t, u != 0, a != 0, p, o);
          },
          this};
}

THandleMatchProc TShowClass::RelationHandler() {
  return {[](void *self, const void *t, uint8_t u, uint8_t a, int32_t p, int32_t o) {
            static_cast<TShowClass *>(self)->ShowARelation(t, u != 0, a != 0, p, o);
          },
          this};
}

THandleMatchProc TShowClass::StopHandler() {
  return {[](void *self, const void *t, uint8_t u, uint8_t a, int32_t p, int32_t o) {
            static_cast<TShowClass *>(self)->ShowAStop(t, u != 0, a != 0, p, o);
          },
          this};
}

}  // namespace lemmatiser
