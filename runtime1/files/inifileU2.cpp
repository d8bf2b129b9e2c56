#include "runtime1/files/inifileU2.h"

#include <utility>

#include "platform/case_mapping.h"
#include "platform/code_pages.h"
#include "platform/file_ops.h"
#include "platform/files.h"
#include "platform/integer_text.h"
#include "platform/utf16_text.h"

const std::u16string ident_YES = u"YES";
const std::u16string ident_NO = u"NO";

namespace {

constexpr uint32_t kNeutralCaseLocale = 0x0409;

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  if (a == b) return true;
  std::u16string la(a), lb(b);
  platform::LowerCaseInPlace(la, kNeutralCaseLocale);
  platform::LowerCaseInPlace(lb, kNeutralCaseLocale);
  return la == lb;
}

bool IsValidUtf8(const std::vector<uint8_t> &bytes, size_t from) {
  size_t i = from;
  while (i < bytes.size()) {
    const uint8_t b = bytes[i];
    size_t extra = 0;
    uint32_t cp = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      extra = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      extra = 2;
      cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      extra = 3;
      cp = b & 0x07;
    } else {
      return false;
    }
    if (i + extra >= bytes.size()) return false;
    for (size_t k = 1; k <= extra; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (bytes[i + k] & 0x3F);
    }
    if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
        (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF))) {
      return false;
    }
    i += extra + 1;
  }
  return true;
}

std::u16string DecodeUtf16(const std::vector<uint8_t> &bytes, size_t from, bool big_endian) {
  std::u16string text;
  text.reserve((bytes.size() - from) / 2);
  for (size_t i = from; i + 1 < bytes.size(); i += 2) {
    const uint8_t first = bytes[i], second = bytes[i + 1];
    text.push_back(big_endian ? static_cast<char16_t>(first << 8 | second)
                              : static_cast<char16_t>(second << 8 | first));
  }
  return text;
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace

std::u16string DecodeSettingsText(const std::vector<uint8_t> &bytes) {
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
    return DecodeUtf16(bytes, 2, false);
  if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return DecodeUtf16(bytes, 2, true);
  size_t from = 0;
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) from = 3;
  const std::string_view raw(reinterpret_cast<const char *>(bytes.data()) + from,
                             bytes.size() - from);
  if (from == 3 || IsValidUtf8(bytes, 0)) return platform::Utf8ToUtf16(raw);
  return platform::ToUtf16(raw, 0);
}

TMyMemIniFile::TMyMemIniFile(std::u16string file_name) : file_name_(std::move(file_name)) {
  if (file_name_.empty()) return;
  const auto bytes = platform::ReadWholeFile(platform::NativeFileName(file_name_));
  if (!bytes) return;
  SetStrings(SplitLines(DecodeSettingsText(*bytes)));
}

const TMyMemIniFile::Section *TMyMemIniFile::FindSection(std::u16string_view name) const {
  for (const Section &s : sections_) {
    if (SameName(s.name, name)) return &s;
  }
  return nullptr;
}

TMyMemIniFile::Section *TMyMemIniFile::FindSection(std::u16string_view name) {
  return const_cast<Section *>(std::as_const(*this).FindSection(name));
}

const TMyMemIniFile::Entry *TMyMemIniFile::FindEntry(std::u16string_view section,
                                                     std::u16string_view ident) const {
  const Section *s = FindSection(section);
  if (s == nullptr) return nullptr;
  for (const Entry &e : s->entries) {
    if (!e.name.empty() && SameName(e.name, ident)) return &e;
  }
  return nullptr;
}

std::u16string TMyMemIniFile::ReadString(std::u16string_view section, std::u16string_view ident,
                                         std::u16string_view default_value) const {
  const Entry *e = FindEntry(section, ident);
  return e != nullptr ? e->value : std::u16string(default_value);
}

void TMyMemIniFile::WriteString(std::u16string_view section, std::u16string_view ident,
                                std::u16string_view value) {
  Entry *e = const_cast<Entry *>(FindEntry(section, ident));
  if (e != nullptr) {
    e->value = value;
    return;
  }
  Section *s = FindSection(section);
  if (s == nullptr) {
    sections_.push_back(Section{std::u16string(section), {}});
    s = &sections_.back();
  }
  s->entries.push_back(Entry{std::u16string(ident), std::u16string(value), {}});
}

int32_t TMyMemIniFile::ReadInteger(std::u16string_view section, std::u16string_view ident,
                                   int32_t default_value) const {
  const Entry *e = FindEntry(section, ident);
  if (e == nullptr) return default_value;
  return platform::TryStrToInt(e->value).value_or(default_value);
}

