// UTF-16 and 8-bit text helpers shared by every deliverable: trimming of control characters
// and spaces, code-unit comparison, NUL-terminated lengths and UTF-8 <-> UTF-16 conversion.
// Stands in for the run-time library's wide-string routines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// True for every unit up to and including U+0020: spaces and control characters, the set
// that the platform's Trim removes.
constexpr bool IsTrimmable(char16_t c) {
  return c <= 0x20;
}
constexpr bool IsTrimmable(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

// Removes trimmable units from both ends; the result views the argument.
std::u16string_view Trim(std::u16string_view text);
std::string_view Trim(std::string_view text);

// Compares unit by unit as unsigned numbers: the difference of the first two units that
// differ, a negative or positive length difference sign when one text is a prefix of the
// other, 0 when they are equal.
int32_t CompareCodeUnits(std::u16string_view a, std::u16string_view b);
int32_t CompareCodeUnits(std::string_view a, std::string_view b);

// Lengths of NUL-terminated texts; 0 for a null pointer.
size_t LengthOf(const char16_t *text);
size_t LengthOf(const char *text);

// Views of NUL-terminated texts; empty for a null pointer.
inline std::u16string_view ViewOf(const char16_t *text) {
  return {text, LengthOf(text)};
}
inline std::string_view ViewOf(const char *text) {
  return {text, LengthOf(text)};
}

// UTF-8 <-> UTF-16. Ill-formed input becomes U+FFFD, never an error.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace platform
