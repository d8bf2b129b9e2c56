// Ini files held in memory: the whole file is read when the object is made (UTF-16 of either
// byte order, UTF-8 or 8-bit text by its byte-order mark) and written back as UTF-16 LE with a
// byte-order mark on UpdateFile, through a temporary file so that a failed write loses
// nothing. Booleans are stored as the words YES and NO.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The words that store booleans.
extern const std::u16string ident_YES;  // "YES"
extern const std::u16string ident_NO;   // "NO"

class TMyMemIniFile {
 public:
  // Loads the file (a missing, unreadable or empty file gives an empty ini). Section and key
  // names are compared ignoring case.
  explicit TMyMemIniFile(std::u16string file_name);

  const std::u16string &FileName() const { return file_name_; }

  // The value, or `default_value` when the section or key is absent.
  std::u16string ReadString(std::u16string_view section, std::u16string_view ident,
                            std::u16string_view default_value) const;
  // Replaces the value, or adds the key (and the section) at the end.
  void WriteString(std::u16string_view section, std::u16string_view ident,
                   std::u16string_view value);
  // The value read as a 32-bit integer (decimal, or hexadecimal after "$" or "0x"); the
  // default when absent or unreadable.
  int32_t ReadInteger(std::u16string_view section, std::u16string_view ident,
                      int32_t default_value) const;
  void WriteInteger(std::u16string_view section, std::u16string_view ident, int32_t value);

  // With default true the value is read with "YES" as default, and the result is false
  // exactly when its first character is not "Y" (an empty value reads as false); with default
  // false it is read with "NO" as default, and the result is true exactly when its first
  // character is not "N" (an empty value reads as true). Case matters: "yes" is not "YES".
  bool ReadBool(std::u16string_view section, std::u16string_view ident, bool default_value) const;
  // Writes "YES" or "NO".
  void WriteBool(std::u16string_view section, std::u16string_view ident, bool value);

  bool SectionExists(std::u16string_view section) const;
  bool ValueExists(std::u16string_view section, std::u16string_view ident) const;
  // The section names in file order; the key names of one section in order.
  std::vector<std::u16string> ReadSections() const;
  std::vector<std::u16string> ReadSection(std::u16string_view section) const;
  void EraseSection(std::u16string_view section);
  void DeleteKey(std::u16string_view section, std::u16string_view ident);
  void Clear();

  // The ini as text lines ("[section]", "key=value", other lines as they were read).
  std::vector<std::u16string> GetStrings() const;
  // Replaces the contents with parsed lines.
  void SetStrings(const std::vector<std::u16string> &lines);

  // Writes the file back: UTF-16 LE with FF FE, lines ending CR LF, through a temporary file
  // renamed over the old one. False (old file unchanged) when the name is empty or the write
  // fails.
  bool UpdateFile();

  // When the file name is not empty and the file exists, copies it to the same name with the
  // extension ".BAK" (replacing an older backup) and returns whether the copy succeeded;
  // otherwise false.
  bool SaveABackup();

 private:
  struct Entry {
    std::u16string name;  // empty for a line without "=" (kept as it was read)
    std::u16string value;
    std::u16string raw;
  };
  struct Section {
    std::u16string name;
    std::vector<Entry> entries;
  };

  const Section *FindSection(std::u16string_view name) const;
  Section *FindSection(std::u16string_view name);
  const Entry *FindEntry(std::u16string_view section, std::u16string_view ident) const;

  std::u16string file_name_;
  std::vector<Section> sections_;
};

// Decodes the bytes of a text file by its byte-order mark (FF FE, FE FF, EF BB BF); without
// one, as UTF-8 when the bytes are valid UTF-8, else in the ANSI code page. Exposed for tests
// and other readers of settings files.
std::u16string DecodeSettingsText(const std::vector<uint8_t> &bytes);
