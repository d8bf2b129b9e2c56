// Saved-list files: recognition of current-format, older-format and batch zip files by their
// first bytes or archive comment, the list-type captions, the tool's program file, the
// controller's caption and help address, and the backup and deletion of word-list index files.
#pragma once

#include <array>
#include <string>

#include "runtime1/definitions/basic_types.h"
#include "runtime1/definitions/wdef_mini.h"
#include "runtime1/files/WinGenOk.h"

// The caption of each list type, from the message catalogue (empty where a type has none).
extern std::array<std::u16string, kListTypeCount> list_type_as_string;
// Refills list_type_as_string from the catalogue (at load, and after a translation).
void FillListTypeCaptions();

// The running program's folder (with a trailing '/') followed by GetShortToolFilename.
std::u16string GetFullToolFilename(tool_type tool);

// "Corvane Tools" followed by the major version formatted as "%4.1f" under the settings
// (" 7.0", so "Corvane Tools 7.0"; "Corvane Tools 7,0" with a decimal comma).
std::u16string CorvaneControllerCaption(
    const TFormatSettings &settings = UserDefaultFormatSettings);
// The suite's web address followed by "/downloads/version", the major version and "/HTML/".
std::u16string CorvaneHelpURL();
// The suite's web address.
inline constexpr std::u16string_view kCorvaneWebSite = u"https://corvane.example";

// Each test below first sets ListType to lt_none_in_use. A missing file, a file too short
// for its header, a folder and a file that cannot be read give false (or tt_no_tool_at_all).

// True when the file is longer than 57 bytes and its header's number is the tool's header
// number; ListType := DiskFileType(header).
bool IsACorvane32BitFileForTool(TQVStored_File_rec &rec, tool_type tool);
// The same for current_tool_var.
bool IsACorvane32BitFile(TQVStored_File_rec &rec);
// With n the current tool's header number: true (ListType set) when 35 <= number < n; false
// with ListType set when the number is n (and n >= 35); otherwise false with ListType 25.
bool WasACorvane32BitFile(TQVStored_File_rec &rec);
// The first of tools 0..20 whose header number equals the file's (tt_no_tool_at_all when
// none); ListType set when one does. Shared numbers make 37 tt_tallyman, 36 tt_sightline and
// 38 tt_viewer_aligner.
tool_type WhichToolsCorvane32BitFile(TQVStored_File_rec &rec);
// True when the file is longer than 41 bytes and begins with one of the 24 older signature
// texts (a length byte, then the text at offset 1, or at offset 2 when the byte at offset 1
// is zero); ListType := that list type.
bool IsAnOldCorvaneFile(TQVStored_File_rec &rec);
// True when the file is a zip archive with at least one file and the comment "Corvane Batch
// file " followed by at least one character. When the rest equals a list type's default
// extension (first of 0..42), ListType := that type and Number_within_Zipfile := the
// archive's entry count; otherwise they stay 25 and 0. A file that is not a readable zip
// archive gives false.
bool IsABatchZipFileForListType(TQVStored_File_rec &rec);

// Copies each existing index file of the name's family (".markup", ".types", ".tokens",
// ".base_pairs", ".base_index", ".base_index_cg", ".stats") to the same name with "_bak"
// appended to its extension, replacing an older copy. True when every existing file was
// copied (so the caller may go on to overwrite the index). Logs "Trying to backup index files
// for %s" and "Trying to copy %s to %s" for each copy.
bool TryToBackupIndexFiles(const std::u16string &name);
// Deletes each existing index file of the family; true when every deletion succeeded. Logs
// "Trying to delete %s" for each.
bool TryToDeleteIndexFiles(const std::u16string &name);
