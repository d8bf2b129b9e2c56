// Fast routines over raw character buffers given as a pointer and a length: searching,
// comparing, byte-order-mark tests and the two additive checksums. None of them allocates,
// raises or keeps state; a null pointer, a length of 0 or less or a missing match means that
// nothing is done or nothing is found. Lengths count units (8-bit for the A forms and for names
// without a suffix, UTF-16 for the W forms) unless a routine says bytes; offsets are 0-based.
#pragma once

#include <cstddef>
#include <cstdint>

// --- Searching and comparing ---

// The first occurrence of the zero-terminated pattern within the first text_length units of
// text (every start from 0 to text_length - pattern length is tried); null when text or pattern
// is null, text_length is 0 or less, the pattern is empty or longer than the text.
const char *FastStrPos(const char *text, const char *pattern, int32_t text_length);
const char16_t *FastStrPosW(const char16_t *text, const char16_t *pattern, int32_t text_length);

// As FastStrPos, but a start k matches when every text[k + i] equals form1[i] or form2[i]. The
// caller passes the lower- and upper-case forms of the pattern (zero-terminated), so no case is
// mapped here. Null also when the two forms differ in length.
const char *FastStrIPos(const char *text, const char *form1, const char *form2,
                        int32_t text_length);
const char16_t *FastStrIPosW(const char16_t *text, const char16_t *form1, const char16_t *form2,
                             int32_t text_length);

// The first occurrence of unit within the first length units, or null.
const char *FastStrScan(const char *buffer, char unit, int32_t length);
const char16_t *FastStrScanW(const char16_t *buffer, char16_t unit, int32_t length);

// True when the first length units are identical; true for a length of 0 or less; false when a
// buffer is null and length is above 0.
bool EqualContentsA(const char *a, const char *b, int32_t length);
bool EqualContentsW(const char16_t *a, const char16_t *b, int32_t length);

// Compares unit by unit, stopping after the first differing unit or after length units, and
// returns length minus the number of units compared: 0 when all are equal or only the last unit
// differs, length - 1 when the first units differ. Where the buffers differ, the first
// difference is at index length - result - 1. 0 for a length of 0 or less; length for a null
// buffer (nothing compared).
int32_t HowFarEqualContentsA(const char *a, const char *b, int32_t length);
int32_t HowFarEqualContentsW(const char16_t *a, const char16_t *b, int32_t length);

// 1-based position of the first of the first count elements that equals value; 0 when none
// does, count is 0 or less or the array is null.
int32_t ScanForInt(int32_t value, const int32_t *array, int32_t count);

// Replaces, in place and without changing the buffer length, every occurrence of the pattern
// (pattern_length units) within the first buffer_length units by pattern_length units of the
// replacement. Occurrences are taken from left to right and never overlap; the replacement is
// read up to pattern_length units or up to its zero unit, whichever comes first, and units it
// lacks become spaces. Returns the number of occurrences replaced; 0 for null buffers or
// lengths of 0 or less.
int32_t SearchAndReplaceFastW(char16_t *buffer, const char16_t *pattern,
                              const char16_t *replacement, int32_t buffer_length,
                              int32_t pattern_length);

// --- Byte-order marks and checksums ---

// The same pointer when the image holds at least two bytes and starts with FF FE or FE FF (a
// UTF-16 byte-order mark of either order); null otherwise.
const uint8_t *UnicodeSigned(const uint8_t *image, size_t length);

// The same pointer when the image holds at least two bytes and starts with FE FF (big-endian
// UTF-16); null otherwise.
const uint8_t *UnicodeByteReversed(const uint8_t *image, size_t length);

// Sum of count little-endian 16-bit units modulo 65536; 0 for a null pointer or count <= 0.
uint32_t My2Checksum(const void *data, int32_t count_of_units);

// Sum of (count_of_bytes div 4) little-endian 32-bit words modulo 2^32; the last
// count_of_bytes mod 4 bytes do not count (stored checksums rely on this). 0 for a null pointer
// or a count below 4.
uint32_t My4Checksum(const void *data, int32_t count_of_bytes);
