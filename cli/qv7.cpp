// qv7: the command-line driver. It loads list files through the lemmatiser's exports, as a
// corpus tool would, answers look-ups, prints listings and lemmatises texts into a word list.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "QV7CorvaneLemmatiser.h"
#include "platform/case_mapping.h"
#include "platform/char_types.h"
#include "platform/files.h"
#include "platform/utf16_text.h"

namespace {

constexpr const char *kUsage = R"(usage: qv7 <command> [options] ...

Commands:
  lookup [--kind K] [list options] LIST [WORD ...]
      Loads LIST and answers for each WORD (or each line of standard input when no WORD is
      given): for a lemma list the headword of the form and, when the word is a headword,
      its variants; for the other kinds whether the word is in the list.
  list [--kind K] [--max N] [list options] LIST
      Loads LIST and prints its listing in key order (at most N + 1 lines; default all),
      then its counts.
  lemmatise --lemmas LIST [--stop LIST] [--top N] [list options] TEXT ...
      Replaces every word of the texts (UTF-8; words are runs of letters and digits of any
      script) by its headword, leaves out stop words, and prints the N most frequent headwords
      (default 20) with their frequencies.

Kinds: lemma (default for lookup), match, stop, relation.
List options:
  --locale LCID     locale identifier for upper-casing, decimal or 0x hex (default 0x0409)
  --ignore-case     upper-case the list (and the words looked up) for the locale
  --allow-commas    commas belong to match-list entries instead of separating them
List files are 8-bit text in the ANSI code page (QV7_ANSI_CODEPAGE, default 1252) or UTF-16
with a byte-order mark; lines read "HEADWORD -> variant, variant" in lemma lists.
)";

struct Options {
  std::string command;
  uint8_t kind = QV7_AS_LEMMA;
  int32_t max_lines = INT32_MAX - 1;
  int32_t top = 20;
  uint32_t lcid = 0x0409;
  bool ignore_case = false;
  bool allow_commas = false;
  std::string lemmas, stop;
  std::vector<std::string> arguments;
};

std::optional<uint8_t> KindNamed(const std::string &name) {
  static const std::map<std::string, uint8_t> kinds = {{"lemma", QV7_AS_LEMMA},
                                                       {"match", QV7_AS_MATCH},
                                                       {"stop", QV7_AS_STOP},
                                                       {"relation", QV7_AS_RELATION}};
  const auto found = kinds.find(name);
  if (found == kinds.end()) return std::nullopt;
  return found->second;
}

std::optional<Options> ParseOptions(int argc, char **argv) {
  if (argc < 2) return std::nullopt;
  Options options;
  options.command = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    if (arg == "--ignore-case") {
      options.ignore_case = true;
    } else if (arg == "--allow-commas") {
      options.allow_commas = true;
    } else if (arg == "--kind" || arg == "--max" || arg == "--top" || arg == "--locale" ||
               arg == "--lemmas" || arg == "--stop") {
      const auto v = value();
      if (!v) return std::nullopt;
      try {
        if (arg == "--kind") {
          const auto kind = KindNamed(*v);
          if (!kind) return std::nullopt;
          options.kind = *kind;
        } else if (arg == "--max") {
          options.max_lines = std::stoi(*v);
        } else if (arg == "--top") {
          options.top = std::stoi(*v);
        } else if (arg == "--locale") {
          options.lcid = static_cast<uint32_t>(std::stoul(*v, nullptr, 0));
        } else if (arg == "--lemmas") {
          options.lemmas = *v;
        } else {
          options.stop = *v;
        }
      } catch (const std::exception &) {
        return std::nullopt;
      }
    } else if (arg.rfind("--", 0) == 0) {
      return std::nullopt;
    } else {
      options.arguments.push_back(arg);
    }
  }
  return options;
}

std::u16string Wide(const std::string &utf8) {
  return platform::Utf8ToUtf16(utf8);
}
std::string Narrow(std::u16string_view utf16) {
  return platform::Utf16ToUtf8(utf16);
}
std::string Narrow(const char16_t *utf16) {
  return Narrow(platform::ViewOf(utf16));
}

void UpperCase(std::u16string &text, uint32_t lcid) {
  platform::UpperCaseInPlace(std::span<char16_t>(text.data(), text.size()), lcid);
}

// Loads a list file into a slot; prints why when it fails.
bool LoadList(uint8_t slot, uint8_t kind, const std::string &file, const Options &options) {
  const std::u16string name = Wide(file);
  const int16_t loaded = LoadedOne(slot, name.c_str(), kind, {}, {}, options.lcid,
                                   options.ignore_case ? 0 : 1, options.allow_commas ? 1 : 0);
  if (loaded == 0) {
    std::cerr << "qv7: " << file
              << ": not loaded (missing, unreadable, or no entry was accepted)\n";
    return false;
  }
  return true;
}

std::u16string QueryForm(const std::string &word, const Options &options) {
  std::u16string query = Wide(word);
  if (options.ignore_case) UpperCase(query, options.lcid);
  return query;
}

void AnswerLookup(const std::string &word, const Options &options) {
  const std::u16string query = QueryForm(word, options);
  const void *found = FoundInTheList(0, query.c_str(), 1, options.kind);
  if (options.kind != QV7_AS_LEMMA) {
    std::cout << word << (found != nullptr ? ": in the list\n" : ": not in the list\n");
    return;
  }
  std::cout << word << " -> "
            << (found != nullptr ? Narrow(static_cast<const char16_t *>(found)) : "(no headword)");
  const std::string variants = Narrow(LemmaVariantsOf(0, query.c_str(), u", "));
  if (!variants.empty()) std::cout << "; variants: " << variants;
  std::cout << "\n";
}

