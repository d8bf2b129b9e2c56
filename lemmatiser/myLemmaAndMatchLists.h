// The lists of the lemmatiser: the list-file reader TReadFileTree, the lemma list TLemmaList
// with its headword store, the match, stop and relation lists, and the listing collector
// TShowClass.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lemmatiser/General_Trees.h"
#include "lemmatiser/LemmaStopMatchTypes.h"

namespace lemmatiser {

// An exact index from key text to entry: open addressing over (hash, entry) slots, so that a
// look-up costs one probe into a flat array and one comparison of key texts. Keys are read
// through the entries, whose first field points to the key.
class TKeyIndex {
 public:
  // The entry whose key equals key (bytes of the key in the list's encoding), or null.
  const void *Find(std::string_view key, uint64_t hash, bool wide) const;
  // Adds an entry whose key is not yet in the index.
  void Insert(const void *entry, uint64_t hash);
  void Clear();
  size_t Size() const { return size_; }

 private:
  struct Slot {
    uint64_t hash = 0;
    const void *entry = nullptr;
  };
  void Grow();
  std::vector<Slot> slots_;
  size_t size_ = 0;
};

// A word tree that fills itself from a list file. Keys are NUL-terminated copies in the list's
// encoding: UTF-16 when the file starts with a UTF-16 byte-order mark, otherwise bytes in the
// ANSI code page. The order is by code units. Besides the tree, the reader keeps an exact index
// from key text to node, so that look-ups cost one hash probe.
class TReadFileTree : public TGeneral_Tree {
 public:
  TReadFileTree(bool aCase_sensitive, TLemmaMatchStopOptions kind);

  // lines := 0, cancelled := false, no data, then the tree is cleared.
  void Clear() override;

  // Loads a file; true on success. False, with the list unchanged, when the file does not
  // exist, is a folder or cannot be read.
  bool LoadFromFile(TAnnounceNumberAndMessageProc aSetNLinesProc,
                    TShowSomeProgressProc aProgressProc, uint32_t anLCID, bool aForceUpperCase,
                    const std::string &Filename);
  // Loads the bytes of a list file (byte-order mark included); false for fewer than 2 bytes.
  bool LoadFromStream(std::span<const uint8_t> Stream);

  // p when its encoding is the list's; otherwise p converted into a shared result buffer
  // (at most 255 units) through the ANSI code page. Null for null.
  const void *CopyOfPointer(const void *p, bool p_in_unicode);

  // Calls the line-count callback with n and the kind's name.
  void TellTotalLines(int32_t n);

  // True when the entry's key contains "_8z".
  bool IsASeed(const void *entry) override;

  // Entry checkers of 8-bit and UTF-16 entries: whether the entry was accepted.
  virtual bool FormatIsOKA(std::string_view s);
  virtual bool FormatIsOKW(std::u16string_view s);
  virtual void SetEncodingFunctions(bool unicode);

  // The entry whose key equals key (NUL-terminated, in the list's encoding), or null.
  const void *FindEntry(const void *key) const;
  // A key as UTF-16 (8-bit keys converted from the ANSI code page).
  std::u16string KeyAsUtf16(const void *key) const;

  void SetNLinesProc(TAnnounceNumberAndMessageProc proc) { fSetNLinesProc = proc; }
  void SetProgressProc(TShowSomeProgressProc proc) { fProgressProc = proc; }

  bool LoadedOK() const { return This_list_has_data; }
  int32_t Lines() const { return lines; }
  bool UsingUnicode() const { return using_unicode; }
  void Cancel() { cancelled = true; }
  void SetAllowStringsWithCommas(bool allow) { allow_strings_with_commas = allow; }
  void SetForceUpperCase(bool force) { force_upper_case = force; }
  // The locale, and so the code page, that upper-casing uses for the next read.
  void SetLocale(uint32_t lcid);

