#include "platform/collation.h"

#include <unicode/ucol.h>
#include <unicode/uloc.h>

#include <cstring>

namespace platform {

namespace {

// ICU maps the C and POSIX locales to en_US_POSIX, whose collation orders by code point and so
// separates capitals from small letters at the first level; such a user gets the root order.
const char *UserCollationLocale() {
  const char *locale = uloc_getDefault();
  return std::strstr(locale, "POSIX") != nullptr ? "" : locale;
}

}  // namespace

CaseInsensitiveCollator::CaseInsensitiveCollator() {
  UErrorCode status = U_ZERO_ERROR;
  collator_ = ucol_open(UserCollationLocale(), &status);
  if (U_FAILURE(status) || collator_ == nullptr) {
    status = U_ZERO_ERROR;
    collator_ = ucol_open("", &status);
  }
  if (collator_ != nullptr) ucol_setStrength(collator_, UCOL_SECONDARY);
}

CaseInsensitiveCollator::~CaseInsensitiveCollator() {
  if (collator_ != nullptr) ucol_close(collator_);
}

int32_t CaseInsensitiveCollator::Compare(std::u16string_view a, std::u16string_view b) const {
  return ucol_strcoll(collator_, a.data(), static_cast<int32_t>(a.size()), b.data(),
                      static_cast<int32_t>(b.size()));
}

std::string CaseInsensitiveCollator::SortKey(std::u16string_view text) const {
  std::string key(text.size() * 4 + 16, '\0');
  const auto size = [&] {
    return ucol_getSortKey(collator_, text.data(), static_cast<int32_t>(text.size()),
                           reinterpret_cast<uint8_t *>(key.data()),
                           static_cast<int32_t>(key.size()));
  };
  int32_t needed = size();
  if (needed > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<size_t>(needed));
    needed = size();
  }
  key.resize(needed > 0 ? static_cast<size_t>(needed - 1) : 0);  // drop the terminating zero
  return key;
}

}  // namespace platform