int Lookup(const Options &options) {
  if (options.arguments.empty()) return 2;
  if (!LoadList(0, options.kind, options.arguments[0], options)) return 1;
  if (options.arguments.size() > 1) {
    for (size_t i = 1; i < options.arguments.size(); ++i)
      AnswerLookup(options.arguments[i], options);
  } else {
    std::string line;
    while (std::getline(std::cin, line)) {
      const std::u16string trimmed(platform::Trim(std::u16string_view(Wide(line))));
      if (!trimmed.empty()) AnswerLookup(Narrow(trimmed), options);
    }
  }
  return 0;
}

int List(const Options &options) {
  if (options.arguments.size() != 1) return 2;
  if (!LoadList(0, options.kind, options.arguments[0], options)) return 1;
  const int32_t lines = TraversedOne(0, options.max_lines, options.kind);
  for (int32_t i = 0; i < lines; ++i)
    std::cout << Narrow(static_cast<const char16_t *>(GetAString(i, 1, 0))) << "\n";
  switch (options.kind) {
    case QV7_AS_LEMMA:
      std::cout << "-- " << LemmaHeadWordsCount(0) << " headwords, "
                << LemmaPairEntriesAltogether(0) << " pairs\n";
      break;
    case QV7_AS_MATCH:
      std::cout << "-- " << MatchListWordsCount(0) << " entries read\n";
      break;
    case QV7_AS_STOP:
      std::cout << "-- " << StopListWordsCount(0) << " entries read\n";
      break;
    default:
      std::cout << "-- " << lines << " lines listed\n";
      break;
  }
  return 0;
}

bool IsApostrophe(char16_t c) {
  return c == u'\'' || c == 0x2019;
}

// Splits a text into words: runs of letters and digits (by the platform's character types, so
// any script counts), with apostrophes kept inside a word.
std::vector<std::u16string> Words(std::u16string_view text) {
  std::vector<uint16_t> types(text.size());
  platform::GetStringTypeW(platform::CT_CTYPE1, text, types);
  const auto is_word = [&](size_t i) {
    return (types[i] & (platform::C1_ALPHA | platform::C1_DIGIT)) != 0;
  };
  std::vector<std::u16string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && !is_word(i)) ++i;
    size_t end = i;
    while (end < text.size() &&
           (is_word(end) || (IsApostrophe(text[end]) && end + 1 < text.size() && is_word(end + 1))))
      ++end;
    if (end > i) words.emplace_back(text.substr(i, end - i));
    i = end;
  }
  return words;
}

int Lemmatise(const Options &options) {
  if (options.lemmas.empty() || options.arguments.empty()) return 2;
  constexpr uint8_t kLemmaSlot = 1, kStopSlot = 1;
  if (!LoadList(kLemmaSlot, QV7_AS_LEMMA, options.lemmas, options)) return 1;
  if (!options.stop.empty() && !LoadList(kStopSlot, QV7_AS_STOP, options.stop, options)) return 1;
  std::unordered_map<std::u16string, int64_t> frequency;
  int64_t tokens = 0, stopped = 0, replaced = 0;
  for (const std::string &file : options.arguments) {
    const auto bytes = platform::ReadWholeFile(file);
    if (!bytes) {
      std::cerr << "qv7: " << file << ": cannot be read\n";
      return 1;
    }
    const std::u16string text = Wide(std::string(bytes->begin(), bytes->end()));
    for (std::u16string word : Words(text)) {
      ++tokens;
      if (options.ignore_case) UpperCase(word, options.lcid);
      if (!options.stop.empty() && FoundInTheList(kStopSlot, word.c_str(), 1, QV7_AS_STOP)) {
        ++stopped;
        continue;
      }
      const void *headword = FoundInTheList(kLemmaSlot, word.c_str(), 1, QV7_AS_LEMMA);
      if (headword != nullptr) {
        ++replaced;
        word = static_cast<const char16_t *>(headword);
      }
      ++frequency[word];
    }
  }
  std::vector<std::pair<std::u16string, int64_t>> ranked(frequency.begin(), frequency.end());
  std::sort(ranked.begin(), ranked.end(), [](const auto &a, const auto &b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
  });
  std::cout << tokens << " words, " << stopped << " stop words left out, " << replaced
            << " replaced by their headword, " << ranked.size() << " different headwords\n";
  for (size_t i = 0; i < ranked.size() && i < static_cast<size_t>(std::max(options.top, 0)); ++i)
    std::cout << ranked[i].second << "\t" << Narrow(ranked[i].first) << "\n";
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  const std::optional<Options> options = ParseOptions(argc, argv);
  int status = 2;
  if (options) {
    if (options->command == "lookup")
      status = Lookup(*options);
    else if (options->command == "list")
      status = List(*options);
    else if (options->command == "lemmatise" || options->command == "lemmatize")
      status = Lemmatise(*options);
    else if (options->command == "--help" || options->command == "help") {
      std::cout << kUsage;
      return 0;
    }
  }
  if (status == 2) std::cerr << kUsage;
  return status;
}
