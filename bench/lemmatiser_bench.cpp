// Lemma lists through the built library: load time by order and encoding, look-up rate against
// a std::unordered_map of the same keys in the same run, and memory after loading.
// The lists are made from the lemma data sets: each line "lemma<TAB>form" becomes
// "lemma -> form", in 8-bit (Windows-1252) and UTF-16, sorted by form, reverse-sorted and
// shuffled; a list of 400,000+ pairs is made by suffixing the English pairs.
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "QV7CorvaneLemmatiser.h"
#include "platform/code_pages.h"
#include "platform/utf16_text.h"

namespace {

namespace fs = std::filesystem;
using Pair = std::pair<std::u16string, std::u16string>;  // lemma, form

struct Library {
  decltype(&::LoadedOne) LoadedOne;
  decltype(&::FoundInTheList) FoundInTheList;
  decltype(&::LemmaPairEntriesAltogether) LemmaPairEntriesAltogether;
  decltype(&::ClearOne) ClearOne;
};

const Library &Lib() {
  static const Library library = [] {
    void *handle = dlopen(QV7_LEMMATISER_PATH, RTLD_NOW);
    if (handle == nullptr) std::abort();
    return Library{reinterpret_cast<decltype(&::LoadedOne)>(dlsym(handle, "LoadedOne")),
                   reinterpret_cast<decltype(&::FoundInTheList)>(dlsym(handle, "FoundInTheList")),
                   reinterpret_cast<decltype(&::LemmaPairEntriesAltogether)>(
                       dlsym(handle, "LemmaPairEntriesAltogether")),
                   reinterpret_cast<decltype(&::ClearOne)>(dlsym(handle, "ClearOne"))};
  }();
  return library;
}

std::vector<Pair> ReadPairs(const std::string &name) {
  std::ifstream in(std::string(QV7_SHARED_DATA_DIR) + "/" + name, std::ios::binary);
  std::vector<Pair> pairs;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    pairs.emplace_back(platform::Utf8ToUtf16(line.substr(0, tab)),
                       platform::Utf8ToUtf16(line.substr(tab + 1)));
  }
  return pairs;
}

enum Order { kSorted, kReversed, kShuffled };
const char *const kOrderNames[] = {"sorted", "reversed", "shuffled"};

std::vector<Pair> Ordered(std::vector<Pair> pairs, int order) {
  std::sort(pairs.begin(), pairs.end(),
            [](const Pair &a, const Pair &b) { return a.second < b.second; });
  if (order == kReversed) std::reverse(pairs.begin(), pairs.end());
  if (order == kShuffled) std::shuffle(pairs.begin(), pairs.end(), std::mt19937(42));
  return pairs;
}

// Writes a lemma-list file and returns its name as UTF-16.
std::u16string WriteList(const std::vector<Pair> &pairs, bool utf16, const std::string &name) {
  static const fs::path folder = [] {
    fs::path f = fs::temp_directory_path() / ("qv7_lemma_bench_" + std::to_string(getpid()));
    fs::create_directories(f);
    return f;
  }();
  std::u16string text;
  for (const Pair &p : pairs) text += p.first + u" -> " + p.second + u"\r\n";
  std::string bytes;
  if (utf16) {
    bytes = "\xFF\xFE";
    for (char16_t c : text) {
      bytes.push_back(static_cast<char>(c & 0xFF));
      bytes.push_back(static_cast<char>(c >> 8));
    }
  } else {
    bytes = platform::FromUtf16(text, 1252);
  }
  const fs::path path = folder / name;
  std::ofstream(path, std::ios::binary) << bytes;
  const std::string narrow = path.string();
  return std::u16string(narrow.begin(), narrow.end());
}

const std::vector<Pair> &EnglishPairs() {
  static const std::vector<Pair> pairs = ReadPairs("lemmatization-en.txt");
  return pairs;
}

std::vector<Pair> SuffixedPairs(size_t at_least) {
  static const char16_t *const kSuffixes[] = {u"",    u"s",   u"ed",  u"er",   u"ly", u"ness",
                                              u"ing", u"ish", u"ful", u"less", u"ism"};
  std::vector<Pair> pairs;
  for (const char16_t *suffix : kSuffixes) {
    for (const Pair &p : EnglishPairs()) pairs.emplace_back(p.first + suffix, p.second + suffix);
    if (pairs.size() >= at_least) break;
  }
  pairs.resize(std::min(pairs.size(), at_least));
  return pairs;
}

bool DataPresent(benchmark::State &state) {
  if (!EnglishPairs().empty()) return true;
  state.SkipWithError("the lemma data sets are not there (" QV7_SHARED_DATA_DIR ")");
  return false;
}

int16_t LoadSlot(const std::u16string &file) {
  return Lib().LoadedOne(0, file.c_str(), QV7_AS_LEMMA, {}, {}, 0x0409, 1, 0);
}

