#include "runtime1/lists/zip_utils.h"

#include "platform/files.h"

namespace {

constexpr char16_t AsciiLower(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? c + 32 : c;
}

constexpr bool IsDelimiter(char16_t c) {
  return c == u'/' || c == u'\\';
}

// True when `text` at `at` starts with ".zip" in any ASCII case.
bool ZipMarkAt(std::u16string_view text, size_t at) {
  static constexpr std::u16string_view kMark = u".zip";
  if (at + kMark.size() > text.size()) return false;
  for (size_t k = 0; k < kMark.size(); ++k) {
    if (AsciiLower(text[at + k]) != kMark[k]) return false;
  }
  return true;
}

// The index just after the first ".zip" that a delimiter follows, or npos.
size_t EndOfArchivePart(std::u16string_view name) {
  for (size_t at = 0; at + 4 < name.size(); ++at) {
    if (ZipMarkAt(name, at) && IsDelimiter(name[at + 4])) return at + 4;
  }
  return std::u16string_view::npos;
}

}  // namespace

bool IsZipExtension(std::u16string_view ext) {
  return ext.size() == 4 && ZipMarkAt(ext, 0);
}

bool IsAZipFile(std::u16string_view filename) {
  const size_t dot = filename.find_last_of(u'.');
  if (dot == std::u16string_view::npos) return false;
  const std::u16string_view ext = filename.substr(dot);
  if (ext.find_first_of(u"/\\") != std::u16string_view::npos) return false;
  return IsZipExtension(ext);
}

bool IsWithinAZipFile(std::u16string_view filename) {
  if (EndOfArchivePart(filename) == std::u16string_view::npos) return false;
  return !platform::FileExists(platform::NativeFileName(filename));
}

std::u16string ZipFileFullFileName(std::u16string_view name) {
  const size_t end = EndOfArchivePart(name);
  if (end == std::u16string_view::npos) return {};
  return std::u16string(name.substr(0, end));
}

std::u16string ZipFileWantedFileNameWithin(std::u16string_view name) {
  const size_t end = EndOfArchivePart(name);
  if (end == std::u16string_view::npos) return {};
  return std::u16string(name.substr(end + 1));
}
