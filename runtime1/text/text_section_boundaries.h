// The character-type array that the search engine keeps beside a text buffer: one 16-bit type
// word per character (the C1 class flags, a pass-over bit and section-marker words), the
// marking of characters allowed inside words and numbers, and the counting of words,
// sentences, paragraphs, headings and sections while the array is scanned.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/large_buffers.h"

// Bits and masks of a type word. The low ten bits are the C1 class flags of the character.
constexpr uint16_t kPassOverBit = 0x0800;  // skipped inside a word; never starts a hit
constexpr uint16_t kMarkerBit = 0x8000;    // a section-marker word, code in the low 11 bits
constexpr uint16_t kMarkerCodeMask = 0x07FF;
constexpr uint16_t kWhiteMask = 0x0068;      // space, control, blank
constexpr uint16_t kSeparatorMask = 0x0078;  // white and punctuation
constexpr uint16_t kWordCharMask = 0x0104;   // letter or digit
constexpr uint16_t kDigitBit = 0x0004;
constexpr uint16_t kJoinedLetterType = 0x0302;  // defined, alphabetic, lower case
constexpr uint16_t kJoinedDigitType = 0x0204;   // defined, digit
// Words after the last character's word, so that the word after any character can be read.
constexpr size_t kCharTypeSpareWords = 2;

// Marker codes (low bits of a marker word).
enum TTextMarkerCode : uint16_t {
  marker_sentence_start = 0x0E,
  marker_sentence_end = 0x0F,
  marker_paragraph_start = 0x10,
  marker_paragraph_end = 0x11,
  marker_heading_start = 0x12,
  marker_heading_end = 0x13,
  marker_section_start = 0x14,
  marker_section_end = 0x15
};

constexpr bool IsMarkerWord(uint16_t t) {
  return (t & kMarkerBit) != 0;
}
// Class tests that never take a marker word's code for class flags.
constexpr bool IsWhiteType(uint16_t t) {
  return !IsMarkerWord(t) && (t & kWhiteMask) != 0;
}
constexpr bool IsWordCharType(uint16_t t) {
  return !IsMarkerWord(t) && (t & kWordCharMask) != 0;
}
constexpr bool IsDigitType(uint16_t t) {
  return !IsMarkerWord(t) && (t & kDigitBit) != 0;
}

// Counts of the section markers found in a text: sentence start, sentence end, paragraph start,
// paragraph end, heading start, heading end, section start, section end.
using TTagsFoundArray = std::array<int32_t, 8>;

// Running counts of one text scan, each indexed 0 word, 1 sentence, 2 paragraph, 3 heading,
// 4 section. number[0]: word starts passed; number[1..4]: sections of that kind ended;
// position[1..4]: position of the current word in its section (1 for the first word after a
// boundary); out_of[1..4]: position[1..4] as it stood at the end of the last scan call.
struct TSearchStatsRec {
  std::array<int32_t, 5> number{};
  std::array<int32_t, 5> position{};
  std::array<int32_t, 5> out_of{};
  friend bool operator==(const TSearchStatsRec &, const TSearchStatsRec &) = default;
};

// Called where a section ends with the count of such sections before it and the position of
// the last word in it.
using THandleTextSectionProc = void (*)(int32_t aNumber, int32_t aEnds_at);
// The procedure the hooks hold until a tool replaces it: does nothing.
void IgnoreTextSectionEnd(int32_t aNumber, int32_t aEnds_at);
extern THandleTextSectionProc HandleSentenceEndProc;
extern THandleTextSectionProc HandleParagraphEndProc;
extern THandleTextSectionProc HandleHeadingEndProc;
extern THandleTextSectionProc HandleSectionEndProc;

// Fills types[0..count) with the type words of info_type (CT_CTYPE1, CT_CTYPE2 or CT_CTYPE3)
// for count characters at source: UTF-16 units when wide, else 8-bit text in the code page of
// locale (the process ANSI code page when the locale has none). Both units of a surrogate pair,
// and every byte of a double-byte character, get the character's type. Returns false, writing
// nothing, for a negative count, a null source with a positive count, types shorter than
// count, or an unknown info_type.
bool GetStringTypeExNT2000(bool wide, uint32_t locale, uint32_t info_type,
                           std::span<uint16_t> types, int32_t count, const void *source);

// Fills the C1 type words of a buffer for a locale into types: one word per character, then
// the spare words set to zero as far as types has room for them. Returns false, writing
// nothing, when types is shorter than the buffer.
bool FillCharTypeArray(std::u16string_view buffer, uint32_t locale, std::span<uint16_t> types);
bool FillCharTypeArray(std::string_view buffer, uint32_t locale, std::span<uint16_t> types);

