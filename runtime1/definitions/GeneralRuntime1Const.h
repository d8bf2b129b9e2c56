// The first unit of the translatable message catalogue: every user-visible text of the
// package is a named entry ("_QVWordList") with its English text; a translation replaces texts
// by name. Later catalogue units add their tables through RegisterResStringTable.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

// One catalogue entry: its name (beginning with "_QV") and its English text.
struct TQVResourceString {
  const char *name;
  const char16_t *english;
};

// The entries of this unit, as X(Identifier, English text). The handle of each is
// qvres::QV<Identifier> and its catalogue name "_QV<Identifier>".
#define QV_GENERAL_RUNTIME1_TEXTS(X)                                          \
  /* list-type captions */                                                    \
  X(WordList, u"Word list")                                                   \
  X(KeyWordList, u"Key word list")                                            \
  X(SalientDatabase, u"Salient Database")                                     \
  X(DetailedConsistencyRelationsList, u"Detailed Consistency Relations List") \
  X(DetailedConsistencyList, u"Detailed Consistency List")                    \
  X(CollocateList, u"Collocate List")                                         \
  X(SalientAsTallyman, u"Salient as Tallyman")                                \
  X(KWDBaseAsTallyman, u"KWDBase as Tallyman")                                \
  X(AssociatesAsTallyman, u"Associates as Tallyman")                          \
  X(ClumpsAsTallyman, u"Clumps as Tallyman")                                  \
  X(ConcordanceList, u"Concordance list")                                     \
  X(SalientPlotList, u"Salient Plot list")                                    \
  X(ConcordancePlotList, u"Concordance Plot list")                            \
  X(ConcordanceClusterList, u"Concordance Cluster List")                      \
  X(ConcordancePatternList, u"Concordance Pattern List")                      \
  X(AssociateList, u"Associate List")                                         \
  X(ClumpList, u"Clump List")                                                 \
  X(FilenameList, u"Filename List")                                           \
  X(LinkList, u"Link List")                                                   \
  X(StatisticsList, u"Statistics List")                                       \
  X(TimelineList, u"Timeline List")                                           \
  X(AlignerList, u"Aligner List")                                             \
  X(TextList, u"Text List")                                                   \
  X(TallymanIndexList, u"Tallyman Index List")                                \
  X(SalientClusterList, u"Salient Cluster list")                              \
  X(Notes, u"Notes")                                                          \
  X(SourceText, u"source text")                                               \
  X(RelationshipsList, u"Relationships List")                                 \
  X(ViewerList, u"Viewer List")                                               \
  X(QVConcgramList, u"QVConcgram List")                                       \
  X(MarkupList, u"Markup List")                                               \
  X(SectionList, u"Section List")                                             \
  X(ChargramList, u"Chargram List")                                           \
  X(Sort, u"Sort")                                                            \
  /* booleans as words */                                                     \
  X(True, u"true")                                                            \
  X(False, u"false")                                                          \
  /* failures to open a document or start a program */                        \
  X(NotEnoughMemoryToRun, u"Not enough memory to run ")                       \
  X(CantAccess, u"Can't access ")                                             \
  X(AlreadyRunning, u" already running")                                      \
  X(SharingProblem, u"Sharing problem: ")                                     \
  X(CantHandleFilesEnding, u"Can't handle files ending ")                     \
  X(CantCommunicateWith, u"Can't communicate with ")

namespace qvres {
#define QV_DECLARE_RES_STRING(id, text) inline constexpr TQVResourceString QV##id{"_QV" #id, text};
QV_GENERAL_RUNTIME1_TEXTS(QV_DECLARE_RES_STRING)
#undef QV_DECLARE_RES_STRING
}  // namespace qvres

// The current text of an entry: its translation when one was set, else its English text.
std::u16string LoadResString(const TQVResourceString &entry);

// The current text of the entry of that name; empty when no registered table has it.
std::u16string LoadResStringByName(std::string_view name);

// True when a registered table has an entry of that name.
bool ResStringExists(std::string_view name);

// Replaces the text of the named entry (a translation); false, changing nothing, when no
// registered table has that name.
bool SetResStringTranslation(std::string_view name, std::u16string text);

// Drops every translation: all entries show their English texts again.
void ClearResStringTranslations();

// Adds a table of entries to the catalogue (the tables of later catalogue units). The entries
// must live as long as the process. A name already registered keeps its first entry.
void RegisterResStringTable(std::span<const TQVResourceString *const> entries);

// The entries of this unit, in the order above.
std::span<const TQVResourceString *const> GeneralRuntime1ResStrings();
