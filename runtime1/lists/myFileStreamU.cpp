#include "runtime1/lists/myFileStreamU.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "platform/code_pages.h"
#include "platform/files.h"
#include "platform/utf16_text.h"
#include "platform/zip_archive.h"
#include "runtime1/lists/zip_utils.h"

using platform::ReadValueExact;
using platform::StreamReadError;
using platform::StreamWriteError;
using platform::WriteValue;
using platform::WriteValueExact;

const char16_t nowt[1] = {0};
int32_t temp_pointer_chars_allocated = 0;

namespace {

// The text up to its first NUL.
template <typename Unit>
std::basic_string_view<Unit> UpToNul(std::basic_string_view<Unit> text) {
  const size_t nul = text.find(Unit(0));
  return nul == std::basic_string_view<Unit>::npos ? text : text.substr(0, nul);
}

// Reads `n` units into a new text after checking that the stream still holds them; the
// result stops at its first NUL.
template <typename Unit>
std::basic_string<Unit> ReadUnits(TStream &stream, int64_t n, const char *routine) {
  if (n < 0 || n > stream.Remaining() / static_cast<int64_t>(sizeof(Unit))) {
    throw FileReadError(routine);
  }
  std::basic_string<Unit> text(static_cast<size_t>(n), Unit(0));
  if (n > 0) stream.ReadExact(text.data(), static_cast<size_t>(n) * sizeof(Unit));
  const size_t nul = text.find(Unit(0));
  if (nul != std::basic_string<Unit>::npos) text.resize(nul);
  return text;
}

}  // namespace

bool TMyFileStream::WriteAShortString(std::string_view s) {
  return WriteShortString(*this, s);
}

std::string ReadShortString(TStream &Stream) {
  const uint8_t n = ReadValueExact<uint8_t>(Stream);
  std::string s(n, '\0');
  if (n > 0) Stream.ReadExact(s.data(), n);
  return s;
}

bool WriteShortString(TStream &Stream, std::string_view s) {
  if (s.size() > 255) return false;
  WriteValueExact<uint8_t>(Stream, static_cast<uint8_t>(s.size()));
  if (!s.empty()) Stream.WriteExact(s.data(), s.size());
  return true;
}

std::string ReadAnsiPchar(TStream &Stream) {
  const uint16_t n = ReadValueExact<uint16_t>(Stream);
  return ReadUnits<char>(Stream, n, "ReadAnsiPchar");
}

int32_t WriteAnsiPchar(TStream &Stream, std::string_view p) {
  p = UpToNul(p);
  if (p.size() > 0xFFFF) return -1;
  WriteValueExact<uint16_t>(Stream, static_cast<uint16_t>(p.size()));
  return static_cast<int32_t>(Stream.Write(p.data(), p.size()));
}

std::u16string ReadWidePchar(TStream &Stream) {
  const int32_t n = ReadValueExact<int32_t>(Stream);
  return ReadUnits<char16_t>(Stream, n, "ReadWidePchar");
}

void WriteWidePchar(TStream &Stream, std::u16string_view p) {
  p = UpToNul(p);
  if (p.size() > static_cast<size_t>(INT32_MAX)) throw StreamWriteError();
  WriteValueExact<int32_t>(Stream, static_cast<int32_t>(p.size()));
  if (!p.empty()) Stream.WriteExact(p.data(), p.size() * 2);
}

template <typename Unit>
std::basic_string<Unit> ReadUnknownLengthPointerMaxSize(TStream &Stream, int32_t MaxSize) {
  temp_pointer_chars_allocated = ReadValueExact<int32_t>(Stream);
  if (temp_pointer_chars_allocated > MaxSize) throw FileReadError("ReadUnknownLengthPointer");
  return ReadUnits<Unit>(Stream, temp_pointer_chars_allocated, "ReadUnknownLengthPointer");
}

template <typename Unit>
bool WriteKnownLengthPointer(TStream &Stream, std::basic_string_view<Unit> p, int32_t n,
                             int32_t max_size) {
  if (n < 0 || static_cast<size_t>(n) > p.size() || n > max_size) return false;
  if (!WriteValue<int32_t>(Stream, n)) return false;
  const size_t bytes = static_cast<size_t>(n) * sizeof(Unit);
  return n == 0 || Stream.Write(p.data(), bytes) == bytes;
}

template <typename Unit>
bool WriteUnknownLengthPointer(TStream &Stream, std::basic_string_view<Unit> p, int32_t max_size) {
  p = UpToNul(p);
  if (p.size() > static_cast<size_t>(INT32_MAX)) return false;
  return WriteKnownLengthPointer<Unit>(Stream, p, static_cast<int32_t>(p.size()), max_size);
}

template <typename Unit>
bool WriteUnknownLengthPointer(TStream &Stream, const Unit *p, int32_t max_size) {
  return WriteUnknownLengthPointer<Unit>(Stream, platform::ViewOf(p), max_size);
}

