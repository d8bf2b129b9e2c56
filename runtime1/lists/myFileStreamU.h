// Text layouts of the binary streams in which saved lists and settings keep their texts, and
// helpers that take one file out of a zip archive. Every layout stores a little-endian count
// followed by the text's units, without a terminating NUL.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/error.h"
#include "platform/streams.h"

using TStream = platform::Stream;

// Raised by a reader whose stored count is negative or larger than its limit or than the bytes
// left in the stream. The message is "file read error : " followed by the reader's name.
class FileReadError : public platform::Error {
 public:
  explicit FileReadError(const std::string &routine)
      : platform::Error("file read error : " + routine) {}
};

// An empty NUL-terminated text.
extern const char16_t nowt[1];
// The count most recently read by ReadUnknownLengthPointerMaxSize, set before it is checked.
extern int32_t temp_pointer_chars_allocated;

// The default maximum of ReadUnknownLengthPointer, in characters.
constexpr int32_t kPointerTextDefaultMaxSize = 50000;

// A buffered file stream that can also write short strings.
class TMyFileStream : public platform::FileStream {
 public:
  using platform::FileStream::FileStream;
  // As WriteShortString on this stream.
  bool WriteAShortString(std::string_view s);
};

// Short string: 1 length byte, then that many bytes of 8-bit text.
// Reads one; raises StreamReadError when the stream ends early (nothing is returned then).
std::string ReadShortString(TStream &Stream);
// Writes `s`; false, with nothing written, when it is longer than 255 bytes. Raises
// StreamWriteError when the stream takes fewer bytes.
bool WriteShortString(TStream &Stream, std::string_view s);

// 8-bit text with a 2-byte count. The text written is `p` up to its first NUL.
// Reads one and returns the text up to its first NUL; raises FileReadError
// ("ReadAnsiPchar") when the count passes the end of the stream, StreamReadError on a short
// read.
std::string ReadAnsiPchar(TStream &Stream);
// Returns the number of text bytes written; -1, with nothing written, for a text longer than
// 65535 bytes. Raises StreamWriteError when the stream takes fewer bytes.
int32_t WriteAnsiPchar(TStream &Stream, std::string_view p);

// UTF-16 text with a 4-byte signed count of code units. The text written is `p` up to its
// first NUL.
// Reads one and returns the text up to its first NUL; raises FileReadError ("ReadWidePchar")
// for a negative count or one that passes the end of the stream.
std::u16string ReadWidePchar(TStream &Stream);
// Raises StreamWriteError when the stream takes fewer bytes.
void WriteWidePchar(TStream &Stream, std::u16string_view p);

// Counted pointer text: a 4-byte signed count of characters, then the characters as UTF-16
// (Unit = char16_t) or 8-bit (Unit = char) units; the bytes do not record which, so the
// reader must use the writer's unit type.
//
// Reads one: sets temp_pointer_chars_allocated to the stored count, then raises FileReadError
// ("ReadUnknownLengthPointer") when it is negative, above MaxSize or past the end of the
// stream. Returns the text up to its first NUL; an empty text for a count of 0.
template <typename Unit>
std::basic_string<Unit> ReadUnknownLengthPointerMaxSize(TStream &Stream, int32_t MaxSize);
// The same with a maximum of 50000 characters.
template <typename Unit>
std::basic_string<Unit> ReadUnknownLengthPointer(TStream &Stream) {
  return ReadUnknownLengthPointerMaxSize<Unit>(Stream, kPointerTextDefaultMaxSize);
}
// Writes `p` up to its first NUL; a null `p` is written as the count 0. False, with nothing
// written, when the text has more than `max_size` characters (the reader's limit); false when
// the stream takes fewer bytes.
template <typename Unit>
bool WriteUnknownLengthPointer(TStream &Stream, const Unit *p,
                               int32_t max_size = kPointerTextDefaultMaxSize);
template <typename Unit>
bool WriteUnknownLengthPointer(TStream &Stream, std::basic_string_view<Unit> p,
                               int32_t max_size = kPointerTextDefaultMaxSize);
// Writes the first n characters of `p` (NULs included). False, with nothing written, when n
// is negative, larger than `p` or above `max_size`; false when the stream takes fewer bytes.
template <typename Unit>
bool WriteKnownLengthPointer(TStream &Stream, std::basic_string_view<Unit> p, int32_t n,
                             int32_t max_size = kPointerTextDefaultMaxSize);

// The text of a file inside a zip archive, decoded to UTF-16 (a byte-order mark or valid UTF-8
// decides; other bytes are read in the ANSI code page).
// `combined` is an archive name followed by the name of a file inside it, as in
// "/corpus/texts.zip/a/b.txt" (see ZipFileFullFileName). Empty when the name has no archive
// part or the archive has no such file; raises platform::Error when the archive is missing or
// damaged or the entry cannot be extracted.
std::u16string ContentsOfFileWithinZipFile(std::u16string_view combined);
// The same for entry n of the archive, counted from 1; empty when n is outside 1..entries.
std::u16string ContentsOfFileWithinZipFile(std::u16string_view archive, int32_t n);
// Writes entry n (from 1) of the archive as UTF-16 text with a byte-order mark, each line
// followed by CR LF, into a new file with a unique name in this process's private temporary
// folder, and returns its path; the caller owns the file. Empty, with nothing written, when n
// is outside 1..entries. Raises platform::Error as ContentsOfFileWithinZipFile.
std::u16string OpenedAZipFileToTempDir(std::u16string_view archive, int32_t n);
