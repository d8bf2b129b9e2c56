#include "platform/system_info.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unicode/ulocdata.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

extern char *program_invocation_name;  // glibc

namespace platform {

std::string ExecutablePath() {
  std::vector<char> buffer(PATH_MAX + 1);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n > 0) return std::string(buffer.data(), static_cast<size_t>(n));
  return program_invocation_name != nullptr ? program_invocation_name : "";
}

std::string ExecutableName() {
  const std::string path = ExecutablePath();
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExecutableFolder() {
  const std::string path = ExecutablePath();
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::optional<std::string> CurrentUserName() {
  std::vector<char> buffer(16384);
  struct passwd entry {};
  struct passwd *found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_name != nullptr && found->pw_name[0] != '\0') {
    return std::string(found->pw_name);
  }
  char login[256];
  if (::getlogin_r(login, sizeof login) == 0 && login[0] != '\0') return std::string(login);
  for (const char *variable : {"USER", "LOGNAME"}) {
    const char *value = std::getenv(variable);
    if (value != nullptr && value[0] != '\0') return std::string(value);
  }
  return std::nullopt;
}

std::string TempPath() {
  std::string folder = "/tmp";
  const char *tmpdir = std::getenv("TMPDIR");
  struct stat st {};
  if (tmpdir != nullptr && tmpdir[0] != '\0' && ::stat(tmpdir, &st) == 0 && S_ISDIR(st.st_mode)) {
    folder = tmpdir;
  }
  if (char *resolved = ::realpath(folder.c_str(), nullptr); resolved != nullptr) {
    folder = resolved;
    std::free(resolved);
  }
  if (folder.empty() || folder.back() != '/') folder.push_back('/');
  return folder;
}

Rect DesktopWorkArea() {
  Rect area{0, 0, 1920, 1080};
  const char *value = std::getenv("QV7_WORK_AREA");
  if (value == nullptr) return area;
  int l = 0, t = 0, r = 0, b = 0;
  if (std::sscanf(value, "%d,%d,%d,%d", &l, &t, &r, &b) == 4 && r > l && b > t) {
    area = Rect{l, t, r, b};
  }
  return area;
}

int LastErrorCode() {
  return errno;
}

std::string ErrorMessage(int code) {
  char buffer[256];
  const char *text = ::strerror_r(code, buffer, sizeof buffer);  // GNU variant
  std::string message = text != nullptr ? text : "";
  if (message.size() > 255) message.resize(255);
  return message;
}

bool LocaleUsesMetric(const std::string &icu_locale) {
  UErrorCode status = U_ZERO_ERROR;
  const UMeasurementSystem system =
      ulocdata_getMeasurementSystem(icu_locale.empty() ? nullptr : icu_locale.c_str(), &status);
  if (U_FAILURE(status)) return true;
  return system != UMS_US;
}

}  // namespace platform
