// Search words as users type them: the search-word record, its flags and tag delimiters, the
// parse of a typed piece into the internal form that the search engine matches, and the
// splitting of a typed entry into alternatives.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The members of the one-byte set of search-word flags; member n is bit n.
enum TMySearchFlag : uint8_t {
  myReplace = 0,
  myConfirmFinds = 1,
  myCaseIsSensitive = 2,
  mySW_To_Avoid = 3,
  myLeftBounded = 4,
  myRightBounded = 5
};

// The one-byte set of search-word flags.
class TMySearchFlags {
 public:
  constexpr TMySearchFlags() = default;
  constexpr explicit TMySearchFlags(uint8_t byte) : bits_(byte) {}

  constexpr uint8_t AsByte() const { return bits_; }
  constexpr bool Contains(TMySearchFlag flag) const { return (bits_ >> flag) & 1u; }
  constexpr void Include(TMySearchFlag flag) { bits_ = static_cast<uint8_t>(bits_ | (1u << flag)); }
  constexpr void Exclude(TMySearchFlag flag) {
    bits_ = static_cast<uint8_t>(bits_ & ~(1u << flag));
  }
  friend constexpr bool operator==(TMySearchFlags, TMySearchFlags) = default;

 private:
  uint8_t bits_ = 0;
};

// The flags of a fresh search word: bounded on both sides (the byte 0x30).
constexpr TMySearchFlags kFreshSearchFlags{0x30};

// Tag delimiters of the text settings: row tag_on holds the opening and row tag_off the
// closing units of up to six tag pairs; a zero unit marks an unused entry.
enum tag_on_off_type { tag_on = 0, tag_off = 1 };
constexpr int32_t kTagPairs = 6;
struct TIgnore_tag_type {
  std::array<std::array<char16_t, kTagPairs>, 2> chars{};
  friend bool operator==(const TIgnore_tag_type &, const TIgnore_tag_type &) = default;
};

// One search word, as typed and in the internal form that is matched.
struct TSearch_word_format_rec {
  std::u16string typed_in_text;  // the piece exactly as typed, context part included
  std::u16string search_text;    // the internal form
  // 0: search_text; 1: upper case; 2: lower case; 3: capitalised (first character upper case,
  // the rest lower case). All of search_text's length; all empty when search_text is empty.
  std::array<std::u16string, 4> copies;
  TMySearchFlags flags;
  int32_t n_to_find = 0;             // hits wanted; below 1 means no limit
  int32_t hits_found = 0;            // hits counted so far
  std::u16string sw_context_needed;  // the text after " context:="
  int32_t spaces_in_sw = 0;          // spaces (U+0020) in search_text
  uint32_t spareb = 0;
  bool ambiguous = false;  // a pattern rather than a plain word
  bool auto_lemma_added = false;
  bool copies_converted = false;  // copies hold 8-bit code-page units
  bool has_file_based_context_word = false;
  bool achou_suficiente = false;  // enough hits found
  bool contains_a_tag = false;    // paired tag delimiters occurred
  int16_t Langnum = 0;
  int32_t SearchColumn = 0;
  int32_t temp_int = 0;
  std::array<uint8_t, 52> extras{};
};

// The marker that starts a file-based context requirement in a typed search word.
inline constexpr std::u16string_view kContextMarker = u" context:=";

// Parses one typed alternative with the given tag delimiters into a fresh record: the context
// part is split off, the marks become flags, and the wildcards, tags, line-break symbol,
// numeric notations and quoted literals take their internal form. Accepts any text; a piece
// that holds nothing to search for gives an empty search_text.
TSearch_word_format_rec Parsed_SearchWord(const TIgnore_tag_type &tags, std::u16string_view text);

// For a word already in internal form: a fresh record whose typed_in_text is text, whose flags
// come from the marks (which are removed), whose search_text is the rest, ambiguous when marks
// were removed, with the four copies.
TSearch_word_format_rec UnParsed_SearchWord(std::u16string_view text);

// The parse of one piece in place, without the context part and the final trim: sets flags
// and contains_a_tag.
void Parse_SWChunk(const TIgnore_tag_type &tags, bool &contains_a_tag, std::u16string &text,
                   TMySearchFlags &flags);

// Reads the marks of a typed search word and removes them from text. Starts from both bounds;
// a leading "*" clears myLeftBounded; otherwise a text of at least four units that starts and
// ends with "==" loses both and gains myCaseIsSensitive; otherwise a leading "~" adds
// mySW_To_Avoid. Then a trailing "*" clears myRightBounded.
TMySearchFlags FlagsFromSW(std::u16string &text);

// Translates "^", "#", the remaining "*", "?" and the first "}" of every "}}}" into their
// internal units. Returns true when the last translation (of "}}}") changed something.
bool DoMainParse_Translates(std::u16string &text);

// Turns the opening and closing units of every tag pair in use into the internal tag units
// (a closing unit only when its opening unit occurred). True when both units of some pair
// occurred.
bool ContainsPairedTagMarkup(const TIgnore_tag_type &tags, std::u16string &text);

// Splits a typed entry into its alternatives and leaves text empty. With split_at_slashes the
// text is cut at every "/" that is neither the first nor the last unit of what remains, is not
// next to a double quote and does not begin the line-break symbol "/\"; without it the whole
// text is the one alternative. Pieces may be empty.
std::vector<std::u16string> SplitSWList(std::u16string &text, bool split_at_slashes);

// Fills copies[0..3] of the record from its search_text (all empty when it is empty).
void FillSearchWordCopies(TSearch_word_format_rec &rec);
