// Helpers shared by the text tests: running one 8-bit case on both the narrow and the wide form
// of a routine.
#pragma once

#include <string>
#include <string_view>

namespace text_test {

// The 8-bit text widened unit by unit (bytes 00-FF become U+0000-U+00FF).
inline std::u16string Widen(std::string_view text) {
  std::u16string wide;
  for (char c : text) wide.push_back(static_cast<unsigned char>(c));
  return wide;
}

}  // namespace text_test
