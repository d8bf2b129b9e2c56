// The log file, the yield hook and the timed waits.
#include "runtime1/files/logging_utilities.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "platform/utf16_text.h"
#include "runtime1/definitions/wdef_mini.h"
#include "runtime1/files/WinGenOk.h"
#include "test_support.h"

namespace {

using test_support::ReadAll;
using test_support::TempDir;
using test_support::WriteAll;

namespace fs = std::filesystem;

std::vector<uint8_t> Utf16Le(std::u16string_view text) {
  std::vector<uint8_t> bytes;
  for (char16_t c : text) {
    bytes.push_back(static_cast<uint8_t>(c & 0xFF));
    bytes.push_back(static_cast<uint8_t>(c >> 8));
  }
  return bytes;
}

std::u16string TextAfterBom(const std::vector<uint8_t> &bytes) {
  std::u16string text;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2)
    text.push_back(char16_t(bytes[i] | bytes[i + 1] << 8));
  return text;
}

// Each test gets its own log in a fresh folder, written as the controller; the log is
// switched off again afterwards.
class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_tool_ = current_tool_var;
    current_tool_var = tt_shell;
    name_ = dir_ / "qv.log";
    SetLogFilename(platform::Utf8ToUtf16(name_));
    keeping_log = true;
  }
  void TearDown() override {
    keeping_log = false;
    LogWriterBusy() = false;
    FinishLogging();
    current_tool_var = saved_tool_;
  }
  TempDir dir_;
  std::string name_;
  tool_type saved_tool_ = tt_shell;
};

TEST_F(LogTest, FreshLogBeginsWithBomAsteriskLineAndStartLine) {
  UserDefaultFormatSettings = TFormatSettings{};
  UserDefaultFormatSettings.ShortDateFormat = u"dd/mm/yyyy";
  UserDefaultFormatSettings.LongTimeFormat = u"hh:nn:ss";
  StartNewLogSection();
  const auto bytes = ReadAll(name_);
  std::vector<uint8_t> expected = {0xFF, 0xFE};
  const auto first = Utf16Le(u"(QV7): **********\r\n(QV7): LOG STARTED at ");
  expected.insert(expected.end(), first.begin(), first.end());
  ASSERT_GE(bytes.size(), expected.size());
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + expected.size()), expected);
  const std::string rest =
      platform::Utf16ToUtf8(TextAfterBom(bytes).substr((expected.size() - 2) / 2));
  EXPECT_TRUE(std::regex_match(rest, std::regex(R"(\d\d/\d\d/\d{4}( \d\d:\d\d:\d\d)?\r\n)")))
      << rest;
  InitialiseGeneralSettings();
}

TEST_F(LogTest, NothingIsWrittenWhileLoggingIsOffOrUnnamed) {
  keeping_log = false;
  AddToLogFile(u"x");
  StartNewLogSection();
  EXPECT_FALSE(fs::exists(name_));
  keeping_log = true;
  SetLogFilename(u"");
  AddToLogFile(u"x");
  EXPECT_FALSE(fs::exists(name_));
  EXPECT_TRUE(keeping_log);
}

TEST_F(LogTest, EntriesCarryTheTagAndOptionalLineBreaks) {
  current_tool_var = tt_tallyman;
  AddToLogFile(u"quit wdef, ", false);
  AddToLogFile(u"quit myKpSmall");
  current_tool_var = tt_any_main_tool;
  AddToLogFile(u"caf\u00e9 \U0001F600");
  EXPECT_EQ(TextAfterBom(ReadAll(name_)),
            u"(TL): quit wdef, (TL): quit myKpSmall\r\n(\?\?)caf\u00e9 \U0001F600\r\n");
}

TEST_F(LogTest, AnExistingEmptyFileGetsTheBomAndAFullOneIsAppendedTo) {
  { std::ofstream touch(name_); }
  AddToLogFile(u"a");
  AddToLogFile(u"b");
  const auto bytes = ReadAll(name_);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  EXPECT_EQ(TextAfterBom(bytes), u"(QV7): a\r\n(QV7): b\r\n");
}

TEST_F(LogTest, AnEntryArrivingDuringAWriteGoesAheadOfTheNext) {
  LogWriterBusy() = true;
  AddToLogFile(u"waiting");
  EXPECT_FALSE(fs::exists(name_));
  ASSERT_EQ(PendingLogEntries().size(), 1u);
  LogWriterBusy() = false;
  AddToLogFile(u"next");
  EXPECT_TRUE(PendingLogEntries().empty());
  EXPECT_EQ(TextAfterBom(ReadAll(name_)), u"waiting\r\n\r\n\r\n(QV7): next\r\n");
}

