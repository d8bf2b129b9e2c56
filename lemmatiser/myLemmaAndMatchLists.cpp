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

std::string_view TReadFileTreeBytes(std::u16string_view text) {
  return {reinterpret_cast<const char *>(text.data()), text.size() * sizeof(char16_t)};
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
// TKeyIndex

const void *TKeyIndex::Find(std::string_view key, uint64_t hash, bool wide) const {
  if (slots_.empty()) return nullptr;
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    const Slot &slot = slots_[i];
    if (slot.entry == nullptr) return nullptr;
    if (slot.hash != hash) continue;
    const void *stored = KeyOfEntry(slot.entry);
    const bool same =
        wide ? key == TReadFileTreeBytes(KeyView<char16_t>(stored)) : key == KeyView<char>(stored);
    if (same) return slot.entry;
  }
}

void TKeyIndex::Insert(const void *entry, uint64_t hash) {
  if ((size_ + 1) * 5 > slots_.size() * 4) Grow();  // at most four fifths full
  const size_t mask = slots_.size() - 1;
  size_t i = hash & mask;
  while (slots_[i].entry != nullptr) i = (i + 1) & mask;
  slots_[i] = Slot{hash, entry};
  ++size_;
}

void TKeyIndex::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
  size_ = 0;
  for (const Slot &slot : old)
    if (slot.entry != nullptr) Insert(slot.entry, slot.hash);
}

void TKeyIndex::Clear() {
  slots_.clear();
  slots_.shrink_to_fit();
  size_ = 0;
}

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
  index_.Clear();
  TGeneral_Tree::Clear();
  storage_.Release();
}

bool TReadFileTree::LoadFromFile(TAnnounceNumberAndMessageProc aSetNLinesProc,
                                 TShowSomeProgressProc aProgressProc, uint32_t anLCID,
                                 bool aForceUpperCase, const std::string &Filename) {
  if (!platform::FileExists(Filename)) return false;
  // The whole file is read before anything changes, so an unreadable file leaves the list as
  // it was.
  const auto data = platform::ReadWholeFile(Filename);
  if (!data) return false;
  SetLocale(anLCID);
  force_upper_case = aForceUpperCase;
  fSetNLinesProc = aSetNLinesProc;
  fProgressProc = aProgressProc;
  Clear();
  return LoadFromStream(*data);
}

