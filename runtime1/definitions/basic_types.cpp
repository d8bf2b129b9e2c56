#include "runtime1/definitions/basic_types.h"

#include <algorithm>

namespace {

void PutInt32(uint8_t *out, int32_t value) {
  const auto u = static_cast<uint32_t>(value);
  for (int k = 0; k < 4; ++k) out[k] = static_cast<uint8_t>(u >> (8 * k));
}

int32_t GetInt32(const uint8_t *in) {
  uint32_t u = 0;
  for (int k = 0; k < 4; ++k) u |= static_cast<uint32_t>(in[k]) << (8 * k);
  return static_cast<int32_t>(u);
}

}  // namespace

std::string TCheckSignature::type_of_data() const {
  const size_t length = std::min<size_t>(type_of_data_length, kTextCapacity);
  return std::string(type_of_data_chars.data(), length);
}

void TCheckSignature::set_type_of_data(std::string_view text) {
  const size_t length = std::min(text.size(), kTextCapacity);
  type_of_data_chars.fill('\0');
  std::copy_n(text.data(), length, type_of_data_chars.data());
  type_of_data_length = static_cast<uint8_t>(length);
}

std::array<uint8_t, TCheckSignature::kSize> TCheckSignature::ToBytes() const {
  std::array<uint8_t, kSize> out{};
  PutInt32(&out[0], signature);
  PutInt32(&out[4], screen_res);
  PutInt32(&out[8], save_height);
  PutInt32(&out[12], save_width);
  out[16] = type_of_data_length;
  for (size_t i = 0; i < kTextCapacity; ++i)
    out[17 + i] = static_cast<uint8_t>(type_of_data_chars[i]);
  return out;
}

TCheckSignature TCheckSignature::FromBytes(std::span<const uint8_t, kSize> bytes) {
  TCheckSignature header;
  header.signature = GetInt32(&bytes[0]);
  header.screen_res = GetInt32(&bytes[4]);
  header.save_height = GetInt32(&bytes[8]);
  header.save_width = GetInt32(&bytes[12]);
  header.type_of_data_length = bytes[16];
  for (size_t i = 0; i < kTextCapacity; ++i) {
    header.type_of_data_chars[i] = static_cast<char>(bytes[17 + i]);
  }
  return header;
}
