#include "runtime1/text/bare_assemb.h"

namespace {

template <typename Unit>
size_t PatternLength(const Unit *pattern) {
  size_t n = 0;
  while (pattern[n] != Unit(0)) ++n;
  return n;
}

// The shared search: a start k matches when every text[k + i] equals form1[i] or form2[i].
template <typename Unit>
const Unit *Search(const Unit *text, const Unit *form1, const Unit *form2, int32_t text_length) {
  if (text == nullptr || form1 == nullptr || form2 == nullptr || text_length <= 0) return nullptr;
  const size_t n = PatternLength(form1);
  if (n == 0 || n != PatternLength(form2) || n > static_cast<size_t>(text_length)) return nullptr;
  const size_t last_start = static_cast<size_t>(text_length) - n;
  const Unit first1 = form1[0], first2 = form2[0];
  for (size_t k = 0; k <= last_start; ++k) {
    if (text[k] != first1 && text[k] != first2) continue;
    size_t i = 1;
    while (i < n && (text[k + i] == form1[i] || text[k + i] == form2[i])) ++i;
    if (i == n) return text + k;
  }
  return nullptr;
}

template <typename Unit>
const Unit *Scan(const Unit *buffer, Unit unit, int32_t length) {
  if (buffer == nullptr) return nullptr;
  for (int32_t i = 0; i < length; ++i)
    if (buffer[i] == unit) return buffer + i;
  return nullptr;
}

template <typename Unit>
int32_t HowFarEqual(const Unit *a, const Unit *b, int32_t length) {
  if (length <= 0) return 0;
  if (a == nullptr || b == nullptr) return length;
  int32_t compared = 0;
  while (compared < length) {
    const bool same = a[compared] == b[compared];
    ++compared;
    if (!same) break;
  }
  return length - compared;
}

template <typename Unit>
bool Equal(const Unit *a, const Unit *b, int32_t length) {
  if (length <= 0) return true;
  if (a == nullptr || b == nullptr) return false;
  for (int32_t i = 0; i < length; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

}  // namespace

const char *FastStrPos(const char *text, const char *pattern, int32_t text_length) {
  return Search(text, pattern, pattern, text_length);
}
const char16_t *FastStrPosW(const char16_t *text, const char16_t *pattern, int32_t text_length) {
  return Search(text, pattern, pattern, text_length);
}
const char *FastStrIPos(const char *text, const char *form1, const char *form2,
                        int32_t text_length) {
  return Search(text, form1, form2, text_length);
}
const char16_t *FastStrIPosW(const char16_t *text, const char16_t *form1, const char16_t *form2,
                             int32_t text_length) {
  return Search(text, form1, form2, text_length);
}

const char *FastStrScan(const char *buffer, char unit, int32_t length) {
  return Scan(buffer, unit, length);
}
const char16_t *FastStrScanW(const char16_t *buffer, char16_t unit, int32_t length) {
  return Scan(buffer, unit, length);
}

bool EqualContentsA(const char *a, const char *b, int32_t length) {
  return Equal(a, b, length);
}
bool EqualContentsW(const char16_t *a, const char16_t *b, int32_t length) {
  return Equal(a, b, length);
}

int32_t HowFarEqualContentsA(const char *a, const char *b, int32_t length) {
  return HowFarEqual(a, b, length);
}
int32_t HowFarEqualContentsW(const char16_t *a, const char16_t *b, int32_t length) {
  return HowFarEqual(a, b, length);
}

int32_t ScanForInt(int32_t value, const int32_t *array, int32_t count) {
  if (array == nullptr) return 0;
  for (int32_t i = 0; i < count; ++i)
    if (array[i] == value) return i + 1;
  return 0;
}

int32_t SearchAndReplaceFastW(char16_t *buffer, const char16_t *pattern,
                              const char16_t *replacement, int32_t buffer_length,
                              int32_t pattern_length) {
  if (buffer == nullptr || pattern == nullptr || replacement == nullptr || buffer_length <= 0 ||
      pattern_length <= 0 || pattern_length > buffer_length)
    return 0;
  const size_t n = static_cast<size_t>(pattern_length);
  size_t given = 0;
  while (given < n && replacement[given] != u'\0') ++given;
  int32_t replaced = 0;
  size_t k = 0;
  while (k + n <= static_cast<size_t>(buffer_length)) {
    size_t i = 0;
    while (i < n && buffer[k + i] == pattern[i]) ++i;
    if (i < n) {
      ++k;
      continue;
    }
    for (i = 0; i < n; ++i) buffer[k + i] = i < given ? replacement[i] : u' ';
    ++replaced;
    k += n;
  }
  return replaced;
}

const uint8_t *UnicodeSigned(const uint8_t *image, size_t length) {
  if (image == nullptr || length < 2) return nullptr;
  const bool little = image[0] == 0xFF && image[1] == 0xFE;
  const bool big = image[0] == 0xFE && image[1] == 0xFF;
  return little || big ? image : nullptr;
}

const uint8_t *UnicodeByteReversed(const uint8_t *image, size_t length) {
  if (image == nullptr || length < 2) return nullptr;
  return image[0] == 0xFE && image[1] == 0xFF ? image : nullptr;
}

uint32_t My2Checksum(const void *data, int32_t count_of_units) {
  if (data == nullptr) return 0;
  const auto *bytes = static_cast<const uint8_t *>(data);
  uint32_t sum = 0;
  for (int32_t i = 0; i < count_of_units; ++i) {
    const uint8_t *p = bytes + 2 * static_cast<size_t>(i);
    sum += p[0] | (uint32_t{p[1]} << 8);
  }
  return sum & 0xFFFF;
}

uint32_t My4Checksum(const void *data, int32_t count_of_bytes) {
  if (data == nullptr) return 0;
  const auto *bytes = static_cast<const uint8_t *>(data);
  uint32_t sum = 0;
  for (int32_t w = 0; w < count_of_bytes / 4; ++w) {
    const uint8_t *p = bytes + 4 * static_cast<size_t>(w);
    sum += p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
  }
  return sum;
}
