// Binary streams: a stream base with position, size and seek, a memory stream, a buffered file
// stream and a file stream that replaces its target only when committed, plus little-endian
// value helpers. Stands in for the class library's stream classes; unlike them, the file
// stream buffers its reads and writes, and short reads are reported as a byte count (the
// exact-read helpers raise StreamReadError) instead of being left to each caller.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/error.h"

namespace platform {

// Raised when fewer bytes than required could be read.
class StreamReadError : public Error {
 public:
  explicit StreamReadError(const std::string &message = "Stream read error") : Error(message) {}
};

// Raised when fewer bytes than required could be written.
class StreamWriteError : public Error {
 public:
  explicit StreamWriteError(const std::string &message = "Stream write error") : Error(message) {}
};

// Raised when a file cannot be opened, created or committed.
class FileOpenError : public Error {
 public:
  explicit FileOpenError(const std::string &message) : Error(message) {}
};

class Stream {
 public:
  virtual ~Stream() = default;

  // Reads up to `count` bytes into `buffer`; returns the number of bytes read (0 at the end).
  virtual size_t Read(void *buffer, size_t count) = 0;
  // Writes `count` bytes; returns the number of bytes written (fewer on failure).
  virtual size_t Write(const void *buffer, size_t count) = 0;
  // The current position and the size, in bytes from the start.
  virtual int64_t Position() const = 0;
  virtual int64_t Size() const = 0;
  // Moves to an absolute position (0 <= position); false when the stream cannot go there.
  virtual bool Seek(int64_t position) = 0;

  // Bytes between the position and the end; 0 when the position is past the end.
  int64_t Remaining() const {
    const int64_t left = Size() - Position();
    return left > 0 ? left : 0;
  }
  // Reads exactly `count` bytes or raises StreamReadError.
  void ReadExact(void *buffer, size_t count);
  // Writes exactly `count` bytes or raises StreamWriteError.
  void WriteExact(const void *buffer, size_t count);
};

// A stream over a growable byte vector held by the stream.
class MemoryStream : public Stream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}
  MemoryStream(const void *bytes, size_t count)
      : data_(static_cast<const uint8_t *>(bytes), static_cast<const uint8_t *>(bytes) + count) {}

  size_t Read(void *buffer, size_t count) override {
    if (position_ >= data_.size()) return 0;
    const size_t n = count < data_.size() - position_ ? count : data_.size() - position_;
    if (n > 0) std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
  }
  size_t Write(const void *buffer, size_t count) override;
  int64_t Position() const override { return static_cast<int64_t>(position_); }
  int64_t Size() const override { return static_cast<int64_t>(data_.size()); }
  bool Seek(int64_t position) override;

  const std::vector<uint8_t> &Bytes() const { return data_; }
  std::vector<uint8_t> TakeBytes();
  void Clear();

 private:
  std::vector<uint8_t> data_;
  size_t position_ = 0;
};

// A buffered stream over a file. Opening failures raise FileOpenError.
class FileStream : public Stream {
 public:
  enum class Mode {
    kOpenRead,       // an existing file, read only (others may read and write meanwhile)
    kOpenReadWrite,  // an existing file, read and write
    kCreate,         // creates the file, or empties an existing one, for reading and writing
  };
  FileStream(const std::string &file_name, Mode mode);
  ~FileStream() override;
  FileStream(const FileStream &) = delete;
  FileStream &operator=(const FileStream &) = delete;

  size_t Read(void *buffer, size_t count) override;
  size_t Write(const void *buffer, size_t count) override;
  int64_t Position() const override { return position_; }
  int64_t Size() const override;
  bool Seek(int64_t position) override;

  // Writes pending bytes to the file; false when the system refused some of them.
  bool Flush();
  const std::string &FileName() const { return file_name_; }

 protected:
  // For descendants that open the descriptor themselves.
  FileStream(int fd, std::string file_name);
  int fd() const { return fd_; }
  // Flushes and closes the descriptor; false when a pending write failed.
  bool CloseFile();

 private:
  bool FillBuffer();
  void DropReadBuffer();

  int fd_ = -1;
  std::string file_name_;
  int64_t position_ = 0;   // logical position seen by the caller
  int64_t file_size_ = 0;  // size including bytes still in the write buffer
  std::vector<uint8_t> buffer_;
  size_t read_begin_ = 0;  // unread bytes of a read buffer: buffer_[read_begin_, read_end_)
  size_t read_end_ = 0;
  size_t write_count_ = 0;  // pending bytes of a write buffer, written at position_ - count
  bool write_failed_ = false;
};

// Writes a new file in the folder of its target and puts it in the target's place on Commit,
// so that a failed or abandoned write leaves an older file as it was. Without Commit the
// temporary file is removed on destruction.
class ReplacingFileStream : public FileStream {
 public:
  explicit ReplacingFileStream(const std::string &target);
  ~ReplacingFileStream() override;
  // Flushes, syncs and renames the new file over the target; false (target unchanged) on any
  // failure. The stream cannot be used afterwards.
  bool Commit();

 private:
  struct Temporary {
    int fd;
    std::string name;
  };
  static Temporary OpenTemporary(const std::string &target);
  ReplacingFileStream(const std::string &target, Temporary temporary);
  std::string target_;
  bool done_ = false;
};

// A private folder for this process's temporary files: made once with mode 0700 and a unique
// name under $TMPDIR (or /tmp), removed with its contents when the process ends. Raises
// FileOpenError when it cannot be made. The name has no trailing '/'.
const std::string &PrivateTempFolder();

// Makes a new empty file with a unique name "<prefix>XXXXXX<suffix>" in `folder`, mode 0600,
// and returns its path; raises FileOpenError on failure.
std::string MakeUniqueFile(const std::string &folder, const std::string &prefix,
                           const std::string &suffix);

// Little-endian values. Read* answer false when fewer bytes than the value's size came (the
// value is then left unchanged); Write* answer false when fewer were written.
template <typename T>
bool ReadValue(Stream &stream, T &value) {
  static_assert(std::is_arithmetic_v<T> && (sizeof(T) <= 8));
  static_assert(std::endian::native == std::endian::little, "little-endian hosts only");
  T read;
  if (stream.Read(&read, sizeof(T)) != sizeof(T)) return false;
  value = read;
  return true;
}

template <typename T>
bool WriteValue(Stream &stream, T value) {
  static_assert(std::is_arithmetic_v<T> && (sizeof(T) <= 8));
  static_assert(std::endian::native == std::endian::little, "little-endian hosts only");
  return stream.Write(&value, sizeof(T)) == sizeof(T);
}

// The same, raising StreamReadError / StreamWriteError instead.
template <typename T>
T ReadValueExact(Stream &stream) {
  T value{};
  if (!ReadValue(stream, value)) throw StreamReadError();
  return value;
}

template <typename T>
void WriteValueExact(Stream &stream, T value) {
  if (!WriteValue(stream, value)) throw StreamWriteError();
}

}  // namespace platform
