#include "runtime1/text/bare_assemb3.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "platform/char_types.h"

namespace {

constexpr char16_t kCR = 0x0D;
constexpr char16_t kLF = 0x0A;

// The number of units a compacting routine may touch: the length, but never past the capacity.
size_t Span(int32_t length, int32_t capacity) {
  const int32_t n = std::min(length, capacity);
  return n > 0 ? static_cast<size_t>(n) : 0;
}

template <typename Unit>
void EndWithZero(Unit *buffer, size_t new_length, int32_t capacity) {
  if (capacity > 0 && new_length < static_cast<size_t>(capacity)) buffer[new_length] = Unit(0);
}

template <typename Unit>
void ReplaceBy(Unit *buffer, Unit from, Unit to, int32_t length) {
  if (buffer == nullptr) return;
  for (int32_t i = 0; i < length; ++i)
    if (buffer[i] == from) buffer[i] = to;
}

template <typename Unit>
void ReplaceControls(Unit *buffer, int32_t length) {
  if (buffer == nullptr) return;
  for (int32_t i = 0; i < length; ++i)
    if (static_cast<std::make_unsigned_t<Unit>>(buffer[i]) < 0x20) buffer[i] = Unit(' ');
}

template <typename Unit>
void ReplaceCarriageReturns(Unit *buffer, int32_t length) {
  if (buffer == nullptr) return;
  bool after_replaced_cr = false;
  for (int32_t i = 0; i < length; ++i) {
    const bool cr = buffer[i] == Unit(kCR);
    if (cr || (after_replaced_cr && buffer[i] == Unit(kLF))) buffer[i] = Unit(' ');
    after_replaced_cr = cr;
  }
}

template <typename Unit>
void Fill(Unit *buffer, int32_t count, Unit unit) {
  if (buffer == nullptr) return;
  for (int32_t i = 0; i < count; ++i) buffer[i] = unit;
}

template <typename Unit>
int32_t RemoveUnit(Unit *buffer, Unit unit, int32_t length, int32_t capacity) {
  const size_t n = Span(length, capacity);
  if (buffer == nullptr || n == 0) return 0;
  size_t out = 0;
  for (size_t i = 0; i < n; ++i)
    if (buffer[i] != unit) buffer[out++] = buffer[i];
  EndWithZero(buffer, out, capacity);
  return static_cast<int32_t>(out);
}

size_t SetLength(const ANSILower_or_upperStr_type &set) {
  return std::min<size_t>(set.length, set.chars.size());
}

unsigned char Byte(char c) {
  return static_cast<unsigned char>(c);
}

// Letters above "z" by the caller's sets: 1 lower, 2 upper, 0 neither (lower wins a tie).
std::array<uint8_t, 256> LetterClasses(const ANSILower_or_upperStr_type &lower,
                                       const ANSILower_or_upperStr_type &upper) {
  std::array<uint8_t, 256> classes{};
  for (size_t j = SetLength(upper); j-- > 0;) classes[Byte(upper.chars[j])] = 2;
  for (size_t j = SetLength(lower); j-- > 0;) classes[Byte(lower.chars[j])] = 1;
  return classes;
}

void MarkType(const char16_t *text, uint16_t *types, int32_t length, char16_t unit, uint16_t type) {
  if (text == nullptr || types == nullptr) return;
  for (int32_t i = 0; i < length; ++i)
    if (text[i] == unit) types[i] = type;
}

// The closing unit's index in [from, limit), or npos.
size_t FindClosing(const char *buffer, char closing, size_t from, size_t limit) {
  for (size_t j = from; j < limit; ++j)
    if (buffer[j] == closing) return j;
  return std::string_view::npos;
}

int32_t DropBetween(char *buffer, char opening, char closing, int32_t length, int64_t max_span,
                    bool remove, int32_t capacity) {
  const size_t n = Span(length, capacity);
  if (buffer == nullptr) return 0;
  size_t out = 0, i = 0;
  size_t none_from = n + 1;  // a search from here to the end found no closing unit
  while (i < n) {
    if (buffer[i] != opening) {
      buffer[out++] = buffer[i++];
      continue;
    }
    const size_t reach = static_cast<size_t>(std::max<int64_t>(0, max_span));
    const size_t limit = std::min(n, i + std::min(reach, n));
    size_t close = std::string_view::npos;
    if (i < none_from) {
      close = FindClosing(buffer, closing, i, limit);
      if (close == std::string_view::npos && limit == n) none_from = i;
    }
    if (close == std::string_view::npos) {
      ++i;  // the opening unit alone is dropped
      continue;
    }
    if (!remove)
      for (size_t j = i; j <= close; ++j) buffer[out++] = ' ';
    i = close + 1;
  }
  EndWithZero(buffer, out, capacity);
  return static_cast<int32_t>(out);
}

}  // namespace

