// Small helpers for UTF-16 and 8-bit texts: zero-terminated copies, scanning, tab expansion,
// the fixed-size search-word record of older saved data, the numeric character notations that
// users type, the ANSI code page of a locale and the replaceable text-measuring hook.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/device_context.h"

// --- Zero-terminated copies (allocated with new[]; free them with the Delete routines) ---

// A new zero-terminated copy of the first `count` characters of p, stopping early at a zero
// character; a new empty string when p is null or count is 0 or less.
char *CheckedNewLenPAnsichar(const char *p, int32_t count);
char16_t *CheckedNewLenPchar(const char16_t *p, int32_t count);

// A new copy of a zero-terminated string; a new empty string for a null pointer.
char *MyNewPAnsichar(const char *p);
char16_t *MyNewPChar(const char16_t *p);

// Free a copy made by the routines above; nothing for null.
void DeletePAnsichar(char *p);
void DeletePWideChar(char16_t *p);

// --- Scanning and expanding ---

// 1-based position of the first `unit` at or after the 1-based `start` (a start below 1 counts
// as 1); 0 when there is none or start lies beyond the text.
int32_t StrScanIndex(std::u16string_view text, char16_t unit, int32_t start);

// A copy of the text with every tab replaced by n spaces (removed when n is 0 or less).
std::u16string ExpandTabbedWideString(std::u16string_view text, int32_t n);

// --- The search-word record of older saved data ---

// 81 UTF-16 units (162 bytes on disk, little-endian): up to 80 units of a search word, then
// zero units.
constexpr size_t kSearchWordType32Units = 81;
constexpr size_t kSearchWordType32Bytes = kSearchWordType32Units * 2;
using Search_word_type32 = std::array<char16_t, kSearchWordType32Units>;

// The record holding the first 80 units of the text, zero-filled after them. A surrogate pair
// that the limit would cut in half is left out whole.
Search_word_type32 StringToSearch_word_type32(std::u16string_view text);

// The text up to the record's first zero unit, and never past its 81 units (a record from a
// damaged file may hold no zero); empty for a null pointer.
std::u16string Search_word_type32ToString(const Search_word_type32 *record);

// The record's 162 bytes on disk and back (little-endian units).
std::array<uint8_t, kSearchWordType32Bytes> Search_word_type32ToBytes(
    const Search_word_type32 &record);
Search_word_type32 Search_word_type32FromBytes(const uint8_t (&bytes)[kSearchWordType32Bytes]);

// --- Numeric character notations typed by users ---

// Converts, in place, "{CHR(n)}" (n decimal, case of the letters ignored) and then "#n" (n
// decimal) into the character with code n. A notation whose number does not read, or whose code
// is not a character (0, above 0x10FFFF, a surrogate half), stays as typed. Returns the code of
// the last character inserted, or -1 when none was. Yields to the host at every step.
int32_t MyFormatValidNumberStr(std::u16string &text);

// --- Code page of a locale ---

// The ANSI code page of the locale. 0 for a language written only in Unicode (code page 0 stands
// for the process ANSI code page wherever text is converted); the process ANSI code page
// (platform::AnsiCodePage) for an identifier the system does not know and for the default
// locales.
uint32_t LCIDToCodePage(uint32_t lcid);
uint32_t CodePageFromLocale(uint32_t lcid);

// --- Text measuring ---

using HDC = platform::DeviceContext *;
using TSize = platform::TextSize;

// Measures how many of the first cchString units of lpszStr fit into nMaxExtent: *lpnFit gets
// that count, alpDX (cchString entries) the extent of every prefix, *lpSize the size of the
// whole text. Returns false when it cannot measure. Null out-pointers are skipped.
using TGetTextExtentExPointWFunc = bool (*)(HDC DC, const char16_t *lpszStr, int32_t cchString,
                                            int32_t nMaxExtent, int32_t *lpnFit, int32_t *alpDX,
                                            TSize *lpSize);

// The measuring hook that line-fitting code calls. Points to the platform's measuring call
// while the package is loaded; a tool may put another function in its place. Null after unload.
extern TGetTextExtentExPointWFunc MyGetTextExtentExPointW;

// The pixel size of the first `length` units of text in the context's font; a zero size when
// length is 0 or less, text or dc is null, or measuring fails.
TSize GetTextExtentW(HDC dc, const char16_t *text, int32_t length);
