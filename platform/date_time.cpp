#include "platform/date_time.h"

#include <unicode/datefmt.h>
#include <unicode/dcfmtsym.h>
#include <unicode/dtfmtsym.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>

namespace platform {

namespace {

constexpr int64_t kUnixEpochAsDays = 25569;  // 1 January 1970 as days since 30 December 1899

struct Fields {
  int year, month, day, hour, minute, second, millisecond;
};

// Days since 1 January 1970 -> civil date (proleptic Gregorian).
void CivilFromDays(int64_t z, int *year, int *month, int *day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp < 10 ? mp + 3 : mp - 9;
  *year = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
  *month = static_cast<int>(m);
  *day = static_cast<int>(d);
}

Fields Decode(double date_time) {
  Fields f{};
  const double whole = std::trunc(date_time);
  const int64_t days = static_cast<int64_t>(whole);
  int64_t ms = std::llround(std::fabs(date_time - whole) * 86400000.0);
  int64_t extra_days = 0;
  if (ms >= 86400000) {
    ms -= 86400000;
    extra_days = 1;
  }
  CivilFromDays(days + extra_days - kUnixEpochAsDays, &f.year, &f.month, &f.day);
  f.hour = static_cast<int>(ms / 3600000);
  f.minute = static_cast<int>(ms / 60000 % 60);
  f.second = static_cast<int>(ms / 1000 % 60);
  f.millisecond = static_cast<int>(ms % 1000);
  return f;
}

void AppendNumber(std::u16string *out, int64_t value, int width) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%0*lld", width, static_cast<long long>(value));
  for (const char *p = buffer; *p != '\0'; ++p) out->push_back(static_cast<char16_t>(*p));
}

char16_t Lower(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

size_t RunLength(std::u16string_view text, size_t at) {
  size_t n = 1;
  while (at + n < text.size() && Lower(text[at + n]) == Lower(text[at])) ++n;
  return n;
}

bool StartsWithNoCase(std::u16string_view text, size_t at, std::u16string_view word) {
  if (at + word.size() > text.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (Lower(text[at + i]) != word[i]) return false;
  }
  return true;
}

const char16_t *const kMonthNames[12] = {u"January",   u"February", u"March",    u"April",
                                         u"May",       u"June",     u"July",     u"August",
                                         u"September", u"October",  u"November", u"December"};

void FormatInto(std::u16string *out, std::u16string_view pattern, const Fields &f, double date_time,
                const FormatSettings &settings, int depth) {
  const bool twelve_hour = pattern.find(u"ampm") != std::u16string_view::npos ||
                           pattern.find(u"AMPM") != std::u16string_view::npos;
  bool after_hour = false;
  for (size_t i = 0; i < pattern.size();) {
    const char16_t c = Lower(pattern[i]);
    if (pattern[i] == u'\'' || pattern[i] == u'"') {
      const size_t end = pattern.find(pattern[i], i + 1);
      const size_t stop = end == std::u16string_view::npos ? pattern.size() : end;
      out->append(pattern.substr(i + 1, stop - i - 1));
      i = stop + 1;
      continue;
    }
    if (StartsWithNoCase(pattern, i, u"ampm")) {
      out->append(f.hour < 12 ? settings.TimeAMString : settings.TimePMString);
      i += 4;
      continue;
    }
    const size_t run = RunLength(pattern, i);
    switch (c) {
      case u'c':
        if (depth == 0) {
          FormatInto(out, settings.ShortDateFormat, f, date_time, settings, 1);
          if (f.hour != 0 || f.minute != 0 || f.second != 0) {
            out->push_back(u' ');
            FormatInto(out, settings.LongTimeFormat, f, date_time, settings, 1);
          }
        }
        i += 1;
        continue;
      case u'd':
        AppendNumber(out, f.day, run >= 2 ? 2 : 1);
        i += run >= 2 ? 2 : 1;
        continue;
      case u'm':
        if (after_hour && run <= 2) {
          AppendNumber(out, f.minute, run);
          after_hour = false;
        } else if (run >= 3) {
          const std::u16string_view name = kMonthNames[f.month - 1];
          out->append(run == 3 ? name.substr(0, 3) : name);
        } else {
          AppendNumber(out, f.month, run);
        }
        i += run >= 4 ? 4 : run;
        continue;
      case u'y':
        if (run <= 2) {
          AppendNumber(out, f.year % 100, 2);
        } else {
          AppendNumber(out, f.year, 4);
        }
        i += run;
        continue;
      case u'h': {
        int hour = f.hour;
        if (twelve_hour) hour = hour % 12 == 0 ? 12 : hour % 12;
        AppendNumber(out, hour, run >= 2 ? 2 : 1);
        i += run >= 2 ? 2 : 1;
        after_hour = true;
        continue;
      }
      case u'n':
        AppendNumber(out, f.minute, run >= 2 ? 2 : 1);
        i += run >= 2 ? 2 : 1;
        after_hour = false;
        continue;
      case u's':
        AppendNumber(out, f.second, run >= 2 ? 2 : 1);
        i += run >= 2 ? 2 : 1;
        continue;
      case u'z':
        AppendNumber(out, f.millisecond, run >= 3 ? 3 : 1);
        i += run >= 3 ? 3 : 1;
        continue;
      case u'/':
        out->push_back(settings.DateSeparator);
        ++i;
        continue;
      case u':':
        out->push_back(settings.TimeSeparator);
        ++i;
        continue;
      default:
        out->push_back(pattern[i]);
        ++i;
    }
  }
}

std::u16string ToU16(const icu::UnicodeString &s) {
  return std::u16string(s.getBuffer(), static_cast<size_t>(s.length()));
}

// An ICU date pattern -> the pattern letters above, and the first separator found.
std::u16string ConvertIcuPattern(const icu::UnicodeString &icu, char16_t *separator) {
  const std::u16string p = ToU16(icu);
  std::u16string out;
  bool has_am_pm = false;
  for (size_t i = 0; i < p.size();) {
    const char16_t c = p[i];
    size_t run = 1;
    while (i + run < p.size() && p[i + run] == c) ++run;
    switch (c) {
      case u'y':
      case u'u':
        out += u"yyyy";
        break;
      case u'M':
      case u'L':
        out += run >= 3 ? u"mmm" : (run == 2 ? u"mm" : u"m");
        break;
      case u'd':
        out += run >= 2 ? u"dd" : u"d";
        break;
      case u'H':
      case u'h':
      case u'k':
      case u'K':
        out += run >= 2 ? u"hh" : u"h";
        break;
      case u'm':
        out += run >= 2 ? u"nn" : u"n";
        break;
      case u's':
        out += run >= 2 ? u"ss" : u"s";
        break;
      case u'a':
        has_am_pm = true;
        out += u"AMPM";
        break;
      case u'\'': {
        const size_t end = p.find(u'\'', i + 1);
        const size_t stop = end == std::u16string::npos ? p.size() : end;
        out += u'"';
        out += p.substr(i + 1, stop - i - 1);
        out += u'"';
        run = stop + 1 - i;
        break;
      }
      default:
        if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')) break;  // fields not kept
        if (separator != nullptr && *separator == 0 && c != u' ' && c != 0x202F && c != 0xA0 &&
            c != u',') {
          *separator = c;
        }
        if (c == 0x202F || c == 0xA0) {
          out += u' ';
        } else {
          out.append(run, c);
        }
    }
    i += run;
  }
  (void)has_am_pm;
  return out;
}

}  // namespace

FormatSettings FormatSettingsForLocale(const std::string &icu_locale) {
  FormatSettings settings;
  const icu::Locale locale =
      icu_locale.empty() ? icu::Locale::getDefault() : icu::Locale(icu_locale.c_str());
  UErrorCode status = U_ZERO_ERROR;
  icu::DecimalFormatSymbols symbols(locale, status);
  if (U_SUCCESS(status)) {
    const icu::UnicodeString &decimal =
        symbols.getConstSymbol(icu::DecimalFormatSymbols::kDecimalSeparatorSymbol);
    const icu::UnicodeString &group =
        symbols.getConstSymbol(icu::DecimalFormatSymbols::kGroupingSeparatorSymbol);
    if (decimal.length() == 1) settings.DecimalSeparator = decimal.charAt(0);
    if (group.length() == 1) settings.ThousandSeparator = group.charAt(0);
  }
  std::unique_ptr<icu::DateFormat> date(
      icu::DateFormat::createDateInstance(icu::DateFormat::kShort, locale));
  if (auto *simple = dynamic_cast<icu::SimpleDateFormat *>(date.get())) {
    icu::UnicodeString pattern;
    simple->toPattern(pattern);
    char16_t separator = 0;
    settings.ShortDateFormat = ConvertIcuPattern(pattern, &separator);
    if (separator != 0) settings.DateSeparator = separator;
  }
  std::unique_ptr<icu::DateFormat> time(
      icu::DateFormat::createTimeInstance(icu::DateFormat::kMedium, locale));
  if (auto *simple = dynamic_cast<icu::SimpleDateFormat *>(time.get())) {
    icu::UnicodeString pattern;
    simple->toPattern(pattern);
    char16_t separator = 0;
    settings.LongTimeFormat = ConvertIcuPattern(pattern, &separator);
    if (separator != 0) settings.TimeSeparator = separator;
    const icu::UnicodeString *am_pm = nullptr;
    int32_t count = 0;
    am_pm = simple->getDateFormatSymbols()->getAmPmStrings(count);
    if (am_pm != nullptr && count >= 2) {
      settings.TimeAMString = ToU16(am_pm[0]);
      settings.TimePMString = ToU16(am_pm[1]);
    }
  }
  return settings;
}

double DateTimeFromTime(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  const int64_t offset = local.tm_gmtoff;
  const int64_t seconds = static_cast<int64_t>(t) + offset;
  const int64_t days = seconds >= 0 ? seconds / 86400 : (seconds - 86399) / 86400;
  const int64_t in_day = seconds - days * 86400;
  return static_cast<double>(days + kUnixEpochAsDays) + static_cast<double>(in_day) / 86400.0;
}

double NowAsDateTime() {
  const auto now = std::chrono::system_clock::now();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch());
  const std::time_t t = static_cast<std::time_t>(ms.count() / 1000);
  const int64_t extra_ms = ms.count() % 1000;
  return DateTimeFromTime(t) + static_cast<double>(extra_ms) / 86400000.0;
}

