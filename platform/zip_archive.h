// Zip archives on libzip: replaces the original platform's zip component. The runtime uses it
// through these operations only: open an archive by name, list its entries with their details,
// find an entry by name, extract an entry to bytes, a string or a receiving callback (a
// "stream"), read the archive comment, close. A small writer makes archives (tests, batch
// files). Differs from the original in that errors are values, not exceptions, and that every
// extraction carries a size cap.
//
// API (stable; other units build on it):
//
//   platform::ZipArchive zip;
//   std::string error;
//   if (!zip.Open("/texts/batch.zip", &error)) { ... error says why ... }
//   int64_t n = zip.EntryCount();                       // -1 when not open
//   std::optional<ZipEntryInfo> e = zip.Entry(0);        // details of entry 0 (0-based)
//   std::vector<ZipEntryInfo> all = zip.Entries();       // details of every entry, in order
//   std::optional<uint64_t> i = zip.FindEntry("a/b.txt");            // exact stored name
//   std::optional<uint64_t> j = zip.FindEntry("A/B.TXT", true);      // ASCII case ignored
//   auto bytes = zip.ExtractToBytes(0, kDefaultExtractLimit, &error);  // optional<vector<uint8_t>>
//   auto text = zip.ExtractToString(0, kDefaultExtractLimit, &error);   // optional<string>
//   bool ok = zip.ExtractTo(0, sink, limit, &error);  // sink(const uint8_t *, size_t) -> bool
//   bool ok2 = zip.ExtractToStream(0, stream, limit, &error);  // any platform::Stream
//   std::string comment = zip.Comment();  // UTF-8; empty when none or not open
//   zip.Close();                          // also done by the destructor
//
//   platform::ZipWriter w;
//   w.Create("/tmp/x.zip", &error); w.AddFile("a.txt", bytes); w.AddFolder("sub/");
//   w.SetComment("Corvane Batch file .cnc"); w.Commit(&error);
//
// Rules:
// - Errors are values: every operation answers false, an empty optional, -1 or an empty text,
//   with a message in *error when the caller passes one (also kept in LastError()). A missing,
//   empty, truncated or corrupt archive, a damaged entry, a wrong CRC, an encrypted entry or an
//   entry larger than the cap never crashes and never throws.
// - Names are UTF-8. File names are the Linux path bytes. Entry names and the comment are
//   given as libzip decodes them: UTF-8 when the archive says so or when the bytes are valid
//   UTF-8, otherwise read as code page 437 and converted to UTF-8. `raw_name` and RawComment()
//   keep the stored bytes for callers that decode legacy names themselves.
// - Entry indexes are 0-based, as in the original component (callers add 1 where they count
//   from 1).
// - Extraction stops with an error once more than `max_bytes` bytes came out, whatever the
//   entry's declared size says, so a zip bomb cannot exhaust memory. An entry whose declared
//   size is already above the cap is refused before any byte is inflated.
// - The writer builds the archive in memory and writes it on Commit through a temporary file
//   in the same folder that is renamed over the target, so a failure leaves an older file as
//   it was. libzip writes nothing for an archive without entries (it removes the target); an
//   archive with only a comment cannot be made through the writer.
// - One object is used by one thread at a time; the class is movable, not copyable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct zip;

namespace platform {

class Stream;

// Default cap on the bytes that one extraction may produce: 256 MiB.
constexpr uint64_t kDefaultExtractLimit = 256ull * 1024 * 1024;

// The details of one archive entry.
struct ZipEntryInfo {
  uint64_t index = 0;                // 0-based position in the central directory
  std::string name;                  // stored name in UTF-8 (see the rules above), with '/' inside
  std::string raw_name;              // the stored name's bytes as they are in the archive
  uint64_t size = 0;                 // uncompressed size as the archive declares it
  uint64_t compressed_size = 0;      // compressed size as the archive declares it
  std::time_t modified = 0;          // modification time (the entry's DOS time read as local time)
  bool is_folder = false;            // the name ends with '/' (or '\') and the entry holds no data
  uint32_t crc = 0;                  // CRC-32 of the uncompressed data as declared
  uint16_t compression_method = 0;   // 0 stored, 8 deflate, ...
  bool encrypted = false;            // the entry needs a password (extraction then fails)
  uint8_t made_by_system = 0;        // host system of the external attributes (0 DOS, 3 Unix ...)
  uint32_t external_attributes = 0;  // DOS attributes in the low byte, or Unix mode << 16
};

// Receives the extracted data in pieces; returning false stops the extraction with an error.
using ZipDataSink = std::function<bool(const uint8_t *data, size_t size)>;

class ZipArchive {
 public:
  ZipArchive();
  ~ZipArchive();
  ZipArchive(ZipArchive &&other) noexcept;
  ZipArchive &operator=(ZipArchive &&other) noexcept;
  ZipArchive(const ZipArchive &) = delete;
  ZipArchive &operator=(const ZipArchive &) = delete;

