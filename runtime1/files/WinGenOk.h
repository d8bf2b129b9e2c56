// General utilities of the runtime packages: the process-wide settings filled at start (the
// temporary folder, the work area, the user's number and date formats), the messages for a
// failed program start, booleans and numbers as text, title casing, timing, the program's own
// date, the measurement system, the last system error and two raw UTF-16 buffer helpers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/date_time.h"
#include "runtime1/text/text_section_boundaries.h"

// A date-time: days since 30 December 1899 with the time as the fraction of a day.
using TDateTime = double;
using TFormatSettings = platform::FormatSettings;
using TThreeBytes = std::array<uint8_t, 3>;

// ---- Constants ----
inline constexpr TThreeBytes UTF8_signature = {0xEF, 0xBB, 0xBF};
inline constexpr std::u16string_view HexCharactersStr = u"0123456789ABCDEFabcdef";
// Characters that mark a hexadecimal number.
inline constexpr std::u16string_view HexSignalStr = u"Xx$Hh";
inline constexpr float mm_to_inch = 0.03937008f;
inline constexpr float inch_to_cm = 2.54f;
inline constexpr float inch_to_mm = 25.4f;
inline constexpr float inch_to_mm100 = 2540.0f;  // hundredths of a millimetre per inch

enum TPrint_measurement_units : uint8_t { pmu_inches = 0, pmu_centimetres = 1, pmu_print_dots = 2 };

struct TRect {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// ---- Process-wide settings, filled when the package loads ----
// The temporary folder, with a trailing '/'.
extern std::u16string my_temp_path;
// The desktop work area (see platform/system_info.h for where it comes from).
extern TRect Work_Area;
// The number, date and time formats of the user's locale.
extern TFormatSettings UserDefaultFormatSettings;
// Set by StartTiming.
extern TDateTime Global_StartTime;
// The last bit mask of logical drives read by the drive checks.
extern uint32_t DriveBits;

// ---- Counts accumulated over the chunks of one text ----
extern TSearchStatsRec GlobalOneFilesStats;
// Whether the accumulated counting is inside a heading.
extern bool Global_in_heading;
// Zeroes GlobalOneFilesStats and clears Global_in_heading.
void ClearGlobalOneTextStats();
// Adds each of the fifteen counts of a chunk's record to the same count of GlobalOneFilesStats
// (a sum beyond the 32-bit range stops at its limit instead of wrapping).
void CopyAChunkTextStats(const TSearchStatsRec &chunk);

// ---- Messages for a failed document open or program start ----
// Shows a plain message (empty caption, OK button). The host assigns it; unassigned, the text
// goes to the standard error stream.
using TPlainMessageProc =
    std::function<void(const std::u16string &caption, const std::u16string &text)>;
extern TPlainMessageProc Global_PlainMessageProc;

// Returns `code` unchanged after showing a message for a failure code (below 32) of the call
// that opens a document or starts a program: 0 and 8 not enough memory, 2, 3 and 5 no access,
// 16 already running, 26 sharing problem, 27 and 31 no program for the extension, any other
// code below 32 no communication. 32 and above show nothing.
uint32_t CheckExec(uint32_t code, const std::u16string &file_name);

// ---- Conversions ----
// The catalogue's "true" or "false".
std::u16string BooleanToStr(bool value);
// Whether the text equals the catalogue's "true", ignoring case.
bool StrToBoolean(std::u16string_view text);

// x with thousands separators and two decimals, the integer part left out when it is zero
// (".50"), under the given settings; "*" when x is not a finite number.
std::u16string RealToDecStr(double x, const TFormatSettings &settings);
// n with thousands separators and no decimals under the given settings. Every digit is kept
// (16777217 shows as 16,777,217), unlike a detour through a 32-bit float.
std::u16string IntToDecStr(int32_t n, const TFormatSettings &settings);
std::u16string IntToDecStr(int64_t n, const TFormatSettings &settings);

// The value as a 32-bit float (24 bits of precision).
float IntToSingle(int32_t n);
float CardinalToSingle(uint32_t n);
float Int64ToSingle(int64_t n);

// The text in lower case with the first letter of every run of letters in upper case.
std::u16string TitleCasedString(std::u16string_view text);

// ---- Timing and dates ----
// Sets Global_StartTime to now.
void StartTiming();
// Now minus Global_StartTime, in days; with `restart` StartTiming runs after the reading.
TDateTime ElapsedTime(bool restart);
// Today as a whole day number (days since 30 December 1899).
int32_t TodayAsLongint();
// The seconds elapsed since t, rounded; counts past one day (25 hours give 90000).
int64_t SecondsElapsedSince(TDateTime t);
// The time of day of t in seconds, rounded.
int32_t TodaysTimeInSeconds(TDateTime t);

// The last-write time of the running program's file (0 when it cannot be read), that date in
// the user's short date format, and its year as "yyyy".
TDateTime Compilation_DateTime();
std::u16string Compilation_Date();
std::u16string Compilation_Year();

// True (metric) unless the locale's measurement system is the U.S. one.
bool UserDefaultMeasurements(uint32_t lcid);

// The message text of the last failed system call (at most 255 characters).
std::u16string GetLastErrorString();

// ---- Raw UTF-16 buffers ----
// The first of at most n units from p that equals c; null when p is null, n is 0 or c is not
// among them.
const char16_t *StrLScanW(const char16_t *p, char16_t c, size_t n);
// Swaps the two bytes of every unit of a zero-terminated UTF-16 buffer in place, stopping at
// the terminator or after `capacity` units, whichever comes first (never reading past the
// buffer). Nothing happens for a null pointer.
void StrSwapByteOrder(char16_t *p, size_t capacity);

// Fills the settings above from the platform (the package runs it when it loads; tests may
// run it again).
void InitialiseGeneralSettings();