// Load of the English list: arg 0 = order, arg 1 = 1 for UTF-16.
void BM_LoadEnglish(benchmark::State &state) {
  if (!DataPresent(state)) return;
  const int order = static_cast<int>(state.range(0));
  const bool utf16 = state.range(1) != 0;
  const std::u16string file =
      WriteList(Ordered(EnglishPairs(), order), utf16,
                std::string("en-") + kOrderNames[order] + (utf16 ? "-utf16.txt" : "-8bit.txt"));
  for (auto _ : state) benchmark::DoNotOptimize(LoadSlot(file));
  state.counters["pairs"] = Lib().LemmaPairEntriesAltogether(0);
  state.SetLabel(std::string(kOrderNames[order]) + (utf16 ? " UTF-16" : " 8-bit"));
}
BENCHMARK(BM_LoadEnglish)
    ->ArgsProduct({{kSorted, kReversed, kShuffled}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// Load of suffixed lists of growing size, shuffled, UTF-16; time per pair shows the growth.
void BM_LoadLarge(benchmark::State &state) {
  if (!DataPresent(state)) return;
  const size_t size = static_cast<size_t>(state.range(0));
  const std::u16string file = WriteList(Ordered(SuffixedPairs(size), kShuffled), true,
                                        "large-" + std::to_string(size) + ".txt");
  for (auto _ : state) benchmark::DoNotOptimize(LoadSlot(file));
  state.counters["pairs"] = Lib().LemmaPairEntriesAltogether(0);
  state.counters["ns_per_pair"] = benchmark::Counter(
      static_cast<double>(size) * 1e-9,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LoadLarge)->Arg(100000)->Arg(200000)->Arg(400000)->Unit(benchmark::kMillisecond);

// FoundInTheList on the English UTF-16 list against std::unordered_map::find of the same
// keys in the same order, timed in the same iterations.
void BM_LookUpEnglish(benchmark::State &state) {
  if (!DataPresent(state)) return;
  const std::vector<Pair> pairs = Ordered(EnglishPairs(), kShuffled);
  LoadSlot(WriteList(pairs, true, "en-lookup-utf16.txt"));
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::u16string_view s) const { return std::hash<std::u16string_view>{}(s); }
  };
  std::unordered_map<std::u16string, std::u16string, Hash, std::equal_to<>> baseline;
  for (const Pair &p : pairs) baseline.emplace(p.second, p.first);
  std::vector<std::u16string> keys;
  for (const Pair &p : pairs) keys.push_back(p.second);
  std::shuffle(keys.begin(), keys.end(), std::mt19937(9));

  // Thread CPU time, so that other work on the machine does not count against either side.
  struct Clock {
    static double now() {
      timespec t{};
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
      return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    }
  };
  double library_time = 0, map_time = 0;
  size_t found_library = 0, found_map = 0, lookups = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (const std::u16string &key : keys)
      found_library += Lib().FoundInTheList(0, key.c_str(), 1, QV7_AS_LEMMA) != nullptr;
    const auto t1 = Clock::now();
    for (const std::u16string &key : keys)
      found_map += baseline.find(std::u16string_view(key.c_str())) != baseline.end();
    const auto t2 = Clock::now();
    library_time += t1 - t0;
    map_time += t2 - t1;
    lookups += keys.size();
  }
  const double library_rate = static_cast<double>(lookups) / library_time;
  const double map_rate = static_cast<double>(lookups) / map_time;
  state.counters["library_per_s"] = library_rate;
  state.counters["map_per_s"] = map_rate;
  state.counters["map_over_library"] = map_rate / library_rate;
  state.counters["found_share"] = static_cast<double>(found_library) / lookups;
  benchmark::DoNotOptimize(found_map);
}
BENCHMARK(BM_LookUpEnglish)->Unit(benchmark::kMillisecond);

double HeapMegabytesInUse() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

double ResidentMegabytes() {
  long pages = 0, resident = 0;
  FILE *statm = std::fopen("/proc/self/statm", "r");
  if (statm == nullptr) return 0;
  if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
  std::fclose(statm);
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) /
         (1024.0 * 1024.0);
}

// Heap that the loaded English list holds (all its trees, keys, headwords and indexes), and
// the whole process's resident set afterwards.
void BM_MemoryEnglish(benchmark::State &state) {
  if (!DataPresent(state)) return;
  const std::u16string file = WriteList(EnglishPairs(), true, "en-memory-utf16.txt");
  double held = 0;
  for (auto _ : state) {
    Lib().ClearOne(5, QV7_AS_LEMMA);
    const double before = HeapMegabytesInUse();
    Lib().LoadedOne(5, file.c_str(), QV7_AS_LEMMA, {}, {}, 0x0409, 1, 0);
    held = HeapMegabytesInUse() - before;
  }
  state.counters["list_heap_MB"] = held;
  state.counters["process_resident_MB"] = ResidentMegabytes();
}
BENCHMARK(BM_MemoryEnglish)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
