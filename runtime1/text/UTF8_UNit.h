// UTF-8 tests: the signature (EF BB BF), the number of characters of UTF-8 text, and the check
// that the start of a text is well-formed UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The three signature bytes EF BB BF, as UTF-8 text (code page 65001).
std::string UTF8SignatureAsUTF8String();

// True when the bytes start with EF BB BF (false for fewer than three bytes or a null start).
bool IsUTF8SignatureA(std::string_view bytes);

// True when the text is longer than one unit and the first three bytes of its memory (units in
// little-endian order) are EF BB BF: a UTF-8 file read by mistake as UTF-16.
bool IsUTF8SignatureW(std::u16string_view text);

// True when the three bytes are EF BB BF.
bool IsUTF8Signature(uint8_t b1, uint8_t b2, uint8_t b3);

// The number of characters, one per sequence, with sequence lengths by lead byte (00-7F: 1,
// C0-DF: 2, E0-EF: 3, F0-F7: 4, F8-FB: 5, FC-FF: 6). The byte length instead when a byte 80-BF
// stands where a sequence should start, or when the last sequence runs past the end.
int32_t UTF8LengthInChars(std::string_view text);

// True when the text is acceptable as UTF-8: every sequence up to and including the first
// multi-byte one is well-formed (no overlong forms, surrogates, codes above U+10FFFF, or
// sequences cut off by the end). all_ascii becomes false when a multi-byte sequence was found,
// and the check stops there; an empty or all-ASCII text gives true with all_ascii true. Yields
// to the host at every step.
bool CheckedUTF(std::string_view text, bool &all_ascii);
