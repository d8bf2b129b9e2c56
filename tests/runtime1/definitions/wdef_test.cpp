// List and tool kinds: the header codec, file recognition, extension mappings, tool names,
// batch zip files, the catalogue captions and the index-file backup.
#include "runtime1/definitions/Wdef.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "platform/streams.h"
#include "platform/utf16_text.h"
#include "platform/zip_archive.h"
#include "runtime1/definitions/GeneralRuntime1Const.h"
#include "runtime1/definitions/wdef_mini.h"
#include "runtime1/files/logging_utilities.h"
#include "test_support.h"

namespace {

using test_support::ReadAll;
using test_support::TempDir;
using test_support::WriteAll;

namespace fs = std::filesystem;

std::u16string U(const std::string &utf8) {
  return platform::Utf8ToUtf16(utf8);
}

// Restores the running tool after each test.
class CurrentToolGuard : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = current_tool_var; }
  void TearDown() override { current_tool_var = saved_; }
  tool_type saved_ = tt_shell;
};

// A header for the tool and list, followed by `extra` bytes of list data.
std::vector<uint8_t> HeaderFile(tool_type tool, list_type lt, size_t extra) {
  TCheckSignature header;
  platform::MemoryStream stream;
  EXPECT_TRUE(DiskSignatureISOKForToolAndList(header, tool, lt, stream, writing));
  std::vector<uint8_t> bytes = stream.Bytes();
  bytes.resize(bytes.size() + extra, 0xAB);
  return bytes;
}

std::vector<uint8_t> HeaderWithNumber(int32_t number, list_type lt) {
  TCheckSignature header;
  header.signature = number;
  header.set_type_of_data(list_signature32[lt]);
  const auto bytes = header.ToBytes();
  std::vector<uint8_t> file(bytes.begin(), bytes.end());
  file.push_back(0);
  return file;
}

TEST(SavedListHeader, ConcordancerHeaderBytesAreExact) {
  TCheckSignature header;
  header.screen_res = 96;
  header.save_height = 768;
  header.save_width = 1024;
  platform::MemoryStream stream;
  ASSERT_TRUE(
      DiskSignatureISOKForToolAndList(header, tt_sightline, lt_concordance_list, stream, writing));
  std::vector<uint8_t> expected = {0x24, 0x00, 0x00, 0x00, 0x60, 0x00, 0x00, 0x00, 0x00, 0x03,
                                   0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x0D, 'C',  'o',  'n',
                                   'c',  'o',  'r',  'd',  'a',  'n',  'c',  'e',  '3',  '2'};
  expected.resize(57, 0x00);
  EXPECT_EQ(stream.Bytes(), expected);

  // Read back: accepted for the same tool and list, refused for another list or tool number.
  struct Case {
    tool_type tool;
    list_type lt;
    bool ok;
  } cases[] = {{tt_sightline, lt_concordance_list, true},
               {tt_any_main_tool, lt_concordance_list, true},  // shares number 36
               {tt_tallyman, lt_concordance_list, false},
               {tt_sightline, lt_collocate_list, false}};
  for (const Case &c : cases) {
    platform::MemoryStream in(expected);
    TCheckSignature read;
    EXPECT_EQ(DiskSignatureISOKForToolAndList(read, c.tool, c.lt, in, reading), c.ok)
        << int(c.tool);
    EXPECT_EQ(in.Position(), 57);
    EXPECT_EQ(read.save_width, 1024);  // kept whatever the outcome
    EXPECT_EQ(read.type_of_data(), "Concordance32");
  }
}

TEST(SavedListHeader, ShortStreamIsRefusedAndKeepsWhatWasRead) {
  auto bytes = HeaderFile(tt_tallyman, lt_word_list, 0);
  bytes.resize(20);
  platform::MemoryStream in(bytes);
  TCheckSignature read;
  read.save_width = 555;
  EXPECT_FALSE(DiskSignatureISOKForToolAndList(read, tt_tallyman, lt_word_list, in, reading));
  EXPECT_EQ(read.signature, 37);
  EXPECT_EQ(read.save_width, 0);  // bytes 12..15 were read (zeros)
  EXPECT_EQ(in.Position(), 20);
}