  // Opens an archive file for reading (closing any archive held before). False, with a
  // message, when the file is missing, unreadable, empty or not a zip archive.
  bool Open(const std::string &file_name, std::string *error = nullptr);
  // Opens an archive held in memory; the object keeps its own copy of the bytes.
  bool OpenFromBytes(std::vector<uint8_t> bytes, std::string *error = nullptr);
  bool IsOpen() const { return archive_ != nullptr; }
  void Close();
  const std::string &FileName() const { return file_name_; }

  // The number of entries; -1 when no archive is open.
  int64_t EntryCount() const;
  // The details of one entry; empty when the index is out of range or the entry is unreadable.
  std::optional<ZipEntryInfo> Entry(uint64_t index) const;
  // The details of every readable entry, in archive order.
  std::vector<ZipEntryInfo> Entries() const;
  // The index of the first entry whose UTF-8 name equals `name` (ignoring ASCII case when
  // asked); empty when there is none.
  std::optional<uint64_t> FindEntry(std::string_view name, bool ignore_case = false) const;

  // Extraction of one entry. All answer empty/false with a message on any failure.
  std::optional<std::vector<uint8_t>> ExtractToBytes(uint64_t index,
                                                     uint64_t max_bytes = kDefaultExtractLimit,
                                                     std::string *error = nullptr) const;
  std::optional<std::string> ExtractToString(uint64_t index,
                                             uint64_t max_bytes = kDefaultExtractLimit,
                                             std::string *error = nullptr) const;
  bool ExtractTo(uint64_t index, const ZipDataSink &sink, uint64_t max_bytes = kDefaultExtractLimit,
                 std::string *error = nullptr) const;
  // Writes the entry's data at the stream's position; false when extraction or a write fails
  // (the stream may then hold part of the data).
  bool ExtractToStream(uint64_t index, Stream &out, uint64_t max_bytes = kDefaultExtractLimit,
                       std::string *error = nullptr) const;

  // The archive comment in UTF-8 (see the rules), or its stored bytes; empty when the archive
  // has none or no archive is open.
  std::string Comment() const;
  std::string RawComment() const;

  // The message of the last failure of this object (empty after a success of Open).
  const std::string &LastError() const { return last_error_; }

 private:
  bool Fail(std::string message, std::string *error) const;
  bool FinishOpen(struct zip *archive, std::string *error);

  struct zip *archive_ = nullptr;
  std::string file_name_;
  std::unique_ptr<std::vector<uint8_t>> memory_;  // the bytes of an archive opened in memory
  mutable std::string last_error_;
};

// Makes a new archive. Nothing reaches the disk before Commit.
class ZipWriter {
 public:
  ZipWriter();
  ~ZipWriter();  // discards an archive that was not committed
  ZipWriter(const ZipWriter &) = delete;
  ZipWriter &operator=(const ZipWriter &) = delete;

  // Starts a new archive that will replace `file_name` on Commit.
  bool Create(const std::string &file_name, std::string *error = nullptr);
  // Adds a file entry (deflated) with the given UTF-8 name; a modification time of 0 keeps
  // the time of the moment of adding.
  bool AddFile(std::string_view name, const void *data, size_t size, std::time_t modified = 0,
               std::string *error = nullptr);
  bool AddFile(std::string_view name, std::string_view data, std::time_t modified = 0,
               std::string *error = nullptr) {
    return AddFile(name, data.data(), data.size(), modified, error);
  }
  // Adds a folder entry; a trailing '/' is added when missing.
  bool AddFolder(std::string_view name, std::string *error = nullptr);
  bool SetComment(std::string_view comment_utf8, std::string *error = nullptr);
  // Writes the archive (temporary file + rename) and ends this writer.
  bool Commit(std::string *error = nullptr);
  // Ends this writer without writing anything.
  void Discard();

 private:
  bool Fail(std::string message, std::string *error);
  struct zip *archive_ = nullptr;
};

}  // namespace platform