// A character-type array: one word per character of its buffer and the spare words. Its memory
// is not zeroed before the fill writes every word, and large arrays sit on huge pages, so that
// building one for a whole corpus file costs about one pass over memory.
using TCharTypeArray = std::vector<uint16_t, platform::LargeBufferAllocator<uint16_t>>;

// A new type array for a buffer: one C1 word per character and the two zero spare words.
TCharTypeArray BuildCharTypeArray(std::u16string_view buffer, uint32_t locale);
TCharTypeArray BuildCharTypeArray(std::string_view buffer, uint32_t locale);

// Marks the characters that the user allows inside words. For each allowed character, each
// occurrence in the buffer except at its last character, whose type word is neither pass-over
// nor a marker, becomes a letter (0x0302) or, next to a digit, a digit (0x0204) when the
// nearest characters on its left (unless allowed_at_left) and on its right (unless
// allowed_at_right), passing over pass-over characters, exist, are not markers and are letters
// or digits. Does nothing when types is shorter than the buffer. In the 8-bit form the allowed
// characters are taken in the buffer's code page (0: the ANSI code page); those that are not
// one byte there are skipped.
void HandleMiddleChars(std::u16string_view buffer, std::span<uint16_t> types,
                       std::u16string_view allowed, bool allowed_at_right, bool allowed_at_left);
void HandleMiddleChars(std::string_view buffer, std::span<uint16_t> types,
                       std::u16string_view allowed, uint32_t code_page, bool allowed_at_right,
                       bool allowed_at_left);

// Marks separators inside numbers as digits (0x0204): a middle dot U+00B7, ".", "," or, when
// space_allowed, a space, standing alone between two digits. Works forward, so 1,000,000
// becomes one run of digits. Marker words are never changed. Does nothing when types is
// shorter than the buffer. The 8-bit form finds the middle dot by the code page (0: the ANSI
// code page).
void HandleMiddleCharsInNumbers(bool space_allowed, std::u16string_view buffer,
                                std::span<uint16_t> types);
void HandleMiddleCharsInNumbers(bool space_allowed, std::string_view buffer,
                                std::span<uint16_t> types, uint32_t code_page);

// Which kinds of section-end marker a text holds (from its TTagsFoundArray). Where a kind's end
// markers exist, its start markers end no section (a heading start still opens the heading);
// where they do not, each start marker also ends the section before it.
struct TSectionEndsMarked {
  bool sentence = false, paragraph = false, heading = false, section = false;
};
TSectionEndsMarked SectionEndsMarked(const TTagsFoundArray &found);

// The boundary counting of one scan: load the counts, call CountAt for every position the scan
// passes, store them back. Counts stop at the largest 32-bit value instead of overflowing.
class TTextSectionCounter {
 public:
  TTextSectionCounter(const TSearchStatsRec &start, bool in_heading, TSectionEndsMarked ends)
      : counts_(start), in_heading_(in_heading), ends_(ends) {}

  // Counts at a position whose type word is t and the next one's is next: a marker word acts
  // on its code; otherwise a white character followed by a character that is neither white
  // nor a marker is a word start.
  void CountAt(uint16_t t, uint16_t next) {
    if (IsMarkerWord(t)) {
      ActOnMarker(static_cast<uint16_t>(t & kMarkerCodeMask));
    } else if ((t & kWhiteMask) != 0 && (next & kWhiteMask) == 0 && !IsMarkerWord(next)) {
      CountWordStart();
    }
  }

  // Stores number[0..4] and position[1..4] into stats, copies position[1..4] into
  // out_of[1..4], and stores the in-heading state.
  void StoreInto(TSearchStatsRec &stats, bool &in_heading) const;

  const TSearchStatsRec &counts() const { return counts_; }
  bool in_heading() const { return in_heading_; }

 private:
  static void Increment(int32_t &count) {
    if (count != INT32_MAX) ++count;
  }
  void CountWordStart() {
    Increment(counts_.number[0]);
    Increment(counts_.position[1]);
    Increment(counts_.position[2]);
    Increment(counts_.position[4]);
    if (in_heading_) Increment(counts_.position[3]);
  }
  void ActOnMarker(uint16_t code);
  void EndSection(int32_t kind, THandleTextSectionProc hook);

  TSearchStatsRec counts_;
  bool in_heading_;
  TSectionEndsMarked ends_;
};

// Counts the boundaries at every position of types[0..char_count) (the word after each read
// from types, zero beyond its end) starting from stats and in_heading, and stores the counts
// back as one scan call does. Does nothing for a char_count outside 0..types.size().
void CountTextSections(std::span<const uint16_t> types, int32_t char_count, TSearchStatsRec &stats,
                       bool &in_heading, const TTagsFoundArray &found);
