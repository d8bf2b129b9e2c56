#include "platform/char_types.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>
#include <unicode/utf16.h>

#include <array>
#include <memory>
#include <string>
#include <unordered_map>

#include "platform/code_pages.h"

namespace platform {

namespace {

constexpr uint32_t kInfoTypes[3] = {CT_CTYPE1, CT_CTYPE2, CT_CTYPE3};

// 0, 1 or 2 for the three known info types, -1 otherwise.
int InfoIndex(uint32_t info_type) {
  for (int i = 0; i < 3; ++i)
    if (kInfoTypes[i] == info_type) return i;
  return -1;
}

uint32_t CategoryMask(UChar32 c) {
  return U_MASK(u_charType(c));
}

bool IsWhiteSpace(UChar32 c) {
  // The information separators 1C-1F are block and segment separators: white, as in C.
  return u_hasBinaryProperty(c, UCHAR_WHITE_SPACE) || (c >= 0x1C && c <= 0x1F);
}

bool IsHexDigit(UChar32 c) {
  auto in = [c](UChar32 lo, UChar32 hi) { return c >= lo && c <= hi; };
  return in(u'0', u'9') || in(u'A', u'F') || in(u'a', u'f') || in(0xFF10, 0xFF19) ||
         in(0xFF21, 0xFF26) || in(0xFF41, 0xFF46);
}

uint16_t Type1(UChar32 c) {
  const uint32_t gc = CategoryMask(c);
  if (gc & U_GC_CN_MASK) return 0;
  uint16_t t = C1_DEFINED;
  if (gc & (U_GC_LU_MASK | U_GC_LT_MASK)) t |= C1_ALPHA | C1_UPPER;
  if (gc & U_GC_LL_MASK) t |= C1_ALPHA | C1_LOWER;
  if (gc & (U_GC_LM_MASK | U_GC_LO_MASK | U_GC_M_MASK | U_GC_NL_MASK)) t |= C1_ALPHA;
  if (gc & U_GC_ND_MASK) t |= C1_DIGIT;
  if (gc & (U_GC_P_MASK | U_GC_S_MASK | U_GC_NO_MASK)) t |= C1_PUNCT;
  if (gc & (U_GC_CC_MASK | U_GC_CF_MASK)) t |= C1_CNTRL;
  if (IsWhiteSpace(c)) t |= C1_SPACE;
  if (u_isblank(c)) t |= C1_BLANK;
  if (IsHexDigit(c)) t |= C1_XDIGIT;
  return t;
}

uint16_t Type2(UChar32 c) {
  if (CategoryMask(c) & (U_GC_CN_MASK | U_GC_CS_MASK)) return C2_NOTAPPLICABLE;
  switch (u_charDirection(c)) {
    case U_LEFT_TO_RIGHT:
      return C2_LEFTTORIGHT;
    case U_RIGHT_TO_LEFT:
    case U_RIGHT_TO_LEFT_ARABIC:
      return C2_RIGHTTOLEFT;
    case U_EUROPEAN_NUMBER:
      return C2_EUROPENUMBER;
    case U_EUROPEAN_NUMBER_SEPARATOR:
      return C2_EUROPESEPARATOR;
    case U_EUROPEAN_NUMBER_TERMINATOR:
      return C2_EUROPETERMINATOR;
    case U_ARABIC_NUMBER:
      return C2_ARABICNUMBER;
    case U_COMMON_NUMBER_SEPARATOR:
      return C2_COMMONSEPARATOR;
    case U_BLOCK_SEPARATOR:
      return C2_BLOCKSEPARATOR;
    case U_SEGMENT_SEPARATOR:
      return C2_SEGMENTSEPARATOR;
    case U_WHITE_SPACE_NEUTRAL:
      return C2_WHITESPACE;
    case U_OTHER_NEUTRAL:
    case U_DIR_NON_SPACING_MARK:
      return C2_OTHERNEUTRAL;
    default:
      return C2_NOTAPPLICABLE;  // embedding controls and boundary neutrals
  }
}

bool IsVowelMark(UChar32 c) {
  if (u_getIntPropertyValue(c, UCHAR_INDIC_SYLLABIC_CATEGORY) == U_INSC_VOWEL_DEPENDENT)
    return true;
  // Hebrew vowel points and the Arabic short vowels (harakat) and nunation.
  return (c >= 0x05B0 && c <= 0x05BB) || c == 0x05C7 || (c >= 0x064B && c <= 0x0650);
}

// Katakana and hiragana: by script, or by script extensions that name exactly the two kana
// scripts (the prolonged sound mark and the voicing marks).
uint16_t KanaFlags(UChar32 c) {
  UErrorCode status = U_ZERO_ERROR;
  const UScriptCode script = uscript_getScript(c, &status);
  if (script == USCRIPT_KATAKANA) return C3_KATAKANA;
  if (script == USCRIPT_HIRAGANA) return C3_HIRAGANA;
  UScriptCode extensions[8];
  status = U_ZERO_ERROR;
  const int n = uscript_getScriptExtensions(c, extensions, 8, &status);
  if (U_FAILURE(status) || n != 2) return 0;
  const bool kana =
      uscript_hasScript(c, USCRIPT_KATAKANA) && uscript_hasScript(c, USCRIPT_HIRAGANA);
  return kana ? (C3_KATAKANA | C3_HIRAGANA) : 0;
}

uint16_t WidthFlags(UChar32 c) {
  switch (u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH)) {
    case U_EA_HALFWIDTH:
    case U_EA_NARROW:
      return C3_HALFWIDTH;
    case U_EA_FULLWIDTH:
    case U_EA_WIDE:
      return C3_FULLWIDTH;
    default:
      return 0;
  }
}

uint16_t Type3(UChar32 c) {
  const uint32_t gc = CategoryMask(c);
  if (gc & U_GC_CN_MASK) return C3_NOTAPPLICABLE;
  if (gc & U_GC_CS_MASK) return U16_IS_LEAD(c) ? C3_HIGHSURROGATE : C3_LOWSURROGATE;
  uint16_t t = 0;
  if (gc & (U_GC_MN_MASK | U_GC_ME_MASK)) t |= C3_NONSPACING;
  if (u_hasBinaryProperty(c, UCHAR_DIACRITIC)) t |= C3_DIACRITIC;
  if (IsVowelMark(c)) t |= C3_VOWELMARK;
  if (gc & U_GC_S_MASK) t |= C3_SYMBOL;
  t |= KanaFlags(c);
  t |= WidthFlags(c);
  if (u_hasBinaryProperty(c, UCHAR_IDEOGRAPHIC)) t |= C3_IDEOGRAPH;
  if (c == 0x0640) t |= C3_KASHIDA;
  if (gc & (U_GC_LM_MASK | U_GC_SK_MASK)) t |= C3_LEXICAL;
  if (Type1(c) & C1_ALPHA) t |= C3_ALPHA;
  return t;
}

uint16_t Compute(int index, UChar32 c) {
  switch (index) {
    case 0:
      return Type1(c);
    case 1:
      return Type2(c);
    default:
      return Type3(c);
  }
}

struct BmpTables {
  std::array<std::array<uint16_t, 0x10000>, 3> words;
  BmpTables() {
    for (int index = 0; index < 3; ++index)
      for (UChar32 c = 0; c < 0x10000; ++c) words[index][c] = Compute(index, c);
  }
};

const BmpTables &Tables() {
  static const std::unique_ptr<const BmpTables> tables = std::make_unique<const BmpTables>();
  return *tables;
}

// The word of the second unit of a pair in C3 differs from the first only in its surrogate flag.
void FillPair(int index, UChar32 c, uint16_t *first) {
  const uint16_t word = Compute(index, c);
  first[0] = word;
  first[1] = word;
  if (index == 2) {
    first[0] |= C3_HIGHSURROGATE;
    first[1] |= C3_LOWSURROGATE;
  }
}

// The code point of 8-bit bytes when they decode to exactly one character; -1 otherwise.
UChar32 SingleCharacter(std::string_view bytes, uint32_t code_page) {
  const std::u16string units = ToUtf16(bytes, code_page);
  if (units.empty()) return -1;
  size_t i = 0;
  UChar32 c;
  U16_NEXT(units.data(), i, units.size(), c);
  if (i != units.size() || c == 0xFFFD || U_IS_SURROGATE(c)) return -1;
  if (c == 0x1A && bytes != "\x1A") return -1;  // a converter's substitute
  return c;
}

// Per code page and info type: the word of each byte read alone, or kNeedsMore when the byte
// alone is not a character (a lead byte, or a byte that does not decode).
constexpr uint32_t kNeedsMore = 0x10000;

const std::array<uint32_t, 256> &LoneByteWords(int index, uint32_t code_page) {
  thread_local std::unordered_map<uint64_t, std::array<uint32_t, 256>> cache;
  const uint64_t key = (uint64_t{code_page} << 2) | static_cast<uint64_t>(index);
  auto found = cache.find(key);
  if (found != cache.end()) return found->second;
  std::array<uint32_t, 256> words;
  for (int b = 0; b < 256; ++b) {
    const char byte = static_cast<char>(b);
    const UChar32 c = SingleCharacter(std::string_view(&byte, 1), code_page);
    words[b] = c < 0 ? kNeedsMore : CharTypeOfCodePoint(kInfoTypes[index], c);
  }
  return cache.emplace(key, words).first->second;
}

// Multi-byte code pages: a character starts where its bytes decode alone; a lead byte takes the
// shortest run of up to four bytes that decodes to one character.
void FillMultiByte(int index, std::string_view bytes, uint32_t code_page,
                   const std::array<uint32_t, 256> &lone, uint16_t *types) {
  size_t i = 0;
  while (i < bytes.size()) {
    const uint32_t word = lone[static_cast<unsigned char>(bytes[i])];
    if (word != kNeedsMore) {
      types[i++] = static_cast<uint16_t>(word);
      continue;
    }
    size_t length = 0;
    UChar32 c = -1;
    for (size_t n = 2; n <= 4 && i + n <= bytes.size() && c < 0; ++n) {
      c = SingleCharacter(bytes.substr(i, n), code_page);
      length = n;
    }
    if (c < 0) {
      types[i++] = 0;
      continue;
    }
    const uint16_t char_word = CharTypeOfCodePoint(kInfoTypes[index], c);
    for (size_t k = 0; k < length; ++k) types[i + k] = char_word;
    i += length;
  }
}

}  // namespace