ANSILower_or_upperStr_type MakeANSILower_or_upperStr(std::string_view text) {
  ANSILower_or_upperStr_type set;
  set.length = static_cast<uint8_t>(std::min(text.size(), set.chars.size()));
  std::copy_n(text.begin(), set.length, set.chars.begin());
  return set;
}

void ReplaceCharacterBySpace(char *buffer, char unit, int32_t length) {
  ReplaceBy(buffer, unit, ' ', length);
}
void ReplaceCharacterBySpaceW(char16_t *buffer, char16_t unit, int32_t length) {
  ReplaceBy(buffer, unit, u' ', length);
}
void ReplaceChar1ByChar2W(char16_t *buffer, char16_t unit1, char16_t unit2, int32_t length) {
  ReplaceBy(buffer, unit1, unit2, length);
}
void ReplaceControlCharsBySpaceA(char *buffer, int32_t length) {
  ReplaceControls(buffer, length);
}
void ReplaceControlCharsBySpaceW(char16_t *buffer, int32_t length) {
  ReplaceControls(buffer, length);
}
void ReplaceCarriageReturnsBySpaceA(char *buffer, int32_t length) {
  ReplaceCarriageReturns(buffer, length);
}
void ReplaceCarriageReturnsBySpaceW(char16_t *buffer, int32_t length) {
  ReplaceCarriageReturns(buffer, length);
}
void ReplaceTabsBySpace(char *buffer, int32_t length) {
  ReplaceBy(buffer, '\t', ' ', length);
}

void BlankOutSomeBytesA(char *buffer, int32_t count) {
  Fill(buffer, count, ' ');
}
void BlankOutSomeBytesW(char16_t *buffer, int32_t count) {
  Fill(buffer, count, u' ');
}
void ZeroSomeBytesW(char16_t *buffer, int32_t count) {
  Fill(buffer, count, u'\0');
}

void CapitaliseABuffer(char *buffer, const ANSILower_or_upperStr_type &lower,
                       const ANSILower_or_upperStr_type &upper, int32_t length) {
  if (buffer == nullptr) return;
  std::array<char, 256> map;
  for (size_t b = 0; b < map.size(); ++b) map[b] = static_cast<char>(b);
  for (char c = 'a'; c <= 'z'; ++c) map[Byte(c)] = static_cast<char>(c - 'a' + 'A');
  const size_t n = std::min(SetLength(lower), SetLength(upper));
  for (size_t j = n; j-- > 0;)  // backwards, so that the first entry of a repeated letter wins
    if (Byte(lower.chars[j]) > 'z') map[Byte(lower.chars[j])] = upper.chars[j];
  for (int32_t i = 0; i < length; ++i) buffer[i] = map[Byte(buffer[i])];
}