 protected:
  bool This_list_has_data = false;
  bool force_upper_case;
  int32_t fCodepage = 0;
  uint32_t fLCID = 0;
  hundredwidechar name_of_process{};
  TAnnounceNumberAndMessageProc fSetNLinesProc{};
  TShowSomeProgressProc fProgressProc{};
  int32_t lines = 0;
  bool cancelled = false;
  bool using_unicode = false;
  bool allow_strings_with_commas = false;

  // A private NUL-terminated copy of a text in the list's encoding, held in the list's storage
  // until the list is cleared; the 8-bit form takes bytes, the UTF-16 form units.
  const void *NewKey(std::string_view text);
  const void *NewKey(std::u16string_view text);
  int32_t CompareKeys(const void *a, const void *b) const;
  // The bytes of a text, for hashing and for the index.
  static std::string_view BytesOf(std::string_view text) { return text; }
  static std::string_view BytesOf(std::u16string_view text) {
    return {reinterpret_cast<const char *>(text.data()), text.size() * sizeof(char16_t)};
  }
  static uint64_t HashOf(std::string_view bytes) { return std::hash<std::string_view>{}(bytes); }
  // The stored entry with this key text, or null.
  const void *FindText(std::string_view bytes) const;
  // Inserts a new entry (whose key is not yet stored) into the tree and the index.
  void StoreEntry(void *entry);
  // A new entry, a copy of record whose key is a private copy of text.
  template <typename Entry, typename Char>
  Entry *NewEntry(std::basic_string_view<Char> text, Entry record);
  // Inserts the 19 seed keys, each in a copy of record.
  template <typename Entry>
  void InsertSeeds(Entry record);

  BumpArena storage_;  // entries and their key texts, side by side

 private:
  template <typename Char>
  void Parse(std::basic_string<Char> &text);
  void ReportProgress(int32_t n);

  TKeyIndex index_;
};

// The key field of an entry record: its first field.
inline const void *&KeyField(TLemmaEntryRec &entry) {
  return entry.variantp;
}
inline const void *&KeyField(TMatchEntryRec &entry) {
  return entry.searchp;
}

struct TLemmaPointerHolder {
  PLemmaEntryRec data;
};

// A map from texts held elsewhere (in stable storage) to values: open addressing over
// (hash, text, value) slots in one flat array.
template <typename Value>
class TFlatTextMap {
 public:
  // The value stored under text, or null.
  Value *Find(std::string_view text, uint64_t hash);
  // Stores value under text, which must not be there yet and must outlive the map's use.
  void Insert(std::string_view text, uint64_t hash, Value value);
  void Clear();

 private:
  struct Slot {
    uint64_t hash = 0;
    std::string_view text;
    Value value{};
    bool used = false;
  };
  void Grow();
  std::vector<Slot> slots_;
  size_t size_ = 0;
};

// The headword store of a lemma list: UTF-16 headwords, unique under the platform's
// case-insensitive comparison (the first spelling met is kept), each with the holders of its
// pairs in the order they were read. Index order is the comparison's order.
class THeadwordStore {
 public:
  struct Holder {
    TLemmaPointerHolder holder;
    Holder *next;
  };
  struct Headword {
    const char16_t *text;  // NUL-terminated
    std::string_view sort_key;
    Holder *first = nullptr;
    Holder *last = nullptr;
  };

  // The stored headword that compares equal to text, added when there is none.
  Headword &FindOrAdd(std::u16string_view text);
  // The stored headword that compares equal to text, or null.
  const Headword *Find(std::u16string_view text);
  // Appends a pair's holder to a headword's list.
  void AddHolder(Headword &headword, PLemmaEntryRec entry);
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // The headword at a 0-based index in sorted order, or null when out of range.
  const Headword *At(int32_t index);
  void Clear();

 private:
  Headword *FindSpelling(std::u16string_view text, uint64_t hash);
  std::string_view SortKeyOf(std::u16string_view text);