TEST(SavedListHeader, LongSignatureTextsAreCutToForty) {
  TCheckSignature header;
  header.set_type_of_data(std::string(50, 'x'));
  EXPECT_EQ(header.type_of_data_length, 40);
  EXPECT_EQ(header.type_of_data(), std::string(40, 'x'));
}

TEST(SavedListHeader, DiskFileTypeMatchesExactlyAndClampsTheLength) {
  struct Case {
    std::string text;
    list_type expected;
  } cases[] = {{"Concordance32", lt_concordance_list},
               {"Salient Database (v. 2)32", lt_KW_database_list},
               {"lt_bol8", lt_none_in_use},
               {"", lt_none_in_use},
               {"concordance32", lt_none_in_use},
               {" Text List32", lt_aligner_plaintext_list},
               {"Notes", lt_notes},
               {"lt_bol7", lt_bol7}};
  for (const Case &c : cases) {
    TCheckSignature header;
    header.set_type_of_data(c.text);
    EXPECT_EQ(DiskFileType(header), c.expected) << c.text;
  }
  // A damaged length byte larger than the field reads at most the 40 stored characters.
  auto bytes = HeaderFile(tt_sightline, lt_concordance_list, 0);
  bytes[16] = 0xFF;
  const auto header = TCheckSignature::FromBytes(std::span<const uint8_t, 57>(bytes.data(), 57));
  EXPECT_EQ(header.type_of_data().size(), 40u);
  EXPECT_EQ(DiskFileType(header), lt_none_in_use);
  EXPECT_EQ(header.ToBytes()[16], 0xFF);  // the stored byte itself is kept
}

TEST_F(CurrentToolGuard, HeaderOnlyFileIsNotAListButOneMoreByteIs) {
  TempDir dir;
  TQVStored_File_rec rec;
  rec.filename = U(dir / "a.cnc");
  auto bytes = HeaderFile(tt_sightline, lt_concordance_list, 0);
  ASSERT_EQ(bytes.size(), 57u);
  WriteAll(dir / "a.cnc", bytes);
  rec.ListType = lt_word_list;
  EXPECT_FALSE(IsACorvane32BitFileForTool(rec, tt_sightline));
  EXPECT_EQ(rec.ListType, lt_none_in_use);
  EXPECT_EQ(WhichToolsCorvane32BitFile(rec), tt_no_tool_at_all);

  bytes.push_back(0);
  WriteAll(dir / "a.cnc", bytes);
  EXPECT_TRUE(IsACorvane32BitFileForTool(rec, tt_sightline));
  EXPECT_EQ(rec.ListType, lt_concordance_list);
  current_tool_var = tt_sightline;
  EXPECT_TRUE(IsACorvane32BitFile(rec));
  current_tool_var = tt_tallyman;
  EXPECT_FALSE(IsACorvane32BitFile(rec));
  EXPECT_EQ(rec.ListType, lt_none_in_use);
}

TEST(SavedListFiles, MissingFoldersAndUnreadableFilesAnswerFalse) {
  TempDir dir;
  TQVStored_File_rec rec;
  for (const std::string &name : {dir / "missing.lst", dir / ""}) {
    rec.filename = U(name);
    rec.ListType = lt_word_list;
    EXPECT_FALSE(IsACorvane32BitFileForTool(rec, tt_tallyman));
    EXPECT_EQ(rec.ListType, lt_none_in_use);
    EXPECT_FALSE(WasACorvane32BitFile(rec));
    EXPECT_EQ(WhichToolsCorvane32BitFile(rec), tt_no_tool_at_all);
    EXPECT_FALSE(IsAnOldCorvaneFile(rec));
    EXPECT_FALSE(IsABatchZipFileForListType(rec));
  }
  if (::geteuid() != 0) {  // root reads everything
    WriteAll(dir / "locked.lst", HeaderFile(tt_tallyman, lt_word_list, 10));
    fs::permissions(dir / "locked.lst", fs::perms::none);
    rec.filename = U(dir / "locked.lst");
    EXPECT_FALSE(IsACorvane32BitFileForTool(rec, tt_tallyman));
  }
}

