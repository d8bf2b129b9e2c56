// Building the character-type array of a whole corpus text: the Brown corpus repeated to
// 100 MB, as 8-bit text (Windows-1252) and as UTF-16, beside a plain copy (memcpy) of the same
// buffer as the baseline. Prints each build's speed as a ratio of the copy's time.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/utf16_text.h"
#include "platform/zip_archive.h"
#include "runtime1/text/text_section_boundaries.h"

namespace {

constexpr size_t kTextBytes = 100u << 20;
constexpr uint32_t kEnglishUS = 0x0409;

// Every text of the Brown corpus, one after the other.
std::string BrownText() {
  platform::ZipArchive zip;
  std::string error;
  if (!zip.Open(QV7_SHARED_DATA_DIR "/brown.zip", &error)) {
    std::fprintf(stderr, "cannot open brown.zip: %s\n", error.c_str());
    std::exit(1);
  }
  std::string text;
  for (const platform::ZipEntryInfo &entry : zip.Entries()) {
    if (entry.is_folder) continue;
    if (auto data = zip.ExtractToString(entry.index)) text += *data;
  }
  return text;
}

template <typename Text>
Text RepeatedTo(const Text &sample, size_t units) {
  Text text;
  text.reserve(units);
  while (text.size() < units) text.append(sample, 0, std::min(sample.size(), units - text.size()));
  return text;
}

const std::string &Narrow() {
  static const std::string text = RepeatedTo(BrownText(), kTextBytes);
  return text;
}

const std::u16string &Wide() {
  static const std::u16string text =
      RepeatedTo(platform::Utf8ToUtf16(BrownText()), kTextBytes / sizeof(char16_t));
  return text;
}

template <typename Text>
void Copy(benchmark::State &state, const Text &text) {
  std::vector<char> out(text.size() * sizeof(text[0]));
  for (auto _ : state) {
    std::memcpy(out.data(), text.data(), out.size());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(out.size()));
}

// The copy into a buffer allocated afresh for every copy: the baseline of the builds below,
// which also allocate a new array (and pay the page faults of fresh memory) every time.
template <typename Text>
void CopyFresh(benchmark::State &state, const Text &text) {
  const size_t bytes = text.size() * sizeof(text[0]);
  for (auto _ : state) {
    std::unique_ptr<char[]> out(new char[bytes]);
    std::memcpy(out.get(), text.data(), bytes);
    benchmark::DoNotOptimize(out.get());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

template <typename Text>
void Fill(benchmark::State &state, const Text &text) {
  std::vector<uint16_t> types(text.size() + kCharTypeSpareWords, 1);
  for (auto _ : state) {
    FillCharTypeArray(std::basic_string_view<typename Text::value_type>(text), kEnglishUS, types);
    benchmark::DoNotOptimize(types.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size() * sizeof(text[0])));
}

template <typename Text>
void Build(benchmark::State &state, const Text &text) {
  for (auto _ : state) {
    TCharTypeArray types =
        BuildCharTypeArray(std::basic_string_view<typename Text::value_type>(text), kEnglishUS);
    benchmark::DoNotOptimize(types.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size() * sizeof(text[0])));
}

void BM_Copy8Bit(benchmark::State &state) {
  Copy(state, Narrow());
}
void BM_Fill8Bit(benchmark::State &state) {
  Fill(state, Narrow());
}
void BM_CopyFresh8Bit(benchmark::State &state) {
  CopyFresh(state, Narrow());
}
void BM_Build8Bit(benchmark::State &state) {
  Build(state, Narrow());
}
void BM_CopyUtf16(benchmark::State &state) {
  Copy(state, Wide());
}
void BM_FillUtf16(benchmark::State &state) {
  Fill(state, Wide());
}
void BM_CopyFreshUtf16(benchmark::State &state) {
  CopyFresh(state, Wide());
}
void BM_BuildUtf16(benchmark::State &state) {
  Build(state, Wide());
}

BENCHMARK(BM_Copy8Bit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Fill8Bit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyFresh8Bit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Build8Bit)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyUtf16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FillUtf16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CopyFreshUtf16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildUtf16)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps the time per iteration of every run so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &run : runs) {
      // With repetitions, the median stands for the benchmark.
      const bool aggregate = run.run_type == Run::RT_Aggregate;
      if (run.iterations <= 0 || (aggregate && run.aggregate_name != "median")) continue;
      const std::string name = run.run_name.str();
      seconds_[name] = run.GetAdjustedRealTime() / 1e3;
      const auto rate = run.counters.find("bytes_per_second");
      bytes_per_second_[name] = rate != run.counters.end() ? double(rate->second) : 0.0;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void PrintRatio(const std::string &name, const std::string &baseline) const {
    if (!seconds_.count(name) || !seconds_.count(baseline)) return;
    std::printf("%-16s %8.0f MB/s  %5.2f x the time of %s (%.0f MB/s)\n", name.c_str(),
                bytes_per_second_.at(name) / 1e6, seconds_.at(name) / seconds_.at(baseline),
                baseline.c_str(), bytes_per_second_.at(baseline) / 1e6);
  }

 private:
  std::map<std::string, double> seconds_;
  std::map<std::string, double> bytes_per_second_;
};

}  // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  // First uses (the texts, the character tables, the process's first huge pages) are paid
  // here, before anything is timed.
  benchmark::DoNotOptimize(BuildCharTypeArray(std::string_view(Narrow()), kEnglishUS).data());
  benchmark::DoNotOptimize(BuildCharTypeArray(std::u16string_view(Wide()), kEnglishUS).data());
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nType array of the Brown corpus repeated to %zu MB (1 MB = 10^6 bytes below):\n",
              kTextBytes >> 20);
  reporter.PrintRatio("BM_Fill8Bit/real_time", "BM_Copy8Bit/real_time");
  reporter.PrintRatio("BM_Build8Bit/real_time", "BM_CopyFresh8Bit/real_time");
  reporter.PrintRatio("BM_FillUtf16/real_time", "BM_CopyUtf16/real_time");
  reporter.PrintRatio("BM_BuildUtf16/real_time", "BM_CopyFreshUtf16/real_time");
  benchmark::Shutdown();
  return 0;
}
