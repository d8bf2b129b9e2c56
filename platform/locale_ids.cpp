#include "platform/locale_ids.h"

#include <algorithm>
#include <iterator>

namespace platform {

namespace {

struct LocaleRow {
  uint32_t id;  // a full LCID for the exceptions, a primary language id otherwise
  const char *icu;
  uint16_t ansi_code_page;
};

// Whole identifiers whose script or region sets them apart from their primary language.
constexpr LocaleRow kWholeIdentifiers[] = {
    {0x0404, "zh_TW", 950},       {0x0804, "zh_CN", 936},       {0x0C04, "zh_HK", 950},
    {0x1004, "zh_SG", 936},       {0x1404, "zh_MO", 950},       {0x081A, "sr_Latn", 1250},
    {0x0C1A, "sr_Cyrl", 1251},    {0x141A, "bs_Latn", 1250},    {0x201A, "bs_Cyrl", 1251},
    {0x181A, "sr_Latn_BA", 1250}, {0x1C1A, "sr_Cyrl_BA", 1251}, {0x241A, "sr_Latn_RS", 1250},
    {0x281A, "sr_Cyrl_RS", 1251}, {0x2C1A, "sr_Latn_ME", 1250}, {0x301A, "sr_Cyrl_ME", 1251},
    {0x082C, "az_Cyrl", 1251},    {0x042C, "az_Latn", 1254},    {0x0843, "uz_Cyrl", 1251},
    {0x0443, "uz_Latn", 1254},    {0x0850, "mn_Mong", 0},
};

// Primary languages, sorted by id.
constexpr LocaleRow kPrimaryLanguages[] = {
    {0x01, "ar", 1256},  {0x02, "bg", 1251},  {0x03, "ca", 1252}, {0x04, "zh", 936},
    {0x05, "cs", 1250},  {0x06, "da", 1252},  {0x07, "de", 1252}, {0x08, "el", 1253},
    {0x09, "en", 1252},  {0x0A, "es", 1252},  {0x0B, "fi", 1252}, {0x0C, "fr", 1252},
    {0x0D, "he", 1255},  {0x0E, "hu", 1250},  {0x0F, "is", 1252}, {0x10, "it", 1252},
    {0x11, "ja", 932},   {0x12, "ko", 949},   {0x13, "nl", 1252}, {0x14, "nb", 1252},
    {0x15, "pl", 1250},  {0x16, "pt", 1252},  {0x17, "rm", 1252}, {0x18, "ro", 1250},
    {0x19, "ru", 1251},  {0x1A, "hr", 1250},  {0x1B, "sk", 1250}, {0x1C, "sq", 1250},
    {0x1D, "sv", 1252},  {0x1E, "th", 874},   {0x1F, "tr", 1254}, {0x20, "ur", 1256},
    {0x21, "id", 1252},  {0x22, "uk", 1251},  {0x23, "be", 1251}, {0x24, "sl", 1250},
    {0x25, "et", 1257},  {0x26, "lv", 1257},  {0x27, "lt", 1257}, {0x28, "tg", 1251},
    {0x29, "fa", 1256},  {0x2A, "vi", 1258},  {0x2B, "hy", 0},    {0x2C, "az", 1254},
    {0x2D, "eu", 1252},  {0x2E, "hsb", 1252}, {0x2F, "mk", 1251}, {0x32, "tn", 1252},
    {0x34, "xh", 1252},  {0x35, "zu", 1252},  {0x36, "af", 1252}, {0x37, "ka", 0},
    {0x38, "fo", 1252},  {0x39, "hi", 0},     {0x3A, "mt", 0},    {0x3B, "se", 1252},
    {0x3C, "ga", 1252},  {0x3E, "ms", 1252},  {0x3F, "kk", 1251}, {0x40, "ky", 1251},
    {0x41, "sw", 1252},  {0x42, "tk", 1250},  {0x43, "uz", 1254}, {0x44, "tt", 1251},
    {0x45, "bn", 0},     {0x46, "pa", 0},     {0x47, "gu", 0},    {0x48, "or", 0},
    {0x49, "ta", 0},     {0x4A, "te", 0},     {0x4B, "kn", 0},    {0x4C, "ml", 0},
    {0x4D, "as", 0},     {0x4E, "mr", 0},     {0x4F, "sa", 0},    {0x50, "mn", 1251},
    {0x51, "bo", 0},     {0x52, "cy", 1252},  {0x53, "km", 0},    {0x54, "lo", 0},
    {0x56, "gl", 1252},  {0x57, "kok", 0},    {0x5A, "syr", 0},   {0x5B, "si", 0},
    {0x5E, "am", 0},     {0x61, "ne", 0},     {0x62, "fy", 1252}, {0x63, "ps", 0},
    {0x64, "fil", 1252}, {0x65, "dv", 0},     {0x68, "ha", 1252}, {0x6A, "yo", 1252},
    {0x6B, "quz", 1252}, {0x6C, "nso", 1252}, {0x6D, "ba", 1251}, {0x6E, "lb", 1252},
    {0x6F, "kl", 1252},  {0x70, "ig", 1252},  {0x7E, "br", 1252}, {0x80, "ug", 1256},
    {0x92, "ku", 1256},
};

const LocaleRow *FindRow(uint32_t lcid) {
  for (const LocaleRow &row : kWholeIdentifiers)
    if (row.id == (lcid & 0xFFFF)) return &row;
  const uint32_t primary = PrimaryLanguageOf(lcid);
  auto it = std::lower_bound(std::begin(kPrimaryLanguages), std::end(kPrimaryLanguages), primary,
                             [](const LocaleRow &row, uint32_t id) { return row.id < id; });
  if (it == std::end(kPrimaryLanguages) || it->id != primary) return nullptr;
  return &*it;
}

}  // namespace

uint32_t AnsiCodePageOfLocale(uint32_t lcid) {
  const LocaleRow *row = FindRow(lcid);
  return row == nullptr ? 0 : row->ansi_code_page;
}

std::string IcuLocaleOf(uint32_t lcid) {
  const LocaleRow *row = FindRow(lcid);
  return row == nullptr ? std::string() : std::string(row->icu);
}

}  // namespace platform