TEST_F(CurrentToolGuard, SharedHeaderNumbersNameTheFirstTool) {
  TempDir dir;
  struct Case {
    int32_t number;
    tool_type expected;
  } cases[] = {{37, tt_tallyman},
               {36, tt_sightline},
               {38, tt_viewer_aligner},
               {789, tt_no_tool_at_all},
               {35, tt_no_tool_at_all}};
  TQVStored_File_rec rec;
  rec.filename = U(dir / "x.lst");
  for (const Case &c : cases) {
    WriteAll(dir / "x.lst", HeaderWithNumber(c.number, lt_keyword_list));
    EXPECT_EQ(WhichToolsCorvane32BitFile(rec), c.expected) << c.number;
    EXPECT_EQ(rec.ListType, c.expected == tt_no_tool_at_all ? lt_none_in_use : lt_keyword_list);
  }
  WriteAll(dir / "x.lst", HeaderWithNumber(37, lt_keyword_list));
  EXPECT_TRUE(IsACorvane32BitFileForTool(rec, tt_salient));
  EXPECT_EQ(rec.ListType, lt_keyword_list);
}

TEST_F(CurrentToolGuard, EarlierFormatNumbersAreRecognised) {
  TempDir dir;
  current_tool_var = tt_shell;  // header number 37
  struct Case {
    int32_t number;
    bool result;
    list_type lt;
  } cases[] = {{36, true, lt_statistics_list},
               {35, true, lt_statistics_list},
               {37, false, lt_statistics_list},
               {34, false, lt_none_in_use},
               {38, false, lt_none_in_use}};
  TQVStored_File_rec rec;
  rec.filename = U(dir / "x.lst");
  for (const Case &c : cases) {
    WriteAll(dir / "x.lst", HeaderWithNumber(c.number, lt_statistics_list));
    EXPECT_EQ(WasACorvane32BitFile(rec), c.result) << c.number;
    EXPECT_EQ(rec.ListType, c.lt) << c.number;
  }
}

std::vector<uint8_t> OldHeader(std::vector<uint8_t> start, size_t size) {
  start.resize(size, 0);
  return start;
}

TEST(SavedListFiles, OlderHeadersAreRecognised) {
  TempDir dir;
  auto text = [](std::string s) { return std::vector<uint8_t>(s.begin(), s.end()); };
  std::vector<uint8_t> concordancer = {12};
  for (uint8_t b : text("Concordancer")) concordancer.push_back(b);
  std::vector<uint8_t> two_byte = {12, 0};
  for (uint8_t b : text("Concordancer")) two_byte.push_back(b);
  std::vector<uint8_t> cut = {4};
  for (uint8_t b : text("Word Lister")) cut.push_back(b);
  std::vector<uint8_t> blank = {10};
  for (uint8_t b : text(" Text List")) blank.push_back(b);
  std::vector<uint8_t> unterminated(60, 'A');
  unterminated[0] = 0xFF;

  struct Case {
    std::vector<uint8_t> bytes;
    bool result;
    list_type lt;
  } cases[] = {{OldHeader(concordancer, 42), true, lt_concordance_list},
               {OldHeader(two_byte, 42), true, lt_concordance_list},
               {OldHeader(cut, 42), false, lt_none_in_use},
               {OldHeader(blank, 100), true, lt_aligner_plaintext_list},
               {OldHeader(concordancer, 41), false, lt_none_in_use},  // not longer than 41
               {unterminated, false, lt_none_in_use},
               {OldHeader({0}, 50), false, lt_none_in_use}};
  TQVStored_File_rec rec;
  rec.filename = U(dir / "old.cnc");
  for (const Case &c : cases) {
    WriteAll(dir / "old.cnc", c.bytes);
    EXPECT_EQ(IsAnOldCorvaneFile(rec), c.result);
    EXPECT_EQ(rec.ListType, c.lt);
  }
}

std::string MakeZip(const TempDir &dir, const std::string &name, const std::string &comment,
                    int files, bool folder = false) {
  const std::string path = dir / name;
  platform::ZipWriter writer;
  EXPECT_TRUE(writer.Create(path));
  if (folder) {
    EXPECT_TRUE(writer.AddFolder("only/"));
  }
  for (int i = 0; i < files; ++i) {
    EXPECT_TRUE(writer.AddFile("list" + std::to_string(i) + ".cnc", std::string_view("data")));
  }
  EXPECT_TRUE(writer.SetComment(comment));
  EXPECT_TRUE(writer.Commit());
  return path;
}

