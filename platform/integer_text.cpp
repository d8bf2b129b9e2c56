#include "platform/integer_text.h"

namespace platform {

namespace {

int DigitValue(char32_t c, bool hex) {
  if (c >= u'0' && c <= u'9') return static_cast<int>(c - u'0');
  if (!hex) return -1;
  if (c >= u'A' && c <= u'F') return static_cast<int>(c - u'A' + 10);
  if (c >= u'a' && c <= u'f') return static_cast<int>(c - u'a' + 10);
  return -1;
}

template <typename Unit>
std::optional<int32_t> Read(std::basic_string_view<Unit> text) {
  size_t i = 0;
  while (i < text.size() && text[i] == Unit(' ')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == Unit('+') || text[i] == Unit('-')))
    negative = text[i++] == Unit('-');
  bool hex = false;
  if (i < text.size() && (text[i] == Unit('$') || text[i] == Unit('x') || text[i] == Unit('X'))) {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == Unit('0') &&
             (text[i + 1] == Unit('x') || text[i + 1] == Unit('X'))) {
    hex = true;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(static_cast<char32_t>(text[i]), hex);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (value > limit) return std::nullopt;
  }
  // Two's complement of the 32 bits; the range checks above keep decimal values in range.
  const uint32_t bits = static_cast<uint32_t>(negative ? (0 - value) : value);
  return static_cast<int32_t>(bits);
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::u16string_view text) {
  return Read(text);
}
std::optional<int32_t> TryStrToInt(std::string_view text) {
  return Read(text);
}

}  // namespace platform
