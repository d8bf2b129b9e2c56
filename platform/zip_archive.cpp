#include "platform/zip_archive.h"

#include <sys/stat.h>
#include <zip.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/streams.h"

namespace platform {

namespace {

std::string OpenErrorText(int code) {
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  std::string text = zip_error_strerror(&error);
  zip_error_fini(&error);
  return text;
}

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b, bool ignore_case) {
  if (a.size() != b.size()) return false;
  if (!ignore_case) return a == b;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// ZipArchive

ZipArchive::ZipArchive() = default;

ZipArchive::~ZipArchive() {
  Close();
}

ZipArchive::ZipArchive(ZipArchive &&other) noexcept
    : archive_(other.archive_),
      file_name_(std::move(other.file_name_)),
      memory_(std::move(other.memory_)),
      last_error_(std::move(other.last_error_)) {
  other.archive_ = nullptr;
}

ZipArchive &ZipArchive::operator=(ZipArchive &&other) noexcept {
  if (this != &other) {
    Close();
    archive_ = other.archive_;
    other.archive_ = nullptr;
    file_name_ = std::move(other.file_name_);
    memory_ = std::move(other.memory_);
    last_error_ = std::move(other.last_error_);
  }
  return *this;
}

bool ZipArchive::Fail(std::string message, std::string *error) const {
  last_error_ = std::move(message);
  if (error != nullptr) *error = last_error_;
  return false;
}

bool ZipArchive::FinishOpen(struct zip *archive, std::string *error) {
  archive_ = archive;
  // An archive whose entry count cannot be read is of no use; refuse it now.
  if (zip_get_num_entries(archive_, 0) < 0) {
    Close();
    return Fail("zip archive unreadable", error);
  }
  last_error_.clear();
  return true;
}

bool ZipArchive::Open(const std::string &file_name, std::string *error) {
  Close();
  file_name_ = file_name;
  struct stat st {};
  if (file_name.empty() || ::stat(file_name.c_str(), &st) != 0) {
    return Fail(file_name + ": " + (file_name.empty() ? "no file name" : std::strerror(errno)),
                error);
  }
  if (S_ISDIR(st.st_mode)) return Fail(file_name + ": is a folder", error);
  // libzip treats an empty file as a new empty archive; an empty file is no zip archive.
  if (S_ISREG(st.st_mode) && st.st_size == 0) {
    return Fail(file_name + ": " + OpenErrorText(ZIP_ER_NOZIP), error);
  }
  int code = 0;
  struct zip *archive = zip_open(file_name.c_str(), ZIP_RDONLY, &code);
  if (archive == nullptr) return Fail(file_name + ": " + OpenErrorText(code), error);
  return FinishOpen(archive, error);
}

bool ZipArchive::OpenFromBytes(std::vector<uint8_t> bytes, std::string *error) {
  Close();
  file_name_.clear();
  if (bytes.empty()) return Fail(OpenErrorText(ZIP_ER_NOZIP), error);
  memory_ = std::make_unique<std::vector<uint8_t>>(std::move(bytes));
  zip_error_t zerror;
  zip_error_init(&zerror);
  zip_source_t *source = zip_source_buffer_create(memory_->data(), memory_->size(), 0, &zerror);
  if (source == nullptr) {
    std::string text = zip_error_strerror(&zerror);
    zip_error_fini(&zerror);
    memory_.reset();
    return Fail(text, error);
  }
  struct zip *archive = zip_open_from_source(source, ZIP_RDONLY, &zerror);
  if (archive == nullptr) {
    std::string text = zip_error_strerror(&zerror);
    zip_error_fini(&zerror);
    zip_source_free(source);
    memory_.reset();
    return Fail(text, error);
  }
  zip_error_fini(&zerror);
  return FinishOpen(archive, error);
}

void ZipArchive::Close() {
  if (archive_ != nullptr) {
    zip_discard(archive_);  // read-only: nothing to write back
    archive_ = nullptr;
  }
  memory_.reset();
}

int64_t ZipArchive::EntryCount() const {
  if (archive_ == nullptr) return -1;
  return zip_get_num_entries(archive_, 0);
}

std::optional<ZipEntryInfo> ZipArchive::Entry(uint64_t index) const {
  if (archive_ == nullptr) {
    Fail("no zip archive open", nullptr);
    return std::nullopt;
  }
  const int64_t count = zip_get_num_entries(archive_, 0);
  if (count < 0 || index >= static_cast<uint64_t>(count)) {
    Fail("zip entry " + std::to_string(index) + " out of range", nullptr);
    return std::nullopt;
  }
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(archive_, index, ZIP_FL_ENC_GUESS, &st) != 0) {
    Fail(zip_strerror(archive_), nullptr);
    return std::nullopt;
  }
  ZipEntryInfo info;
  info.index = index;
  if ((st.valid & ZIP_STAT_NAME) != 0 && st.name != nullptr) info.name = st.name;
  if (const char *raw = zip_get_name(archive_, index, ZIP_FL_ENC_RAW); raw != nullptr) {
    info.raw_name = raw;
  }
  if ((st.valid & ZIP_STAT_SIZE) != 0) info.size = st.size;
  if ((st.valid & ZIP_STAT_COMP_SIZE) != 0) info.compressed_size = st.comp_size;
  if ((st.valid & ZIP_STAT_MTIME) != 0) info.modified = st.mtime;
  if ((st.valid & ZIP_STAT_CRC) != 0) info.crc = st.crc;
  if ((st.valid & ZIP_STAT_COMP_METHOD) != 0) info.compression_method = st.comp_method;
  if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0) {
    info.encrypted = st.encryption_method != ZIP_EM_NONE;
  }
  zip_uint8_t opsys = 0;
  zip_uint32_t attributes = 0;
  if (zip_file_get_external_attributes(archive_, index, 0, &opsys, &attributes) == 0) {
    info.made_by_system = opsys;
    info.external_attributes = attributes;
  }
  if (!info.name.empty()) {
    const char last = info.name.back();
    info.is_folder = (last == '/' || last == '\\') && info.size == 0;
  }
  return info;
}

