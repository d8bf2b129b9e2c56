#include "runtime1/text/basic_unicode_chars.h"

bool IsHashSymbol(char16_t unit) {
  return unit == hash_symbol_char;
}

bool IsHashOrBrace(char16_t unit) {
  return unit == u'#' || unit == u'{';
}

void FillWChar(char16_t *buffer, int32_t count_of_bytes, char16_t unit) {
  if (buffer == nullptr) return;
  for (int32_t i = 0; i < count_of_bytes / 2; ++i) buffer[i] = unit;
}

bool IsNotationCharacterCode(int64_t code) {
  return code >= 1 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
}

std::u16string CharacterOfCode(int64_t code) {
  if (!IsNotationCharacterCode(code)) return {};
  if (code < 0x10000) return std::u16string(1, static_cast<char16_t>(code));
  const int64_t v = code - 0x10000;
  return {static_cast<char16_t>(0xD800 + (v >> 10)), static_cast<char16_t>(0xDC00 + (v & 0x3FF))};
}

size_t FindBracedNotationOpening(std::u16string_view text, size_t from) {
  const size_t n = kBracedOpening.size();
  for (size_t i = from; i + n <= text.size(); ++i) {
    size_t k = 0;
    while (k < n) {
      char16_t c = text[i + k];
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
      if (c != kBracedOpening[k]) break;
      ++k;
    }
    if (k == n) return i;
  }
  return std::u16string_view::npos;
}
