// Small text and number helpers used throughout the runtime: digit tests, the right end of a
// text, ampersands for captions, swaps, unsigned minimum and maximum, removal of characters
// and pieces, quote stripping and a threshold search.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// c is one of the ASCII digits 0-9.
bool IsOrdinaryNumberChar(char16_t c);
// c is a decimal digit of any script (the platform's character classes).
bool IsADigitChar(char16_t c);

// The last n characters of the text (all of it when shorter; empty for n <= 0).
std::u16string Rightstr(std::u16string_view text, int32_t n);

// The text with ampersands doubled for display in captions, where a single "&" would mark a
// shortcut: "Save & exit" -> "Save && exit", "a&" -> "a&&". A pair "&&" is already doubled
// and is copied unchanged.
std::u16string DoubleAnyAmpersands(std::u16string_view text);

void ExchangeTwoIntegers(int32_t &a, int32_t &b);
void ExchangeTwoStrings(std::u16string &a, std::u16string &b);
void ExchangeTwoPointers(void *&a, void *&b);

// The larger and the smaller of two unsigned values.
uint32_t MaxCardinal(uint32_t a, uint32_t b);
uint32_t MinCardinal(uint32_t a, uint32_t b);

// The text with every occurrence of the character removed.
std::u16string ChrClearedFromString(char16_t c, std::u16string_view text);
// The text with every occurrence of the part removed, repeated until none is left (so
// removals that join a new occurrence remove that too); an empty part changes nothing.
std::u16string SubStrClearedFromString(std::u16string_view part, std::u16string_view text);
// The text between a leading and a trailing double quote when it has both; otherwise the text.
std::u16string CutOutsideQuotes(std::u16string_view text);
// The 0-based index of the first element greater than value, or -1.
int32_t CorrectDivision(int64_t value, const std::vector<int64_t> &limits);
