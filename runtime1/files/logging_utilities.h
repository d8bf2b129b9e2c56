// Process-wide services of the runtime packages: the optional diagnostic log (a UTF-16 LE file
// whose entries carry the running tool's tag), the cooperative yield hook through which long
// loops keep the host's user interface alive, timed waits built on it, and the standing
// answers and stop requests of a running job.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime1/definitions/basic_types.h"

// ---- Yield hook ------------------------------------------------------------------------------

// The yield hook: a parameterless procedure bound to an object, unassigned at package start.
// Code that must not yield saves it, empties it and restores it afterwards.
using TYieldProcessProc = std::function<void()>;
extern TYieldProcessProc AYieldProcessProc;

// Calls AYieldProcessProc when it is assigned; otherwise does nothing. Long loops call it once
// per item or step.
void MyYieldProcess();

// ---- Job state -------------------------------------------------------------------------------

// How urgently the running job is to stop.
enum Tpanic_mode : uint8_t {
  panic_no_panic = 0,
  panic_stop_at_EOF = 1,  // at the end of the current text
  panic_stop_asap = 2,
  panic_stop = 3,
};
extern Tpanic_mode panic_mode;
// A standing answer given to a repeated question.
extern bool yes_to_all;
extern bool no_to_all;
// Set while an error message is on screen.
extern bool Global_ErrorMessageBusy;

// ---- Timed waits -----------------------------------------------------------------------------
// Each wait loops: four calls of MyYieldProcess (and a millisecond's sleep when no hook is
// assigned, so that an unhooked wait does not spin), then a look at the clock. It has timed out
// once more than `seconds` seconds have passed since it started. The result is whether it
// timed out.

// False at once when `done` is already true; otherwise waits until `done` becomes true (set
// by the hook) or the time is out.
bool WaitTillDone(const bool &done, int32_t seconds);
// False at once when `busy` is already false; otherwise waits while `busy` stays true.
bool WaitedFor(const bool &busy, int32_t seconds);
// False at once when the test answers false; otherwise waits while it answers true.
bool EspereFuncao(const std::function<bool()> &test, int32_t seconds);

// ---- The log ---------------------------------------------------------------------------------

// Whether log entries are written at all; false at start. A failed write sets it back to false.
extern bool keeping_log;

// CR LF.
inline constexpr std::u16string_view CRLF = u"\r\n";

// The log file's name (empty at start: nothing is written).
void SetLogFilename(const std::u16string &name);
std::u16string GetLogFilename();

// The tag that opens every entry of a tool: "(TL): ", "(QV7): " ... ; "(??)" for a tool
// without one.
std::u16string LogToolTag(tool_type tool);

// Adds an entry behind the current tool's tag; with `line_break` CR LF ends it, without it the
// next entry continues the same line. Does nothing unless keeping_log is set and a file name
// is given. A new (or empty) file begins with the byte-order mark FF FE. An entry that arrives
// while another is being written waits and is written ahead of the next one. Any failure
// switches keeping_log off; nothing is raised.
void AddToLogFile(std::u16string_view text, bool line_break);
void AddToLogFile(std::u16string_view text);  // with a line break

// Writes the two entries that open a section: ten asterisks, then "LOG STARTED at " and the
// current date and time in the user's default format.
void StartNewLogSection();

// When a log file name is set and the file exists: deletes it and starts a new section. Every
// failure is swallowed.
void ClearLogFile();

// The flag set while an entry is being written, and the entries waiting meanwhile (exposed so
// that the re-entry path can be driven from outside, as a yield hook would).
bool &LogWriterBusy();
const std::vector<std::u16string> &PendingLogEntries();

// Writes the waiting entries as one entry (with a line break) and clears the file name; the
// package runs it at its end, after the farewell entries of the other units.
void FinishLogging();

// Units that write a farewell entry when the package ends call this while they start, so that
// the log service ends (FinishLogging) only after their farewell.
void RegisterLogServiceEnd();
