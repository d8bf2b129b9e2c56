// The constant tables of the list and tool kinds: header signature texts (current and older
// format), extensions, owning tools, data kinds, list-kind sets, progress thresholds, tool
// names and header numbers, and the grid-to-list mapping. Indexed by the enumeration values.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "runtime1/definitions/basic_types.h"

// The major version of the suite.
constexpr int32_t CurrentQVMajorVersion = 7;

// The signature text written into the saved-list header, per list type (8-bit, ASCII).
extern const std::array<std::string_view, kListTypeCount> list_signature32;

// The signature text of the older header format, for list types 0..23.
constexpr int kOldSignatureCount = 24;
extern const std::array<std::string_view, kOldSignatureCount> list_signature_old;

// The signature text of an older key-word database that is read as lt_KW_database_list.
constexpr std::string_view kOldKWDatabaseSignature32 = "Salient Database (v. 2)32";

// The default file extension of each list type, with its dot; empty for none.
extern const std::array<std::u16string_view, kListTypeCount> list_default_extensions;

// The tool that owns each list type; kCurrentToolMarker stands for "the current tool".
constexpr uint8_t kCurrentToolMarker = 0xFF;
extern const std::array<uint8_t, kListTypeCount> list_owner_tools;

extern const std::array<file_data_type, kListTypeCount> list_file_data_types;

// The list size from which the controller shows progress, per list type (2147483647: never).
extern const std::array<int32_t, kListTypeCount> progress_show_in_Shell_thresholds;

// List types that can be lemmatised, and those that can be saved.
inline constexpr list_type_set LemmatisableListTypes{0, 1, 4, 5, 11, 12, 13, 15, 16, 23, 24, 33};
inline constexpr list_type_set SaveableListTypes{0, 1, 2, 4, 10, 19, 21, 22, 23, 28, 29, 30, 33};
// List types that behave like a word list.
inline constexpr list_type_set LikeTallymanListTypes{6, 7, 8, 9, 23};

// The header number each tool writes into its saved lists.
extern const std::array<int32_t, kToolTypeCount> CurrentSignature;

// The display name (without any formatting) and default data-file extension of each tool.
// The name of tt_API_tool is a pattern with %d for the major version.
extern const std::array<std::u16string_view, kToolTypeCount> tool_display_names;
extern const std::array<std::u16string_view, kToolTypeCount> tool_default_extensions;

// The list type each grid kind saves as.
extern const std::array<list_type, kGridAlternativesCount> grid_list_types;

// The extension families of word-list index files and of concgram files.
constexpr std::u16string_view wordlist_index_file_extensions = u".types.tokens.stats.markup";
constexpr std::u16string_view concgram_file_extensions = u".base_pairs.base_index.base_index_cg";

// The files of a word-list index, in the order they are backed up or deleted.
inline constexpr std::array<std::u16string_view, 7> index_file_extensions = {
    u".markup",     u".types",         u".tokens", u".base_pairs",
    u".base_index", u".base_index_cg", u".stats"};

// The comment prefix of a batch zip file.
constexpr std::u16string_view kBatchZipCommentPrefix = u"Corvane Batch file ";
