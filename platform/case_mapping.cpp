#include "platform/case_mapping.h"

#include <unicode/uchar.h>
#include <unicode/utf16.h>

#include <array>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/code_pages.h"
#include "platform/locale_ids.h"

namespace platform {

namespace {

bool IsTurkic(uint32_t lcid) {
  const uint32_t primary = PrimaryLanguageOf(lcid);
  return primary == kLangTurkish || primary == kLangAzeri;
}

UChar32 UpperOf(UChar32 c, bool turkic) {
  if (c == u'i' && turkic) return 0x0130;
  return u_toupper(c);
}

// A 256-entry byte map per code page and casing rule, so that 8-bit text in a single-byte code
// page upper-cases without a call into ICU per byte.
using ByteMap = std::array<unsigned char, 256>;

const ByteMap &SingleByteUpperMap(uint32_t code_page, bool turkic) {
  thread_local std::unordered_map<uint64_t, std::unique_ptr<ByteMap>> maps;
  const uint64_t key = (static_cast<uint64_t>(code_page) << 1) | (turkic ? 1 : 0);
  auto found = maps.find(key);
  if (found != maps.end()) return *found->second;
  auto map = std::make_unique<ByteMap>();
  for (int b = 0; b < 256; ++b) {
    (*map)[b] = static_cast<unsigned char>(b);
    const std::string byte(1, static_cast<char>(b));
    const std::u16string unit = ToUtf16(byte, code_page);
    if (unit.size() != 1 || unit[0] == 0xFFFD) continue;
    const UChar32 upper = UpperOf(unit[0], turkic);
    if (upper == unit[0] || upper > 0xFFFF) continue;
    const std::u16string upper_text(1, static_cast<char16_t>(upper));
    const std::string back = FromUtf16(upper_text, code_page);
    if (back.size() == 1 && ToUtf16(back, code_page) == upper_text)
      (*map)[b] = static_cast<unsigned char>(back[0]);
  }
  const ByteMap &result = *map;
  maps.emplace(key, std::move(map));
  return result;
}

}  // namespace

namespace {

// Maps every character of UTF-16 text in place through map (code point -> code point), keeping
// a character whose mapping has another length in UTF-16. A surrogate pair is one character; a
// lone surrogate unit is left alone. ASCII goes through ascii_map without a call into ICU.
template <typename AsciiMap, typename Map>
void MapInPlace(std::span<char16_t> text, AsciiMap ascii_map, Map map) {
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    const char16_t unit = text[i];
    if (unit < 0x80) {
      text[i] = ascii_map(unit);
      ++i;
      continue;
    }
    UChar32 c = unit;
    size_t width = 1;
    if (U16_IS_LEAD(unit) && i + 1 < n && U16_IS_TRAIL(text[i + 1])) {
      c = U16_GET_SUPPLEMENTARY(unit, text[i + 1]);
      width = 2;
    }
    const UChar32 mapped = map(c);
    if (mapped != c && static_cast<size_t>(U16_LENGTH(mapped)) == width) {
      if (width == 1) {
        text[i] = static_cast<char16_t>(mapped);
      } else {
        text[i] = U16_LEAD(mapped);
        text[i + 1] = U16_TRAIL(mapped);
      }
    }
    i += width;
  }
}

UChar32 LowerOf(UChar32 c, bool turkic) {
  if (turkic) {
    if (c == u'I') return 0x0131;
    if (c == 0x0130) return u'i';
  }
  return u_tolower(c);
}

}  // namespace

void UpperCaseInPlace(std::span<char16_t> text, uint32_t lcid) {
  const bool turkic = IsTurkic(lcid);
  MapInPlace(
      text,
      [turkic](char16_t unit) -> char16_t {
        if (unit < u'a' || unit > u'z') return unit;
        return (unit == u'i' && turkic) ? char16_t{0x0130} : static_cast<char16_t>(unit - 32);
      },
      [turkic](UChar32 c) { return UpperOf(c, turkic); });
}

void LowerCaseInPlace(std::span<char16_t> text, uint32_t lcid) {
  const bool turkic = IsTurkic(lcid);
  MapInPlace(
      text,
      [turkic](char16_t unit) -> char16_t {
        if (unit < u'A' || unit > u'Z') return unit;
        return (unit == u'I' && turkic) ? char16_t{0x0131} : static_cast<char16_t>(unit + 32);
      },
      [turkic](UChar32 c) { return LowerOf(c, turkic); });
}

void UpperCaseInPlace(std::span<char> text, uint32_t lcid, uint32_t code_page) {
  code_page = ResolveCodePage(code_page);
  const bool turkic = IsTurkic(lcid);
  if (IsSingleByteCodePage(code_page)) {
    const ByteMap &map = SingleByteUpperMap(code_page, turkic);
    for (char &c : text) c = static_cast<char>(map[static_cast<unsigned char>(c)]);
    return;
  }
  // Multi-byte code pages: convert, upper-case, convert back, and keep the result only when
  // it has exactly the original length, so that no byte offset moves.
  std::u16string wide = ToUtf16(std::string_view(text.data(), text.size()), code_page);
  UpperCaseInPlace(std::span<char16_t>(wide.data(), wide.size()), lcid);
  const std::string back = FromUtf16(wide, code_page);
  if (back.size() == text.size()) std::copy(back.begin(), back.end(), text.begin());
}

}  // namespace platform
