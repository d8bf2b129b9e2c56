#include "runtime1/definitions/wdef_mini.h"

#include <array>

#include "platform/system_info.h"
#include "platform/utf16_text.h"

tool_type current_tool_var = tt_shell;

namespace {

char16_t AsciiLower(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

std::u16string AsciiLowered(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t &c : out) c = AsciiLower(c);
  return out;
}

bool EndsWith(std::u16string_view text, std::u16string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The lower-cased program name without a final ".exe" or ".dll".
std::u16string ProgramStem(std::u16string_view name) {
  std::u16string lowered = AsciiLowered(name);
  if (EndsWith(lowered, u".exe") || EndsWith(lowered, u".dll")) lowered.resize(lowered.size() - 4);
  return lowered;
}

std::u16string Ascii(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (char c : text) out.push_back(static_cast<unsigned char>(c));
  return out;
}

}  // namespace

void SetCurrentTool() {
  SetCurrentTool(platform::Utf8ToUtf16(platform::ExecutableName()));
}

void SetCurrentTool(std::u16string_view program_file_name) {
  const size_t slash = program_file_name.find_last_of(u'/');
  if (slash != std::u16string_view::npos) program_file_name.remove_prefix(slash + 1);
  const std::u16string running = ProgramStem(program_file_name);
  for (int t = 0; t < kToolTypeCount; ++t) {
    const std::u16string short_name = GetShortToolFilename(static_cast<tool_type>(t));
    if (!short_name.empty() && ProgramStem(short_name) == running) {
      current_tool_var = static_cast<tool_type>(t);
      return;
    }
  }
  current_tool_var = tt_no_tool_at_all;
}

std::u16string ListSignature(list_type lt) {
  if (!IsValidListType(lt)) return {};
  std::u16string text = Ascii(list_signature32[lt]);
  if (EndsWith(text, u"32")) text.resize(text.size() - 2);
  return text;
}

std::u16string DefaultExtFromListType(list_type lt) {
  if (!IsValidListType(lt)) return {};
  return std::u16string(list_default_extensions[lt]);
}

std::u16string DotlessDefaultExtFromListType(list_type lt) {
  return CorrectedDefaultExt(DefaultExtFromListType(lt));
}

std::u16string CorrectedDefaultExt(std::u16string_view text) {
  if (text.size() >= 2 && text[0] == u'.') return std::u16string(text.substr(1));
  return std::u16string(text);
}

std::u16string DefaultExtFromSaveASFormat(TSave_as_format format, list_type lt) {
  switch (format) {
    case as_txt:
      return u".txt";
    case as_xml:
      return u".xml";
    case as_Excel_spreadsheet:
      return u".xls";
    case as_RTF:
      return u".rtf";
    case as_default_for_list:
      return DefaultExtFromListType(lt);
  }
  return {};
}

std::u16string DefaultExtFromToolType(tool_type tool) {
  if (!IsValidToolType(tool)) return u".dat";
  return std::u16string(tool_default_extensions[tool]);
}

tool_type ToolTypeFromListType(list_type lt) {
  if (!IsValidListType(lt)) return tt_shell;
  const uint8_t owner = list_owner_tools[lt];
  return owner == kCurrentToolMarker ? current_tool_var : static_cast<tool_type>(owner);
}

file_data_type ListTypeToFileDataType(list_type lt) {
  if (!IsValidListType(lt)) return corvane_only_data;
  return list_file_data_types[lt];
}

list_type ListTypeFromGridAlternatives(grid_alternatives grid) {
  if (static_cast<int>(grid) >= kGridAlternativesCount) return lt_none_in_use;
  return grid_list_types[grid];
}

bool IsLikeTallyman(list_type lt) {
  return LikeTallymanListTypes.contains(lt);
}

bool IsOrIsLikeTallyman(list_type lt) {
  return lt == lt_word_list || IsLikeTallyman(lt);
}

list_type ListTypeFromFileExt(std::u16string_view ext) {
  const std::u16string e = AsciiLowered(ext);
  struct Exact {
    std::u16string_view ext;
    list_type lt;
  };
  static constexpr Exact kFirst[] = {{u".dcl", lt_detailed_consistency_list},
                                     {u".srt", lt_aligner_plaintext_list},
                                     {u".mut", lt_relationship_list},
                                     {u".lst", lt_word_list}};
  static constexpr Exact kThen[] = {
      {u".cnc", lt_concordance_list}, {u".cgr", lt_chargram_list},
      {u".kws", lt_keyword_list},     {u".kdb", lt_KW_database_list},
      {u".vwr", lt_viewer_list},      {u".txt", lt_aligner_plaintext_list},
      {u".ali", lt_aligner_list}};
  for (const Exact &x : kFirst) {
    if (e == x.ext) return x.lt;
  }
  // Piece tests: any non-empty piece of the family's joined extensions.
  if (!e.empty() && wordlist_index_file_extensions.find(e) != std::u16string_view::npos) {
    return lt_wordlist_index_list;
  }
  if (!e.empty() && concgram_file_extensions.find(e) != std::u16string_view::npos) {
    return lt_concgram_list;
  }
  for (const Exact &x : kThen) {
    if (e == x.ext) return x.lt;
  }
  return spare10;
}

tool_type ToolTypeFromFileExt(std::u16string_view ext) {
  const std::u16string e = AsciiLowered(ext);
  struct Entry {
    std::u16string_view ext;
    tool_type tool;
  };
  static constexpr Entry kTable[] = {{u".cnc", tt_sightline},
                                     {u".base_pairs", tt_QVconcgram},
                                     {u".base_index_cg", tt_QVconcgram},
                                     {u".kws", tt_salient},
                                     {u".kdb", tt_salient},
                                     {u".lst", tt_tallyman},
                                     {u".tokens", tt_tallyman},
                                     {u".types", tt_tallyman},
                                     {u".dcl", tt_tallyman},
                                     {u".mut", tt_tallyman},
                                     {u".ali", tt_viewer_aligner},
                                     {u".txt", tt_viewer_aligner},
                                     {u".vwr", tt_viewer_aligner},
                                     {u".cgr", tt_Chargrams}};
  for (const Entry &x : kTable) {
    if (e == x.ext) return x.tool;
  }
  return tt_wordbuf;
}

std::u16string QVFileExtensions() {
  static constexpr list_type_set kLeftOut{5, 11, 12, 13, 14, 15, 16, 17, 18, 20, 22, 24};
  std::u16string result;
  for (int lt = 0; lt < kListTypeCount; ++lt) {
    if (kLeftOut.contains(lt)) continue;
    const std::u16string_view ext = list_default_extensions[lt];
    if (ext.size() >= 2 && result.find(ext) == std::u16string::npos) {
      result.append(ext);
      result.push_back(u';');
    }
  }
  result.append(u".types;.base_index_cg");
  return result;
}

std::u16string Tool_Name(tool_type tool) {
  if (!IsValidToolType(tool)) return {};
  std::u16string name(tool_display_names[tool]);
  const size_t at = name.find(u"%d");
  if (at != std::u16string::npos) {
    name.replace(at, 2, platform::Utf8ToUtf16(std::to_string(CurrentQVMajorVersion)));
  }
  return name;
}

std::u16string GetShortToolFilename(tool_type tool) {
  std::u16string name = Tool_Name(tool);
  if (name.empty()) return name;
  for (char16_t &c : name) {
    if (c == u' ') c = u'_';
  }
  name += platform::Utf8ToUtf16(std::to_string(CurrentQVMajorVersion));
  name += tool == tt_API_tool ? u".dll" : u".exe";
  return name;
}

std::u16string CurrentQVMajorVersion100Str() {
  return platform::Utf8ToUtf16(std::to_string(CurrentQVMajorVersion)) + u".0.0.100";
}

list_type DiskFileType(const TCheckSignature &header) {
  const std::string text = header.type_of_data();
  if (text.empty()) return lt_none_in_use;
  for (int lt = 0; lt <= lt_bol7; ++lt) {
    if (text == list_signature32[lt]) return static_cast<list_type>(lt);
  }
  if (text == kOldKWDatabaseSignature32) return lt_KW_database_list;
  return lt_none_in_use;
}

bool DiskSignatureISOKForToolAndList(TCheckSignature &header, tool_type tool, list_type lt,
                                     platform::Stream &stream, TWriteOrRead direction) {
  const bool known = IsValidToolType(tool) && IsValidListType(lt);
  if (direction == writing) {
    if (!known) return false;
    header.signature = CurrentSignature[tool];
    header.set_type_of_data(list_signature32[lt]);
    const auto bytes = header.ToBytes();
    return stream.Write(bytes.data(), bytes.size()) == bytes.size();
  }
  // Bytes past a short read keep the record's earlier contents.
  std::array<uint8_t, TCheckSignature::kSize> bytes = header.ToBytes();
  const size_t got = stream.Read(bytes.data(), bytes.size());
  header = TCheckSignature::FromBytes(bytes);
  if (got != bytes.size() || !known) return false;
  return header.signature == CurrentSignature[tool] &&
         header.type_of_data() == list_signature32[lt];
}
