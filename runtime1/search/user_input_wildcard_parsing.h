// The internal units of the search-word language and the small text rewrites that the parser
// is made of: translating a typed symbol to a unit, holding quoted literals while parsing, and
// converting the tag wildcards of text-selection strings.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Control units of the internal form of search words. Typed text does not contain them; each
// stands for a wildcard or a mark the user typed.
constexpr char16_t any_word_symbol_char = 0x001A;  // any one word, typed " * "
constexpr char16_t kDigitRunUnit = 0x001B;         // a run of one or more digits, typed "#"
constexpr char16_t kAnyCharUnit = 0x001C;          // any one character, typed "?"
constexpr char16_t kAnyCharsInWordUnit = 0x001D;   // any characters within a word, typed "*"
constexpr char16_t kAnyLetterUnit = 0x001E;        // any one letter, typed "^"
constexpr char16_t kTagNegationUnit = 0x001F;      // negation in a tag wildcard, typed "~"
constexpr char16_t kTagOpenUnit = 0x0019;          // a tag's opening delimiter
constexpr char16_t kTagCloseUnit = 0x0018;         // a tag's closing delimiter
constexpr char16_t kAnyStringUnit = 0x0015;        // the any-string mark, typed "}}}"
constexpr char16_t kLineStartUnit = 0x0010;        // "/\" at the start of a search word
constexpr char16_t kLineEndUnit = 0x0013;          // "/\" at the end of a search word

// Typed forms of the any-string mark and of the line-break symbol.
inline constexpr std::u16string_view any_string_symbol_str = u"}}}";
inline constexpr std::u16string_view crlf_symbol_string = u"/\\";

// Quoted literals: a special symbol written between two double quotes stands for itself.
// While a search word is parsed, each quoted form is held as the unit base + its index.
constexpr char16_t kQuotedLiteralBase = 0xE000;
constexpr int32_t kQuotedLiteralCount = 11;
// The symbols in index order: ^ / * == ? :\ < > # }}} /\ .
extern const std::u16string_view quoted_literal_symbols[kQuotedLiteralCount];

// Replaces the first unit of every occurrence of symbol in text by unit, repeating until the
// symbol no longer occurs. Returns true when anything was replaced. Does nothing and returns
// false for an empty symbol or a unit equal to the symbol's first unit (which could never
// make the symbol disappear).
bool Parse_Translate(std::u16string &text, std::u16string_view symbol, char16_t unit);

// Replaces every quoted form of symbol index (0-based, 0..10: the symbol between two double
// quotes) by the unit base + index. Returns true when anything was replaced; false, changing
// nothing, for an index out of range or a unit beyond U+FFFF.
bool Parse_RetainOne(std::u16string &text, char16_t base, int32_t index);
// Replaces every unit base + index by the symbol of that index (trimmed of spaces). Returns
// true when anything was replaced; false, changing nothing, for an index out of range.
bool Parse_RestoreOne(std::u16string &text, char16_t base, int32_t index);
// Parse_RetainOne / Parse_RestoreOne for every index in index order.
void Parse_Retain(std::u16string &text, char16_t base);
void Parse_Restore(std::u16string &text, char16_t base);

// Tag wildcards of text-selection strings.
enum tag_wildcards_type { not_type, any_letter_type, asterisk_type, question_type, hash_type };
enum tag_conversion_type { original_char, replacement_char };
constexpr int32_t kTagWildcardKinds = 5;
extern const char16_t tag_wildcards_converters[kTagWildcardKinds][2];

// For each kind of tag wildcard in order: when its character occurs between double quotes, the
// first quoted occurrence becomes the bare character; otherwise its first occurrence, if any,
// becomes its internal unit. At most one occurrence of each kind changes per call. Returns the
// converted copy.
std::u16string TagWildcardConverted(std::u16string_view text);
