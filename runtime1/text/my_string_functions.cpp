#include "runtime1/text/my_string_functions.h"

#include <optional>

#include "platform/integer_text.h"
#include "runtime1/text/basic_unicode_chars.h"

namespace {

constexpr std::u16string_view kHexDigits = u"0123456789ABCDEFabcdef";
constexpr std::u16string_view kHexPrefixUnits = u"Xx$Hh";

bool IsDecimalDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
bool IsHexDigitUnit(char16_t c) {
  return kHexDigits.find(c) != std::u16string_view::npos;
}

// The code a notation's number stands for, when it reads and names a character.
std::optional<int32_t> NotationCode(std::u16string_view number) {
  const std::optional<int32_t> code = platform::TryStrToInt(number);
  if (!code || !IsNotationCharacterCode(*code)) return std::nullopt;
  return code;
}

void ConvertBracedNotations(std::u16string &text) {
  size_t from = 0;
  while (true) {
    const size_t open = FindBracedNotationOpening(text, from);
    if (open == std::u16string::npos) return;
    const size_t number_at = open + kBracedOpening.size();
    const size_t close = text.find(kBracedClosing, number_at);
    if (close == std::u16string::npos || close == number_at) return;
    const std::u16string_view number(text.data() + number_at, close - number_at);
    if (const auto code = NotationCode(BracedNumberStrToDigitalformat(number)))
      text.replace(open, close + kBracedClosing.size() - open, CharacterOfCode(*code));
    from = open + 1;
  }
}

// Each successful replacement makes the text shorter, so the loop ends.
void ConvertHashNotations(std::u16string &text) {
  while (true) {
    const size_t hash = text.find(u'#');
    if (hash == std::u16string::npos) return;
    size_t i = hash + 1;
    while (i < text.size() && kHexPrefixUnits.find(text[i]) != std::u16string_view::npos) ++i;
    const bool hex = i > hash + 1;
    const size_t digits_at = i;
    while (i < text.size() && (hex ? IsHexDigitUnit(text[i]) : IsDecimalDigit(text[i]))) ++i;
    if (i == digits_at) return;
    std::u16string number(text, digits_at, i - digits_at);
    if (hex) {
      number.insert(0, 1, u'$');
      if (i < text.size() && text[i] == u';') ++i;
    }
    const auto code = NotationCode(number);
    if (!code) return;
    text.replace(hash, i - hash, CharacterOfCode(*code));
  }
}

}  // namespace

std::u16string QVFormattedWorkStringToReadableString(std::u16string_view text, int32_t below) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    int64_t code = text[i];
    size_t units = 1;
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      units = 2;
    }
    if (code < below) {
      out += u"{CHR(";
      for (char c : std::to_string(code)) out.push_back(static_cast<char16_t>(c));
      out += u")}";
    } else {
      out.append(text.substr(i, units));
    }
    i += units - 1;
  }
  return out;
}

std::u16string BracedNumberStrToDigitalformat(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t &c : out)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  if (!out.empty() && out.front() == u'X') out.front() = u'$';
  if (!out.empty() && out.back() == u'H') {
    out.pop_back();
    out.insert(0, 1, u'$');
  }
  return out;
}

std::u16string QVFormattedReadableStringToWorkString(std::u16string_view text) {
  std::u16string out(text);
  ConvertBracedNotations(out);
  ConvertHashNotations(out);
  return out;
}
