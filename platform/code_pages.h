// Code pages: the process-wide ANSI code page and conversions between any Windows code page
// and UTF-16 through ICU converters. Stands in for the platform's ANSI code page,
// MultiByteToWideChar and WideCharToMultiByte.
//
// Linux has no system ANSI code page, so the process keeps its own setting: Windows-1252 unless
// the environment variable QV7_ANSI_CODEPAGE names another code page number when the setting is
// first read, or SetAnsiCodePage changes it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

constexpr uint32_t kDefaultAnsiCodePage = 1252;
constexpr uint32_t kCodePageUtf8 = 65001;

// The process-wide ANSI code page.
uint32_t AnsiCodePage();
void SetAnsiCodePage(uint32_t code_page);

// Code page 0 stands for the ANSI code page; any other value is returned unchanged.
uint32_t ResolveCodePage(uint32_t code_page);

// True when ICU has a converter for the code page.
bool IsCodePageAvailable(uint32_t code_page);

// True when every character of the code page is one byte.
bool IsSingleByteCodePage(uint32_t code_page);

// 8-bit text in a code page -> UTF-16. Bytes without a mapping become U+FFFD (or the code
// page's own substitute); an unknown code page converts as Windows-1252.
std::u16string ToUtf16(std::string_view bytes, uint32_t code_page);

// UTF-16 -> 8-bit text in a code page. Characters without a mapping take the code page's
// best-fit fallback where ICU knows one, else "?", as the platform's default conversion does.
std::string FromUtf16(std::u16string_view text, uint32_t code_page);

}  // namespace platform