TEST(SavedListFiles, BatchZipFilesAreRecognisedByTheirComment) {
  TempDir dir;
  struct Case {
    std::string comment;
    int files;
    bool result;
    list_type lt;
    int32_t count;
  } cases[] = {{"Corvane Batch file .cnc", 3, true, lt_concordance_list, 3},
               {"Corvane Batch file .lst", 2, true, lt_word_list, 2},
               {"Corvane Batch file .tokens", 1, true, lt_wordlist_index_list, 1},
               {"Corvane Batch file ", 2, false, lt_none_in_use, 0},
               {"Corvane Batch file .xyz", 2, true, lt_none_in_use, 0},
               {"corvane batch file .cnc", 2, false, lt_none_in_use, 0},
               {"", 2, false, lt_none_in_use, 0}};
  TQVStored_File_rec rec;
  for (const Case &c : cases) {
    rec.filename = U(MakeZip(dir, "b.zip", c.comment, c.files));
    rec.ListType = lt_word_list;
    rec.Number_within_Zipfile = 99;
    EXPECT_EQ(IsABatchZipFileForListType(rec), c.result) << c.comment;
    EXPECT_EQ(rec.ListType, c.lt) << c.comment;
    EXPECT_EQ(rec.Number_within_Zipfile, c.count) << c.comment;
  }
  // A folder alone is no file.
  rec.filename = U(MakeZip(dir, "f.zip", "Corvane Batch file .cnc", 0, true));
  EXPECT_FALSE(IsABatchZipFileForListType(rec));
  // An archive of no entries with a batch comment (written by hand: end record + comment).
  const std::string comment = "Corvane Batch file .cnc";
  std::vector<uint8_t> eocd = {0x50, 0x4B, 0x05, 0x06, 0, 0, 0,
                               0,    0,    0,    0,    0, 0, 0,
                               0,    0,    0,    0,    0, 0, static_cast<uint8_t>(comment.size()),
                               0};
  eocd.insert(eocd.end(), comment.begin(), comment.end());
  WriteAll(dir / "empty.zip", eocd);
  rec.filename = U(dir / "empty.zip");
  EXPECT_FALSE(IsABatchZipFileForListType(rec));
  // An ordinary list file is answered, not raised.
  WriteAll(dir / "plain.cnc", HeaderFile(tt_sightline, lt_concordance_list, 100));
  rec.filename = U(dir / "plain.cnc");
  EXPECT_FALSE(IsABatchZipFileForListType(rec));
  EXPECT_EQ(rec.ListType, lt_none_in_use);
}

TEST(ListTypeMappings, ExtensionsToListTypes) {
  struct Case {
    std::u16string ext;
    list_type expected;
  } cases[] = {{u"", spare10},
               {u".LST", lt_word_list},
               {u".lst", lt_word_list},
               {u".stats", lt_wordlist_index_list},
               {u".markup", lt_wordlist_index_list},
               {u".types", lt_wordlist_index_list},
               {u".Tokens", lt_wordlist_index_list},
               {u".base_pairs", lt_concgram_list},
               {u".base_index_cg", lt_concgram_list},
               {u".txt", lt_aligner_plaintext_list},
               {u".srt", lt_aligner_plaintext_list},
               {u".dcl", lt_detailed_consistency_list},
               {u".mut", lt_relationship_list},
               {u".cnc", lt_concordance_list},
               {u".CGR", lt_chargram_list},
               {u".kws", lt_keyword_list},
               {u".kdb", lt_KW_database_list},
               {u".vwr", lt_viewer_list},
               {u".ali", lt_aligner_list},
               {u".col", spare10},
               {u"lst", spare10},
               {u".lstx", spare10},
               {u".\u00e9", spare10}};
  for (const Case &c : cases) {
    EXPECT_EQ(ListTypeFromFileExt(c.ext), c.expected) << platform::Utf16ToUtf8(c.ext);
  }
}

