// String utilities shared by the tools and the other units. This part: the readable notation in
// which work strings with control characters are shown and stored ("{CHR(9)}", "#9", "#x9;").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Every character whose code is below `below` is written as "{CHR(" + its decimal code + ")}";
// the other characters are copied. A surrogate pair counts as the one character it encodes.
std::u16string QVFormattedWorkStringToReadableString(std::u16string_view text, int32_t below);

// The text of a braced notation in the form the integer reader takes: upper-cased (ASCII), a
// leading "X" becomes "$", and a trailing "H" is dropped with "$" put in front ("9H" -> "$9").
std::u16string BracedNumberStrToDigitalformat(std::u16string_view text);

// Turns the readable notations back into the characters they stand for:
//  1. "{CHR(n)}" (case ignored; n decimal, or hexadecimal as "$9", "x9", "0x9" or "9H") becomes
//     the character n; a notation whose number does not read stays as typed, and the search
//     goes on one position after it. The pass ends at an empty "{CHR()}".
//  2. "#n" (decimal) and "#xH;" (a prefix from "Xx$Hh", hexadecimal digits, one optional ";")
//     become the character; the pass ends at the first "#" that carries no readable number.
// Only codes 1..0x10FFFF outside the surrogate range are converted (codes above 0xFFFF become a
// surrogate pair); a notation with any other code stays as typed.
std::u16string QVFormattedReadableStringToWorkString(std::u16string_view text);
