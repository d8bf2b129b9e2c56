#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/utf16_text.h"

namespace platform {

namespace {

void SetError(std::string *error, const std::string &name, const char *what) {
  if (error != nullptr) *error = name + ": " + what;
}

struct FileDescriptor {
  int fd = -1;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

std::string NativeFileName(std::u16string_view name) {
  return Utf16ToUtf8(name);
}

bool FileExists(const std::string &name) {
  struct stat st {};
  return !name.empty() && ::stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string &name, std::string *error) {
  FileDescriptor file;
  file.fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (file.fd < 0) {
    SetError(error, name, std::strerror(errno));
    return std::nullopt;
  }
  struct stat st {};
  if (::fstat(file.fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    SetError(error, name, "not a readable file");
    return std::nullopt;
  }
  std::vector<uint8_t> data;
  if (S_ISREG(st.st_mode)) data.reserve(static_cast<size_t>(st.st_size));
  uint8_t chunk[65536];
  for (;;) {
    const ssize_t n = ::read(file.fd, chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      SetError(error, name, std::strerror(errno));
      return std::nullopt;
    }
    data.insert(data.end(), chunk, chunk + n);
  }
  return data;
}

}  // namespace platform