TEST(ListTypeMappings, ExtensionsToTools) {
  struct Case {
    std::u16string ext;
    tool_type expected;
  } cases[] = {{u".cnc", tt_sightline},
               {u".base_pairs", tt_QVconcgram},
               {u".BASE_INDEX_CG", tt_QVconcgram},
               {u".base_index", tt_wordbuf},
               {u".kws", tt_salient},
               {u".kdb", tt_salient},
               {u".TOKENS", tt_tallyman},
               {u".types", tt_tallyman},
               {u".dcl", tt_tallyman},
               {u".mut", tt_tallyman},
               {u".lst", tt_tallyman},
               {u".ali", tt_viewer_aligner},
               {u".txt", tt_viewer_aligner},
               {u".vwr", tt_viewer_aligner},
               {u".cgr", tt_Chargrams},
               {u".col", tt_wordbuf},
               {u".stats", tt_wordbuf},
               {u"", tt_wordbuf}};
  for (const Case &c : cases) {
    EXPECT_EQ(ToolTypeFromFileExt(c.ext), c.expected) << platform::Utf16ToUtf8(c.ext);
  }
}

TEST(ListTypeMappings, AllExtensionsSignaturesAndDefaults) {
  EXPECT_EQ(QVFileExtensions(),
            u".lst;.kws;.kdb;.cnc;.ali;.tokens;.mut;.vwr;.base_pairs;.cgr;.types;.base_index_cg");
  EXPECT_EQ(ListSignature(lt_sections_list), u"Section List");
  EXPECT_EQ(ListSignature(lt_notes), u"Notes");
  EXPECT_EQ(ListSignature(lt_aligner_plaintext_list), u" Text List");
  EXPECT_EQ(ListSignature(lt_word_list), u"Word List");
  EXPECT_EQ(ListSignature(lt_none_in_use), u"");
  EXPECT_EQ(ListSignature(static_cast<list_type>(200)), u"");

  struct Ext {
    std::u16string in, out;
  } corrected[] = {{u".", u"."}, {u".lst", u"lst"}, {u"lst", u"lst"}, {u"", u""}, {u"..x", u".x"}};
  for (const Ext &c : corrected) {
    EXPECT_EQ(CorrectedDefaultExt(c.in), c.out);
  }
  EXPECT_EQ(DotlessDefaultExtFromListType(lt_concgram_list), u"base_pairs");
  EXPECT_EQ(DefaultExtFromSaveASFormat(as_default_for_list, lt_sorting), u"");
  EXPECT_EQ(DefaultExtFromSaveASFormat(as_default_for_list, lt_concordance_list), u".cnc");
  EXPECT_EQ(DefaultExtFromSaveASFormat(as_Excel_spreadsheet, lt_concordance_list), u".xls");
  EXPECT_EQ(DefaultExtFromToolType(tt_QVconcgram), u".base_pairs");
  EXPECT_EQ(DefaultExtFromToolType(static_cast<tool_type>(99)), u".dat");
  EXPECT_EQ(ListTypeToFileDataType(lt_concordance_plot_list), graphic_data);
  EXPECT_EQ(ListTypeToFileDataType(lt_source_text), text_data);
  EXPECT_EQ(ListTypeToFileDataType(static_cast<list_type>(77)), corvane_only_data);
  EXPECT_EQ(ListTypeFromGridAlternatives(grid_concgram), lt_none_in_use);
  EXPECT_EQ(ListTypeFromGridAlternatives(grid_chargrams), lt_chargram_list);
  EXPECT_EQ(ListTypeFromGridAlternatives(static_cast<grid_alternatives>(30)), lt_none_in_use);
  EXPECT_TRUE(IsLikeTallyman(lt_wordlist_index_list));
  EXPECT_FALSE(IsLikeTallyman(lt_word_list));
  EXPECT_TRUE(IsOrIsLikeTallyman(lt_word_list));
  EXPECT_FALSE(IsOrIsLikeTallyman(lt_keyword_list));
  EXPECT_TRUE(LemmatisableListTypes.contains(lt_chargram_list));
  EXPECT_FALSE(SaveableListTypes.contains(lt_collocate_list));
  EXPECT_EQ(progress_show_in_Shell_thresholds[lt_sorting], 2147483647);
}