std::u16string FormatDateTime(std::u16string_view pattern, double date_time,
                              const FormatSettings &settings) {
  std::u16string out;
  FormatInto(&out, pattern, Decode(date_time), date_time, settings, 0);
  return out;
}

namespace {

std::u16string GroupDigits(std::string_view digits, const FormatSettings &settings) {
  std::u16string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0 && settings.ThousandSeparator != 0) {
      out.push_back(settings.ThousandSeparator);
    }
    out.push_back(static_cast<char16_t>(digits[i]));
  }
  return out;
}

}  // namespace

std::u16string FormatIntegerWithThousands(int64_t value, const FormatSettings &settings) {
  const bool negative = value < 0;
  uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  std::u16string out = negative ? u"-" : u"";
  out += GroupDigits(digits, settings);
  return out;
}

std::u16string FormatFixedWithThousands(double value, int decimals, bool optional_integer_digit,
                                        const FormatSettings &settings) {
  if (!std::isfinite(value)) return {};
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::fabs(value));
  const std::string text = buffer;
  const size_t dot = text.find('.');
  std::string whole = text.substr(0, dot);
  const std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
  const bool all_zero = text.find_first_not_of("0.") == std::string::npos;
  std::u16string out = (value < 0 && !all_zero) ? u"-" : u"";
  if (!(optional_integer_digit && whole == "0")) out += GroupDigits(whole, settings);
  if (!fraction.empty()) {
    out.push_back(settings.DecimalSeparator);
    for (char c : fraction) out.push_back(static_cast<char16_t>(c));
  }
  return out;
}

}  // namespace platform
