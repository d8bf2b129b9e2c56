// Feeds arbitrary bytes to the readers of saved files: a zip archive opened from memory (entries
// listed and extracted under a small cap), the 57-byte saved-list header, and an ini file read
// from disk, whose sections and values are read, written out again and read once more.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "platform/streams.h"
#include "platform/utf16_text.h"
#include "platform/zip_archive.h"
#include "runtime1/definitions/basic_types.h"
#include "runtime1/files/inifileU2.h"

namespace {

void ReadAsZip(const uint8_t *data, size_t size) {
  platform::ZipArchive zip;
  if (!zip.OpenFromBytes(std::vector<uint8_t>(data, data + size))) return;
  for (const platform::ZipEntryInfo &entry : zip.Entries()) {
    if (entry.index >= 16) break;
    (void)zip.ExtractToBytes(entry.index, 1 << 20);
  }
  (void)zip.Comment();
}

void ReadAsHeader(const uint8_t *data, size_t size) {
  if (size < TCheckSignature::kSize) return;
  (void)TCheckSignature::FromBytes(std::span<const uint8_t, TCheckSignature::kSize>(data, 57));
}

void ReadAsIni(const uint8_t *data, size_t size) {
  static const std::string folder = platform::PrivateTempFolder();
  static const std::string name = folder + "/fuzz.ini";
  std::ofstream(name, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
  TMyMemIniFile ini(platform::Utf8ToUtf16(name));
  for (const std::u16string &section : ini.ReadSections())
    for (const std::u16string &key : ini.ReadSection(section))
      (void)ini.ReadBool(section, key, false);
  ini.WriteBool(u"Fuzz", u"Seen", true);
  if (!ini.UpdateFile()) return;
  TMyMemIniFile again(platform::Utf8ToUtf16(name));
  (void)again.ReadSections();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  ReadAsZip(data, size);
  ReadAsHeader(data, size);
  ReadAsIni(data, size);
  return 0;
}