TEST_F(CurrentToolGuard, OwnersFollowTheCurrentToolForNotes) {
  current_tool_var = tt_salient;
  EXPECT_EQ(ToolTypeFromListType(lt_notes), tt_salient);
  EXPECT_EQ(ToolTypeFromListType(spare10), tt_salient);
  EXPECT_EQ(ToolTypeFromListType(lt_concordance_list), tt_sightline);
  EXPECT_EQ(ToolTypeFromListType(static_cast<list_type>(43)), tt_shell);
}

TEST(ListTypeSets, StoredAsBitSets) {
  const list_type_set set{0, 42};
  const std::array<uint8_t, 6> expected = {0x01, 0, 0, 0, 0, 0x04};
  EXPECT_EQ(set.ToBytes(), expected);
  const std::array<uint8_t, 6> noisy = {0x01, 0, 0, 0, 0, 0xFC};  // bits above 42 are dropped
  EXPECT_EQ(list_type_set::FromBytes(noisy), set);
  const TTool_Type_Set tools{tt_tallyman, tt_no_tool_at_all};
  const std::array<uint8_t, 4> tool_bytes = {0x01, 0x00, 0x20, 0x00};
  EXPECT_EQ(tools.ToBytes(), tool_bytes);
  EXPECT_FALSE(tools.contains(40));
}

TEST_F(CurrentToolGuard, ToolFileNamesAndTheRunningTool) {
  struct Case {
    tool_type tool;
    std::u16string name;
  } cases[] = {{tt_tallyman, u"Tallyman7.exe"},
               {tt_shell, u"Corvane7.exe"},
               {tt_version_checker, u"Corvane_version_check7.exe"},
               {tt_API_tool, u"QV7_General_API_DLL7.dll"},
               {tt_any_main_tool, u""},
               {tt_no_tool_at_all, u""}};
  for (const Case &c : cases) {
    EXPECT_EQ(GetShortToolFilename(c.tool), c.name);
  }

  // Every named tool has a distinct file name, so each can be recognised when running.
  for (int t = 0; t < kToolTypeCount; ++t) {
    const std::u16string name = GetShortToolFilename(static_cast<tool_type>(t));
    if (name.empty()) continue;
    SetCurrentTool(name);
    EXPECT_EQ(current_tool_var, t) << platform::Utf16ToUtf8(name);
  }
  struct Running {
    std::u16string program;
    tool_type expected;
  } running[] = {{u"tallyman7.EXE", tt_tallyman},
                 {u"Tallyman7", tt_tallyman},
                 {u"CORVANE7", tt_shell},
                 {u"/opt/corvane/bin/Salient7", tt_salient},
                 {u"Viewer_Aligner7", tt_viewer_aligner},
                 {u"Tallyman6.exe", tt_no_tool_at_all},
                 {u"", tt_no_tool_at_all},
                 {u"wdef_tests", tt_no_tool_at_all}};
  for (const Running &r : running) {
    SetCurrentTool(r.program);
    EXPECT_EQ(current_tool_var, r.expected) << platform::Utf16ToUtf8(r.program);
  }
  SetCurrentTool();  // this test program is none of the tools
  EXPECT_EQ(current_tool_var, tt_no_tool_at_all);
  const std::u16string full = GetFullToolFilename(tt_tallyman);
  EXPECT_TRUE(full.ends_with(u"/Tallyman7.exe"));
  EXPECT_EQ(full.front(), u'/');
}

TEST(SuiteVersion, CaptionVersionAndHelpAddress) {
  TFormatSettings dot;
  EXPECT_EQ(CorvaneControllerCaption(dot), u"Corvane Tools 7.0");
  TFormatSettings comma;
  comma.DecimalSeparator = u',';
  EXPECT_EQ(CorvaneControllerCaption(comma), u"Corvane Tools 7,0");
  EXPECT_EQ(CurrentQVMajorVersion100Str(), u"7.0.0.100");
  EXPECT_EQ(CorvaneHelpURL(), std::u16string(kCorvaneWebSite) + u"/downloads/version7/HTML/");
  EXPECT_EQ(Tool_Name(tt_API_tool), u"QV7 General API DLL");
}

