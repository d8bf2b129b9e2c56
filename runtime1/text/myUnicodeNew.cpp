#include "runtime1/text/myUnicodeNew.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/code_pages.h"
#include "platform/integer_text.h"
#include "platform/locale_ids.h"
#include "runtime1/files/logging_utilities.h"
#include "runtime1/text/basic_unicode_chars.h"

namespace {

template <typename Unit>
Unit *NewCopy(const Unit *p, size_t count) {
  Unit *copy = new Unit[count + 1];
  if (count > 0) std::memcpy(copy, p, count * sizeof(Unit));
  copy[count] = Unit(0);
  return copy;
}

template <typename Unit>
Unit *CheckedNewLen(const Unit *p, int32_t count) {
  if (p == nullptr || count <= 0) return NewCopy<Unit>(nullptr, 0);
  size_t n = 0;
  while (n < static_cast<size_t>(count) && p[n] != Unit(0)) ++n;
  return NewCopy(p, n);
}

template <typename Unit>
Unit *NewZeroTerminatedCopy(const Unit *p) {
  if (p == nullptr) return NewCopy<Unit>(nullptr, 0);
  size_t n = 0;
  while (p[n] != Unit(0)) ++n;
  return NewCopy(p, n);
}

bool IsDecimalNumberText(std::u16string_view number) {
  size_t i = number.find_first_not_of(u' ');
  if (i == std::u16string_view::npos) return false;
  if (number[i] == u'+' || number[i] == u'-') ++i;
  if (i == number.size()) return false;
  return std::all_of(number.begin() + static_cast<ptrdiff_t>(i), number.end(),
                     [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// The character code of a decimal notation number, when it reads and names a character.
std::optional<int32_t> DecimalNotationCode(std::u16string_view number) {
  if (!IsDecimalNumberText(number)) return std::nullopt;
  const std::optional<int32_t> code = platform::TryStrToInt(number);
  if (!code || !IsNotationCharacterCode(*code)) return std::nullopt;
  return code;
}

void ConvertBracedNumbers(std::u16string &text, int32_t &last) {
  size_t from = 0;
  while (true) {
    MyYieldProcess();
    const size_t open = FindBracedNotationOpening(text, from);
    if (open == std::u16string::npos) return;
    const size_t number_at = open + kBracedOpening.size();
    const size_t close = text.find(kBracedClosing, number_at);
    if (close == std::u16string::npos) return;
    const auto code =
        DecimalNotationCode(std::u16string_view(text).substr(number_at, close - number_at));
    if (code) {
      text.replace(open, close + kBracedClosing.size() - open, CharacterOfCode(*code));
      last = *code;
    } else {
      from = open + 1;
    }
  }
}

void ConvertHashNumbers(std::u16string &text, int32_t &last) {
  size_t from = 0;
  while (true) {
    MyYieldProcess();
    const size_t hash = text.find(u'#', from);
    if (hash == std::u16string::npos) return;
    size_t end = hash + 1;
    while (end < text.size() && text[end] >= u'0' && text[end] <= u'9') ++end;
    const auto code =
        DecimalNotationCode(std::u16string_view(text).substr(hash + 1, end - hash - 1));
    if (code) {
      text.replace(hash, end - hash, CharacterOfCode(*code));
      last = *code;
    } else {
      from = hash + 1;
    }
  }
}

bool PlatformTextExtentExPoint(HDC DC, const char16_t *lpszStr, int32_t cchString,
                               int32_t nMaxExtent, int32_t *lpnFit, int32_t *alpDX, TSize *lpSize) {
  return platform::GetTextExtentExPointW(DC, lpszStr, cchString, nMaxExtent, lpnFit, alpDX, lpSize);
}

}  // namespace

char *CheckedNewLenPAnsichar(const char *p, int32_t count) {
  return CheckedNewLen(p, count);
}
char16_t *CheckedNewLenPchar(const char16_t *p, int32_t count) {
  return CheckedNewLen(p, count);
}
char *MyNewPAnsichar(const char *p) {
  return NewZeroTerminatedCopy(p);
}
char16_t *MyNewPChar(const char16_t *p) {
  return NewZeroTerminatedCopy(p);
}
void DeletePAnsichar(char *p) {
  delete[] p;
}
void DeletePWideChar(char16_t *p) {
  delete[] p;
}

int32_t StrScanIndex(std::u16string_view text, char16_t unit, int32_t start) {
  const size_t from = start < 1 ? 0 : static_cast<size_t>(start) - 1;
  if (from >= text.size()) return 0;
  const size_t found = text.find(unit, from);
  return found == std::u16string_view::npos ? 0 : static_cast<int32_t>(found + 1);
}

std::u16string ExpandTabbedWideString(std::u16string_view text, int32_t n) {
  const std::u16string spaces(n > 0 ? static_cast<size_t>(n) : 0, u' ');
  std::u16string out;
  out.reserve(text.size());
  for (char16_t c : text) {
    if (c == u'\t')
      out += spaces;
    else
      out.push_back(c);
  }
  return out;
}

Search_word_type32 StringToSearch_word_type32(std::u16string_view text) {
  Search_word_type32 record{};
  size_t n = std::min(text.size(), kSearchWordType32Units - 1);
  if (n > 0 && n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
  std::copy_n(text.begin(), n, record.begin());
  return record;
}

std::u16string Search_word_type32ToString(const Search_word_type32 *record) {
  if (record == nullptr) return {};
  const auto end = std::find(record->begin(), record->end(), u'\0');
  return std::u16string(record->begin(), end);
}

std::array<uint8_t, kSearchWordType32Bytes> Search_word_type32ToBytes(
    const Search_word_type32 &record) {
  std::array<uint8_t, kSearchWordType32Bytes> bytes{};
  for (size_t i = 0; i < record.size(); ++i) {
    bytes[2 * i] = static_cast<uint8_t>(record[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<uint8_t>(record[i] >> 8);
  }
  return bytes;
}

Search_word_type32 Search_word_type32FromBytes(const uint8_t (&bytes)[kSearchWordType32Bytes]) {
  Search_word_type32 record{};
  for (size_t i = 0; i < record.size(); ++i)
    record[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  return record;
}

int32_t MyFormatValidNumberStr(std::u16string &text) {
  int32_t last = -1;
  ConvertBracedNumbers(text, last);
  ConvertHashNumbers(text, last);
  return last;
}

uint32_t LCIDToCodePage(uint32_t lcid) {
  if (platform::IcuLocaleOf(lcid).empty()) return platform::AnsiCodePage();
  return platform::AnsiCodePageOfLocale(lcid);
}

uint32_t CodePageFromLocale(uint32_t lcid) {
  return LCIDToCodePage(lcid);
}

TGetTextExtentExPointWFunc MyGetTextExtentExPointW = PlatformTextExtentExPoint;

TSize GetTextExtentW(HDC dc, const char16_t *text, int32_t length) {
  TSize size;
  if (dc == nullptr || text == nullptr || length <= 0) return size;
  if (!platform::GetTextExtentPoint32W(dc, std::u16string_view(text, static_cast<size_t>(length)),
                                       size))
    return TSize{};
  return size;
}

namespace {

// While the package is loaded the measuring hook points to the platform's call; at unload the
// unit says farewell in the log (when logging is on) and clears the hook. The log service is
// registered first so that it ends after this farewell.
struct MeasuringUnit {
  MeasuringUnit() { RegisterLogServiceEnd(); }
  ~MeasuringUnit() {
    if (keeping_log) AddToLogFile(u"quit myUnicodeNew, ", false);
    MyGetTextExtentExPointW = nullptr;
  }
} measuring_unit;

}  // namespace