TEST_F(LogTest, AFailedWriteSwitchesLoggingOffAndKeepsWaitingEntries) {
  SetLogFilename(platform::Utf8ToUtf16(dir_ / "no/such/folder/qv.log"));
  LogWriterBusy() = true;
  AddToLogFile(u"waiting");
  LogWriterBusy() = false;
  EXPECT_NO_THROW(AddToLogFile(u"lost?"));
  EXPECT_FALSE(keeping_log);
  EXPECT_FALSE(LogWriterBusy());
  EXPECT_EQ(PendingLogEntries().size(), 1u);
  // Later, with a writable name, the waiting entry still comes first.
  SetLogFilename(platform::Utf8ToUtf16(name_));
  keeping_log = true;
  AddToLogFile(u"after");
  EXPECT_EQ(TextAfterBom(ReadAll(name_)), u"waiting\r\n\r\n\r\n(QV7): after\r\n");
}

TEST_F(LogTest, ClearLogFileStartsAFreshSection) {
  AddToLogFile(u"old entry");
  ClearLogFile();
  const std::u16string text = TextAfterBom(ReadAll(name_));
  EXPECT_EQ(text.find(u"old entry"), std::u16string::npos);
  EXPECT_EQ(text.rfind(u"(QV7): **********\r\n(QV7): LOG STARTED at ", 0), 0u);
  fs::remove(name_);
  ClearLogFile();  // no file: nothing happens
  EXPECT_FALSE(fs::exists(name_));
  SetLogFilename(u"");
  EXPECT_NO_THROW(ClearLogFile());
}

TEST_F(LogTest, FinishingWritesWaitingEntriesAsOneAndForgetsTheName) {
  LogWriterBusy() = true;
  AddToLogFile(u"one", false);
  AddToLogFile(u"two", false);
  LogWriterBusy() = false;
  FinishLogging();
  EXPECT_EQ(GetLogFilename(), u"");
  EXPECT_EQ(TextAfterBom(ReadAll(name_)), u"(QV7): one\r\ntwo\r\n");
}

TEST(LogToolTags, EveryToolHasItsTag) {
  struct Case {
    tool_type tool;
    std::u16string tag;
  } cases[] = {{tt_tallyman, u"(TL): "},        {tt_sightline, u"(SL): "},
               {tt_salient, u"(SA): "},         {tt_Chargrams, u"(CHRG): "},
               {tt_shell, u"(QV7): "},          {tt_text_converter, u"(TXC): "},
               {tt_QVconcgram, u"(CGR): "},     {tt_language_chooser, u"(LNG): "},
               {tt_viewer_aligner, u"(VA): "},  {tt_character_profiler, u"(CA): "},
               {tt_minimal_pairs, u"(MP): "},   {tt_file_utilities, u"(FU): "},
               {tt_API_tool, u"(API): "},       {tt_file_viewer, u"(FV): "},
               {tt_corpus_checker, u"(CC): "},  {tt_wordbuf, u"(WDB): "},
               {tt_version_checker, u"(\?\?)"}, {tt_no_tool_at_all, u"(\?\?)"}};
  for (const Case &c : cases) EXPECT_EQ(LogToolTag(c.tool), c.tag) << int(c.tool);
}

// ---- Yield hook and waits ----

class HookTest : public ::testing::Test {
 protected:
  void TearDown() override { AYieldProcessProc = nullptr; }
};

TEST_F(HookTest, MyYieldProcessCallsTheHookOnlyWhenAssigned) {
  int calls = 0;
  EXPECT_NO_THROW(MyYieldProcess());
  AYieldProcessProc = [&] { ++calls; };
  MyYieldProcess();
  MyYieldProcess();
  EXPECT_EQ(calls, 2);
}

TEST_F(HookTest, WaitsReturnAtOnceWhenThereIsNothingToWaitFor) {
  int calls = 0;
  AYieldProcessProc = [&] { ++calls; };
  bool done = true, busy = false;
  EXPECT_FALSE(WaitTillDone(done, 5));
  EXPECT_FALSE(WaitedFor(busy, 5));
  EXPECT_FALSE(EspereFuncao([] { return false; }, 5));
  EXPECT_FALSE(EspereFuncao(nullptr, 5));
  EXPECT_EQ(calls, 0);
}

TEST_F(HookTest, WaitsEndWhenTheHookChangesTheFlag) {
  bool done = false, busy = true;
  int calls = 0;
  AYieldProcessProc = [&] {
    if (++calls == 10) {
      done = true;
      busy = false;
    }
  };
  EXPECT_FALSE(WaitTillDone(done, 5));
  EXPECT_EQ(calls, 12);  // four yields per round
  calls = 0;
  EXPECT_FALSE(WaitedFor(busy, 5));
  int tests = 0;
  EXPECT_FALSE(EspereFuncao([&] { return ++tests < 3; }, 5));
  EXPECT_EQ(tests, 3);
}

TEST_F(HookTest, WaitsTimeOutAfterTheGivenSeconds) {
  int calls = 0;
  AYieldProcessProc = [&] { ++calls; };
  const bool never = false;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(WaitTillDone(never, 1));
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GE(seconds, 1.0);
  EXPECT_LT(seconds, 2.0);
  EXPECT_GT(calls, 100);

  AYieldProcessProc = nullptr;  // without a hook the wait sleeps instead of spinning
  const bool busy = true;
  EXPECT_TRUE(WaitedFor(busy, 0));
}

}  // namespace
