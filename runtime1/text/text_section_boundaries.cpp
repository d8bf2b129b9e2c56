#include "runtime1/text/text_section_boundaries.h"

#include <map>
#include <mutex>
#include <string>

#include "platform/char_types.h"
#include "platform/code_pages.h"
#include "platform/locale_ids.h"

void IgnoreTextSectionEnd(int32_t, int32_t) {}

THandleTextSectionProc HandleSentenceEndProc = IgnoreTextSectionEnd;
THandleTextSectionProc HandleParagraphEndProc = IgnoreTextSectionEnd;
THandleTextSectionProc HandleHeadingEndProc = IgnoreTextSectionEnd;
THandleTextSectionProc HandleSectionEndProc = IgnoreTextSectionEnd;

namespace {

using ByteTypes = std::array<uint16_t, 256>;

uint32_t CodePageOfLocale(uint32_t locale) {
  return platform::ResolveCodePage(platform::AnsiCodePageOfLocale(locale));
}

// The C1 word of every byte of a single-byte code page, computed once per code page so that
// 8-bit buffers are typed by one table look-up per byte.
ByteTypes SingleByteTypes(uint32_t code_page) {
  static std::mutex guard;
  static std::map<uint32_t, ByteTypes> tables;
  const std::lock_guard<std::mutex> lock(guard);
  auto found = tables.find(code_page);
  if (found != tables.end()) return found->second;
  std::string bytes(256, '\0');
  for (int b = 0; b < 256; ++b) bytes[b] = static_cast<char>(b);
  ByteTypes types{};
  platform::GetStringTypeA(platform::CT_CTYPE1, bytes, code_page, types);
  tables.emplace(code_page, types);
  return types;
}

void FillBytes(const unsigned char *bytes, size_t count, const uint16_t *table, uint16_t *out) {
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    out[i] = table[bytes[i]];
    out[i + 1] = table[bytes[i + 1]];
    out[i + 2] = table[bytes[i + 2]];
    out[i + 3] = table[bytes[i + 3]];
  }
  for (; i < count; ++i) out[i] = table[bytes[i]];
}

bool IsLead(char16_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}
bool IsTrail(char16_t u) {
  return u >= 0xDC00 && u <= 0xDFFF;
}

// One table look-up per unit; a surrogate pair takes the type of the character it encodes.
void FillUnits(const char16_t *units, size_t count, const uint16_t *table, uint16_t *out) {
  for (size_t i = 0; i < count; ++i) {
    const char16_t u = units[i];
    out[i] = table[u];
    if (IsLead(u) && i + 1 < count && IsTrail(units[i + 1])) {
      const char32_t c = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
                         (static_cast<char32_t>(units[i + 1]) - 0xDC00);
      out[i] = out[i + 1] = platform::CharTypeOfCodePoint(platform::CT_CTYPE1, c);
      ++i;
    }
  }
}

void FillC1(std::u16string_view buffer, uint32_t, uint16_t *out) {
  FillUnits(buffer.data(), buffer.size(), platform::BmpCharTypeTable(platform::CT_CTYPE1), out);
}

void FillC1(std::string_view buffer, uint32_t locale, uint16_t *out) {
  const uint32_t code_page = CodePageOfLocale(locale);
  if (!platform::IsSingleByteCodePage(code_page)) {
    platform::GetStringTypeA(platform::CT_CTYPE1, buffer, code_page,
                             std::span<uint16_t>(out, buffer.size()));
    return;
  }
  const ByteTypes table = SingleByteTypes(code_page);
  FillBytes(reinterpret_cast<const unsigned char *>(buffer.data()), buffer.size(), table.data(),
            out);
}

template <typename Text>
bool FillArray(Text buffer, uint32_t locale, std::span<uint16_t> types) {
  if (types.size() < buffer.size()) return false;
  FillC1(buffer, locale, types.data());
  for (size_t i = buffer.size(); i < types.size() && i < buffer.size() + kCharTypeSpareWords; ++i)
    types[i] = 0;
  return true;
}

template <typename Text>
TCharTypeArray BuildArray(Text buffer, uint32_t locale) {
  TCharTypeArray types(buffer.size() + kCharTypeSpareWords);
  FillArray(buffer, locale, types);
  return types;
}

}  // namespace