std::vector<ZipEntryInfo> ZipArchive::Entries() const {
  std::vector<ZipEntryInfo> result;
  const int64_t count = EntryCount();
  if (count <= 0) return result;
  result.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    if (auto info = Entry(static_cast<uint64_t>(i))) result.push_back(std::move(*info));
  }
  return result;
}

std::optional<uint64_t> ZipArchive::FindEntry(std::string_view name, bool ignore_case) const {
  const int64_t count = EntryCount();
  for (int64_t i = 0; i < count; ++i) {
    const char *stored = zip_get_name(archive_, static_cast<uint64_t>(i), ZIP_FL_ENC_GUESS);
    if (stored != nullptr && SameName(stored, name, ignore_case)) {
      return static_cast<uint64_t>(i);
    }
  }
  return std::nullopt;
}

bool ZipArchive::ExtractTo(uint64_t index, const ZipDataSink &sink, uint64_t max_bytes,
                           std::string *error) const {
  if (archive_ == nullptr) return Fail("no zip archive open", error);
  const int64_t count = zip_get_num_entries(archive_, 0);
  if (count < 0 || index >= static_cast<uint64_t>(count)) {
    return Fail("zip entry " + std::to_string(index) + " out of range", error);
  }
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(archive_, index, 0, &st) != 0) return Fail(zip_strerror(archive_), error);
  if ((st.valid & ZIP_STAT_SIZE) != 0 && st.size > max_bytes) {
    return Fail("zip entry " + std::to_string(index) + " larger than the limit of " +
                    std::to_string(max_bytes) + " bytes",
                error);
  }
  zip_file_t *file = zip_fopen_index(archive_, index, 0);
  if (file == nullptr) return Fail(zip_strerror(archive_), error);
  uint8_t buffer[65536];
  uint64_t total = 0;
  bool ok = true;
  std::string message;
  for (;;) {
    const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      ok = false;
      message = zip_file_strerror(file);
      break;
    }
    total += static_cast<uint64_t>(n);
    if (total > max_bytes) {
      ok = false;
      message = "zip entry " + std::to_string(index) + " larger than the limit of " +
                std::to_string(max_bytes) + " bytes";
      break;
    }
    if (sink && !sink(buffer, static_cast<size_t>(n))) {
      ok = false;
      message = "zip extraction stopped by the receiver";
      break;
    }
  }
  zip_fclose(file);
  if (!ok) return Fail(message, error);
  return true;
}

std::optional<std::vector<uint8_t>> ZipArchive::ExtractToBytes(uint64_t index, uint64_t max_bytes,
                                                               std::string *error) const {
  std::vector<uint8_t> data;
  const bool ok = ExtractTo(
      index,
      [&data](const uint8_t *p, size_t n) {
        data.insert(data.end(), p, p + n);
        return true;
      },
      max_bytes, error);
  if (!ok) return std::nullopt;
  return data;
}

std::optional<std::string> ZipArchive::ExtractToString(uint64_t index, uint64_t max_bytes,
                                                       std::string *error) const {
  std::string data;
  const bool ok = ExtractTo(
      index,
      [&data](const uint8_t *p, size_t n) {
        data.append(reinterpret_cast<const char *>(p), n);
        return true;
      },
      max_bytes, error);
  if (!ok) return std::nullopt;
  return data;
}