const uint16_t *BmpCharTypeTable(uint32_t info_type) {
  const int index = InfoIndex(info_type);
  return index < 0 ? nullptr : Tables().words[index].data();
}

uint16_t CharTypeOfUnit(uint32_t info_type, char16_t unit) {
  const uint16_t *table = BmpCharTypeTable(info_type);
  return table == nullptr ? 0 : table[unit];
}

uint16_t CharTypeOfCodePoint(uint32_t info_type, char32_t code_point) {
  const int index = InfoIndex(info_type);
  if (index < 0 || code_point > 0x10FFFF) return 0;
  if (code_point < 0x10000) return Tables().words[index][code_point];
  return Compute(index, static_cast<UChar32>(code_point));
}

bool GetStringTypeW(uint32_t info_type, std::u16string_view text, std::span<uint16_t> types) {
  const int index = InfoIndex(info_type);
  if (index < 0 || types.size() < text.size()) return false;
  const uint16_t *table = Tables().words[index].data();
  const size_t n = text.size();
  const char16_t *units = text.data();
  uint16_t *out = types.data();
  for (size_t i = 0; i < n; ++i) {
    const char16_t u = units[i];
    if (U16_IS_LEAD(u) && i + 1 < n && U16_IS_TRAIL(units[i + 1])) [[unlikely]] {
      FillPair(index, U16_GET_SUPPLEMENTARY(u, units[i + 1]), out + i);
      ++i;
    } else {
      out[i] = table[u];
    }
  }
  return true;
}

bool GetStringTypeA(uint32_t info_type, std::string_view bytes, uint32_t code_page,
                    std::span<uint16_t> types) {
  const int index = InfoIndex(info_type);
  if (index < 0 || types.size() < bytes.size()) return false;
  const uint32_t resolved = ResolveCodePage(code_page);
  const std::array<uint32_t, 256> &lone = LoneByteWords(index, resolved);
  if (!IsSingleByteCodePage(resolved)) {
    FillMultiByte(index, bytes, resolved, lone, types.data());
    return true;
  }
  for (size_t i = 0; i < bytes.size(); ++i) {
    const uint32_t word = lone[static_cast<unsigned char>(bytes[i])];
    types[i] = word == kNeedsMore ? 0 : static_cast<uint16_t>(word);
  }
  return true;
}

}  // namespace platform
