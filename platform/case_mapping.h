// Linguistic upper- and lower-casing for a locale that never changes a text's length.
// Stands in for the platform's LCMapString with linguistic upper-casing: every character takes
// its simple (one-to-one) upper-case mapping from ICU, Turkish and Azeri map i to dotted
// capital I (U+0130), and a mapping that would change the length (such as German sharp s to
// "SS") is not made: the character stays as it is. Lower-casing is the mirror image: Turkish and
// Azeri map I to dotless i (U+0131) and dotted capital I to i.
#pragma once

#include <cstdint>
#include <span>

namespace platform {

// Upper-cases UTF-16 text in place for the locale.
void UpperCaseInPlace(std::span<char16_t> text, uint32_t lcid);

// Lower-cases UTF-16 text in place for the locale.
void LowerCaseInPlace(std::span<char16_t> text, uint32_t lcid);

// Upper-cases 8-bit text of a code page (0: the ANSI code page) in place for the locale.
// A character whose capital has no form of the same length in that code page is kept.
void UpperCaseInPlace(std::span<char> text, uint32_t lcid, uint32_t code_page);

}  // namespace platform