bool ZipArchive::ExtractToStream(uint64_t index, Stream &out, uint64_t max_bytes,
                                 std::string *error) const {
  bool write_failed = false;
  const bool ok = ExtractTo(
      index,
      [&](const uint8_t *p, size_t n) {
        write_failed = out.Write(p, n) != n;
        return !write_failed;
      },
      max_bytes, error);
  if (write_failed) return Fail("zip extraction: the stream refused the data", error);
  return ok;
}

std::string ZipArchive::Comment() const {
  if (archive_ == nullptr) return {};
  int length = 0;
  const char *text = zip_get_archive_comment(archive_, &length, ZIP_FL_ENC_GUESS);
  if (text == nullptr || length <= 0) return {};
  return std::string(text, static_cast<size_t>(length));
}

std::string ZipArchive::RawComment() const {
  if (archive_ == nullptr) return {};
  int length = 0;
  const char *text = zip_get_archive_comment(archive_, &length, ZIP_FL_ENC_RAW);
  if (text == nullptr || length <= 0) return {};
  return std::string(text, static_cast<size_t>(length));
}

// ---------------------------------------------------------------------------------------------
// ZipWriter

ZipWriter::ZipWriter() = default;

ZipWriter::~ZipWriter() {
  Discard();
}

bool ZipWriter::Fail(std::string message, std::string *error) {
  if (error != nullptr) *error = std::move(message);
  return false;
}

bool ZipWriter::Create(const std::string &file_name, std::string *error) {
  Discard();
  if (file_name.empty()) return Fail("no file name", error);
  int code = 0;
  archive_ = zip_open(file_name.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (archive_ == nullptr) return Fail(file_name + ": " + OpenErrorText(code), error);
  return true;
}

bool ZipWriter::AddFile(std::string_view name, const void *data, size_t size, std::time_t modified,
                        std::string *error) {
  if (archive_ == nullptr) return Fail("no zip archive being made", error);
  if (name.empty()) return Fail("empty zip entry name", error);
  void *copy = nullptr;
  if (size > 0) {
    copy = std::malloc(size);
    if (copy == nullptr) return Fail("out of memory", error);
    std::memcpy(copy, data, size);
  }
  zip_source_t *source = zip_source_buffer(archive_, copy, size, copy != nullptr ? 1 : 0);
  if (source == nullptr) {
    std::free(copy);
    return Fail(zip_strerror(archive_), error);
  }
  const std::string entry_name(name);
  const zip_int64_t index =
      zip_file_add(archive_, entry_name.c_str(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
  if (index < 0) {
    zip_source_free(source);
    return Fail(zip_strerror(archive_), error);
  }
  zip_set_file_compression(archive_, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 0);
  if (modified != 0 &&
      zip_file_set_mtime(archive_, static_cast<zip_uint64_t>(index), modified, 0) != 0) {
    return Fail(zip_strerror(archive_), error);
  }
  return true;
}

bool ZipWriter::AddFolder(std::string_view name, std::string *error) {
  if (archive_ == nullptr) return Fail("no zip archive being made", error);
  std::string folder(name);
  if (folder.empty()) return Fail("empty zip folder name", error);
  if (folder.back() != '/') folder.push_back('/');
  if (zip_dir_add(archive_, folder.c_str(), ZIP_FL_ENC_UTF_8) < 0) {
    return Fail(zip_strerror(archive_), error);
  }
  return true;
}

bool ZipWriter::SetComment(std::string_view comment_utf8, std::string *error) {
  if (archive_ == nullptr) return Fail("no zip archive being made", error);
  if (comment_utf8.size() > 0xFFFF) return Fail("zip comment longer than 65535 bytes", error);
  if (zip_set_archive_comment(archive_, comment_utf8.data(),
                              static_cast<zip_uint16_t>(comment_utf8.size())) != 0) {
    return Fail(zip_strerror(archive_), error);
  }
  return true;
}

bool ZipWriter::Commit(std::string *error) {
  if (archive_ == nullptr) return Fail("no zip archive being made", error);
  if (zip_close(archive_) != 0) {
    std::string message = zip_strerror(archive_);
    zip_discard(archive_);
    archive_ = nullptr;
    return Fail(message, error);
  }
  archive_ = nullptr;
  return true;
}

void ZipWriter::Discard() {
  if (archive_ != nullptr) {
    zip_discard(archive_);
    archive_ = nullptr;
  }
}

}  // namespace platform
