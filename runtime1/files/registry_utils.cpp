#include "runtime1/files/registry_utils.h"

#include "platform/char_types.h"
#include "platform/error.h"
#include "platform/system_info.h"
#include "platform/utf16_text.h"

std::u16string Registry_Current_User() {
  const auto name = platform::CurrentUserName();
  if (!name) throw platform::Error("The user name cannot be read");
  return platform::Utf8ToUtf16(*name);
}

std::u16string InitialsOf(std::u16string_view name) {
  std::u16string initials;
  for (size_t i = 0; i < name.size() && initials.size() < 2; ++i) {
    if ((platform::CharTypeOfUnit(platform::CT_CTYPE1, name[i]) & platform::C1_UPPER) != 0) {
      initials.push_back(name[i]);
    }
  }
  return initials;
}

std::u16string Registry_Current_User_Initials() {
  return InitialsOf(Registry_Current_User());
}
