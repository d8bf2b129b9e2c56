// The mappings between list types, tools, extensions and grid kinds, the running tool, the
// tool file names, and the writing and checking of the 57-byte saved-list header on a stream.
// Nothing here touches files or the log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/streams.h"
#include "runtime1/definitions/basic_types.h"
#include "runtime1/definitions/wdef_consts.h"

// The running tool; tt_shell until SetCurrentTool runs.
extern tool_type current_tool_var;

// Sets current_tool_var from the running program's file name (see the overload).
void SetCurrentTool();
// Sets current_tool_var from a program file name (a folder before the last '/' is ignored):
// the first tool whose GetShortToolFilename equals it, ignoring ASCII case and a final ".exe"
// (or ".dll") on either side; tt_no_tool_at_all when none does. So "tallyman7.EXE" and
// "Tallyman7" give tt_tallyman.
void SetCurrentTool(std::u16string_view program_file_name);

// The header signature text of a list type without a final "32" ("Word List32" -> "Word
// List"); empty for a value outside the table.
std::u16string ListSignature(list_type lt);

// The default extension with its dot, or empty (also for a value outside the table).
std::u16string DefaultExtFromListType(list_type lt);
// The same without its dot (through CorrectedDefaultExt).
std::u16string DotlessDefaultExtFromListType(list_type lt);
// The text without its first character when it is at least two characters long and begins
// with "."; otherwise unchanged.
std::u16string CorrectedDefaultExt(std::u16string_view text);
// ".txt", ".xml", ".xls", ".rtf", or for as_default_for_list the list type's extension.
std::u16string DefaultExtFromSaveASFormat(TSave_as_format format, list_type lt);
// The tool's default data-file extension; ".dat" outside the table.
std::u16string DefaultExtFromToolType(tool_type tool);

// The tool that owns the list type (current_tool_var for lt_notes and spare10); tt_shell
// outside the table.
tool_type ToolTypeFromListType(list_type lt);
// corvane_only_data outside the table.
file_data_type ListTypeToFileDataType(list_type lt);
// lt_none_in_use outside the table.
list_type ListTypeFromGridAlternatives(grid_alternatives grid);
// True for 6, 7, 8, 9 and 23; IsOrIsLikeTallyman also for 0.
bool IsLikeTallyman(list_type lt);
bool IsOrIsLikeTallyman(list_type lt);

// The list type of an extension (with its dot, any case); spare10 when none fits.
// ".types", ".tokens", ".stats", ".markup" and any piece of ".types.tokens.stats.markup" give
// lt_wordlist_index_list; pieces of ".base_pairs.base_index.base_index_cg" lt_concgram_list.
list_type ListTypeFromFileExt(std::u16string_view ext);
// The tool of an extension; tt_wordbuf when none fits.
tool_type ToolTypeFromFileExt(std::u16string_view ext);
// ".lst;.kws;.kdb;.cnc;.ali;.tokens;.mut;.vwr;.base_pairs;.cgr;.types;.base_index_cg"
std::u16string QVFileExtensions();

// The tool's display name (tt_API_tool's with the major version filled in); empty for the
// tools without one and outside the table.
std::u16string Tool_Name(tool_type tool);
// The display name with blanks replaced by "_", followed by the major version and ".exe"
// (".dll" for tt_API_tool): "Tallyman7.exe". Empty when the display name is empty.
std::u16string GetShortToolFilename(tool_type tool);

// "7.0.0.100".
std::u16string CurrentQVMajorVersion100Str();

// The list type named by a header's text: the first of list types 0..41 whose signature
// equals it exactly; "Salient Database (v. 2)32" gives lt_KW_database_list; anything else,
// the empty text included, lt_none_in_use.
list_type DiskFileType(const TCheckSignature &header);

// Writing: sets signature and type_of_data for the tool and list type, keeps the other three
// numbers, writes the 57 bytes at the stream's position; true when all 57 were written.
// Reading: reads 57 bytes into the header (kept whatever the outcome); true when all 57 were
// read, the signature is the tool's header number and the text is the list type's signature.
// False for a tool or list type outside the tables.
bool DiskSignatureISOKForToolAndList(TCheckSignature &header, tool_type tool, list_type lt,
                                     platform::Stream &stream, TWriteOrRead direction);
