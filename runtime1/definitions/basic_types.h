// The shared vocabulary of saved lists: the kinds of list and of tool, grid kinds, export
// formats, the sets over them, the 57-byte saved-list header record and the description of a
// stored list. Values are stored in files by number, so no enumeration may be reordered.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

// The 43 kinds of saved list.
enum list_type : uint8_t {
  lt_word_list = 0,
  lt_keyword_list = 1,
  lt_KW_database_list = 2,
  lt_detailed_consistency_relations_list = 3,
  lt_detailed_consistency_list = 4,
  lt_collocate_list = 5,
  lt_KWs_as_word_list = 6,
  lt_KWDB_as_word_list = 7,
  lt_associates_as_word_list = 8,
  lt_clumps_as_word_list = 9,
  lt_concordance_list = 10,
  lt_KW_plot_list = 11,
  lt_concordance_plot_list = 12,
  lt_concordance_cluster_list = 13,
  lt_concordance_pattern_list = 14,
  lt_associate_list = 15,
  lt_clump_list = 16,
  lt_filename_list = 17,
  lt_link_list = 18,
  lt_statistics_list = 19,
  lt_timeline_list = 20,
  lt_aligner_list = 21,
  lt_aligner_plaintext_list = 22,
  lt_wordlist_index_list = 23,
  lt_kw_cluster_list = 24,
  lt_none_in_use = 25,
  lt_notes = 26,
  lt_source_text = 27,
  lt_relationship_list = 28,
  lt_viewer_list = 29,
  lt_concgram_list = 30,
  lt_markup_list = 31,
  lt_sections_list = 32,
  lt_chargram_list = 33,
  spare10 = 34,
  lt_boll = 35,
  lt_boll2 = 36,
  lt_boll3 = 37,
  ly_boll4 = 38,
  lt_boll5 = 39,
  lt_bol6 = 40,
  lt_bol7 = 41,
  lt_sorting = 42,
};
constexpr int kListTypeCount = 43;
// True for the values 0..42; a byte read from a file may hold anything.
constexpr bool IsValidListType(int value) {
  return value >= 0 && value < kListTypeCount;
}

// The programs of the suite.
enum tool_type : uint8_t {
  tt_tallyman = 0,
  tt_sightline = 1,
  tt_salient = 2,
  tt_Chargrams = 3,
  tt_shell = 4,
  tt_any_main_tool = 5,
  tt_text_converter = 6,
  tt_QVconcgram = 7,
  tt_spare_8 = 8,
  tt_language_chooser = 9,
  tt_spare_convert16bit = 10,
  tt_viewer_aligner = 11,
  tt_spare_webgetter = 12,
  tt_character_profiler = 13,
  tt_minimal_pairs = 14,
  tt_file_utilities = 15,
  tt_API_tool = 16,
  tt_file_viewer = 17,
  tt_corpus_checker = 18,
  tt_version_checker = 19,
  tt_wordbuf = 20,
  tt_no_tool_at_all = 21,
};
constexpr int kToolTypeCount = 22;
constexpr bool IsValidToolType(int value) {
  return value >= 0 && value < kToolTypeCount;
}

enum file_data_type : uint8_t { corvane_only_data = 0, graphic_data = 1, text_data = 2 };

enum file_load_type : uint8_t { file_load_unchanged = 0, file_load_it = 1, file_unload_it = 2 };

enum TBatchMode : uint8_t {
  simple_list = 0,
  one_batchfile_holding_individual_data = 1,
  folder_batchfiles_holding_individual_data = 2,
  folder_batchfiles_holding_folderfuls_of_data = 3,
};

enum TSave_as_format : uint8_t {
  as_txt = 0,
  as_xml = 1,
  as_Excel_spreadsheet = 2,
  as_RTF = 3,
  as_default_for_list = 4,
};

