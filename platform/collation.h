// Locale-aware, case-insensitive comparison of UTF-16 texts for the user's default locale.
// Stands in for the platform's CompareString with NORM_IGNORECASE: ICU collation at secondary
// strength, so letter case is ignored while accents and punctuation still count.
// The user's default locale is ICU's default, which follows LANG and LC_ALL.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct UCollator;

namespace platform {

class CaseInsensitiveCollator {
 public:
  CaseInsensitiveCollator();
  ~CaseInsensitiveCollator();
  CaseInsensitiveCollator(const CaseInsensitiveCollator &) = delete;
  CaseInsensitiveCollator &operator=(const CaseInsensitiveCollator &) = delete;

  // Negative, 0 or positive as a sorts before, with or after b.
  int32_t Compare(std::u16string_view a, std::u16string_view b) const;

  // A byte string whose memcmp order is the order of Compare; equal keys mean equal texts.
  std::string SortKey(std::u16string_view text) const;

 private:
  UCollator *collator_ = nullptr;
};

}  // namespace platform
