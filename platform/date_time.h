// Date-times as days since 30 December 1899 (a double: whole days + fraction of a day, local
// time), the user's number and date formats, and the formatting of date-times and numbers
// under them. Replaces Now, FileDateToDateTime, the locale's format settings (TFormatSettings
// filled from the user's default locale), FormatDateTime and the thousands-separated number
// formats. The settings come from ICU's data for the locale in LANG/LC_ALL, not from the
// Windows regional settings; times are formatted with 24-hour clocks unless the locale's
// pattern has an AM/PM marker.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace platform {

// The number, date and time formats of a locale, with the field names of the platform's
// format-settings record. Patterns use the date-time pattern letters of FormatDateTime below.
struct FormatSettings {
  char16_t DecimalSeparator = u'.';
  char16_t ThousandSeparator = u',';
  char16_t DateSeparator = u'/';
  char16_t TimeSeparator = u':';
  std::u16string ShortDateFormat = u"m/d/yyyy";
  std::u16string LongTimeFormat = u"hh:nn:ss";
  std::u16string TimeAMString = u"AM";
  std::u16string TimePMString = u"PM";
};

// The settings of an ICU locale ("de_DE"); the empty name means the process's default locale
// (from LC_ALL / LANG). Unknown parts keep the defaults above.
FormatSettings FormatSettingsForLocale(const std::string &icu_locale);

// Now, and a time_t, as local date-times.
double NowAsDateTime();
double DateTimeFromTime(std::time_t t);

// Formats a date-time. Pattern letters (case ignored): d dd (day), m mm (month; minutes
// right after an hour), mmm mmmm (English month names), yy yyyy, h hh, n nn, s ss, z zzz,
// ampm (AM/PM strings; makes the hour 12-hour), c (short date, then long time when the time is
// not midnight), / and : (the settings' separators), 'text' and "text" (literal). Other
// characters are copied.
std::u16string FormatDateTime(std::u16string_view pattern, double date_time,
                              const FormatSettings &settings);

// The integer with the thousands separator every three digits ("-1,234,567").
std::u16string FormatIntegerWithThousands(int64_t value, const FormatSettings &settings);

// The number rounded to `decimals` places with thousands separators. When
// `optional_integer_digit` is set a zero integer part is left out (".50"), as the pattern
// "####,.00" does. Empty for a value that is not finite.
std::u16string FormatFixedWithThousands(double value, int decimals, bool optional_integer_digit,
                                        const FormatSettings &settings);

}  // namespace platform
