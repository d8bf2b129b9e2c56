#include "runtime1/search/WideMasks.h"

#include <span>

#include "platform/case_mapping.h"
#include "platform/utf16_text.h"

namespace {

// Names are compared in upper case of a locale without special casing rules, as the
// platform's path-pattern test does.
constexpr uint32_t kMaskCaseLocale = 0x0409;

std::u16string UpperCased(std::u16string_view text) {
  std::u16string upper(text);
  platform::UpperCaseInPlace(std::span<char16_t>(upper.data(), upper.size()), kMaskCaseLocale);
  return upper;
}

// Units of the character starting at i (2 for a surrogate pair).
size_t CharWidth(std::u16string_view text, size_t i) {
  if (i + 1 < text.size() && text[i] >= 0xD800 && text[i] <= 0xDBFF && text[i + 1] >= 0xDC00 &&
      text[i + 1] <= 0xDFFF)
    return 2;
  return 1;
}

// Matches one pattern against the whole name. Greedy with one backtrack point for the last
// "*" seen, so the cost stays at most the product of the two lengths.
bool MatchesOnePattern(std::u16string_view name, std::u16string_view pattern) {
  size_t n = 0, p = 0;
  size_t star = std::u16string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      star = p++;
      resume = n;
    } else if (p < pattern.size() && pattern[p] == u'?') {
      ++p;
      n += CharWidth(name, n);
    } else if (p < pattern.size() && pattern[p] == name[n]) {
      ++p;
      ++n;
    } else if (star != std::u16string_view::npos) {
      p = star + 1;
      resume += CharWidth(name, resume);
      n = resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

}  // namespace

void BuildAMask(std::vector<std::u16string> &masks, std::u16string_view text) {
  masks.clear();
  const std::u16string_view trimmed = platform::Trim(text);
  if (trimmed.empty()) return;
  std::u16string piece;
  for (size_t i = 0; i < trimmed.size(); ++i) {
    const bool line_break =
        trimmed[i] == u'\r' && i + 1 < trimmed.size() && trimmed[i + 1] == u'\n';
    if (trimmed[i] != u';' && !line_break) {
      piece.push_back(trimmed[i]);
      continue;
    }
    masks.push_back(std::move(piece));
    piece.clear();
    if (line_break) ++i;
  }
  masks.push_back(std::move(piece));
}

bool MatchesMask(std::u16string_view text, std::u16string_view mask) {
  if (text.empty()) return false;
  const std::u16string name = UpperCased(text);
  const std::u16string patterns = UpperCased(mask);
  size_t start = 0;
  while (start <= patterns.size()) {
    while (start < patterns.size() && patterns[start] == u' ') ++start;
    size_t end = patterns.find(u';', start);
    if (end == std::u16string::npos) end = patterns.size();
    const std::u16string_view pattern = std::u16string_view(patterns).substr(start, end - start);
    if (pattern == u"*.*" || (!pattern.empty() && MatchesOnePattern(name, pattern))) return true;
    if (end == patterns.size()) break;
    start = end + 1;
  }
  return false;
}

int32_t WhereInAMask(std::u16string_view text, const std::vector<std::u16string> &masks) {
  for (size_t i = 0; i < masks.size(); ++i) {
    if (!masks[i].empty() && MatchesMask(text, masks[i])) return static_cast<int32_t>(i);
  }
  return -1;
}
