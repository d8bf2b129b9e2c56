#include "platform/streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace platform {

namespace {

constexpr size_t kFileBufferSize = 64 * 1024;

std::string SystemMessage(const std::string &what, const std::string &name) {
  return what + " \"" + name + "\": " + std::strerror(errno);
}

// Writes all bytes at an offset, retrying after interruptions; false on failure.
bool WriteAllAt(int fd, const uint8_t *data, size_t count, int64_t offset) {
  while (count > 0) {
    const ssize_t n = ::pwrite(fd, data, count, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    count -= static_cast<size_t>(n);
    offset += n;
  }
  return true;
}

// Reads up to `count` bytes at an offset; the number read (fewer at the end or on failure).
size_t ReadSomeAt(int fd, uint8_t *data, size_t count, int64_t offset) {
  size_t total = 0;
  while (total < count) {
    const ssize_t n = ::pread(fd, data + total, count - total, offset + total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    total += static_cast<size_t>(n);
  }
  return total;
}

}  // namespace

void Stream::ReadExact(void *buffer, size_t count) {
  if (Read(buffer, count) != count) throw StreamReadError();
}

void Stream::WriteExact(const void *buffer, size_t count) {
  if (Write(buffer, count) != count) throw StreamWriteError();
}

// ---------------------------------------------------------------------------------------------

size_t MemoryStream::Write(const void *buffer, size_t count) {
  if (count == 0) return 0;
  const size_t end = position_ + count;
  const auto *bytes = static_cast<const uint8_t *>(buffer);
  if (position_ == data_.size()) {  // appending: no zero-filling first
    data_.insert(data_.end(), bytes, bytes + count);
    position_ = end;
    return count;
  }
  if (end > data_.size()) {
    if (end > data_.capacity()) data_.reserve(std::max(end, data_.capacity() * 2));
    data_.resize(end);
  }
  std::memcpy(data_.data() + position_, buffer, count);
  position_ = end;
  return count;
}

bool MemoryStream::Seek(int64_t position) {
  if (position < 0) return false;
  position_ = static_cast<size_t>(position);
  return true;
}

std::vector<uint8_t> MemoryStream::TakeBytes() {
  std::vector<uint8_t> bytes = std::move(data_);
  Clear();
  return bytes;
}

void MemoryStream::Clear() {
  data_.clear();
  position_ = 0;
}

// ---------------------------------------------------------------------------------------------

FileStream::FileStream(const std::string &file_name, Mode mode) : file_name_(file_name) {
  int flags = O_CLOEXEC;
  switch (mode) {
    case Mode::kOpenRead:
      flags |= O_RDONLY;
      break;
    case Mode::kOpenReadWrite:
      flags |= O_RDWR;
      break;
    case Mode::kCreate:
      flags |= O_RDWR | O_CREAT | O_TRUNC;
      break;
  }
  fd_ = ::open(file_name.c_str(), flags, 0644);
  if (fd_ < 0) throw FileOpenError(SystemMessage("Cannot open file", file_name));
  struct stat info {};
  if (::fstat(fd_, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    throw FileOpenError("Cannot open file \"" + file_name + "\": not a regular file");
  }
  file_size_ = info.st_size;
  buffer_.resize(kFileBufferSize);
}

FileStream::FileStream(int fd, std::string file_name) : fd_(fd), file_name_(std::move(file_name)) {
  buffer_.resize(kFileBufferSize);
}

FileStream::~FileStream() {
  CloseFile();
}

bool FileStream::CloseFile() {
  if (fd_ < 0) return !write_failed_;
  const bool flushed = Flush();
  ::close(fd_);
  fd_ = -1;
  return flushed;
}

bool FileStream::Flush() {
  if (write_count_ == 0) return !write_failed_;
  const int64_t start = position_ - static_cast<int64_t>(write_count_);
  if (!WriteAllAt(fd_, buffer_.data(), write_count_, start)) write_failed_ = true;
  write_count_ = 0;
  return !write_failed_;
}

void FileStream::DropReadBuffer() {
  read_begin_ = read_end_ = 0;
}

bool FileStream::FillBuffer() {
  read_begin_ = 0;
  read_end_ = ReadSomeAt(fd_, buffer_.data(), buffer_.size(), position_);
  return read_end_ > 0;
}

size_t FileStream::Read(void *buffer, size_t count) {
  if (fd_ < 0) return 0;
  if (write_count_ > 0 && !Flush()) return 0;
  auto *out = static_cast<uint8_t *>(buffer);
  size_t done = 0;
  while (done < count) {
    if (read_begin_ == read_end_) {
      if (count - done >= buffer_.size()) {  // large reads go straight to the caller
        const size_t n = ReadSomeAt(fd_, out + done, count - done, position_);
        done += n;
        position_ += static_cast<int64_t>(n);
        break;
      }
      if (!FillBuffer()) break;
    }
    const size_t n = std::min(count - done, read_end_ - read_begin_);
    std::memcpy(out + done, buffer_.data() + read_begin_, n);
    read_begin_ += n;
    done += n;
    position_ += static_cast<int64_t>(n);
  }
  return done;
}

size_t FileStream::Write(const void *buffer, size_t count) {
  if (fd_ < 0 || write_failed_) return 0;
  DropReadBuffer();
  const auto *in = static_cast<const uint8_t *>(buffer);
  if (write_count_ + count > buffer_.size()) {
    if (!Flush()) return 0;
    if (count >= buffer_.size()) {
      if (!WriteAllAt(fd_, in, count, position_)) {
        write_failed_ = true;
        return 0;
      }
      position_ += static_cast<int64_t>(count);
      file_size_ = std::max(file_size_, position_);
      return count;
    }
  }
  std::memcpy(buffer_.data() + write_count_, in, count);
  write_count_ += count;
  position_ += static_cast<int64_t>(count);
  file_size_ = std::max(file_size_, position_);
  return count;
}

int64_t FileStream::Size() const {
  return file_size_;
}

bool FileStream::Seek(int64_t position) {
  if (position < 0 || fd_ < 0) return false;
  if (!Flush()) return false;
  if (position != position_) DropReadBuffer();
  position_ = position;
  return true;
}

// ---------------------------------------------------------------------------------------------

ReplacingFileStream::Temporary ReplacingFileStream::OpenTemporary(const std::string &target) {
  const std::filesystem::path path(target);
  std::string folder = path.parent_path().string();
  if (folder.empty()) folder = ".";
  std::string name = MakeUniqueFile(folder, "." + path.filename().string() + ".", ".tmp");
  const int fd = ::open(name.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    ::unlink(name.c_str());
    throw FileOpenError(SystemMessage("Cannot open file", name));
  }
  return {fd, std::move(name)};
}

ReplacingFileStream::ReplacingFileStream(const std::string &target)
    : ReplacingFileStream(target, OpenTemporary(target)) {}

ReplacingFileStream::ReplacingFileStream(const std::string &target, Temporary temporary)
    : FileStream(temporary.fd, std::move(temporary.name)), target_(target) {}

ReplacingFileStream::~ReplacingFileStream() {
  if (!done_) {
    CloseFile();
    ::unlink(FileName().c_str());
  }
}

bool ReplacingFileStream::Commit() {
  if (done_) return false;
  done_ = true;
  bool ok = Flush() && ::fsync(fd()) == 0;
  // Keep the permissions of the file being replaced.
  struct stat old_info {};
  if (ok && ::stat(target_.c_str(), &old_info) == 0)
    ::fchmod(fd(), old_info.st_mode & 07777);
  else if (ok)
    ::fchmod(fd(), 0644);
  ok = CloseFile() && ok;
  if (ok && ::rename(FileName().c_str(), target_.c_str()) == 0) return true;
  ::unlink(FileName().c_str());
  return false;
}

// ---------------------------------------------------------------------------------------------

namespace {

std::string &PrivateFolderName() {
  static std::string name;
  return name;
}

void RemovePrivateFolder() {
  std::error_code ignored;
  if (!PrivateFolderName().empty()) std::filesystem::remove_all(PrivateFolderName(), ignored);
}

}  // namespace

const std::string &PrivateTempFolder() {
  static std::once_flag once;
  std::call_once(once, [] {
    const char *base = std::getenv("TMPDIR");
    std::string pattern = (base && *base) ? base : "/tmp";
    while (pattern.size() > 1 && pattern.back() == '/') pattern.pop_back();
    pattern += "/qv7-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) return;
    PrivateFolderName() = pattern;
    std::atexit(RemovePrivateFolder);
  });
  if (PrivateFolderName().empty()) throw FileOpenError("Cannot make a private temporary folder");
  return PrivateFolderName();
}

std::string MakeUniqueFile(const std::string &folder, const std::string &prefix,
                           const std::string &suffix) {
  std::string name = folder;
  if (name.empty() || name.back() != '/') name += '/';
  name += prefix + "XXXXXX" + suffix;
  const int fd = ::mkstemps(name.data(), static_cast<int>(suffix.size()));
  if (fd < 0) throw FileOpenError(SystemMessage("Cannot make a file in", folder));
  ::close(fd);
  return name;
}

}  // namespace platform
