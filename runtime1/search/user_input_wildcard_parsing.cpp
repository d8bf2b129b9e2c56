#include "runtime1/search/user_input_wildcard_parsing.h"

const std::u16string_view quoted_literal_symbols[kQuotedLiteralCount] = {
    u"^", u"/", u"*", u"==", u"?", u":\\", u"<", u">", u"#", u"}}}", u"/\\"};

const char16_t tag_wildcards_converters[kTagWildcardKinds][2] = {{u'~', kTagNegationUnit},
                                                                 {u'^', kAnyLetterUnit},
                                                                 {u'*', kAnyCharsInWordUnit},
                                                                 {u'?', kAnyCharUnit},
                                                                 {u'#', kDigitRunUnit}};

namespace {

std::u16string Quoted(std::u16string_view symbol) {
  std::u16string quoted(1, u'"');
  quoted.append(symbol);
  quoted.push_back(u'"');
  return quoted;
}

std::u16string_view TrimSpaces(std::u16string_view text) {
  const size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  const size_t last = text.find_last_not_of(u' ');
  return text.substr(first, last - first + 1);
}

// Replaces every occurrence of what by with, scanning left to right without rescanning the
// replacement. Returns true when anything was replaced.
bool ReplaceAll(std::u16string &text, std::u16string_view what, std::u16string_view with) {
  if (what.empty()) return false;
  bool changed = false;
  size_t from = 0;
  while ((from = text.find(what, from)) != std::u16string::npos) {
    text.replace(from, what.size(), with);
    from += with.size();
    changed = true;
  }
  return changed;
}

bool ValidLiteral(char16_t base, int32_t index) {
  return index >= 0 && index < kQuotedLiteralCount &&
         static_cast<uint32_t>(base) + static_cast<uint32_t>(index) <= 0xFFFF;
}

}  // namespace

bool Parse_Translate(std::u16string &text, std::u16string_view symbol, char16_t unit) {
  if (symbol.empty() || symbol.front() == unit) return false;
  bool changed = false;
  size_t from = 0;
  while ((from = text.find(symbol, from)) != std::u16string::npos) {
    text[from] = unit;
    changed = true;
    // A replacement can only create a new occurrence that overlaps the changed unit, so the
    // search resumes where such an occurrence could start.
    from = from >= symbol.size() - 1 ? from - (symbol.size() - 1) : 0;
  }
  return changed;
}

bool Parse_RetainOne(std::u16string &text, char16_t base, int32_t index) {
  if (!ValidLiteral(base, index)) return false;
  const char16_t unit = static_cast<char16_t>(base + index);
  return ReplaceAll(text, Quoted(quoted_literal_symbols[index]), std::u16string_view(&unit, 1));
}

bool Parse_RestoreOne(std::u16string &text, char16_t base, int32_t index) {
  if (!ValidLiteral(base, index)) return false;
  const char16_t unit = static_cast<char16_t>(base + index);
  return ReplaceAll(text, std::u16string_view(&unit, 1), TrimSpaces(quoted_literal_symbols[index]));
}

void Parse_Retain(std::u16string &text, char16_t base) {
  for (int32_t index = 0; index < kQuotedLiteralCount; ++index) Parse_RetainOne(text, base, index);
}

void Parse_Restore(std::u16string &text, char16_t base) {
  for (int32_t index = 0; index < kQuotedLiteralCount; ++index) Parse_RestoreOne(text, base, index);
}

std::u16string TagWildcardConverted(std::u16string_view text) {
  std::u16string result(text);
  for (const auto &kind : tag_wildcards_converters) {
    const char16_t original = kind[original_char];
    const std::u16string quoted = Quoted(std::u16string_view(&original, 1));
    const size_t quoted_at = result.find(quoted);
    if (quoted_at != std::u16string::npos) {
      result.replace(quoted_at, quoted.size(), 1, original);
      continue;
    }
    const size_t at = result.find(original);
    if (at != std::u16string::npos) result[at] = kind[replacement_char];
  }
  return result;
}
