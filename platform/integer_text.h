// Reading a 32-bit integer from text by the run-time library's rule.
// Stands in for the class library's StrToInt / TryStrToInt (Val): leading spaces are skipped,
// one "+" or "-" may follow, "$", "0x", "0X", "x" or "X" introduce hexadecimal digits; anything
// after the digits, an empty number or a value outside the 32-bit range makes the text unreadable.
// Hexadecimal numbers take all 32 bits, so "$FFFFFFFF" reads as -1.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// The integer the text holds, or nothing when it does not read.
std::optional<int32_t> TryStrToInt(std::u16string_view text);
std::optional<int32_t> TryStrToInt(std::string_view text);

}  // namespace platform
