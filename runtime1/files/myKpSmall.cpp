#include "runtime1/files/myKpSmall.h"

#include "platform/char_types.h"
#include "runtime1/files/logging_utilities.h"

namespace {

struct SmallUnit {
  SmallUnit() { RegisterLogServiceEnd(); }
  ~SmallUnit() {
    if (keeping_log) AddToLogFile(u"quit myKpSmall", true);
  }
};
const SmallUnit small_unit;

}  // namespace

bool IsOrdinaryNumberChar(char16_t c) {
  return c >= u'0' && c <= u'9';
}

bool IsADigitChar(char16_t c) {
  return (platform::CharTypeOfUnit(platform::CT_CTYPE1, c) & platform::C1_DIGIT) != 0;
}

std::u16string Rightstr(std::u16string_view text, int32_t n) {
  if (n <= 0) return {};
  const size_t count = static_cast<size_t>(n);
  if (count >= text.size()) return std::u16string(text);
  return std::u16string(text.substr(text.size() - count));
}

std::u16string DoubleAnyAmpersands(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + 4);
  for (size_t i = 0; i < text.size(); ++i) {
    out.push_back(text[i]);
    if (text[i] != u'&') continue;
    if (i + 1 < text.size() && text[i + 1] == u'&') {
      out.push_back(u'&');  // an existing pair stays a pair
      ++i;
      continue;
    }
    out.push_back(u'&');
  }
  return out;
}

void ExchangeTwoIntegers(int32_t &a, int32_t &b) {
  std::swap(a, b);
}
void ExchangeTwoStrings(std::u16string &a, std::u16string &b) {
  a.swap(b);
}
void ExchangeTwoPointers(void *&a, void *&b) {
  std::swap(a, b);
}

uint32_t MaxCardinal(uint32_t a, uint32_t b) {
  return a > b ? a : b;
}
uint32_t MinCardinal(uint32_t a, uint32_t b) {
  return a < b ? a : b;
}

std::u16string ChrClearedFromString(char16_t c, std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char16_t unit : text) {
    if (unit != c) out.push_back(unit);
  }
  return out;
}

std::u16string SubStrClearedFromString(std::u16string_view part, std::u16string_view text) {
  std::u16string out(text);
  if (part.empty()) return out;
  // Each pass removes every occurrence left to right; a removal can only join a new occurrence
  // across its seam, which the next pass finds. Each pass shortens the text, so it ends.
  for (;;) {
    std::u16string next;
    next.reserve(out.size());
    size_t from = 0;
    bool removed = false;
    for (size_t at = out.find(part); at != std::u16string::npos; at = out.find(part, from)) {
      next.append(out, from, at - from);
      from = at + part.size();
      removed = true;
    }
    if (!removed) return out;
    next.append(out, from, std::u16string::npos);
    out.swap(next);
  }
}

std::u16string CutOutsideQuotes(std::u16string_view text) {
  if (!text.empty() && text.front() == u'"' && text.back() == u'"') {
    if (text.size() < 2) return {};  // a lone quote: nothing between
    return std::u16string(text.substr(1, text.size() - 2));
  }
  return std::u16string(text);
}

int32_t CorrectDivision(int64_t value, const std::vector<int64_t> &limits) {
  for (size_t i = 0; i < limits.size(); ++i) {
    if (limits[i] > value) return static_cast<int32_t>(i);
  }
  return -1;
}
