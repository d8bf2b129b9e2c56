// Basic facts about single UTF-16 units and character codes: the internal hash symbol, the
// hash-or-brace test, filling a buffer with one unit, and the character codes that the numeric
// notations may produce.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The unit that holds the user's hash wildcard in the internal form of search words.
constexpr char16_t hash_symbol_char = 0x001B;

// True for U+001B, the internal hash symbol.
bool IsHashSymbol(char16_t unit);

// True for "#" (U+0023) and "{" (U+007B), the units that open a numeric notation.
bool IsHashOrBrace(char16_t unit);

// Fills (count_of_bytes div 2) units of buffer with unit; nothing for a null buffer or a count
// below 2. The caller provides room for them.
void FillWChar(char16_t *buffer, int32_t count_of_bytes, char16_t unit);

// True when a numeric notation may stand for the code: 1..0x10FFFF outside the surrogate range.
// NUL, negative codes, codes past Unicode and lone surrogate halves are refused so that no
// notation can cut a text short or put a broken character into it.
bool IsNotationCharacterCode(int64_t code);

// The UTF-16 form of a code that IsNotationCharacterCode accepts (one unit, or a surrogate pair
// above 0xFFFF); empty for any other code.
std::u16string CharacterOfCode(int64_t code);

// The marks of the braced notation "{CHR(n)}".
inline constexpr std::u16string_view kBracedOpening = u"{CHR(";
inline constexpr std::u16string_view kBracedClosing = u")}";

// 0-based index of the first "{CHR(" at or after `from`, letters compared without regard to
// (ASCII) case; npos when there is none.
size_t FindBracedNotationOpening(std::u16string_view text, size_t from);