void TReadFileTree::SetLocale(uint32_t lcid) {
  fLCID = lcid;
  fCodepage = static_cast<int32_t>(platform::AnsiCodePageOfLocale(lcid));
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

const void *TReadFileTree::NewKey(std::string_view text) {
  auto *copy = static_cast<char *>(storage_.Allocate(text.size() + 1, alignof(char)));
  std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = 0;
  return copy;
}

const void *TReadFileTree::NewKey(std::u16string_view text) {
  auto *copy = static_cast<char16_t *>(
      storage_.Allocate((text.size() + 1) * sizeof(char16_t), alignof(char16_t)));
  std::memcpy(copy, text.data(), text.size() * sizeof(char16_t));
  copy[text.size()] = 0;
  return copy;
}

namespace {

// Compares NUL-terminated keys unit by unit as unsigned numbers: the difference of the first
// units that differ, 0 when both end together. A null key counts as empty.
template <typename Unit, typename Char>
int32_t CompareTerminated(const void *a, const void *b) {
  const Char *x = a == nullptr ? nullptr : static_cast<const Char *>(a);
  const Char *y = b == nullptr ? nullptr : static_cast<const Char *>(b);
  static constexpr Char kEmpty[1] = {0};
  if (x == nullptr) x = kEmpty;
  if (y == nullptr) y = kEmpty;
  while (*x != 0 && *x == *y) {
    ++x;
    ++y;
  }
  return static_cast<int32_t>(static_cast<Unit>(*x)) - static_cast<int32_t>(static_cast<Unit>(*y));
}

}  // namespace

int32_t TReadFileTree::CompareKeys(const void *a, const void *b) const {
  if (using_unicode) return CompareTerminated<uint16_t, char16_t>(a, b);
  return CompareTerminated<uint8_t, char>(a, b);
}

const void *TReadFileTree::FindText(std::string_view bytes) const {
  return index_.Find(bytes, HashOf(bytes), using_unicode);
}

const void *TReadFileTree::FindEntry(const void *key) const {
  if (key == nullptr) return nullptr;
  platform::CallYieldHook();
  if (using_unicode) return FindText(BytesOf(KeyView<char16_t>(key)));
  return FindText(BytesOf(KeyView<char>(key)));
}

void TReadFileTree::StoreEntry(void *entry) {
  const void *key = KeyOfEntry(entry);
  const std::string_view bytes =
      using_unicode ? BytesOf(KeyView<char16_t>(key)) : BytesOf(KeyView<char>(key));
  Add_OneKnownNew(entry);
  index_.Insert(entry, HashOf(bytes));
}

std::u16string TReadFileTree::KeyAsUtf16(const void *key) const {
  if (using_unicode) return std::u16string(KeyView<char16_t>(key));
  return platform::ToUtf16(KeyView<char>(key), 0);
}

template <typename Entry, typename Char>
Entry *TReadFileTree::NewEntry(std::basic_string_view<Char> text, Entry record) {
  Entry *entry = storage_.New<Entry>(record);
  KeyField(*entry) = NewKey(text);  // the key text follows its record in memory
  return entry;
}

template <typename Entry>
void TReadFileTree::InsertSeeds(Entry record) {
  for (const char16_t initial : kSeedInitials) {
    if (using_unicode) {
      const char16_t seed[] = {initial, u'_', u'8', u'z'};
      StoreEntry(NewEntry(std::u16string_view(seed, 4), record));
    } else {
      const char seed[] = {static_cast<char>(initial), '_', '8', 'z'};
      StoreEntry(NewEntry(std::string_view(seed, 4), record));
    }
  }
}

// ---------------------------------------------------------------------------------------------
// THeadwordStore

template <typename Value>
Value *TFlatTextMap<Value>::Find(std::string_view text, uint64_t hash) {
  if (slots_.empty()) return nullptr;
  const size_t mask = slots_.size() - 1;
  for (size_t i = hash & mask;; i = (i + 1) & mask) {
    Slot &slot = slots_[i];
    if (!slot.used) return nullptr;
    if (slot.hash == hash && slot.text == text) return &slot.value;
  }
}

template <typename Value>
void TFlatTextMap<Value>::Insert(std::string_view text, uint64_t hash, Value value) {
  if ((size_ + 1) * 5 > slots_.size() * 4) Grow();  // at most four fifths full
  const size_t mask = slots_.size() - 1;
  size_t i = hash & mask;
  while (slots_[i].used) i = (i + 1) & mask;
  slots_[i] = Slot{hash, text, value, true};
  ++size_;
}

template <typename Value>
void TFlatTextMap<Value>::Grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{});
  size_ = 0;
  for (const Slot &slot : old)
    if (slot.used) Insert(slot.text, slot.hash, slot.value);
}

template <typename Value>
void TFlatTextMap<Value>::Clear() {
  slots_.clear();
  slots_.shrink_to_fit();
  size_ = 0;
}

namespace {
std::string_view BytesOfWide(std::u16string_view text) {
  return {reinterpret_cast<const char *>(text.data()), text.size() * sizeof(char16_t)};
}
uint64_t HashBytes(std::string_view bytes) {
  return std::hash<std::string_view>{}(bytes);
}
}  // namespace

THeadwordStore::Headword *THeadwordStore::FindSpelling(std::u16string_view text, uint64_t hash) {
  Headword **found = by_spelling_.Find(BytesOfWide(text), hash);
  return found == nullptr ? nullptr : *found;
}

std::string_view THeadwordStore::SortKeyOf(std::u16string_view text) {
  key_buffer_ = HeadwordCollator().SortKey(text);
  return key_buffer_;
}

THeadwordStore::Headword &THeadwordStore::FindOrAdd(std::u16string_view text) {
  const uint64_t spelling_hash = HashBytes(BytesOfWide(text));
  if (Headword *known = FindSpelling(text, spelling_hash)) return *known;
  const std::string_view key = SortKeyOf(text);
  const uint64_t key_hash = HashBytes(key);
  // Keep the spelling; a new headword's text is this very copy.
  auto *copy = static_cast<char16_t *>(
      storage_.Allocate((text.size() + 1) * sizeof(char16_t), alignof(char16_t)));
  std::copy(text.begin(), text.end(), copy);
  copy[text.size()] = 0;
  const std::u16string_view spelling(copy, text.size());
  Headword *headword;
  if (Headword **same = by_sort_key_.Find(key, key_hash)) {
    headword = *same;
  } else {
    auto *key_copy = static_cast<char *>(storage_.Allocate(key.size(), 1));
    std::copy(key.begin(), key.end(), key_copy);
    items_.push_back(Headword{copy, std::string_view(key_copy, key.size())});
    headword = &items_.back();
    by_sort_key_.Insert(headword->sort_key, key_hash, headword);
    sorted_valid_ = false;
  }
  by_spelling_.Insert(BytesOfWide(spelling), spelling_hash, headword);
  return *headword;
}

