// Test access to the built lemmatiser library the way a tool reaches it: loaded by name with
// dlopen, every export found with dlsym. Also writes list files in the encodings a tool meets.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "QV7CorvaneLemmatiser.h"

namespace lemmatiser_test {

struct LemmatiserLibrary {
  void *handle = nullptr;
#define QV7_EXPORT_FIELD(name) decltype(&::name) name = nullptr;
#define QV7_EXPORTS(X)                                                                             \
  X(LoadedOne)                                                                                     \
  X(ClearOne)                                                                                      \
  X(CancelOne) X(TallymanChangeWord) X(SightlineChangeWord) X(SalientChangeWord) X(FoundInTheList) \
      X(LemmaVariantsOf) X(LemmaHeadWords) X(LemmaHeadWordsCount) X(LemmaPairEntriesAltogether)    \
          X(MatchListWordsCount) X(StopListWordsCount) X(TraversedOne) X(GetAString)               \
              X(TraverseLemmasDoing) X(TraverseMatchesDoing) X(TraverseRelationsDoing)             \
                  X(TraverseStopsDoing) X(SetLemmatiserYieldProc)
  QV7_EXPORTS(QV7_EXPORT_FIELD)

  // Loads the library once per process; every export must be there.
  static LemmatiserLibrary &Get() {
    static LemmatiserLibrary library = Load();
    return library;
  }

 private:
  static LemmatiserLibrary Load() {
    LemmatiserLibrary library;
    library.handle = dlopen(QV7_LEMMATISER_PATH, RTLD_NOW | RTLD_LOCAL);
    if (library.handle == nullptr) {
      ADD_FAILURE() << dlerror();
      return library;
    }
#define QV7_FIND_EXPORT(name)                                                       \
  library.name = reinterpret_cast<decltype(&::name)>(dlsym(library.handle, #name)); \
  if (library.name == nullptr) ADD_FAILURE() << "missing export " #name;
    QV7_EXPORTS(QV7_FIND_EXPORT)
    return library;
  }
};

enum class Encoding { Ansi, Utf8WithMark, Utf16LE, Utf16BE };

// Writes text (UTF-16, line ends as given) to a file in the encoding; 8-bit files are
// Windows-1252 (every character of the test texts is in it).
inline void WriteListFile(const std::filesystem::path &path, const std::u16string &text,
                          Encoding encoding) {
  std::string bytes;
  switch (encoding) {
    case Encoding::Ansi:
      for (char16_t c : text) bytes.push_back(static_cast<char>(c <= 0xFF ? c : '?'));
      break;
    case Encoding::Utf8WithMark:
      bytes = "\xEF\xBB\xBF";
      for (char16_t c : text) {
        if (c < 0x80) {
          bytes.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
          bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
          bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
          bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
          bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
          bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
      }
      break;
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
      const bool little = encoding == Encoding::Utf16LE;
      bytes = little ? "\xFF\xFE" : "\xFE\xFF";
      for (char16_t c : text) {
        const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
        bytes.push_back(little ? low : high);
        bytes.push_back(little ? high : low);
      }
      break;
    }
  }
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace lemmatiser_test
