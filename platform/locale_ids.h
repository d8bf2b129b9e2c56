// Locale identifiers (LCID): the ANSI code page and ISO 639 language code of each.
// Stands in for the platform's locale queries (LOCALE_IDEFAULTANSICODEPAGE and the language
// name). The table covers the languages that have an LCID; sublanguages that differ from their
// primary language in script (Serbian, Azeri, Uzbek, Chinese) have rows of their own.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

constexpr uint32_t kLocaleUserDefault = 0x0400;
constexpr uint32_t kLocaleSystemDefault = 0x0800;

constexpr uint32_t PrimaryLanguageOf(uint32_t lcid) {
  return lcid & 0x3FF;
}

constexpr uint32_t kLangTurkish = 0x1F;
constexpr uint32_t kLangAzeri = 0x2C;

// The ANSI code page of a locale. 0 for a language that has none (written only in Unicode,
// such as Hindi or Armenian), for an unknown identifier and for the neutral and default
// locales: code page 0 stands for the process's ANSI code page wherever text is converted.
uint32_t AnsiCodePageOfLocale(uint32_t lcid);

// The ISO 639 code (with an ICU script or region where the identifier implies one, such as
// "sr_Cyrl" or "zh_TW"), or "" for an unknown identifier and the default locales.
std::string IcuLocaleOf(uint32_t lcid);

}  // namespace platform
