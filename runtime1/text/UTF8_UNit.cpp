#include "runtime1/text/UTF8_UNit.h"

#include "runtime1/files/logging_utilities.h"

namespace {

// Sequence length by lead byte; 80-BF count as 1 here and are refused where a lead is needed.
size_t SequenceLength(uint8_t lead) {
  if (lead < 0xC0) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  if (lead < 0xF8) return 4;
  if (lead < 0xFC) return 5;
  return 6;
}

bool IsContinuation(uint8_t b) {
  return b >= 0x80 && b <= 0xBF;
}

// Well-formed by the Unicode standard's table of UTF-8 byte sequences.
bool IsWellFormed(const uint8_t *s, size_t length) {
  if (length == 1) return s[0] < 0x80;
  if (length > 4 || s[0] < 0xC2 || s[0] > 0xF4) return false;
  uint8_t low = 0x80, high = 0xBF;  // range of the second byte
  if (s[0] == 0xE0) low = 0xA0;
  if (s[0] == 0xED) high = 0x9F;
  if (s[0] == 0xF0) low = 0x90;
  if (s[0] == 0xF4) high = 0x8F;
  if (s[1] < low || s[1] > high) return false;
  for (size_t i = 2; i < length; ++i)
    if (!IsContinuation(s[i])) return false;
  return true;
}

}  // namespace

std::string UTF8SignatureAsUTF8String() {
  return "\xEF\xBB\xBF";
}

bool IsUTF8Signature(uint8_t b1, uint8_t b2, uint8_t b3) {
  return b1 == 0xEF && b2 == 0xBB && b3 == 0xBF;
}

bool IsUTF8SignatureA(std::string_view bytes) {
  if (bytes.size() < 3) return false;
  return IsUTF8Signature(static_cast<uint8_t>(bytes[0]), static_cast<uint8_t>(bytes[1]),
                         static_cast<uint8_t>(bytes[2]));
}

bool IsUTF8SignatureW(std::u16string_view text) {
  if (text.size() < 2) return false;
  return IsUTF8Signature(static_cast<uint8_t>(text[0] & 0xFF), static_cast<uint8_t>(text[0] >> 8),
                         static_cast<uint8_t>(text[1] & 0xFF));
}

int32_t UTF8LengthInChars(std::string_view text) {
  const int32_t byte_length = static_cast<int32_t>(text.size());
  int32_t count = 0;
  size_t i = 0;
  while (i < text.size()) {
    const uint8_t lead = static_cast<uint8_t>(text[i]);
    if (IsContinuation(lead)) return byte_length;
    const size_t length = SequenceLength(lead);
    if (i + length > text.size()) return byte_length;
    i += length;
    ++count;
  }
  return count;
}

bool CheckedUTF(std::string_view text, bool &all_ascii) {
  all_ascii = true;
  const auto *bytes = reinterpret_cast<const uint8_t *>(text.data());
  size_t i = 0;
  while (i < text.size()) {
    MyYieldProcess();
    const size_t length = SequenceLength(bytes[i]);
    if (i + length > text.size()) return false;
    if (!IsWellFormed(bytes + i, length)) return false;
    if (length > 1) {
      all_ascii = false;
      return true;
    }
    ++i;
  }
  return true;
}
