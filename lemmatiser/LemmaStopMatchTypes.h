// Shared types of the lemmatiser: list kinds, entry records, callback types, the names of the
// list kinds and the two process-wide result buffers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "QV7CorvaneLemmatiser.h"

namespace lemmatiser {

enum TLemmaMatchStopOptions : uint8_t { as_lemma = 0, as_match = 1, as_stop = 2, as_relation = 3 };
constexpr int kListKinds = 4;

// Every entry record begins with the pointer to its key text, which is what comparisons read.
using TLemmaEntryRec = QV7LemmaEntryRec;
using PLemmaEntryRec = TLemmaEntryRec *;
struct TMatchEntryRec {
  const void *searchp;
};
using PMatchEntryRec = TMatchEntryRec *;
using PStopEntryRec = TMatchEntryRec *;

using TShowSomeProgressProc = QV7ShowSomeProgressProc;
using TAnnounceNumberAndMessageProc = QV7AnnounceNumberAndMessageProc;
using THandleLemmaProc = QV7HandleLemmaProc;
using THandleMatchProc = QV7HandleMatchProc;
using THandleStopProc = QV7HandleStopProc;

// 101 UTF-16 units: a NUL-terminated name of up to 100 characters.
using hundredwidechar = std::array<char16_t, QV7_NAME_OF_PROCESS_UNITS>;

// "lemmas", "match list", "stop list", "relation list".
std::u16string_view LemmaMatchStopnames_of_processes(TLemmaMatchStopOptions kind);
// "lemmas file %s" and its companions.
std::u16string_view LemmaMatchStopFiles(TLemmaMatchStopOptions kind);
// The file format of a kind with s in place of "%s".
std::u16string LemmaMatchStopFileTypeStr(TLemmaMatchStopOptions kind, std::u16string_view s);

// The two process-wide result buffers. A routine that returns text in one zero-fills it and
// copies at most 255 units, so the text is always NUL-terminated.
struct TSharedResultBuffers {
  std::array<char, QV7_RESULT_BUFFER_UNITS> ansi{};
  std::array<char16_t, QV7_RESULT_BUFFER_UNITS> wide{};
};
TSharedResultBuffers &SharedBuffers();

// Zero-fills a buffer and copies at most 255 units of text into it; returns the buffer.
const char *FillAnsiBuffer(std::string_view text);
const char16_t *FillWideBuffer(std::u16string_view text);

// True when the text contains "<" and, somewhere after it, ">".
bool HasAffixes(std::u16string_view text);

}  // namespace lemmatiser
