// The running program and its user: the program's own file, the user's name, the temporary
// folder, the desktop work area, error texts and the locale's measurement system. Replaces
// GetModuleFileName, GetUserName, GetTempPath, SystemParametersInfo(SPI_GETWORKAREA),
// FormatMessage(GetLastError) and GetLocaleInfo(LOCALE_IMEASURE). A library on Linux has no
// desktop: the work area comes from QV7_WORK_AREA ("left,top,right,bottom") or is 1920 x 1080.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The full path of the running program (/proc/self/exe); the invocation name when that link
// cannot be read.
std::string ExecutablePath();
// Its file name without folder, and its folder with a trailing '/'.
std::string ExecutableName();
std::string ExecutableFolder();

// The login name of the user running the process: the password database entry of the
// effective user, else getlogin(), else $USER or $LOGNAME. Empty when none of them answers.
std::optional<std::string> CurrentUserName();

// The temporary folder with a trailing '/': $TMPDIR when it names a folder, else /tmp, with
// symbolic links resolved.
std::string TempPath();

struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};
// The desktop work area (see above).
Rect DesktopWorkArea();

// The error code of the last failed system call of this thread (errno), and its message text
// (at most 255 bytes).
int LastErrorCode();
std::string ErrorMessage(int code);

// The locale's measurement system: true for metric, false for U.S. measures. `icu_locale` is
// an ICU locale name ("en_US"); the empty name means the process's default locale.
bool LocaleUsesMetric(const std::string &icu_locale);

}  // namespace platform
