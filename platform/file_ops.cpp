#include "platform/file_ops.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

bool SetError(std::string *error, const std::string &name, const std::string &what) {
  if (error != nullptr) *error = name + ": " + what;
  return false;
}

bool SetErrno(std::string *error, const std::string &name) {
  return SetError(error, name, std::strerror(errno));
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor &) = delete;
  Descriptor &operator=(const Descriptor &) = delete;
  int get() const { return fd_; }
  // Closes now and reports whether the close succeeded.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, const void *bytes, size_t size) {
  const auto *p = static_cast<const uint8_t *>(bytes);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string &name) {
  const size_t slash = name.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return name.substr(0, slash);
}

// Creates a temporary file beside `target`; its name goes to *temp_name.
int CreateTemporaryBeside(const std::string &target, std::string *temp_name) {
  std::string pattern = FolderOf(target) + "/.qv7tmpXXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd >= 0) *temp_name = pattern;
  return fd;
}

// Writes a temporary file with whatever `fill` produces and renames it over the target.
template <typename Fill>
bool ReplaceThroughTemporary(const std::string &target, std::string *error, Fill fill) {
  std::string temp;
  Descriptor out(CreateTemporaryBeside(target, &temp));
  if (out.get() < 0) return SetErrno(error, target);
  struct stat old {};
  const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  bool ok = fill(out.get());
  int saved = errno;
  if (ok) ok = ::fchmod(out.get(), mode) == 0 && ::fsync(out.get()) == 0;
  if (ok) ok = out.Close();
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    saved = errno != 0 ? errno : saved;
    ::unlink(temp.c_str());
    errno = saved;
    return SetErrno(error, target);
  }
  return true;
}

}  // namespace

std::optional<uint64_t> FileSize(const std::string &name) {
  struct stat st {};
  if (name.empty() || ::stat(name.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
  return static_cast<uint64_t>(st.st_size);
}

std::optional<std::time_t> FileModificationTime(const std::string &name) {
  struct stat st {};
  if (name.empty() || ::stat(name.c_str(), &st) != 0) return std::nullopt;
  return st.st_mtime;
}

std::optional<std::vector<uint8_t>> ReadFilePrefix(const std::string &name, size_t max_bytes,
                                                   std::string *error) {
  if (name.empty()) {
    SetError(error, name, "no file name");
    return std::nullopt;
  }
  Descriptor in(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) {
    SetErrno(error, name);
    return std::nullopt;
  }
  struct stat st {};
  if (::fstat(in.get(), &st) != 0 || S_ISDIR(st.st_mode)) {
    SetError(error, name, "not a readable file");
    return std::nullopt;
  }
  std::vector<uint8_t> data(max_bytes);
  size_t got = 0;
  while (got < max_bytes) {
    const ssize_t n = ::read(in.get(), data.data() + got, max_bytes - got);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      SetErrno(error, name);
      return std::nullopt;
    }
    got += static_cast<size_t>(n);
  }
  data.resize(got);
  return data;
}

bool WriteFileAtomically(const std::string &name, const void *bytes, size_t size,
                         std::string *error) {
  if (name.empty()) return SetError(error, name, "no file name");
  return ReplaceThroughTemporary(name, error, [&](int fd) { return WriteAll(fd, bytes, size); });
}

bool CopyFileReplacing(const std::string &source, const std::string &target, std::string *error) {
  if (source.empty() || target.empty()) return SetError(error, target, "no file name");
  Descriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return SetErrno(error, source);
  struct stat src {};
  if (::fstat(in.get(), &src) != 0 || S_ISDIR(src.st_mode)) {
    return SetError(error, source, "not a readable file");
  }
  struct stat dst {};
  if (::stat(target.c_str(), &dst) == 0 && dst.st_dev == src.st_dev && dst.st_ino == src.st_ino) {
    return SetError(error, target, "is the same file as " + source);
  }
  return ReplaceThroughTemporary(target, error, [&](int fd) {
    uint8_t chunk[65536];
    for (;;) {
      const ssize_t n = ::read(in.get(), chunk, sizeof chunk);
      if (n == 0) return true;
      if (n < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      if (!WriteAll(fd, chunk, static_cast<size_t>(n))) return false;
    }
  });
}

bool AppendToFile(const std::string &name, const void *bytes, size_t size,
                  std::string_view prefix_when_empty, std::string *error) {
  if (name.empty()) return SetError(error, name, "no file name");
  Descriptor out(::open(name.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
  if (out.get() < 0) return SetErrno(error, name);
  struct stat st {};
  if (::fstat(out.get(), &st) != 0) return SetErrno(error, name);
  std::string block;
  if (st.st_size == 0) block.assign(prefix_when_empty);
  block.append(static_cast<const char *>(bytes), size);
  if (!WriteAll(out.get(), block.data(), block.size())) return SetErrno(error, name);
  if (!out.Close()) return SetErrno(error, name);
  return true;
}

bool DeleteFileNamed(const std::string &name, std::string *error) {
  struct stat st {};
  if (name.empty() || ::lstat(name.c_str(), &st) != 0) return SetError(error, name, "no such file");
  if (S_ISDIR(st.st_mode)) return SetError(error, name, "is a folder");
  if (::unlink(name.c_str()) != 0) return SetErrno(error, name);
  return true;
}

std::string ChangeFileExtension(const std::string &name, std::string_view ext) {
  const size_t slash = name.find_last_of('/');
  const size_t dot = name.find_last_of('.');
  const bool has_ext = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  std::string result = has_ext ? name.substr(0, dot) : name;
  result.append(ext);
  return result;
}

}  // namespace platform
