#include "runtime1/files/WinGenOk.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "platform/case_mapping.h"
#include "platform/char_types.h"
#include "platform/file_ops.h"
#include "platform/locale_ids.h"
#include "platform/system_info.h"
#include "platform/utf16_text.h"
#include "runtime1/definitions/GeneralRuntime1Const.h"
#include "runtime1/files/logging_utilities.h"

std::u16string my_temp_path;
TRect Work_Area;
TFormatSettings UserDefaultFormatSettings;
TDateTime Global_StartTime = 0.0;
uint32_t DriveBits = 0;
TPlainMessageProc Global_PlainMessageProc;
TSearchStatsRec GlobalOneFilesStats;
bool Global_in_heading = false;

namespace {

// Case mapping for texts that are not tied to a language.
constexpr uint32_t kNeutralCaseLocale = 0x0409;

std::u16string Lowered(std::u16string_view text) {
  std::u16string out(text);
  platform::LowerCaseInPlace(out, kNeutralCaseLocale);
  return out;
}

void ShowPlainMessage(const std::u16string &text) {
  if (Global_PlainMessageProc) {
    Global_PlainMessageProc(u"", text);
    return;
  }
  std::fprintf(stderr, "%s\n", platform::Utf16ToUtf8(text).c_str());
}

// The extension of a file name with its dot, from the last '.' after the last delimiter.
std::u16string ExtensionOf(std::u16string_view name) {
  const size_t delimiter = name.find_last_of(u"/\\");
  const size_t dot = name.find_last_of(u'.');
  if (dot == std::u16string_view::npos ||
      (delimiter != std::u16string_view::npos && dot < delimiter)) {
    return {};
  }
  return std::u16string(name.substr(dot));
}

bool IsLetterAt(std::u16string_view text, size_t i, size_t *units) {
  char32_t cp = text[i];
  *units = 1;
  if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
      text[i + 1] <= 0xDFFF) {
    cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
    *units = 2;
  }
  return (platform::CharTypeOfCodePoint(platform::CT_CTYPE1, cp) & platform::C1_ALPHA) != 0;
}

struct GeneralUnit {
  GeneralUnit() {
    RegisterLogServiceEnd();
    InitialiseGeneralSettings();
  }
  ~GeneralUnit() {
    if (keeping_log) AddToLogFile(u"quit wingenok, ", false);
  }
};
const GeneralUnit general_unit;

}  // namespace

void InitialiseGeneralSettings() {
  my_temp_path = platform::Utf8ToUtf16(platform::TempPath());
  const platform::Rect area = platform::DesktopWorkArea();
  Work_Area = TRect{area.left, area.top, area.right, area.bottom};
  UserDefaultFormatSettings = platform::FormatSettingsForLocale("");
}

void ClearGlobalOneTextStats() {
  GlobalOneFilesStats = TSearchStatsRec{};
  Global_in_heading = false;
}

void CopyAChunkTextStats(const TSearchStatsRec &chunk) {
  auto add = [](std::array<int32_t, 5> &total, const std::array<int32_t, 5> &part) {
    for (size_t i = 0; i < total.size(); ++i) {
      const int64_t sum = int64_t{total[i]} + part[i];
      total[i] = static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
    }
  };
  add(GlobalOneFilesStats.number, chunk.number);
  add(GlobalOneFilesStats.position, chunk.position);
  add(GlobalOneFilesStats.out_of, chunk.out_of);
}

uint32_t CheckExec(uint32_t code, const std::u16string &file_name) {
  switch (code) {
    case 0:
    case 8:
      ShowPlainMessage(LoadResString(qvres::QVNotEnoughMemoryToRun) + file_name);
      break;
    case 2:
    case 3:
    case 5:
      ShowPlainMessage(LoadResString(qvres::QVCantAccess) + file_name);
      break;
    case 16:
      ShowPlainMessage(file_name + LoadResString(qvres::QVAlreadyRunning));
      break;
    case 26:
      ShowPlainMessage(LoadResString(qvres::QVSharingProblem) + file_name);
      break;
    case 27:
    case 31:
      ShowPlainMessage(LoadResString(qvres::QVCantHandleFilesEnding) + u"\"" +
                       ExtensionOf(file_name) + u"\"");
      break;
    default:
      if (code < 32) ShowPlainMessage(LoadResString(qvres::QVCantCommunicateWith) + file_name);
  }
  return code;
}