bool GetStringTypeExNT2000(bool wide, uint32_t locale, uint32_t info_type,
                           std::span<uint16_t> types, int32_t count, const void *source) {
  if (count < 0 || types.size() < static_cast<size_t>(count)) return false;
  if (count > 0 && source == nullptr) return false;
  if (platform::BmpCharTypeTable(info_type) == nullptr) return false;
  const std::span<uint16_t> out = types.first(static_cast<size_t>(count));
  if (wide) {
    const std::u16string_view text(static_cast<const char16_t *>(source), out.size());
    if (info_type == platform::CT_CTYPE1) return FillArray(text, locale, out);
    return platform::GetStringTypeW(info_type, text, out);
  }
  const std::string_view text(static_cast<const char *>(source), out.size());
  if (info_type == platform::CT_CTYPE1) return FillArray(text, locale, out);
  return platform::GetStringTypeA(info_type, text, CodePageOfLocale(locale), out);
}

bool FillCharTypeArray(std::u16string_view buffer, uint32_t locale, std::span<uint16_t> types) {
  return FillArray(buffer, locale, types);
}

bool FillCharTypeArray(std::string_view buffer, uint32_t locale, std::span<uint16_t> types) {
  return FillArray(buffer, locale, types);
}

TCharTypeArray BuildCharTypeArray(std::u16string_view buffer, uint32_t locale) {
  return BuildArray(buffer, locale);
}

TCharTypeArray BuildCharTypeArray(std::string_view buffer, uint32_t locale) {
  return BuildArray(buffer, locale);
}

namespace {

// The nearest type word from index from on, stepping by step, that is not a pass-over
// character; -1 when the walk leaves the buffer first.
int32_t NearestNonPassOver(std::span<const uint16_t> types, ptrdiff_t from, ptrdiff_t step,
                           size_t count) {
  for (ptrdiff_t j = from; j >= 0 && static_cast<size_t>(j) < count; j += step) {
    if ((types[j] & kPassOverBit) == 0) return types[j];
  }
  return -1;
}

bool IsJoinableNeighbour(int32_t t) {
  return t >= 0 && IsWordCharType(static_cast<uint16_t>(t));
}

// The type an allowed character at [at, at + width) takes, or -1 when it is to stay as it is.
int32_t JoinedType(std::span<const uint16_t> types, size_t at, size_t width, size_t count,
                   bool allowed_at_right, bool allowed_at_left) {
  int32_t joined = kJoinedLetterType;
  if (!allowed_at_left) {
    const int32_t left = NearestNonPassOver(types, static_cast<ptrdiff_t>(at) - 1, -1, count);
    if (!IsJoinableNeighbour(left)) return -1;
    joined = (left & kDigitBit) != 0 ? kJoinedDigitType : kJoinedLetterType;
  }
  if (!allowed_at_right) {
    const int32_t right = NearestNonPassOver(types, static_cast<ptrdiff_t>(at + width), 1, count);
    if (!IsJoinableNeighbour(right)) return -1;
    if ((right & kDigitBit) != 0) joined = kJoinedDigitType;
  }
  return joined;
}

template <typename Unit>
void MarkAllowedCharacter(std::basic_string_view<Unit> buffer, std::span<uint16_t> types,
                          std::basic_string_view<Unit> character, bool allowed_at_right,
                          bool allowed_at_left) {
  const size_t count = buffer.size();
  const size_t width = character.size();
  if (width == 0) return;
  // Every occurrence but one at the buffer's last character.
  for (size_t i = 0; i + width < count; ++i) {
    if (buffer[i] != character[0] || buffer.substr(i, width) != character) continue;
    if ((types[i] & (kPassOverBit | kMarkerBit)) != 0) continue;
    const int32_t joined = JoinedType(types, i, width, count, allowed_at_right, allowed_at_left);
    if (joined < 0) continue;
    for (size_t k = 0; k < width; ++k) types[i + k] = static_cast<uint16_t>(joined);
  }
}

// The characters of a UTF-16 text, a surrogate pair kept together.
std::vector<std::u16string> CharactersOf(std::u16string_view text) {
  std::vector<std::u16string> characters;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t width = IsLead(text[i]) && i + 1 < text.size() && IsTrail(text[i + 1]) ? 2 : 1;
    characters.emplace_back(text.substr(i, width));
    i += width - 1;
  }
  return characters;
}

// The one byte that a character is in a code page, or -1 when it is not exactly one byte there.
int32_t SingleByteOf(std::u16string_view character, uint32_t code_page) {
  const std::string bytes = platform::FromUtf16(character, code_page);
  if (bytes.size() != 1 || platform::ToUtf16(bytes, code_page) != character) return -1;
  return static_cast<unsigned char>(bytes[0]);
}