  std::deque<Headword> items_;  // arrival order; addresses stay put
  BumpArena storage_;           // texts, sort keys and holders
  TFlatTextMap<Headword *> by_sort_key_;
  // Spellings already met, so that a headword seen before needs no collation key.
  TFlatTextMap<Headword *> by_spelling_;
  std::string key_buffer_;
  std::vector<const Headword *> sorted_;
  bool sorted_valid_ = true;
};

// A list of word forms (variants) grouped under headwords.
class TLemmaList : public TReadFileTree {
 public:
  explicit TLemmaList(bool aCase_sensitive);
  ~TLemmaList() override;

  // The reader's Clear, then the headword store, the pair count and the current headword.
  void Clear() override;
  void Seed_Tree() override;
  bool FormatIsOKA(std::string_view s) override;
  bool FormatIsOKW(std::u16string_view s) override;

  // The stored entry of the key x (in the list's encoding); when there is none, an entry with
  // variantp = x and a null headword.
  TLemmaEntryRec FoundVariant(const void *x) const;
  // The variants of a headword joined by separated_with, in the shared UTF-16 buffer.
  const char16_t *LemmaVariantsOf(std::u16string_view headword, std::u16string_view separated_with);

  void Do_In_Order(anything_ptr &item) override;
  void Do_Deleting(anything_ptr &item) override;

  int32_t LemmaPairEntries() const { return lemma_pair_entries; }
  THeadwordStore &Headwords() { return headwords; }
  void SetShowProc(THandleLemmaProc proc) { ShowProc = proc; }

 private:
  template <typename Char>
  bool AddPair(std::u16string_view headword, std::basic_string_view<Char> variant);

  std::string last_replaceA;
  std::u16string last_replaceW;
  THeadwordStore headwords;
  int32_t lemma_pair_entries = 0;
  THandleLemmaProc ShowProc{};
};

// A plain set of entries: one word, a phrase, or (with commas allowed) text with commas.
class TMatchList : public TReadFileTree {
 public:
  explicit TMatchList(bool aCase_sensitive, TLemmaMatchStopOptions kind = as_match);
  ~TMatchList() override;

  void Seed_Tree() override;
  bool FormatIsOKA(std::string_view s) override;
  bool FormatIsOKW(std::u16string_view s) override;
  void Do_In_Order(anything_ptr &item) override;
  void Do_Deleting(anything_ptr &item) override;

  // The stored entry text equal to key (in the list's encoding), or null.
  const void *FoundEntry(const void *key) const;
  void SetShowProc(THandleMatchProc proc) { ShowProc = proc; }

 private:
  template <typename Char>
  bool StoreText(std::basic_string_view<Char> text);

  THandleMatchProc ShowProc{};
};

class TStopList : public TMatchList {
 public:
  explicit TStopList(bool aCase_sensitive) : TMatchList(aCase_sensitive, as_stop) {}
};

// Collects the lines of a listing: one line per entry walked, while the number of lines is
// not above max_To_Show.
class TShowClass {
 public:
  void Clear() { StringList.clear(); }
  void SetMaxToShow(int32_t max) { max_To_Show = max; }
  const std::vector<std::u16string> &Lines() const { return StringList; }

  // "variant (headword)".
  void ShowALemma(TLemmaEntryRec *t, bool in_unicode, bool consider_affixes, int32_t this_,
                  int32_t out_of);
  // The entry text; ShowARelation and ShowAStop do the same.
  void ShowAMatch(const void *t, bool in_unicode, bool consider_affixes, int32_t this_,
                  int32_t out_of);
  void ShowARelation(const void *t, bool in_unicode, bool consider_affixes, int32_t this_,
                     int32_t out_of);
  void ShowAStop(const void *t, bool in_unicode, bool consider_affixes, int32_t this_,
                 int32_t out_of);

  // The handlers as callbacks bound to this collector.
  THandleLemmaProc LemmaHandler();
  THandleMatchProc MatchHandler();
  THandleMatchProc RelationHandler();
  THandleMatchProc StopHandler();

 private:
  bool Full() const { return static_cast<int64_t>(StringList.size()) > max_To_Show; }
  void AddText(const void *t, bool in_unicode, std::u16string_view suffix = {});

  std::vector<std::u16string> StringList;
  int32_t max_To_Show = 0;
};

}  // namespace lemmatiser