template std::string ReadUnknownLengthPointerMaxSize<char>(TStream &, int32_t);
template std::u16string ReadUnknownLengthPointerMaxSize<char16_t>(TStream &, int32_t);
template bool WriteKnownLengthPointer<char>(TStream &, std::string_view, int32_t, int32_t);
template bool WriteKnownLengthPointer<char16_t>(TStream &, std::u16string_view, int32_t, int32_t);
template bool WriteUnknownLengthPointer<char>(TStream &, std::string_view, int32_t);
template bool WriteUnknownLengthPointer<char16_t>(TStream &, std::u16string_view, int32_t);
template bool WriteUnknownLengthPointer<char>(TStream &, const char *, int32_t);
template bool WriteUnknownLengthPointer<char16_t>(TStream &, const char16_t *, int32_t);

// ---------------------------------------------------------------------------------------------
// Zip entries

namespace {

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    size_t extra = 0;
    if (c < 0x80)
      extra = 0;
    else if (c >= 0xC2 && c <= 0xDF)
      extra = 1;
    else if (c >= 0xE0 && c <= 0xEF)
      extra = 2;
    else if (c >= 0xF0 && c <= 0xF4)
      extra = 3;
    else
      return false;
    if (i + extra >= bytes.size()) return false;
    for (size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

std::u16string Utf16FromBytes(std::string_view bytes, bool big_endian) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (size_t k = 0; k < text.size(); ++k) {
    const auto a = static_cast<unsigned char>(bytes[2 * k]);
    const auto b = static_cast<unsigned char>(bytes[2 * k + 1]);
    text[k] = static_cast<char16_t>(big_endian ? (a << 8 | b) : (b << 8 | a));
  }
  return text;
}

// An entry's bytes as text: a byte-order mark decides, then valid UTF-8, else the ANSI code
// page.
std::u16string DecodeEntryText(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return platform::Utf8ToUtf16(bytes.substr(3));
  if (bytes.starts_with("\xFF\xFE")) return Utf16FromBytes(bytes.substr(2), false);
  if (bytes.starts_with("\xFE\xFF")) return Utf16FromBytes(bytes.substr(2), true);
  if (IsValidUtf8(bytes)) return platform::Utf8ToUtf16(bytes);
  return platform::ToUtf16(bytes, platform::ResolveCodePage(0));
}

platform::ZipArchive OpenArchive(std::u16string_view archive) {
  platform::ZipArchive zip;
  std::string error;
  if (!zip.Open(platform::NativeFileName(archive), &error)) throw platform::Error(error);
  return zip;
}

std::u16string ExtractText(const platform::ZipArchive &zip, uint64_t index) {
  std::string error;
  const std::optional<std::string> bytes =
      zip.ExtractToString(index, platform::kDefaultExtractLimit, &error);
  if (!bytes) throw platform::Error(error);
  return DecodeEntryText(*bytes);
}

// The text of entry n (from 1), or nothing when n is outside the archive.
std::optional<std::u16string> EntryText(std::u16string_view archive, int32_t n) {
  const platform::ZipArchive zip = OpenArchive(archive);
  if (n < 1 || n > zip.EntryCount()) return std::nullopt;
  return ExtractText(zip, static_cast<uint64_t>(n - 1));
}

// Splits at CR LF, CR or LF; a break at the very end makes no empty last line.
std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  size_t start = 0;
  for (size_t k = 0; k < text.size(); ++k) {
    if (text[k] != u'\r' && text[k] != u'\n') continue;
    lines.push_back(text.substr(start, k - start));
    if (text[k] == u'\r' && k + 1 < text.size() && text[k + 1] == u'\n') ++k;
    start = k + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

std::u16string ContentsOfFileWithinZipFile(std::u16string_view combined) {
  const std::u16string archive = ZipFileFullFileName(combined);
  std::u16string inner = ZipFileWantedFileNameWithin(combined);
  if (archive.empty() || inner.empty()) return {};
  for (char16_t &c : inner) {
    if (c == u'\\') c = u'/';
  }
  const platform::ZipArchive zip = OpenArchive(archive);
  const std::string wanted = platform::Utf16ToUtf8(inner);
  std::optional<uint64_t> index = zip.FindEntry(wanted);
  if (!index) index = zip.FindEntry(wanted, true);
  if (!index) return {};
  return ExtractText(zip, *index);
}

std::u16string ContentsOfFileWithinZipFile(std::u16string_view archive, int32_t n) {
  return EntryText(archive, n).value_or(std::u16string());
}

std::u16string OpenedAZipFileToTempDir(std::u16string_view archive, int32_t n) {
  const std::optional<std::u16string> text = EntryText(archive, n);
  if (!text) return {};
  platform::MemoryStream bytes;
  WriteValueExact<uint16_t>(bytes, 0xFEFF);
  for (std::u16string_view line : SplitLines(*text)) {
    bytes.WriteExact(line.data(), line.size() * 2);
    bytes.WriteExact(u"\r\n", 4);
  }
  const std::string path =
      platform::MakeUniqueFile(platform::PrivateTempFolder(), "tempzip", ".txt");
  try {
    platform::FileStream file(path, platform::FileStream::Mode::kCreate);
    file.WriteExact(bytes.Bytes().data(), bytes.Bytes().size());
    if (!file.Flush()) throw StreamWriteError();
  } catch (...) {
    std::remove(path.c_str());
    throw;
  }
  return platform::Utf8ToUtf16(path);
}