std::u16string BooleanToStr(bool value) {
  return LoadResString(value ? qvres::QVTrue : qvres::QVFalse);
}

bool StrToBoolean(std::u16string_view text) {
  return Lowered(text) == Lowered(LoadResString(qvres::QVTrue));
}

std::u16string RealToDecStr(double x, const TFormatSettings &settings) {
  std::u16string text = platform::FormatFixedWithThousands(x, 2, true, settings);
  return text.empty() ? u"*" : text;
}

std::u16string IntToDecStr(int32_t n, const TFormatSettings &settings) {
  return platform::FormatIntegerWithThousands(n, settings);
}

std::u16string IntToDecStr(int64_t n, const TFormatSettings &settings) {
  return platform::FormatIntegerWithThousands(n, settings);
}

float IntToSingle(int32_t n) {
  return static_cast<float>(n);
}
float CardinalToSingle(uint32_t n) {
  return static_cast<float>(n);
}
float Int64ToSingle(int64_t n) {
  return static_cast<float>(n);
}

std::u16string TitleCasedString(std::u16string_view text) {
  std::u16string out = Lowered(text);
  bool in_letters = false;
  for (size_t i = 0; i < out.size();) {
    size_t units = 1;
    const bool letter = IsLetterAt(out, i, &units);
    if (letter && !in_letters) {
      platform::UpperCaseInPlace(std::span<char16_t>(out.data() + i, units), kNeutralCaseLocale);
    }
    in_letters = letter;
    i += units;
  }
  return out;
}

void StartTiming() {
  Global_StartTime = platform::NowAsDateTime();
}

TDateTime ElapsedTime(bool restart) {
  const TDateTime elapsed = platform::NowAsDateTime() - Global_StartTime;
  if (restart) StartTiming();
  return elapsed;
}

int32_t TodayAsLongint() {
  return static_cast<int32_t>(std::floor(platform::NowAsDateTime()));
}

int64_t SecondsElapsedSince(TDateTime t) {
  return std::llround((platform::NowAsDateTime() - t) * 86400.0);
}

int32_t TodaysTimeInSeconds(TDateTime t) {
  const double fraction = std::fabs(t - std::trunc(t));
  return static_cast<int32_t>(std::lround(fraction * 86400.0));
}

TDateTime Compilation_DateTime() {
  const auto time = platform::FileModificationTime(platform::ExecutablePath());
  return time ? platform::DateTimeFromTime(*time) : 0.0;
}

std::u16string Compilation_Date() {
  return platform::FormatDateTime(UserDefaultFormatSettings.ShortDateFormat, Compilation_DateTime(),
                                  UserDefaultFormatSettings);
}

std::u16string Compilation_Year() {
  return platform::FormatDateTime(u"yyyy", Compilation_DateTime(), UserDefaultFormatSettings);
}

bool UserDefaultMeasurements(uint32_t lcid) {
  return platform::LocaleUsesMetric(platform::IcuLocaleOf(lcid));
}

std::u16string GetLastErrorString() {
  return platform::Utf8ToUtf16(platform::ErrorMessage(platform::LastErrorCode()));
}

const char16_t *StrLScanW(const char16_t *p, char16_t c, size_t n) {
  if (p == nullptr) return nullptr;
  for (size_t i = 0; i < n; ++i) {
    if (p[i] == c) return p + i;
  }
  return nullptr;
}

void StrSwapByteOrder(char16_t *p, size_t capacity) {
  if (p == nullptr) return;
  for (size_t i = 0; i < capacity && p[i] != 0; ++i) {
    p[i] = static_cast<char16_t>((p[i] >> 8) | (p[i] << 8));
  }
}
