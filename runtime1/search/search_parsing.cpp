#include "runtime1/search/search_parsing.h"

#include <span>

#include "platform/case_mapping.h"
#include "platform/locale_ids.h"
#include "runtime1/search/user_input_wildcard_parsing.h"
#include "runtime1/text/my_string_functions.h"

namespace {

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::u16string_view text, std::u16string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::u16string_view TrimSpaces(std::u16string_view text) {
  const size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string_view::npos) return {};
  const size_t last = text.find_last_not_of(u' ');
  return text.substr(first, last - first + 1);
}

// Every " * " has its asterisk replaced by the any-word unit.
void TranslateAnyWord(std::u16string &text) {
  size_t from = 0;
  while ((from = text.find(u" * ", from)) != std::u16string::npos) {
    text[from + 1] = any_word_symbol_char;
    ++from;
  }
}

// The line-break symbol at the end (or else at the start) becomes a numeric
// notation that the notation conversion turns into the line-end (line-start)
// unit.
void TranslateLineBreak(std::u16string &text) {
  if (EndsWith(text, crlf_symbol_string)) {
    text.replace(text.size() - crlf_symbol_string.size(), crlf_symbol_string.size(), u"#x13;");
  } else if (StartsWith(text, crlf_symbol_string)) {
    text.replace(0, crlf_symbol_string.size(), u"#x10;");
  }
}

bool HasWildcardUnit(std::u16string_view text) {
  for (const char16_t unit : text) {
    if (unit >= any_word_symbol_char && unit <= kTagNegationUnit) return true;
  }
  return false;
}

int32_t CountSpaces(std::u16string_view text) {
  int32_t spaces = 0;
  for (const char16_t unit : text) spaces += unit == u' ' ? 1 : 0;
  return spaces;
}

// Width in units of the character that starts text: 2 for a surrogate pair,
// else 1.
size_t FirstCharacterWidth(std::u16string_view text) {
  if (text.size() >= 2 && text[0] >= 0xD800 && text[0] <= 0xDBFF && text[1] >= 0xDC00 &&
      text[1] <= 0xDFFF)
    return 2;
  return text.empty() ? 0 : 1;
}

// True when the "/" at index i of text separates two alternatives.
bool IsCutPoint(std::u16string_view text, size_t i) {
  if (text[i] != u'/' || i == 0 || i + 1 >= text.size()) return false;
  if (text[i - 1] == u'"' || text[i + 1] == u'"') return false;
  return text[i + 1] != u'\\';  // "/\" is the line-break symbol, not a separator
}

}  // namespace

void FillSearchWordCopies(TSearch_word_format_rec &rec) {
  if (rec.search_text.empty()) {
    for (auto &copy : rec.copies) copy.clear();
    return;
  }
  std::u16string upper = rec.search_text;
  std::u16string lower = rec.search_text;
  platform::UpperCaseInPlace(std::span<char16_t>(upper.data(), upper.size()),
                             platform::kLocaleUserDefault);
  platform::LowerCaseInPlace(std::span<char16_t>(lower.data(), lower.size()),
                             platform::kLocaleUserDefault);
  const size_t first = FirstCharacterWidth(upper);
  std::u16string capitalised = upper.substr(0, first) + lower.substr(first);
  rec.copies[0] = rec.search_text;
  rec.copies[1] = std::move(upper);
  rec.copies[2] = std::move(lower);
  rec.copies[3] = std::move(capitalised);
}

TMySearchFlags FlagsFromSW(std::u16string &text) {
  TMySearchFlags flags = kFreshSearchFlags;
  if (StartsWith(text, u"*")) {
    text.erase(0, 1);
    flags.Exclude(myLeftBounded);
  } else if (text.size() >= 4 && StartsWith(text, u"==") && EndsWith(text, u"==")) {
    text = text.substr(2, text.size() - 4);
    flags.Include(myCaseIsSensitive);
  } else if (StartsWith(text, u"~")) {
    text.erase(0, 1);
    flags.Include(mySW_To_Avoid);
  }
  if (EndsWith(text, u"*")) {
    text.pop_back();
    flags.Exclude(myRightBounded);
  }
  return flags;
}

bool DoMainParse_Translates(std::u16string &text) {
  Parse_Translate(text, u"^", kAnyLetterUnit);
  Parse_Translate(text, u"#", kDigitRunUnit);
  Parse_Translate(text, u"*", kAnyCharsInWordUnit);
  Parse_Translate(text, u"?", kAnyCharUnit);
  return Parse_Translate(text, any_string_symbol_str, kAnyStringUnit);
}

bool ContainsPairedTagMarkup(const TIgnore_tag_type &tags, std::u16string &text) {
  bool paired = false;
  for (int32_t pair = 0; pair < kTagPairs; ++pair) {
    const char16_t opening = tags.chars[tag_on][pair];
    const char16_t closing = tags.chars[tag_off][pair];
    if (opening == 0) continue;
    if (!Parse_Translate(text, std::u16string_view(&opening, 1), kTagOpenUnit)) continue;
    if (closing != 0 && Parse_Translate(text, std::u16string_view(&closing, 1), kTagCloseUnit))
      paired = true;
  }
  return paired;
}

void Parse_SWChunk(const TIgnore_tag_type &tags, bool &contains_a_tag, std::u16string &text,
                   TMySearchFlags &flags) {
  flags = FlagsFromSW(text);
  Parse_Retain(text, kQuotedLiteralBase);
  TranslateAnyWord(text);
  DoMainParse_Translates(text);
  TranslateLineBreak(text);
  contains_a_tag = ContainsPairedTagMarkup(tags, text);
  text = QVFormattedReadableStringToWorkString(text);
  Parse_Restore(text, kQuotedLiteralBase);
}

TSearch_word_format_rec Parsed_SearchWord(const TIgnore_tag_type &tags, std::u16string_view text) {
  TSearch_word_format_rec rec;
  rec.typed_in_text = std::u16string(text);
  std::u16string piece(text);
  const size_t context_at = piece.find(kContextMarker);
  if (context_at != std::u16string::npos) {
    rec.has_file_based_context_word = true;
    rec.sw_context_needed = piece.substr(context_at + kContextMarker.size());
    piece.erase(context_at);
  }
  Parse_SWChunk(tags, rec.contains_a_tag, piece, rec.flags);
  rec.search_text = std::u16string(TrimSpaces(piece));
  rec.ambiguous = rec.typed_in_text != rec.search_text || HasWildcardUnit(rec.search_text);
  rec.spaces_in_sw = CountSpaces(rec.search_text);
  FillSearchWordCopies(rec);
  return rec;
}

TSearch_word_format_rec UnParsed_SearchWord(std::u16string_view text) {
  TSearch_word_format_rec rec;
  rec.typed_in_text = std::u16string(text);
  std::u16string rest(text);
  rec.flags = FlagsFromSW(rest);
  rec.ambiguous = rest.size() != text.size();
  rec.search_text = std::move(rest);
  rec.spaces_in_sw = CountSpaces(rec.search_text);
  FillSearchWordCopies(rec);
  return rec;
}

std::vector<std::u16string> SplitSWList(std::u16string &text, bool split_at_slashes) {
  std::vector<std::u16string> pieces;
  if (split_at_slashes) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      const std::u16string_view rest = std::u16string_view(text).substr(start);
      if (!IsCutPoint(rest, i - start)) continue;
      pieces.emplace_back(rest.substr(0, i - start));
      start = i + 1;
    }
    text.erase(0, start);
  }
  pieces.push_back(std::move(text));
  text.clear();
  return pieces;
}
