// Speed of the lists: three-key sorts against std::sort on the same keys, ordered insertion
// and binary search against a sorted std::vector, frequency counting of the Brown corpus, and
// saving and reading a list through the stream layouts against a plain copy of its bytes.
// Every figure is printed beside its baseline as a ratio (ours / baseline).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "platform/streams.h"
#include "platform/zip_archive.h"
#include "runtime1/files/logging_utilities.h"
#include "runtime1/lists/SortableLists.h"
#include "runtime1/lists/Useful_Classes.h"

namespace {

// CPU time of this thread: the figures and their baselines are then not skewed by other work
// on the machine.
struct Clock {
  using time_point = double;
  static double now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
  }
};

double SecondsSince(Clock::time_point start) {
  return Clock::now() - start;
}

struct Hit {
  int32_t key[3];
};

// A hit list sorted by up to three keys, ascending.
class HitList : public T3SortYieldingList {
 public:
  void SetBase(void *P, int32_t) override { base_ = static_cast<const Hit *>(P); }
  int32_t Compare(void *item) const {
    const int32_t k = current_sort_rec.current_sort_var;
    const int32_t a = static_cast<const Hit *>(item)->key[k];
    const int32_t b = base_->key[k];
    return (a > b) - (a < b);
  }
  void Load(std::vector<Hit> &hits) {
    fList.clear();
    for (Hit &h : hits) fList.push_back(&h);
  }
  std::vector<void *> &Pointers() { return fList; }

 private:
  const Hit *base_ = nullptr;
};

std::vector<Hit> MakeHits(size_t n, int32_t key_range) {
  std::mt19937 random(42);
  std::uniform_int_distribution<int32_t> dist(0, key_range - 1);
  std::vector<Hit> hits(n);
  for (Hit &h : hits) h = {{dist(random), dist(random), dist(random)}};
  return hits;
}

void SortHits(benchmark::State &state, int keys) {
  constexpr size_t kItems = 1000000;
  // Few distinct first and second keys, so the later passes have long runs to sort.
  std::vector<Hit> hits = MakeHits(kItems, keys == 1 ? 1 << 30 : 100);
  HitList list;
  list.SetAscending(true, true, true);
  int64_t yields = 0;
  AYieldProcessProc = [&yields] { ++yields; };
  const TCompareFunctOfObject compare = [&list](void *item) { return list.Compare(item); };
  double ours = 0, baseline = 0;
  for (auto _ : state) {
    list.Load(hits);
    yields = 0;
    auto start = Clock::now();
    if (keys == 1)
      list.DoASingleSort(compare, 0);
    else
      list.DoATrebleSort(compare, 0, 1, 2);
    ours += SecondsSince(start);

    std::vector<void *> pointers(hits.size());  // the same items in the same first order
    for (size_t k = 0; k < hits.size(); ++k) pointers[k] = &hits[k];
    start = Clock::now();
    std::sort(pointers.begin(), pointers.end(), [keys](void *x, void *y) {
      const Hit &a = *static_cast<Hit *>(x);
      const Hit &b = *static_cast<Hit *>(y);
      for (int k = 0; k < keys; ++k) {
        if (a.key[k] != b.key[k]) return a.key[k] < b.key[k];
      }
      return false;
    });
    baseline += SecondsSince(start);
    benchmark::DoNotOptimize(pointers.data());
  }
  AYieldProcessProc = nullptr;
  const double n = static_cast<double>(state.iterations());
  state.counters["ours_ms"] = 1000 * ours / n;
  state.counters["std_sort_ms"] = 1000 * baseline / n;
  state.counters["ratio"] = ours / baseline;
  state.counters["yields"] = static_cast<double>(yields);
}

void BM_SortOneKey(benchmark::State &state) {
  SortHits(state, 1);
}
void BM_SortThreeKeys(benchmark::State &state) {
  SortHits(state, 3);
}
BENCHMARK(BM_SortOneKey)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SortThreeKeys)->Unit(benchmark::kMillisecond)->Iterations(3);

