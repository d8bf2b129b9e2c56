// Character types of UTF-16 text: the C1 (classes), C2 (bidirectional categories) and C3
// (script and shape) type words, one 16-bit word per UTF-16 unit.
// Stands in for the platform's GetStringTypeW / GetStringTypeExW (and GetStringTypeExA for
// 8-bit text). The answers come from ICU's character properties through the rules written down
// in docs/PORTING.md (Character types); they follow the original platform where it differs from
// ICU's categories (symbols are punctuation, every assigned character is defined, caseless letters
// are alphabetic). The Unicode data is ICU's, so characters assigned recently classify as
// defined here even where an older platform would not know them.
//
// API (stable; the per-character type array of the search engine is built on it):
//   - CT_CTYPE1 / CT_CTYPE2 / CT_CTYPE3 select the kind of type word; C1_*, C2_*, C3_* are the
//     flag values and categories, numerically those of the original platform.
//   - GetStringTypeW fills one word per UTF-16 unit. A surrogate pair gives both of its units
//     the type of the character it encodes (in C3 the first unit also carries C3_HIGHSURROGATE
//     and the second C3_LOWSURROGATE); a lone surrogate unit gets the type of that unit alone.
//   - GetStringTypeA does the same for 8-bit text in a code page: every byte of a character
//     (both bytes of a double-byte character) gets the character's type.
//   - CharTypeOfUnit / CharTypeOfCodePoint answer for one unit or one code point.
//   - BmpCharTypeTable hands out the 65536-entry table behind the common case.
// The tables are built once, at first use, and never change afterwards; every routine may be
// called from any thread.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

// Kinds of type word (the info_type argument).
constexpr uint32_t CT_CTYPE1 = 0x0001;
constexpr uint32_t CT_CTYPE2 = 0x0002;
constexpr uint32_t CT_CTYPE3 = 0x0004;

// CT_CTYPE1: a set of flags.
constexpr uint16_t C1_UPPER = 0x0001;
constexpr uint16_t C1_LOWER = 0x0002;
constexpr uint16_t C1_DIGIT = 0x0004;
constexpr uint16_t C1_SPACE = 0x0008;
constexpr uint16_t C1_PUNCT = 0x0010;
constexpr uint16_t C1_CNTRL = 0x0020;
constexpr uint16_t C1_BLANK = 0x0040;
constexpr uint16_t C1_XDIGIT = 0x0080;
constexpr uint16_t C1_ALPHA = 0x0100;
constexpr uint16_t C1_DEFINED = 0x0200;

// CT_CTYPE2: one bidirectional category per word (not a set of flags).
constexpr uint16_t C2_NOTAPPLICABLE = 0x0000;
constexpr uint16_t C2_LEFTTORIGHT = 0x0001;
constexpr uint16_t C2_RIGHTTOLEFT = 0x0002;
constexpr uint16_t C2_EUROPENUMBER = 0x0003;
constexpr uint16_t C2_EUROPESEPARATOR = 0x0004;
constexpr uint16_t C2_EUROPETERMINATOR = 0x0005;
constexpr uint16_t C2_ARABICNUMBER = 0x0006;
constexpr uint16_t C2_COMMONSEPARATOR = 0x0007;
constexpr uint16_t C2_BLOCKSEPARATOR = 0x0008;
constexpr uint16_t C2_SEGMENTSEPARATOR = 0x0009;
constexpr uint16_t C2_WHITESPACE = 0x000A;
constexpr uint16_t C2_OTHERNEUTRAL = 0x000B;

// CT_CTYPE3: a set of flags.
constexpr uint16_t C3_NOTAPPLICABLE = 0x0000;
constexpr uint16_t C3_NONSPACING = 0x0001;
constexpr uint16_t C3_DIACRITIC = 0x0002;
constexpr uint16_t C3_VOWELMARK = 0x0004;
constexpr uint16_t C3_SYMBOL = 0x0008;
constexpr uint16_t C3_KATAKANA = 0x0010;
constexpr uint16_t C3_HIRAGANA = 0x0020;
constexpr uint16_t C3_HALFWIDTH = 0x0040;
constexpr uint16_t C3_FULLWIDTH = 0x0080;
constexpr uint16_t C3_IDEOGRAPH = 0x0100;
constexpr uint16_t C3_KASHIDA = 0x0200;
constexpr uint16_t C3_LEXICAL = 0x0400;
constexpr uint16_t C3_HIGHSURROGATE = 0x0800;
constexpr uint16_t C3_LOWSURROGATE = 0x1000;
constexpr uint16_t C3_ALPHA = 0x8000;

// The 65536-entry table of type words of the BMP units for CT_CTYPE1, CT_CTYPE2 or CT_CTYPE3
// (indexed by the unit; a surrogate unit's entry is its type as a lone unit). Null for any
// other info_type. The table lives as long as the process.
const uint16_t *BmpCharTypeTable(uint32_t info_type);

// The type word of one UTF-16 unit taken alone; 0 for an unknown info_type.
uint16_t CharTypeOfUnit(uint32_t info_type, char16_t unit);

// The type word of one code point (0..0x10FFFF; supplementary characters included). For a
// supplementary character the C3 word carries neither surrogate flag. 0 for an unknown
// info_type or a value above 0x10FFFF.
uint16_t CharTypeOfCodePoint(uint32_t info_type, char32_t code_point);

// Fills types[i] for every unit text[i]. Returns false, writing nothing, when info_type is
// unknown or types is shorter than text; true otherwise (also for empty text).
bool GetStringTypeW(uint32_t info_type, std::u16string_view text, std::span<uint16_t> types);

// Fills types[i] for every byte bytes[i] of 8-bit text in a code page (0: the process ANSI
// code page). Every byte of a multi-byte character gets the character's type; a byte that
// does not decode to a character gets 0 (no class). Returns false, writing nothing, when
// info_type is unknown or types is shorter than bytes.
bool GetStringTypeA(uint32_t info_type, std::string_view bytes, uint32_t code_page,
                    std::span<uint16_t> types);

}  // namespace platform
