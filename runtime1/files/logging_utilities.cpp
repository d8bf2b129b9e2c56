#include "runtime1/files/logging_utilities.h"

#include <chrono>
#include <thread>

#include "platform/date_time.h"
#include "platform/file_ops.h"
#include "platform/files.h"
#include "platform/utf16_text.h"
#include "runtime1/definitions/wdef_mini.h"
#include "runtime1/files/WinGenOk.h"

TYieldProcessProc AYieldProcessProc;

void MyYieldProcess() {
  if (AYieldProcessProc) AYieldProcessProc();
}

Tpanic_mode panic_mode = panic_no_panic;
bool yes_to_all = false;
bool no_to_all = false;
bool Global_ErrorMessageBusy = false;
bool keeping_log = false;

namespace {

// ---- Timed waits ----

// Yields four times and tells whether more than `seconds` have passed since `start`.
bool YieldAndCheckTimeOut(std::chrono::steady_clock::time_point start, int32_t seconds) {
  const bool hooked = static_cast<bool>(AYieldProcessProc);
  for (int i = 0; i < 4; ++i) MyYieldProcess();
  if (!hooked) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  return elapsed > std::chrono::seconds(seconds);
}

// Waits while `go_on` answers true; true when the time ran out first.
template <typename GoOn>
bool WaitWhile(GoOn go_on, int32_t seconds) {
  const auto start = std::chrono::steady_clock::now();
  while (go_on()) {
    if (YieldAndCheckTimeOut(start, seconds)) return true;
  }
  return false;
}

// ---- The log ----

struct LogState {
  std::u16string file_name;
  std::vector<std::u16string> pending;
  bool busy = false;
};

LogState &Log() {
  static LogState *state = new LogState();  // outlives every unit's farewell entry
  return *state;
}

std::string LittleEndianBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

void WriteLogEntry(std::u16string_view entry) {
  LogState &log = Log();
  if (!keeping_log || log.file_name.empty()) return;
  if (log.busy) {
    log.pending.emplace_back(entry);
    return;
  }
  log.busy = true;
  struct ClearBusy {
    LogState &log;
    ~ClearBusy() { log.busy = false; }
  } clear_busy{log};

  const size_t taken = log.pending.size();
  std::u16string text;
  if (taken > 0) {
    for (const std::u16string &waiting : log.pending) {
      text += waiting;
      text += CRLF;
    }
    text += CRLF;
  }
  text += LogToolTag(current_tool_var);
  text += entry;
  const std::string bytes = LittleEndianBytes(text);
  if (!platform::AppendToFile(platform::NativeFileName(log.file_name), bytes.data(), bytes.size(),
                              std::string_view("\xFF\xFE", 2))) {
    keeping_log = false;  // the waiting entries stay for a later attempt
    return;
  }
  // Entries that arrived during this write stay behind the ones just written.
  log.pending.erase(log.pending.begin(), log.pending.begin() + static_cast<long>(taken));
}

// Makes sure the log service ends after every unit that writes a farewell entry: those units
// call this from their start-up, so the service's end is registered before their own.
struct LogServiceEnd {
  ~LogServiceEnd() { FinishLogging(); }
};

}  // namespace

bool WaitTillDone(const bool &done, int32_t seconds) {
  if (done) return false;
  return WaitWhile([&] { return !done; }, seconds);
}

bool WaitedFor(const bool &busy, int32_t seconds) {
  if (!busy) return false;
  return WaitWhile([&] { return busy; }, seconds);
}

bool EspereFuncao(const std::function<bool()> &test, int32_t seconds) {
  if (!test || !test()) return false;
  return WaitWhile([&] { return test(); }, seconds);
}

void SetLogFilename(const std::u16string &name) {
  Log().file_name = name;
}

std::u16string GetLogFilename() {
  return Log().file_name;
}

std::u16string LogToolTag(tool_type tool) {
  switch (tool) {
    case tt_tallyman:
      return u"(TL): ";
    case tt_sightline:
      return u"(SL): ";
    case tt_salient:
      return u"(SA): ";
    case tt_Chargrams:
      return u"(CHRG): ";
    case tt_shell:
      return u"(QV" + platform::Utf8ToUtf16(std::to_string(CurrentQVMajorVersion)) + u"): ";
    case tt_text_converter:
      return u"(TXC): ";
    case tt_QVconcgram:
      return u"(CGR): ";
    case tt_language_chooser:
      return u"(LNG): ";
    case tt_viewer_aligner:
      return u"(VA): ";
    case tt_character_profiler:
      return u"(CA): ";
    case tt_minimal_pairs:
      return u"(MP): ";
    case tt_file_utilities:
      return u"(FU): ";
    case tt_API_tool:
      return u"(API): ";
    case tt_file_viewer:
      return u"(FV): ";
    case tt_corpus_checker:
      return u"(CC): ";
    case tt_wordbuf:
      return u"(WDB): ";
    default:
      return u"(\?\?)";  // escaped: not a trigraph
  }
}

void AddToLogFile(std::u16string_view text, bool line_break) {
  if (!line_break) {
    WriteLogEntry(text);
    return;
  }
  std::u16string entry(text);
  entry += CRLF;
  WriteLogEntry(entry);
}

void AddToLogFile(std::u16string_view text) {
  AddToLogFile(text, true);
}

void StartNewLogSection() {
  AddToLogFile(u"**********");
  AddToLogFile(u"LOG STARTED at " + platform::FormatDateTime(u"c", platform::NowAsDateTime(),
                                                             UserDefaultFormatSettings));
}

void ClearLogFile() {
  const std::u16string name = GetLogFilename();
  if (name.empty()) return;
  const std::string native = platform::NativeFileName(name);
  if (!platform::FileExists(native)) return;
  if (!platform::DeleteFileNamed(native)) return;
  StartNewLogSection();
}

bool &LogWriterBusy() {
  return Log().busy;
}

const std::vector<std::u16string> &PendingLogEntries() {
  return Log().pending;
}

void FinishLogging() {
  LogState &log = Log();
  if (!log.pending.empty() && !log.busy) {
    std::u16string joined;
    for (size_t i = 0; i < log.pending.size(); ++i) {
      if (i > 0) joined += CRLF;
      joined += log.pending[i];
    }
    log.pending.clear();
    AddToLogFile(joined, true);
  }
  log.pending.clear();
  log.file_name.clear();
}

void RegisterLogServiceEnd() {
  static LogServiceEnd end;
  (void)end;
}

namespace {
const bool log_service_end_registered = (RegisterLogServiceEnd(), true);
}  // namespace
