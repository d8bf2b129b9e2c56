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

void UpperCaseInPlace(std::span<char16_t> text, uint32_t lcid) {
  const bool turkic = IsTurkic(lcid);
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    const char16_t unit = text[i];
    if (unit < 0x80) {
      if (unit >= u'a' && unit <= u'z') text[i] = (unit == u'i' && turkic) ? 0x0130 : unit - 32;
      ++i;
      continue;
    }
    UChar32 c = unit;
    size_t width = 1;
    if (U16_IS_LEAD(unit) && i + 1 < n && U16_IS_TRAIL(text[i + 1])) {
      c = U16_GET_SUPPLEMENTARY(unit, text[i + 1]);
      width = 2;
    }
    const UChar32 upper = UpperOf(c, turkic);
    if (upper != c && static_cast<size_t>(U16_LENGTH(upper)) == width) {
      if (width == 1) {
        text[i] = static_cast<char16_t>(upper);
      } else {
        text[i] = U16_LEAD(upper);
        text[i + 1] = U16_TRAIL(upper);
      }
    }
    i += width;
  }
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