enum grid_alternatives : uint8_t {
  grid_concordance = 0,
  grid_clusters = 1,
  grid_conc_plot = 2,
  grid_patterns = 3,
  grid_collocates = 4,
  grid_detailed_consist = 5,
  grid_alph_order = 6,
  grid_freq_order = 7,
  grid_statistics = 8,
  grid_filenames = 9,
  grid_timeline = 10,
  grid_keywords = 11,
  grid_KWDbase = 12,
  grid_kwdb_associates = 13,
  grid_kw_Clusters = 14,
  grid_kw_Clumps = 15,
  grid_kw_plot = 16,
  grid_kw_plot_links = 17,
  grid_viewer_text = 18,
  grid_viewer_aligned = 19,
  grid_concgram = 20,
  grid_relations = 21,
  grid_detailed_consist_relations = 22,
  grid_breakdowns = 23,
  grid_chargrams = 24,
  spare_6 = 25,
  spare_7 = 26,
  spare_8 = 27,
  spare_9 = 28,
  grid_none = 29,
};
constexpr int kGridAlternativesCount = 30;

enum TWriteOrRead : uint8_t { writing = 0, reading = 1 };

// A set of the values 0..kCount-1 of an enumeration: bit n stands for value n. On disk it takes
// kStored bytes, little-endian (bit n in byte n / 8). Values outside the range are never members.
template <int kCount, size_t kStored>
struct TEnumSet {
  static_assert(kCount <= 64 && kCount <= static_cast<int>(kStored * 8));
  static constexpr size_t kStoredSize = kStored;
  static constexpr uint64_t kAll = kCount == 64 ? ~uint64_t{0} : (uint64_t{1} << kCount) - 1;
  static constexpr bool Valid(int value) { return value >= 0 && value < kCount; }

  uint64_t bits = 0;

  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<int> values) {
    for (int v : values) include(v);
  }
  // False for a value outside the range.
  constexpr bool contains(int value) const { return Valid(value) && ((bits >> value) & 1u) != 0; }
  constexpr void include(int value) {
    if (Valid(value)) bits |= uint64_t{1} << value;
  }
  constexpr void exclude(int value) {
    if (Valid(value)) bits &= ~(uint64_t{1} << value);
  }
  constexpr bool operator==(const TEnumSet &) const = default;

  std::array<uint8_t, kStoredSize> ToBytes() const {
    std::array<uint8_t, kStoredSize> out{};
    for (size_t i = 0; i < kStoredSize; ++i) out[i] = static_cast<uint8_t>(bits >> (8 * i));
    return out;
  }
  // Bits beyond the last value in the stored bytes are dropped.
  static TEnumSet FromBytes(std::span<const uint8_t, kStoredSize> bytes) {
    TEnumSet set;
    for (size_t i = 0; i < kStoredSize; ++i) set.bits |= static_cast<uint64_t>(bytes[i]) << (8 * i);
    set.bits &= kAll;
    return set;
  }
};

// A set of list types: 6 bytes on disk.
using list_type_set = TEnumSet<kListTypeCount, 6>;
// A set of tools: 4 bytes on disk.
using TTool_Type_Set = TEnumSet<kToolTypeCount, 4>;

// A message code and the tool that sent it.
struct Tcode_and_tool {
  uint16_t code = 0;
  tool_type calling_tool = tt_shell;
};

// The 57-byte header that opens every saved list file (packed, little-endian): four signed
// 32-bit numbers, then the list's signature text as a length byte and 40 8-bit characters.
struct TCheckSignature {
  static constexpr size_t kSize = 57;
  static constexpr size_t kTextCapacity = 40;

  int32_t signature = 0;            // the writing tool's header number
  int32_t screen_res = 0;           // carried for the caller
  int32_t save_height = 0;          // carried for the caller
  int32_t save_width = 0;           // carried for the caller
  uint8_t type_of_data_length = 0;  // as stored; may exceed 40 in a damaged file
  std::array<char, kTextCapacity> type_of_data_chars{};

  // The text: the first min(length, 40) characters (a longer length byte is clamped).
  std::string type_of_data() const;
  // Stores the text cut to 40 characters, with the rest of the characters zeroed.
  void set_type_of_data(std::string_view text);

  // The 57 stored bytes, and the record from 57 bytes (every byte kept as it is).
  std::array<uint8_t, kSize> ToBytes() const;
  static TCheckSignature FromBytes(std::span<const uint8_t, kSize> bytes);
};

// A stored list that a tool is about to open; the recognition functions fill ListType (and
// Number_within_Zipfile for a batch zip file).
struct TQVStored_File_rec {
  std::u16string filename;            // full path
  bool OldModified = false;           // kept for the caller
  int32_t Number_within_Zipfile = 0;  // a batch zip file's entry count
  list_type ListType = lt_none_in_use;
};
