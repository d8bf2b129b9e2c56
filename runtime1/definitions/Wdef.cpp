#include "runtime1/definitions/Wdef.h"

#include <climits>
#include <cstdio>
#include <initializer_list>
#include <optional>

#include "platform/file_ops.h"
#include "platform/files.h"
#include "platform/system_info.h"
#include "platform/utf16_text.h"
#include "platform/zip_archive.h"
#include "runtime1/definitions/GeneralRuntime1Const.h"
#include "runtime1/files/logging_utilities.h"

std::array<std::u16string, kListTypeCount> list_type_as_string;

namespace {

// The catalogue entry of each list type's caption; null where the type has none.
const TQVResourceString *const kCaptions[kListTypeCount] = {
    &qvres::QVWordList,
    &qvres::QVKeyWordList,
    &qvres::QVSalientDatabase,
    &qvres::QVDetailedConsistencyRelationsList,
    &qvres::QVDetailedConsistencyList,
    &qvres::QVCollocateList,
    &qvres::QVSalientAsTallyman,
    &qvres::QVKWDBaseAsTallyman,
    &qvres::QVAssociatesAsTallyman,
    &qvres::QVClumpsAsTallyman,
    &qvres::QVConcordanceList,
    &qvres::QVSalientPlotList,
    &qvres::QVConcordancePlotList,
    &qvres::QVConcordanceClusterList,
    &qvres::QVConcordancePatternList,
    &qvres::QVAssociateList,
    &qvres::QVClumpList,
    &qvres::QVFilenameList,
    &qvres::QVLinkList,
    &qvres::QVStatisticsList,
    &qvres::QVTimelineList,
    &qvres::QVAlignerList,
    &qvres::QVTextList,
    &qvres::QVTallymanIndexList,
    &qvres::QVSalientClusterList,
    nullptr,
    &qvres::QVNotes,
    &qvres::QVSourceText,
    &qvres::QVRelationshipsList,
    &qvres::QVViewerList,
    &qvres::QVQVConcgramList,
    &qvres::QVMarkupList,
    &qvres::QVSectionList,
    &qvres::QVChargramList,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    &qvres::QVSort,
};

std::u16string Formatted(std::u16string_view pattern,
                         std::initializer_list<std::u16string_view> args) {
  std::u16string out;
  auto next = args.begin();
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == u'%' && i + 1 < pattern.size() && pattern[i + 1] == u's' &&
        next != args.end()) {
      out += *next++;
      ++i;
    } else {
      out.push_back(pattern[i]);
    }
  }
  return out;
}

// The header of a current-format file: only a file longer than the header counts.
std::optional<TCheckSignature> ReadCurrentHeader(const std::u16string &file_name) {
  const std::string name = platform::NativeFileName(file_name);
  const auto size = platform::FileSize(name);
  if (!size || *size <= TCheckSignature::kSize) return std::nullopt;
  const auto bytes = platform::ReadFilePrefix(name, TCheckSignature::kSize);
  if (!bytes || bytes->size() != TCheckSignature::kSize) return std::nullopt;
  return TCheckSignature::FromBytes(
      std::span<const uint8_t, TCheckSignature::kSize>(bytes->data(), TCheckSignature::kSize));
}

struct WdefUnit {
  WdefUnit() {
    RegisterLogServiceEnd();
    FillListTypeCaptions();
  }
  ~WdefUnit() {
    if (keeping_log) AddToLogFile(u"quit wdef, ", false);
  }
};
const WdefUnit wdef_unit;

}  // namespace

void FillListTypeCaptions() {
  for (int lt = 0; lt < kListTypeCount; ++lt) {
    list_type_as_string[lt] = kCaptions[lt] != nullptr ? LoadResString(*kCaptions[lt]) : u"";
  }
}

std::u16string GetFullToolFilename(tool_type tool) {
  return platform::Utf8ToUtf16(platform::ExecutableFolder()) + GetShortToolFilename(tool);
}

std::u16string CorvaneControllerCaption(const TFormatSettings &settings) {
  char number[32];
  std::snprintf(number, sizeof number, "%4.1f", static_cast<double>(CurrentQVMajorVersion));
  std::u16string text = platform::Utf8ToUtf16(number);
  for (char16_t &c : text) {
    if (c == u'.') c = settings.DecimalSeparator;
  }
  return u"Corvane Tools" + text;
}

std::u16string CorvaneHelpURL() {
  return std::u16string(kCorvaneWebSite) + u"/downloads/version" +
         platform::Utf8ToUtf16(std::to_string(CurrentQVMajorVersion)) + u"/HTML/";
}

bool IsACorvane32BitFileForTool(TQVStored_File_rec &rec, tool_type tool) {
  rec.ListType = lt_none_in_use;
  const auto header = ReadCurrentHeader(rec.filename);
  if (!header || !IsValidToolType(tool) || header->signature != CurrentSignature[tool])
    return false;
  rec.ListType = DiskFileType(*header);
  return true;
}