void CutLowercaseWords(char *buffer, const ANSILower_or_upperStr_type &lower,
                       const ANSILower_or_upperStr_type &upper, int32_t length) {
  if (buffer == nullptr) return;
  const std::array<uint8_t, 256> classes = LetterClasses(lower, upper);
  bool capital_seen = false;
  for (int32_t i = 0; i < length; ++i) {
    const unsigned char u = Byte(buffer[i]);
    if (u <= 0x20) {
      capital_seen = false;
    } else if (u <= 0x40 || capital_seen) {
      // stays
    } else if (u >= 'A' && u <= 'Z') {
      capital_seen = true;
    } else if ((u >= 'a' && u <= 'z') || (u > 'z' && classes[u] == 1)) {
      buffer[i] = ' ';
    } else if (u > 'z' && classes[u] == 2) {
      capital_seen = true;
    }
  }
}

void SetZeroWidthJoinersToDefined(const char16_t *text, uint16_t *types, int32_t length) {
  MarkType(text, types, length, 0x200D, platform::C1_DEFINED);
}

void SetZeroWidthNonJoinersToDefinedAlpha(const char16_t *text, uint16_t *types, int32_t length) {
  MarkType(text, types, length, 0x200C, platform::C1_DEFINED | platform::C1_ALPHA);
}

void Swap2Strings(char16_t *buffer, int32_t length_a, int32_t length_b) {
  if (buffer == nullptr || length_a < 0 || length_b < 0 || buffer[0] == u'\0') return;
  const size_t n = static_cast<size_t>(length_a) + static_cast<size_t>(length_b);
  const size_t shift = static_cast<size_t>(length_b);
  size_t moved = 0;
  // Each unit moves from i to (i + B) mod n; follow the cycles from index 0, 1, ...
  for (size_t start = 0; moved < n; ++start) {
    char16_t carried = buffer[start];
    size_t at = start;
    do {
      at = (at + shift) % n;
      std::swap(carried, buffer[at]);
      ++moved;
    } while (at != start);
  }
}

int32_t RemoveCharA(char *buffer, char unit, int32_t length, int32_t capacity) {
  return RemoveUnit(buffer, unit, length, capacity);
}
int32_t RemoveCharW(char16_t *buffer, char16_t unit, int32_t length, int32_t capacity) {
  return RemoveUnit(buffer, unit, length, capacity);
}

int32_t RemoveRedundantSpaceW(char16_t *buffer, int32_t length, int32_t capacity) {
  const size_t n = Span(length, capacity);
  if (buffer == nullptr) return 0;
  size_t out = 0;
  bool previous_space = false;
  for (size_t i = 0; i < n; ++i) {
    const bool space = buffer[i] == u' ';
    if (!(space && previous_space)) buffer[out++] = buffer[i];
    previous_space = space;
  }
  EndWithZero(buffer, out, capacity);
  return static_cast<int32_t>(out);
}

int32_t CutDoubleCRLFsW(char16_t *buffer, int32_t length, int32_t capacity) {
  const size_t n = Span(length, capacity);
  if (buffer == nullptr) return 0;
  auto crlf_at = [&](size_t i) { return i + 1 < n && buffer[i] == kCR && buffer[i + 1] == kLF; };
  size_t out = 0, i = 0;
  bool removed = false;
  while (i < n) {
    if (!crlf_at(i)) {
      buffer[out++] = buffer[i++];
      continue;
    }
    buffer[out++] = kCR;
    buffer[out++] = kLF;
    for (i += 2; crlf_at(i); i += 2) removed = true;
  }
  if (removed) EndWithZero(buffer, out, capacity);
  return static_cast<int32_t>(out);
}

int32_t LengthConvertedToUnix(char *buffer, int32_t length) {
  if (buffer == nullptr || length <= 0) return 0;
  int32_t out = 0;
  for (int32_t i = 0; i < length; ++i)
    if (buffer[i] != '\n') buffer[out++] = buffer[i];
  return out;
}

int32_t ClearBetweenChars(char *buffer, char opening, char closing, int32_t length,
                          int32_t capacity) {
  return DropBetween(buffer, opening, closing, length, INT64_MAX, true, capacity);
}

int32_t CleanBetweenChars(char *buffer, char opening, char closing, int32_t length,
                          int32_t max_span, bool remove, int32_t capacity) {
  return DropBetween(buffer, opening, closing, length, max_span, remove, capacity);
}
