// Helpers of the list and stream tests: byte strings written as hex, and streams over them.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "platform/streams.h"

namespace list_tests {

// "02 00 61" -> {0x02, 0x00, 0x61}
inline std::vector<uint8_t> Hex(const std::string &text) {
  std::vector<uint8_t> bytes;
  std::istringstream in(text);
  std::string pair;
  while (in >> pair) bytes.push_back(static_cast<uint8_t>(std::stoul(pair, nullptr, 16)));
  return bytes;
}

inline std::string ToHex(const std::vector<uint8_t> &bytes) {
  static const char *kDigits = "0123456789ABCDEF";
  std::string text;
  for (uint8_t b : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[b >> 4];
    text += kDigits[b & 15];
  }
  return text;
}

inline platform::MemoryStream StreamOf(const std::string &hex) {
  return platform::MemoryStream(Hex(hex));
}

// A 4-byte little-endian count followed by `units` UTF-16 units 'a'.
inline std::vector<uint8_t> CountedUnits(int32_t count, size_t units, size_t unit_size) {
  std::vector<uint8_t> bytes(4 + units * unit_size, 0);
  for (int k = 0; k < 4; ++k)
    bytes[k] = static_cast<uint8_t>(static_cast<uint32_t>(count) >> (8 * k));
  for (size_t u = 0; u < units; ++u) bytes[4 + u * unit_size] = 'a';
  return bytes;
}

}  // namespace list_tests