bool IsACorvane32BitFile(TQVStored_File_rec &rec) {
  return IsACorvane32BitFileForTool(rec, current_tool_var);
}

bool WasACorvane32BitFile(TQVStored_File_rec &rec) {
  rec.ListType = lt_none_in_use;
  const auto header = ReadCurrentHeader(rec.filename);
  if (!header) return false;
  const int32_t current =
      IsValidToolType(current_tool_var) ? CurrentSignature[current_tool_var] : 0;
  if (header->signature >= 35 && header->signature < current) {
    rec.ListType = DiskFileType(*header);
    return true;
  }
  if (header->signature == current && current >= 35) rec.ListType = DiskFileType(*header);
  return false;
}

tool_type WhichToolsCorvane32BitFile(TQVStored_File_rec &rec) {
  rec.ListType = lt_none_in_use;
  const auto header = ReadCurrentHeader(rec.filename);
  if (!header) return tt_no_tool_at_all;
  for (int tool = 0; tool <= tt_wordbuf; ++tool) {
    if (CurrentSignature[tool] == header->signature) {
      rec.ListType = DiskFileType(*header);
      return static_cast<tool_type>(tool);
    }
  }
  return tt_no_tool_at_all;
}

bool IsAnOldCorvaneFile(TQVStored_File_rec &rec) {
  constexpr size_t kOldHeaderSize = 41;
  rec.ListType = lt_none_in_use;
  const std::string name = platform::NativeFileName(rec.filename);
  const auto size = platform::FileSize(name);
  if (!size || *size <= kOldHeaderSize) return false;
  const auto bytes = platform::ReadFilePrefix(name, kOldHeaderSize);
  if (!bytes || bytes->size() != kOldHeaderSize) return false;
  const size_t start = (*bytes)[1] == 0 ? 2 : 1;
  std::string text;
  for (size_t i = start; i < kOldHeaderSize && (*bytes)[i] != 0; ++i) {
    text.push_back(static_cast<char>((*bytes)[i]));
  }
  if (text.size() > (*bytes)[0]) text.resize((*bytes)[0]);
  if (text.empty()) return false;
  for (int lt = 0; lt < kOldSignatureCount; ++lt) {
    if (text == list_signature_old[lt]) {
      rec.ListType = static_cast<list_type>(lt);
      return true;
    }
  }
  return false;
}

bool IsABatchZipFileForListType(TQVStored_File_rec &rec) {
  rec.Number_within_Zipfile = 0;
  rec.ListType = lt_none_in_use;
  platform::ZipArchive zip;
  if (!zip.Open(platform::NativeFileName(rec.filename))) return false;
  bool holds_a_file = false;
  for (const platform::ZipEntryInfo &entry : zip.Entries()) {
    if (!entry.is_folder) {
      holds_a_file = true;
      break;
    }
  }
  const std::u16string comment = platform::Utf8ToUtf16(zip.Comment());
  if (!holds_a_file || comment.size() <= kBatchZipCommentPrefix.size() ||
      comment.compare(0, kBatchZipCommentPrefix.size(), kBatchZipCommentPrefix) != 0) {
    return false;
  }
  const std::u16string_view ext =
      std::u16string_view(comment).substr(kBatchZipCommentPrefix.size());
  for (int lt = 0; lt < kListTypeCount; ++lt) {
    if (ext == list_default_extensions[lt]) {
      rec.ListType = static_cast<list_type>(lt);
      const int64_t count = zip.EntryCount();
      rec.Number_within_Zipfile = count > INT32_MAX ? INT32_MAX : static_cast<int32_t>(count);
      break;
    }
  }
  return true;
}

bool TryToBackupIndexFiles(const std::u16string &name) {
  if (keeping_log) AddToLogFile(Formatted(u"Trying to backup index files for %s", {name}));
  const std::string native = platform::NativeFileName(name);
  bool all_copied = true;
  for (std::u16string_view ext : index_file_extensions) {
    const std::string source = platform::ChangeFileExtension(native, platform::Utf16ToUtf8(ext));
    if (!platform::FileExists(source)) continue;
    const std::string target = source + "_bak";
    if (keeping_log) {
      AddToLogFile(Formatted(u"Trying to copy %s to %s",
                             {platform::Utf8ToUtf16(source), platform::Utf8ToUtf16(target)}));
    }
    if (!platform::CopyFileReplacing(source, target)) all_copied = false;
  }
  return all_copied;
}

bool TryToDeleteIndexFiles(const std::u16string &name) {
  const std::string native = platform::NativeFileName(name);
  bool all_deleted = true;
  for (std::u16string_view ext : index_file_extensions) {
    const std::string file = platform::ChangeFileExtension(native, platform::Utf16ToUtf8(ext));
    if (!platform::FileExists(file)) continue;
    if (keeping_log) AddToLogFile(Formatted(u"Trying to delete %s", {platform::Utf8ToUtf16(file)}));
    if (!platform::DeleteFileNamed(file)) all_deleted = false;
  }
  return all_deleted;
}
