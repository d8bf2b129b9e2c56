// The user logged on to the system, by name and initials.
#pragma once

#include <string>
#include <string_view>

// The login name of the user running the program (see platform/system_info.h for where it
// comes from). Raises platform::Error when no source answers.
std::u16string Registry_Current_User();

// The first two upper-case letters of that name, in order (fewer when it has fewer):
// "Ann Smith" -> "AS".
std::u16string Registry_Current_User_Initials();

// The same for a given name.
std::u16string InitialsOf(std::u16string_view name);
