// In-place work on raw character buffers: replacing units, blanking, capitalising by the caller's
// letter sets, cutting lower-case words, re-typing zero-width (non-)joiners, swapping two runs,
// and compacting (removing units, collapsing spaces and line ends, dropping bracketed
// stretches). No routine allocates or raises; a null buffer or a length of 0 or less does
// nothing. Lengths count units (8-bit for the A forms and names without a suffix, UTF-16 for W).
//
// Compacting routines shift the kept units down in order and return the new length. Where they
// end the text with a zero unit, they take the buffer's capacity (in units, at least length) and
// write that zero only when the new length is below the capacity, so that an exactly-sized
// buffer is never written past its end.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// A length-prefixed 8-bit string of at most 128 characters: the code page's lower-case letters
// above "z", or, in the same order, their upper-case partners. A length above 128 (a damaged
// record) counts as 128.
struct ANSILower_or_upperStr_type {
  uint8_t length = 0;
  std::array<char, 128> chars{};
};

// The set holding the first 128 bytes of text.
ANSILower_or_upperStr_type MakeANSILower_or_upperStr(std::string_view text);

// --- Changes that keep the length ---

// Every occurrence of unit becomes a space.
void ReplaceCharacterBySpace(char *buffer, char unit, int32_t length);
void ReplaceCharacterBySpaceW(char16_t *buffer, char16_t unit, int32_t length);

// Every unit1 becomes unit2.
void ReplaceChar1ByChar2W(char16_t *buffer, char16_t unit1, char16_t unit2, int32_t length);

// Every unit below 0x20 becomes a space.
void ReplaceControlCharsBySpaceA(char *buffer, int32_t length);
void ReplaceControlCharsBySpaceW(char16_t *buffer, int32_t length);

// Every carriage return becomes a space, and so does a line feed right after a replaced carriage
// return; a line feed on its own stays.
void ReplaceCarriageReturnsBySpaceA(char *buffer, int32_t length);
void ReplaceCarriageReturnsBySpaceW(char16_t *buffer, int32_t length);

// Every tab becomes a space.
void ReplaceTabsBySpace(char *buffer, int32_t length);

// The first count units become spaces (BlankOut) or zero (ZeroSomeBytesW); nothing for count <= 0.
void BlankOutSomeBytesA(char *buffer, int32_t count);
void BlankOutSomeBytesW(char16_t *buffer, int32_t count);
void ZeroSomeBytesW(char16_t *buffer, int32_t count);

// a-z become A-Z; a unit above "z" found at index j of the lower set (among its first n entries,
// n the shorter of the two sets' lengths) becomes entry j of the upper set; others stay.
void CapitaliseABuffer(char *buffer, const ANSILower_or_upperStr_type &lower,
                       const ANSILower_or_upperStr_type &upper, int32_t length);

// Blanks the lower-case letters of each word up to its first capital: a word in lower case only
// becomes spaces, "the Cat" becomes four spaces and "Cat". Units up to 0x20 end a word; units
// 0x21-0x40 stay and end nothing; A-Z and the upper set's letters are capitals.
void CutLowercaseWords(char *buffer, const ANSILower_or_upperStr_type &lower,
                       const ANSILower_or_upperStr_type &upper, int32_t length);

// For every U+200D (zero width joiner) in text, the type word at the same index becomes
// C1_DEFINED (0x0200): no longer a control, so it never splits a word.
void SetZeroWidthJoinersToDefined(const char16_t *text, uint16_t *types, int32_t length);

// For every U+200C (zero width non-joiner), the type word becomes C1_DEFINED | C1_ALPHA (0x0300).
void SetZeroWidthNonJoinersToDefinedAlpha(const char16_t *text, uint16_t *types, int32_t length);

// Exchanges the run of length_a units at the start with the run of length_b units after it
// (A then B becomes B then A), in place. Nothing when the first unit is 0 or a length is
// negative.
void Swap2Strings(char16_t *buffer, int32_t length_a, int32_t length_b);

// --- Compacting ---

// Removes every occurrence of unit; ends the text with a zero unit (see capacity above), except
// for a length of 0 where nothing at all is written. Returns the new length.
int32_t RemoveCharA(char *buffer, char unit, int32_t length, int32_t capacity);
int32_t RemoveCharW(char16_t *buffer, char16_t unit, int32_t length, int32_t capacity);

// Every run of two or more spaces becomes one space; ends the text with a zero unit. Returns the
// new length.
int32_t RemoveRedundantSpaceW(char16_t *buffer, int32_t length, int32_t capacity);

// Every run of two or more CR LF pairs becomes one CR LF; a lone CR or LF stays. Ends the text
// with a zero unit only when something was removed. Returns the new length.
int32_t CutDoubleCRLFsW(char16_t *buffer, int32_t length, int32_t capacity);

// Removes every line feed (carriage returns stay); writes no zero unit. Returns the new length.
int32_t LengthConvertedToUnix(char *buffer, int32_t length);

// Drops every stretch from an opening unit through the nearest closing unit after it (both
// included; the search starts at the opening unit itself, so with opening == closing only the
// delimiters go). An opening unit without a closing unit is dropped alone. Ends the text with a
// zero unit. Returns the new length. "a<b>c" -> "ac", "a<bc" -> "abc".
int32_t ClearBetweenChars(char *buffer, char opening, char closing, int32_t length,
                          int32_t capacity);

// As ClearBetweenChars, but a stretch counts only when its closing unit lies within max_span
// units counted from the opening unit as the first; with remove true the stretch is dropped,
// with it false it becomes as many spaces. An opening unit without a closing unit in reach is
// dropped alone. Ends the text with a zero unit. Returns the new length.
int32_t CleanBetweenChars(char *buffer, char opening, char closing, int32_t length,
                          int32_t max_span, bool remove, int32_t capacity);