void TMyMemIniFile::WriteInteger(std::u16string_view section, std::u16string_view ident,
                                 int32_t value) {
  WriteString(section, ident, platform::Utf8ToUtf16(std::to_string(value)));
}

bool TMyMemIniFile::ReadBool(std::u16string_view section, std::u16string_view ident,
                             bool default_value) const {
  if (default_value) {
    const std::u16string value = ReadString(section, ident, ident_YES);
    return !value.empty() && value[0] == u'Y';
  }
  const std::u16string value = ReadString(section, ident, ident_NO);
  return value.empty() || value[0] != u'N';
}

void TMyMemIniFile::WriteBool(std::u16string_view section, std::u16string_view ident, bool value) {
  WriteString(section, ident, value ? ident_YES : ident_NO);
}

bool TMyMemIniFile::SectionExists(std::u16string_view section) const {
  return FindSection(section) != nullptr;
}

bool TMyMemIniFile::ValueExists(std::u16string_view section, std::u16string_view ident) const {
  return FindEntry(section, ident) != nullptr;
}

std::vector<std::u16string> TMyMemIniFile::ReadSections() const {
  std::vector<std::u16string> names;
  for (const Section &s : sections_) names.push_back(s.name);
  return names;
}

std::vector<std::u16string> TMyMemIniFile::ReadSection(std::u16string_view section) const {
  std::vector<std::u16string> keys;
  if (const Section *s = FindSection(section)) {
    for (const Entry &e : s->entries) {
      if (!e.name.empty()) keys.push_back(e.name);
    }
  }
  return keys;
}

void TMyMemIniFile::EraseSection(std::u16string_view section) {
  std::erase_if(sections_, [&](const Section &s) { return SameName(s.name, section); });
}

void TMyMemIniFile::DeleteKey(std::u16string_view section, std::u16string_view ident) {
  if (Section *s = FindSection(section)) {
    for (auto it = s->entries.begin(); it != s->entries.end(); ++it) {
      if (!it->name.empty() && SameName(it->name, ident)) {
        s->entries.erase(it);
        return;
      }
    }
  }
}

void TMyMemIniFile::Clear() {
  sections_.clear();
}

std::vector<std::u16string> TMyMemIniFile::GetStrings() const {
  std::vector<std::u16string> lines;
  for (const Section &s : sections_) {
    lines.push_back(u"[" + s.name + u"]");
    for (const Entry &e : s.entries) {
      lines.push_back(e.name.empty() ? e.raw : e.name + u"=" + e.value);
    }
    lines.emplace_back();
  }
  return lines;
}

void TMyMemIniFile::SetStrings(const std::vector<std::u16string> &lines) {
  sections_.clear();
  Section *current = nullptr;
  for (const std::u16string &line : lines) {
    const std::u16string_view s = platform::Trim(std::u16string_view(line));
    if (s.empty() || s[0] == u';') continue;
    if (s.front() == u'[' && s.back() == u']' && s.size() >= 2) {
      const std::u16string_view name = platform::Trim(s.substr(1, s.size() - 2));
      current = FindSection(name);  // a repeated section continues the first one
      if (current == nullptr) {
        sections_.push_back(Section{std::u16string(name), {}});
        current = &sections_.back();
      }
      continue;
    }
    if (current == nullptr) continue;  // lines before the first section are ignored
    const size_t equals = s.find(u'=');
    if (equals == std::u16string_view::npos || equals == 0) {
      current->entries.push_back(Entry{{}, {}, std::u16string(s)});
      continue;
    }
    const std::u16string_view name = platform::Trim(s.substr(0, equals));
    const std::u16string_view value = platform::Trim(s.substr(equals + 1));
    if (name.empty()) {
      current->entries.push_back(Entry{{}, {}, std::u16string(s)});
      continue;
    }
    current->entries.push_back(Entry{std::u16string(name), std::u16string(value), {}});
  }
}

bool TMyMemIniFile::UpdateFile() {
  if (file_name_.empty()) return false;
  std::vector<uint8_t> bytes = {0xFF, 0xFE};
  for (const std::u16string &line : GetStrings()) {
    for (char16_t unit : line) {
      bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
      bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    for (char16_t unit : std::u16string_view(u"\r\n")) {
      bytes.push_back(static_cast<uint8_t>(unit));
      bytes.push_back(0);
    }
  }
  return platform::WriteFileAtomically(platform::NativeFileName(file_name_), bytes);
}

bool TMyMemIniFile::SaveABackup() {
  if (file_name_.empty()) return false;
  const std::string name = platform::NativeFileName(file_name_);
  if (!platform::FileExists(name)) return false;
  return platform::CopyFileReplacing(name, platform::ChangeFileExtension(name, ".BAK"));
}