// Ordered insertion of n random values, then n look-ups, against a sorted std::vector with
// lower_bound and insert.
void BM_OrderedInsertAndFind(benchmark::State &state) {
  const auto n = static_cast<size_t>(state.range(0));
  std::mt19937 random(1);
  std::vector<int32_t> values(n);
  for (int32_t &v : values) v = static_cast<int32_t>(random());
  double ours = 0, baseline = 0;
  int64_t found = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    TQVLongintList list;
    list.sorted = true;
    for (int32_t v : values) list.AddOne(v);
    for (int32_t v : values) found += list.Find(v) >= 0;
    ours += SecondsSince(start);

    start = Clock::now();
    std::vector<int32_t> sorted;
    for (int32_t v : values) sorted.insert(std::lower_bound(sorted.begin(), sorted.end(), v), v);
    for (int32_t v : values) found += std::binary_search(sorted.begin(), sorted.end(), v);
    baseline += SecondsSince(start);
  }
  benchmark::DoNotOptimize(found);
  state.counters["ours_ms"] = 1000 * ours / static_cast<double>(state.iterations());
  state.counters["vector_ms"] = 1000 * baseline / static_cast<double>(state.iterations());
  state.counters["ratio"] = ours / baseline;
}
BENCHMARK(BM_OrderedInsertAndFind)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The Brown corpus's tokens ("word/tag"), read through the zip layer.
std::vector<std::string> BrownTokens() {
  std::vector<std::string> tokens;
  platform::ZipArchive zip;
  if (!zip.Open(std::string(QV7_SHARED_DATA_DIR) + "/brown.zip")) return tokens;
  for (const platform::ZipEntryInfo &entry : zip.Entries()) {
    if (entry.is_folder) continue;
    const auto text = zip.ExtractToString(entry.index);
    if (!text) continue;
    size_t at = 0;
    while (at < text->size()) {
      while (at < text->size() && std::isspace(static_cast<unsigned char>((*text)[at]))) ++at;
      size_t end = at;
      while (end < text->size() && !std::isspace(static_cast<unsigned char>((*text)[end]))) ++end;
      if (end > at && text->find('/', at) < end) tokens.emplace_back(*text, at, end - at);
      at = end;
    }
  }
  return tokens;
}

uint32_t TokenNumber(const std::string &token) {  // FNV-1a
  uint32_t h = 2166136261u;
  for (unsigned char c : token) h = (h ^ c) * 16777619u;
  return h;
}

void BM_BrownFrequencyList(benchmark::State &state) {
  const std::vector<std::string> tokens = BrownTokens();
  if (tokens.empty()) {
    state.SkipWithError("brown.zip not found");
    return;
  }
  std::vector<uint32_t> numbers;
  for (const std::string &t : tokens) numbers.push_back(TokenNumber(t));
  double ours = 0, baseline = 0;
  int32_t types = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    TCardinalAndFreqList list;
    list.SortOnCardinals();  // an empty list, marked sorted: counting keeps it in order
    for (uint32_t c : numbers) list.AddOneOrIncFreq({c, 1});
    ours += SecondsSince(start);
    types = list.Count();

    start = Clock::now();
    std::vector<uint32_t> copy = numbers;
    std::sort(copy.begin(), copy.end());
    const auto distinct = std::unique(copy.begin(), copy.end()) - copy.begin();
    baseline += SecondsSince(start);
    benchmark::DoNotOptimize(distinct);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["tokens"] = static_cast<double>(numbers.size());
  state.counters["types"] = types;
  state.counters["ours_ms"] = 1000 * ours / n;
  state.counters["sort_unique_ms"] = 1000 * baseline / n;
  state.counters["ratio"] = ours / baseline;
}
BENCHMARK(BM_BrownFrequencyList)->Unit(benchmark::kMillisecond)->Iterations(3);

// Saving and reading back a list of 1,000,000 numbers through a memory stream and a file,
// against copying the same bytes.
void StreamList(benchmark::State &state, bool to_file) {
  constexpr int32_t kItems = 1000000;
  TQVLongintList list;
  for (int32_t k = 0; k < kItems; ++k) list.AddOne(k * 3);
  list.SortAscendingDefault();
  const std::string name = platform::PrivateTempFolder() + "/bench.lst";
  double save = 0, read = 0, copy = 0;
  int64_t bytes = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    std::vector<uint8_t> saved;
    if (to_file) {
      platform::FileStream file(name, platform::FileStream::Mode::kCreate);
      list.SaveToStream(file);
      file.Flush();
      bytes = file.Size();
    } else {
      platform::MemoryStream memory;
      list.SaveToStream(memory);
      saved = memory.TakeBytes();
      bytes = static_cast<int64_t>(saved.size());
    }
    save += SecondsSince(start);

    start = Clock::now();
    TQVLongintList back;
    if (to_file) {
      platform::FileStream file(name, platform::FileStream::Mode::kOpenRead);
      back.ReadFromStream(file);
    } else {
      platform::MemoryStream memory(std::move(saved));
      back.ReadFromStream(memory);
    }
    read += SecondsSince(start);
    if (back.Count() != kItems) state.SkipWithError("read back a different list");

    std::vector<uint8_t> source(static_cast<size_t>(bytes), 1), target(source.size());
    start = Clock::now();
    std::memcpy(target.data(), source.data(), source.size());
    benchmark::DoNotOptimize(target.data());
    copy += SecondsSince(start);
  }
  const double mb = static_cast<double>(bytes) * static_cast<double>(state.iterations()) / 1e6;
  state.counters["save_MB_s"] = mb / save;
  state.counters["read_MB_s"] = mb / read;
  state.counters["memcpy_MB_s"] = mb / copy;
  state.counters["ratio_save"] = copy / save;
  state.counters["ratio_read"] = copy / read;
}
void BM_StreamListMemory(benchmark::State &state) {
  StreamList(state, false);
}
void BM_StreamListFile(benchmark::State &state) {
  StreamList(state, true);
}
BENCHMARK(BM_StreamListMemory)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StreamListFile)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

BENCHMARK_MAIN();
