// General utilities: program-start messages, numbers and booleans as text, title casing,
// timing, small text helpers, the user's name and library functions.
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "platform/date_time.h"
#include "platform/utf16_text.h"
#include "runtime1/definitions/GeneralRuntime1Const.h"
#include "runtime1/files/DLL_utils.h"
#include "runtime1/files/WinGenOk.h"
#include "runtime1/files/myKpSmall.h"
#include "runtime1/files/registry_utils.h"

namespace {

std::string A(std::u16string_view text) {
  return platform::Utf16ToUtf8(text);
}

TEST(CheckExec, ShowsTheMessageOfEachFailureCode) {
  std::vector<std::u16string> shown;
  Global_PlainMessageProc = [&](const std::u16string &caption, const std::u16string &text) {
    EXPECT_EQ(caption, u"");
    shown.push_back(text);
  };
  struct Case {
    uint32_t code;
    std::u16string file, message;
  } cases[] = {{0, u"big.exe", u"Not enough memory to run big.exe"},
               {8, u"big.exe", u"Not enough memory to run big.exe"},
               {2, u"x.doc", u"Can't access x.doc"},
               {3, u"x.doc", u"Can't access x.doc"},
               {5, u"x.doc", u"Can't access x.doc"},
               {16, u"t.exe", u"t.exe already running"},
               {26, u"s.txt", u"Sharing problem: s.txt"},
               {27, u"/home/a.b/a.xyz", u"Can't handle files ending \".xyz\""},
               {31, u"/home/a.b/noext", u"Can't handle files ending \"\""},
               {30, u"d.dde", u"Can't communicate with d.dde"},
               {42, u"ok.doc", u""},
               {32, u"ok.doc", u""}};
  for (const Case &c : cases) {
    shown.clear();
    EXPECT_EQ(CheckExec(c.code, c.file), c.code);
    if (c.message.empty()) {
      EXPECT_TRUE(shown.empty()) << c.code;
    } else {
      ASSERT_EQ(shown.size(), 1u) << c.code;
      EXPECT_EQ(shown[0], c.message) << c.code;
    }
  }
  Global_PlainMessageProc = nullptr;
}

TFormatSettings English() {
  return TFormatSettings{};
}
TFormatSettings German() {
  TFormatSettings s;
  s.DecimalSeparator = u',';
  s.ThousandSeparator = u'.';
  return s;
}

TEST(NumbersAsText, IntegersKeepEveryDigit) {
  struct Case {
    int64_t n;
    std::u16string english, german;
  } cases[] = {{0, u"0", u"0"},
               {999, u"999", u"999"},
               {1000, u"1,000", u"1.000"},
               {16777216, u"16,777,216", u"16.777.216"},
               {16777217, u"16,777,217", u"16.777.217"},
               {123456789, u"123,456,789", u"123.456.789"},
               {-1234567, u"-1,234,567", u"-1.234.567"},
               {INT64_MIN, u"-9,223,372,036,854,775,808", u"-9.223.372.036.854.775.808"}};
  for (const Case &c : cases) {
    EXPECT_EQ(IntToDecStr(c.n, English()), c.english);
    EXPECT_EQ(IntToDecStr(c.n, German()), c.german);
  }
  EXPECT_EQ(IntToDecStr(int32_t{16777217}, English()), u"16,777,217");
  EXPECT_EQ(IntToSingle(16777217), 16777216.0f);  // the float conversions do round
  EXPECT_EQ(CardinalToSingle(4294967295u), 4294967296.0f);
  EXPECT_EQ(Int64ToSingle(int64_t{1} << 40), 1099511627776.0f);
}

TEST(NumbersAsText, RealsHaveTwoDecimalsAndAnOptionalIntegerPart) {
  struct Case {
    double x;
    std::u16string english, german;
  } cases[] = {{1234.5, u"1,234.50", u"1.234,50"},
               {0.5, u".50", u",50"},
               {0.0, u".00", u",00"},
               {-1234567.891, u"-1,234,567.89", u"-1.234.567,89"},
               {999.999, u"1,000.00", u"1.000,00"},
               {-0.001, u".00", u",00"}};
  for (const Case &c : cases) {
    EXPECT_EQ(RealToDecStr(c.x, English()), c.english) << c.x;
    EXPECT_EQ(RealToDecStr(c.x, German()), c.german) << c.x;
  }
  EXPECT_EQ(RealToDecStr(NAN, English()), u"*");
  EXPECT_EQ(RealToDecStr(INFINITY, English()), u"*");
}

TEST(BooleansAsText, FollowTheCatalogue) {
  EXPECT_EQ(BooleanToStr(true), u"true");
  EXPECT_EQ(BooleanToStr(false), u"false");
  EXPECT_TRUE(StrToBoolean(u"TRUE"));
  EXPECT_TRUE(StrToBoolean(u"True"));
  EXPECT_FALSE(StrToBoolean(u"yes"));
  EXPECT_FALSE(StrToBoolean(u""));
  ASSERT_TRUE(SetResStringTranslation("_QVTrue", u"wahr"));
  EXPECT_EQ(BooleanToStr(true), u"wahr");
  EXPECT_TRUE(StrToBoolean(u"WAHR"));
  EXPECT_FALSE(StrToBoolean(u"true"));
  ClearResStringTranslations();
}

TEST(TextHelpers, TitleCasing) {
  struct Case {
    std::u16string in, out;
  } cases[] = {{u"hELLO wORLD", u"Hello World"},
               {u"jean-luc o'neill", u"Jean-Luc O'Neill"},
               {u"\u00e9LAN vital", u"\u00c9lan Vital"},
               {u"2nd time", u"2Nd Time"},
               {u"\u0434\u043e\u0431\u0440\u044b\u0439 \u0434\u0435\u043d\u044c",
                u"\u0414\u043e\u0431\u0440\u044b\u0439 \u0414\u0435\u043d\u044c"},
               {u"", u""}};
  for (const Case &c : cases) EXPECT_EQ(TitleCasedString(c.in), c.out) << A(c.in);
}

TEST(TextHelpers, AmpersandsAreDoubledOnce) {
  struct Case {
    std::u16string in, out;
  } cases[] = {{u"Save & exit", u"Save && exit"},
               {u"a&", u"a&&"},
               {u"&", u"&&"},
               {u"&File", u"&&File"},
               {u"a && b", u"a && b"},
               {u"a&&", u"a&&"},
               {u"a&&&b", u"a&&&&b"},
               {u"none", u"none"}};
  for (const Case &c : cases) EXPECT_EQ(DoubleAnyAmpersands(c.in), c.out) << A(c.in);
}

TEST(TextHelpers, RemovalsQuotesAndEnds) {
  struct Sub {
    std::u16string part, text, out;
  } subs[] = {{u"ab", u"aabb", u""}, {u"ab", u"xabyab", u"xy"}, {u"", u"abc", u"abc"},
              {u"aa", u"aaa", u"a"}, {u"xyz", u"abc", u"abc"},  {u"ab", u"", u""}};
  for (const Sub &s : subs) EXPECT_EQ(SubStrClearedFromString(s.part, s.text), s.out) << A(s.text);
  EXPECT_EQ(ChrClearedFromString(u'-', u"a-b--c-"), u"abc");
  struct Quote {
    std::u16string in, out;
  } quotes[] = {{u"\"x\"", u"x"}, {u"\"\"", u""}, {u"\"x", u"\"x"},        {u"x\"", u"x\""},
                {u"\"", u""},     {u"", u""},     {u"\"a \"b\"", u"a \"b"}};
  for (const Quote &q : quotes) EXPECT_EQ(CutOutsideQuotes(q.in), q.out) << A(q.in);
  EXPECT_EQ(Rightstr(u"abcdef", 2), u"ef");
  EXPECT_EQ(Rightstr(u"ab", 5), u"ab");
  EXPECT_EQ(Rightstr(u"ab", 0), u"");
  EXPECT_EQ(Rightstr(u"ab", -3), u"");
}

TEST(NumberHelpers, DigitsSwapsAndLimits) {
  EXPECT_TRUE(IsOrdinaryNumberChar(u'7'));
  EXPECT_FALSE(IsOrdinaryNumberChar(u'\u0663'));  // Arabic-Indic three
  EXPECT_TRUE(IsADigitChar(u'\u0663'));
  EXPECT_TRUE(IsADigitChar(u'0'));
  EXPECT_FALSE(IsADigitChar(u'a'));
  EXPECT_EQ(MaxCardinal(0xFFFFFFFFu, 1), 0xFFFFFFFFu);
  EXPECT_EQ(MinCardinal(0xFFFFFFFFu, 1), 1u);
  int32_t a = 1, b = 2;
  ExchangeTwoIntegers(a, b);
  EXPECT_EQ(a, 2);
  std::u16string s = u"s", t = u"t";
  ExchangeTwoStrings(s, t);
  EXPECT_EQ(s, u"t");
  void *p = &a, *q = &b;
  ExchangeTwoPointers(p, q);
  EXPECT_EQ(p, &b);
  const std::vector<int64_t> limits = {10, 100, 1000};
  EXPECT_EQ(CorrectDivision(5, limits), 0);
  EXPECT_EQ(CorrectDivision(10, limits), 1);
  EXPECT_EQ(CorrectDivision(999, limits), 2);
  EXPECT_EQ(CorrectDivision(1000, limits), -1);
  EXPECT_EQ(CorrectDivision(1, {}), -1);
}

TEST(Timing, SecondsCountPastOneDay) {
  const TDateTime now = platform::NowAsDateTime();
  EXPECT_NEAR(static_cast<double>(SecondsElapsedSince(now - 25.0 / 24.0)), 90000.0, 2.0);
  EXPECT_NEAR(static_cast<double>(SecondsElapsedSince(now - 10.0 / 86400.0)), 10.0, 2.0);
  EXPECT_EQ(TodaysTimeInSeconds(45000.5), 43200);
  EXPECT_EQ(TodaysTimeInSeconds(45000.25 + 1.0 / 86400.0), 21601);
  EXPECT_EQ(TodayAsLongint(), static_cast<int32_t>(std::floor(now)));
  StartTiming();
  const TDateTime elapsed = ElapsedTime(true);
  EXPECT_GE(elapsed, 0.0);
  EXPECT_LT(elapsed, 1.0 / 86400.0);
}

TEST(ProgramFile, DateAndYearOfTheRunningProgram) {
  const TDateTime built = Compilation_DateTime();
  EXPECT_GT(built, 40000.0);  // after 2009
  EXPECT_LE(built, platform::NowAsDateTime() + 1.0);
  const std::u16string year = Compilation_Year();
  ASSERT_EQ(year.size(), 4u);
  EXPECT_NE(Compilation_Date().find(year), std::u16string::npos);
}

TEST(RawBuffers, ScanAndSwapStayInsideTheBuffer) {
  const char16_t text[] = u"abcabc";
  EXPECT_EQ(StrLScanW(text, u'c', 6), text + 2);
  EXPECT_EQ(StrLScanW(text, u'c', 2), nullptr);
  EXPECT_EQ(StrLScanW(text, u'x', 6), nullptr);
  EXPECT_EQ(StrLScanW(nullptr, u'a', 6), nullptr);
  EXPECT_EQ(StrLScanW(text, u'a', 0), nullptr);

  char16_t buffer[4] = {0x0102, 0x0304, 0, 0x0506};
  StrSwapByteOrder(buffer, 4);
  EXPECT_EQ(buffer[0], 0x0201);
  EXPECT_EQ(buffer[1], 0x0403);
  EXPECT_EQ(buffer[3], 0x0506);         // past the terminator
  char16_t full[2] = {0x0A0B, 0x0C0D};  // no terminator: the capacity stops it
  StrSwapByteOrder(full, 2);
  EXPECT_EQ(full[1], 0x0D0C);
  StrSwapByteOrder(nullptr, 5);
}

TEST(CurrentUser, NameAndInitials) {
  const std::u16string user = Registry_Current_User();
  EXPECT_FALSE(user.empty());
  struct Case {
    std::u16string name, initials;
  } cases[] = {{u"Ann Smith", u"AS"},
               {u"ann smith", u""},
               {u"McDonald Old", u"MD"},
               {u"\u00c9mile Zola", u"\u00c9Z"},
               {u"X", u"X"},
               {u"", u""}};
  for (const Case &c : cases) EXPECT_EQ(InitialsOf(c.name), c.initials) << A(c.name);
  EXPECT_EQ(Registry_Current_User_Initials(), InitialsOf(user));
}

TEST(LibraryFunctions, FindCallAndRelease) {
  Tlibrary_rec rec;
  FindLibraryFunction(u"libm.so.6", u"cos", rec);
  ASSERT_NE(rec.Hinst, 0u);
  ASSERT_NE(rec.FPointer, nullptr);
  auto cosine = reinterpret_cast<double (*)(double)>(rec.FPointer);
  EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
  EXPECT_TRUE(CloseLibraryFunction(rec));
  EXPECT_EQ(rec.Hinst, 0u);
  EXPECT_EQ(rec.FPointer, nullptr);

  FindLibraryFunction(u"libm.so.6", u"no_such_function", rec);
  EXPECT_NE(rec.Hinst, 0u);
  EXPECT_EQ(rec.FPointer, nullptr);
  EXPECT_TRUE(CloseLibraryFunction(rec));

  rec.FPointer = &rec;
  FindLibraryFunction(u"no_such_library.dll", u"f", rec);
  EXPECT_EQ(rec.Hinst, 0u);
  EXPECT_EQ(rec.FPointer, nullptr);
  EXPECT_FALSE(CloseLibraryFunction(rec));
}

TEST(ChunkStats, AccumulateAndClear) {
  ClearGlobalOneTextStats();
  TSearchStatsRec chunk;
  chunk.number = {10, 1, 2, 3, 4};
  chunk.position = {0, 5, 6, 7, 8};
  chunk.out_of = {0, 9, 10, 11, INT32_MAX};
  CopyAChunkTextStats(chunk);
  CopyAChunkTextStats(chunk);
  EXPECT_EQ(GlobalOneFilesStats.number, (std::array<int32_t, 5>{20, 2, 4, 6, 8}));
  EXPECT_EQ(GlobalOneFilesStats.position, (std::array<int32_t, 5>{0, 10, 12, 14, 16}));
  EXPECT_EQ(GlobalOneFilesStats.out_of, (std::array<int32_t, 5>{0, 18, 20, 22, INT32_MAX}));
  Global_in_heading = true;
  ClearGlobalOneTextStats();
  EXPECT_EQ(GlobalOneFilesStats, TSearchStatsRec{});
  EXPECT_FALSE(Global_in_heading);
}

TEST(GeneralSettings, FilledAtStart) {
  EXPECT_FALSE(my_temp_path.empty());
  EXPECT_EQ(my_temp_path.back(), u'/');
  EXPECT_GT(Work_Area.Right, Work_Area.Left);
  EXPECT_GT(Work_Area.Bottom, Work_Area.Top);
  EXPECT_NE(UserDefaultFormatSettings.DecimalSeparator, 0);
  EXPECT_FALSE(UserDefaultFormatSettings.ShortDateFormat.empty());
  errno = ENOENT;
  EXPECT_EQ(GetLastErrorString(), u"No such file or directory");
  EXPECT_TRUE(UserDefaultMeasurements(0x0407));   // German: metric
  EXPECT_FALSE(UserDefaultMeasurements(0x0409));  // U.S. English
}

}  // namespace
