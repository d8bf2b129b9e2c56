#include "platform/utf16_text.h"

#include <unicode/ustring.h>

namespace platform {

namespace {

template <typename Char>
std::basic_string_view<Char> TrimView(std::basic_string_view<Char> text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsTrimmable(text[first])) ++first;
  while (last > first && IsTrimmable(text[last - 1])) --last;
  return text.substr(first, last - first);
}

template <typename Unsigned, typename Char>
int32_t CompareUnits(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  const size_t common = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < common; ++i) {
    const int32_t ua = static_cast<Unsigned>(a[i]);
    const int32_t ub = static_cast<Unsigned>(b[i]);
    if (ua != ub) return ua - ub;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

template <typename Char>
size_t Length(const Char *text) {
  if (text == nullptr) return 0;
  size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

}  // namespace

std::u16string_view Trim(std::u16string_view text) {
  return TrimView(text);
}
std::string_view Trim(std::string_view text) {
  return TrimView(text);
}

int32_t CompareCodeUnits(std::u16string_view a, std::u16string_view b) {
  return CompareUnits<uint16_t>(a, b);
}
int32_t CompareCodeUnits(std::string_view a, std::string_view b) {
  return CompareUnits<uint8_t>(a, b);
}

size_t LengthOf(const char16_t *text) {
  return Length(text);
}
size_t LengthOf(const char *text) {
  return Length(text);
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out(utf8.size(), u'\0');  // UTF-16 never needs more units than UTF-8 bytes
  int32_t written = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &written, utf8.data(),
                       static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
  if (U_FAILURE(status)) return {};
  out.resize(static_cast<size_t>(written));
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out(utf16.size() * 3, '\0');  // each unit needs at most 3 bytes
  int32_t written = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &written,
                     reinterpret_cast<const UChar *>(utf16.data()),
                     static_cast<int32_t>(utf16.size()), 0xFFFD, nullptr, &status);
  if (U_FAILURE(status)) return {};
  out.resize(static_cast<size_t>(written));
  return out;
}

}  // namespace platform