TEST(Catalogue, CaptionsComeFromTheCatalogueAndFollowTranslations) {
  EXPECT_EQ(list_type_as_string[lt_concordance_list], u"Concordance list");
  EXPECT_EQ(list_type_as_string[lt_sorting], u"Sort");
  EXPECT_EQ(list_type_as_string[lt_none_in_use], u"");
  EXPECT_EQ(list_type_as_string[lt_boll], u"");
  EXPECT_EQ(list_type_as_string[lt_concgram_list], u"QVConcgram List");

  EXPECT_TRUE(SetResStringTranslation("_QVConcordanceList", u"Liste de concordance"));
  EXPECT_FALSE(SetResStringTranslation("_QVNoSuchEntry", u"x"));
  FillListTypeCaptions();
  EXPECT_EQ(list_type_as_string[lt_concordance_list], u"Liste de concordance");
  EXPECT_EQ(LoadResStringByName("_QVConcordanceList"), u"Liste de concordance");
  ClearResStringTranslations();
  FillListTypeCaptions();
  EXPECT_EQ(list_type_as_string[lt_concordance_list], u"Concordance list");
  EXPECT_EQ(LoadResStringByName("_QVNoSuchEntry"), u"");

  // Names are unique and all begin with "_QV".
  std::set<std::string> names;
  for (const TQVResourceString *entry : GeneralRuntime1ResStrings()) {
    EXPECT_EQ(std::string_view(entry->name).substr(0, 3), "_QV");
    EXPECT_TRUE(names.insert(entry->name).second) << entry->name;
  }
}

TEST(IndexFiles, BackupCopiesEveryExistingMemberAndReportsFailures) {
  TempDir dir;
  WriteAll(dir / "corpus.types", {'t'});
  WriteAll(dir / "corpus.tokens", {'k', 'k'});
  WriteAll(dir / "corpus.tokens_bak", {'o', 'l', 'd'});
  WriteAll(dir / "corpus.stats", {'s'});

  const std::u16string log = U(dir / "run.log");
  SetLogFilename(log);
  keeping_log = true;
  EXPECT_TRUE(TryToBackupIndexFiles(U(dir / "corpus.lst")));
  EXPECT_EQ(ReadAll(dir / "corpus.types_bak"), std::vector<uint8_t>{'t'});
  EXPECT_EQ(ReadAll(dir / "corpus.tokens_bak"), (std::vector<uint8_t>{'k', 'k'}));
  EXPECT_EQ(ReadAll(dir / "corpus.stats_bak"), std::vector<uint8_t>{'s'});
  EXPECT_FALSE(fs::exists(dir / "corpus.markup_bak"));

  // A backup that cannot be written is reported.
  fs::remove(dir / "corpus.types_bak");
  fs::create_directory(dir / "corpus.types_bak");
  EXPECT_FALSE(TryToBackupIndexFiles(U(dir / "corpus.lst")));

  EXPECT_TRUE(TryToDeleteIndexFiles(U(dir / "corpus")));
  EXPECT_FALSE(fs::exists(dir / "corpus.types"));
  EXPECT_FALSE(fs::exists(dir / "corpus.tokens"));
  EXPECT_TRUE(fs::exists(dir / "corpus.tokens_bak"));
  keeping_log = false;
  SetLogFilename(u"");

  // The log names the backup, each copy and each deletion.
  const auto bytes = ReadAll(dir / "run.log");
  std::u16string text;
  for (size_t i = 2; i + 1 < bytes.size(); i += 2)
    text.push_back(char16_t(bytes[i] | bytes[i + 1] << 8));
  const std::u16string tag = LogToolTag(current_tool_var);
  EXPECT_NE(text.find(tag + u"Trying to backup index files for " + U(dir / "corpus.lst") + u"\r\n"),
            std::u16string::npos);
  EXPECT_NE(text.find(tag + u"Trying to copy " + U(dir / "corpus.tokens") + u" to " +
                      U(dir / "corpus.tokens_bak") + u"\r\n"),
            std::u16string::npos);
  EXPECT_NE(text.find(tag + u"Trying to delete " + U(dir / "corpus.stats") + u"\r\n"),
            std::u16string::npos);
}

}  // namespace