template <typename Unit>
void MarkNumberSeparators(std::basic_string_view<Unit> buffer, std::span<uint16_t> types,
                          bool space_allowed, int32_t middle_dot) {
  using Unsigned = std::make_unsigned_t<Unit>;
  for (size_t i = 0; i + 2 < buffer.size(); ++i) {
    if (!IsDigitType(types[i]) || IsDigitType(types[i + 1]) || !IsDigitType(types[i + 2])) continue;
    if (IsMarkerWord(types[i + 1])) continue;
    const int32_t c = static_cast<Unsigned>(buffer[i + 1]);
    if (c == '.' || c == ',' || c == middle_dot || (space_allowed && c == ' '))
      types[i + 1] = kJoinedDigitType;
  }
}

}  // namespace

void HandleMiddleChars(std::u16string_view buffer, std::span<uint16_t> types,
                       std::u16string_view allowed, bool allowed_at_right, bool allowed_at_left) {
  if (types.size() < buffer.size()) return;
  for (const std::u16string &character : CharactersOf(allowed))
    MarkAllowedCharacter<char16_t>(buffer, types, character, allowed_at_right, allowed_at_left);
}

void HandleMiddleChars(std::string_view buffer, std::span<uint16_t> types,
                       std::u16string_view allowed, uint32_t code_page, bool allowed_at_right,
                       bool allowed_at_left) {
  if (types.size() < buffer.size()) return;
  const uint32_t resolved = platform::ResolveCodePage(code_page);
  for (const std::u16string &character : CharactersOf(allowed)) {
    const int32_t byte = SingleByteOf(character, resolved);
    if (byte < 0) continue;
    const char unit = static_cast<char>(byte);
    MarkAllowedCharacter<char>(buffer, types, std::string_view(&unit, 1), allowed_at_right,
                               allowed_at_left);
  }
}

void HandleMiddleCharsInNumbers(bool space_allowed, std::u16string_view buffer,
                                std::span<uint16_t> types) {
  if (types.size() < buffer.size()) return;
  MarkNumberSeparators<char16_t>(buffer, types, space_allowed, 0x00B7);
}

void HandleMiddleCharsInNumbers(bool space_allowed, std::string_view buffer,
                                std::span<uint16_t> types, uint32_t code_page) {
  if (types.size() < buffer.size()) return;
  const int32_t middle_dot = SingleByteOf(u"\u00B7", platform::ResolveCodePage(code_page));
  MarkNumberSeparators<char>(buffer, types, space_allowed, middle_dot);
}

TSectionEndsMarked SectionEndsMarked(const TTagsFoundArray &found) {
  return {found[1] > 0, found[3] > 0, found[5] > 0, found[7] > 0};
}

void TTextSectionCounter::EndSection(int32_t kind, THandleTextSectionProc hook) {
  if (hook != nullptr) hook(counts_.number[kind], counts_.position[kind]);
  Increment(counts_.number[kind]);
  counts_.position[kind] = 1;
}

void TTextSectionCounter::ActOnMarker(uint16_t code) {
  switch (code) {
    case marker_sentence_start:
      if (ends_.sentence) return;
      [[fallthrough]];
    case marker_sentence_end:
      EndSection(1, HandleSentenceEndProc);
      return;
    case marker_paragraph_start:
      if (ends_.paragraph) return;
      [[fallthrough]];
    case marker_paragraph_end:
      EndSection(2, HandleParagraphEndProc);
      return;
    case marker_heading_start:
      in_heading_ = true;
      if (ends_.heading) return;
      [[fallthrough]];
    case marker_heading_end:
      EndSection(3, HandleHeadingEndProc);
      in_heading_ = false;
      return;
    case marker_section_start:
      if (ends_.section) return;
      [[fallthrough]];
    case marker_section_end:
      EndSection(4, HandleSectionEndProc);
      return;
    default:
      return;
  }
}

void TTextSectionCounter::StoreInto(TSearchStatsRec &stats, bool &in_heading) const {
  stats.number = counts_.number;
  for (size_t k = 1; k < 5; ++k) {
    stats.position[k] = counts_.position[k];
    stats.out_of[k] = counts_.position[k];
  }
  in_heading = in_heading_;
}

void CountTextSections(std::span<const uint16_t> types, int32_t char_count, TSearchStatsRec &stats,
                       bool &in_heading, const TTagsFoundArray &found) {
  if (char_count < 0 || static_cast<size_t>(char_count) > types.size()) return;
  TTextSectionCounter counter(stats, in_heading, SectionEndsMarked(found));
  const size_t count = static_cast<size_t>(char_count);
  for (size_t p = 0; p < count; ++p)
    counter.CountAt(types[p], p + 1 < types.size() ? types[p + 1] : 0);
  counter.StoreInto(stats, in_heading);
}
