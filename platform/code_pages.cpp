#include "platform/code_pages.h"

#include <unicode/ucnv.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <unordered_map>

namespace platform {

namespace {

uint32_t InitialAnsiCodePage() {
  const char *env = std::getenv("QV7_ANSI_CODEPAGE");
  if (env == nullptr || *env == '\0') return kDefaultAnsiCodePage;
  char *end = nullptr;
  const unsigned long value = std::strtoul(env, &end, 10);
  if (*end != '\0' || value == 0 || value > 65535) return kDefaultAnsiCodePage;
  return static_cast<uint32_t>(value);
}

uint32_t &AnsiSetting() {
  static uint32_t setting = InitialAnsiCodePage();
  return setting;
}

// Windows code page numbers whose ICU name does not follow the "windows-N" or "cpN" patterns,
// or where those patterns name the wrong thing (ICU reads "cp1200" as big-endian UTF-16).
const char *SpecialConverterName(uint32_t code_page) {
  switch (code_page) {
    case 1200:
      return "UTF-16LE";
    case 1201:
      return "UTF-16BE";
    case 12000:
      return "UTF-32LE";
    case 12001:
      return "UTF-32BE";
    case 65000:
      return "UTF-7";
    case 65001:
      return "UTF-8";
    case 20127:
      return "US-ASCII";
    case 20866:
      return "KOI8-R";
    case 21866:
      return "KOI8-U";
    case 20932:
      return "EUC-JP";
    case 51932:
      return "EUC-JP";
    case 51949:
      return "EUC-KR";
    case 54936:
      return "GB18030";
    case 50220:
      return "ISO-2022-JP";
    case 10000:
      return "macintosh";
    case 932:
      return "windows-932";
    case 936:
      return "windows-936";
    case 949:
      return "windows-949";
    case 950:
      return "windows-950";
    default:
      break;
  }
  if (code_page >= 28591 && code_page <= 28606) {
    static const std::array<const char *, 16> kIso = {
        "ISO-8859-1",  "ISO-8859-2",  "ISO-8859-3",  "ISO-8859-4",  "ISO-8859-5",  "ISO-8859-6",
        "ISO-8859-7",  "ISO-8859-8",  "ISO-8859-9",  "ISO-8859-10", "ISO-8859-11", nullptr,
        "ISO-8859-13", "ISO-8859-14", "ISO-8859-15", "ISO-8859-16"};
    return kIso[code_page - 28591];
  }
  return nullptr;
}

struct ConverterCloser {
  void operator()(UConverter *c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr OpenByName(const char *name) {
  UErrorCode status = U_ZERO_ERROR;
  UConverter *c = ucnv_open(name, &status);
  if (U_FAILURE(status)) return nullptr;
  return ConverterPtr(c);
}

ConverterPtr OpenConverter(uint32_t code_page) {
  if (const char *special = SpecialConverterName(code_page)) return OpenByName(special);
  for (const char *pattern : {"windows-%u", "cp%u", "ibm-%u"}) {
    char name[32];
    std::snprintf(name, sizeof name, pattern, code_page);
    if (ConverterPtr c = OpenByName(name)) return c;
  }
  return nullptr;
}

// One converter per code page, opened on first use and kept for the life of the process;
// a single-byte code page also gets a 256-entry table so that its common conversions need no
// call into ICU. Code pages are only used from the host's one thread; the cache is per thread
// so that a second thread can never share a converter's state.
struct CodePageEntry {
  ConverterPtr converter;
  bool single_byte = false;
  std::array<char16_t, 256> to_utf16{};
};

CodePageEntry *Lookup(uint32_t code_page) {
  thread_local std::unordered_map<uint32_t, std::unique_ptr<CodePageEntry>> cache;
  auto found = cache.find(code_page);
  if (found != cache.end()) return found->second.get();
  auto entry = std::make_unique<CodePageEntry>();
  entry->converter = OpenConverter(code_page);
  if (entry->converter) {
    UConverter *c = entry->converter.get();
    ucnv_setFallback(c, true);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setSubstChars(c, "?", 1, &status);
    entry->single_byte = ucnv_getMaxCharSize(c) == 1 && ucnv_getMinCharSize(c) == 1;
    if (entry->single_byte) {
      for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        char16_t unit = 0xFFFD;
        status = U_ZERO_ERROR;
        ucnv_reset(c);
        const int32_t n = ucnv_toUChars(c, &unit, 1, &byte, 1, &status);
        entry->to_utf16[b] = (U_SUCCESS(status) && n == 1) ? unit : char16_t{0xFFFD};
      }
      ucnv_reset(c);
    }
  }
  CodePageEntry *raw = entry.get();
  cache.emplace(code_page, std::move(entry));
  return raw;
}

CodePageEntry *LookupOrWestern(uint32_t code_page) {
  CodePageEntry *entry = Lookup(ResolveCodePage(code_page));
  if (!entry->converter) entry = Lookup(kDefaultAnsiCodePage);
  return entry;
}

}  // namespace

uint32_t AnsiCodePage() {
  return AnsiSetting();
}

void SetAnsiCodePage(uint32_t code_page) {
  AnsiSetting() = code_page == 0 ? kDefaultAnsiCodePage : code_page;
}

uint32_t ResolveCodePage(uint32_t code_page) {
  return code_page == 0 ? AnsiCodePage() : code_page;
}

bool IsCodePageAvailable(uint32_t code_page) {
  return Lookup(ResolveCodePage(code_page))->converter != nullptr;
}

bool IsSingleByteCodePage(uint32_t code_page) {
  return LookupOrWestern(code_page)->single_byte;
}

std::u16string ToUtf16(std::string_view bytes, uint32_t code_page) {
  CodePageEntry *entry = LookupOrWestern(code_page);
  if (entry->single_byte) {
    std::u16string out(bytes.size(), u'\0');
    for (size_t i = 0; i < bytes.size(); ++i)
      out[i] = entry->to_utf16[static_cast<unsigned char>(bytes[i])];
    return out;
  }
  UConverter *c = entry->converter.get();
  ucnv_reset(c);
  std::u16string out(bytes.size() * 2 + 2, u'\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = ucnv_toUChars(c, out.data(), static_cast<int32_t>(out.size()), bytes.data(),
                                  static_cast<int32_t>(bytes.size()), &status);
  if (U_FAILURE(status)) return {};
  out.resize(static_cast<size_t>(n));
  return out;
}

std::string FromUtf16(std::u16string_view text, uint32_t code_page) {
  CodePageEntry *entry = LookupOrWestern(code_page);
  UConverter *c = entry->converter.get();
  ucnv_reset(c);
  std::string out(text.size() * static_cast<size_t>(ucnv_getMaxCharSize(c)) + 4, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = ucnv_fromUChars(c, out.data(), static_cast<int32_t>(out.size()), text.data(),
                                    static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status)) return {};
  out.resize(static_cast<size_t>(n));
  return out;
}

}  // namespace platform