const THeadwordStore::Headword *THeadwordStore::Find(std::u16string_view text) {
  if (Headword *known = FindSpelling(text, HashBytes(BytesOfWide(text)))) return known;
  const std::string_view key = SortKeyOf(text);
  Headword **same = by_sort_key_.Find(key, HashBytes(key));
  return same == nullptr ? nullptr : *same;
}

void THeadwordStore::AddHolder(Headword &headword, PLemmaEntryRec entry) {
  Holder *holder = storage_.New<Holder>(TLemmaPointerHolder{entry}, nullptr);
  if (headword.last == nullptr) {
    headword.first = holder;
  } else {
    headword.last->next = holder;
  }
  headword.last = holder;
}

const THeadwordStore::Headword *THeadwordStore::At(int32_t index) {
  if (index < 0 || index >= Count()) return nullptr;
  if (!sorted_valid_) {
    sorted_.clear();
    sorted_.reserve(items_.size());
    for (const Headword &item : items_) sorted_.push_back(&item);
    std::sort(sorted_.begin(), sorted_.end(),
              [](const Headword *a, const Headword *b) { return a->sort_key < b->sort_key; });
    sorted_valid_ = true;
  }
  return sorted_[static_cast<size_t>(index)];
}

void THeadwordStore::Clear() {
  by_spelling_.Clear();
  by_sort_key_.Clear();
  sorted_.clear();
  items_.clear();
  storage_.Release();
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
  InsertSeeds(TLemmaEntryRec{nullptr, nullptr});
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
  return AddPair(headword, variant);
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
  return AddPair(std::u16string_view(platform::ToUtf16(headword, 0)), variant);
}

template <typename Char>
bool TLemmaList::AddPair(std::u16string_view headword, std::basic_string_view<Char> variant) {
  This_list_has_data = true;
  THeadwordStore::Headword &stored = headwords.FindOrAdd(headword);
  platform::CallYieldHook();
  // A variant is stored once, under the first headword met; a repeat changes nothing but the
  // headword store.
  if (FindText(BytesOf(variant)) != nullptr) return true;
  TLemmaEntryRec *entry = NewEntry(variant, TLemmaEntryRec{nullptr, stored.text});
  StoreEntry(entry);
  ++lemma_pair_entries;
  headwords.AddHolder(stored, entry);
  return true;
}

TLemmaEntryRec TLemmaList::FoundVariant(const void *x) const {
  if (const void *entry = FindEntry(x)) return *static_cast<const TLemmaEntryRec *>(entry);
  return TLemmaEntryRec{x, nullptr};
}

const char16_t *TLemmaList::LemmaVariantsOf(std::u16string_view headword,
                                            std::u16string_view separated_with) {
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
  for (const THeadwordStore::Holder *h = stored->first; h != nullptr && length < kLimit;
       h = h->next) {
    append(KeyAsUtf16(h->holder.data->variantp));
    if (h->next != nullptr) append(separated_with);
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
  // The entry and its key live in the list's storage, released as a whole by Clear.
  if (item != nullptr) item->this_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// TMatchList

TMatchList::TMatchList(bool aCase_sensitive, TLemmaMatchStopOptions kind)
    : TReadFileTree(aCase_sensitive, kind) {}

TMatchList::~TMatchList() {
  ClearingWalk();
}

void TMatchList::Seed_Tree() {
  InsertSeeds(TMatchEntryRec{nullptr});
}

bool TMatchList::FormatIsOKA(std::string_view s) {
  return StoreText(s);
}

bool TMatchList::FormatIsOKW(std::u16string_view s) {
  return StoreText(s);
}

template <typename Char>
bool TMatchList::StoreText(std::basic_string_view<Char> text) {
  if (text.empty()) return false;
  This_list_has_data = true;
  if (FindText(BytesOf(text)) == nullptr) StoreEntry(NewEntry(text, TMatchEntryRec{nullptr}));
  return true;  // every non-empty entry counts, repeats included
}

const void *TMatchList::FoundEntry(const void *key) const {
  const void *entry = FindEntry(key);
  return entry == nullptr ? nullptr : static_cast<const TMatchEntryRec *>(entry)->searchp;
}

void TMatchList::Do_In_Order(anything_ptr &item) {
  if (ShowProc.code == nullptr || item == nullptr) return;
  const auto *entry = static_cast<const TMatchEntryRec *>(item->this_);
  if (entry == nullptr || entry->searchp == nullptr || IsASeed(entry)) return;
  ShowProc.code(ShowProc.object, entry->searchp, using_unicode,
                HasAffixes(KeyAsUtf16(entry->searchp)), going, counter);
}

void TMatchList::Do_Deleting(anything_ptr &item) {
  if (item != nullptr) item->this_ = nullptr;
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
