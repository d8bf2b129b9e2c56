// Reading 32-bit integers from text by the run-time library's rule.
#include "platform/integer_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(IntegerText, TryStrToIntReadsDecimalAndHexadecimal) {
  struct Case {
    std::string text;
    std::optional<int32_t> expected;
  } cases[] = {
      {"42", 42},
      {"  -17", -17},
      {"+8", 8},
      {"$1B", 27},
      {"x1b", 27},
      {"X1B", 27},
      {"0x1B", 27},
      {"-$10", -16},
      {"$FFFFFFFF", -1},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", std::nullopt},
      {"$100000000", std::nullopt},
      {"12 ", std::nullopt},  // trailing characters
      {"1.5", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"\t5", std::nullopt},  // only spaces are skipped
      {"1G", std::nullopt},
      {"$1G", std::nullopt},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(platform::TryStrToInt(c.text), c.expected) << c.text;
    const std::u16string wide(c.text.begin(), c.text.end());
    EXPECT_EQ(platform::TryStrToInt(wide), c.expected) << c.text;
  }
}

}  // namespace
