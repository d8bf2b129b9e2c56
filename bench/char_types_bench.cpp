// Speed of the character-type query over a mixed-script UTF-16 text, beside a baseline that
// only maps every unit through a 64 K table of its own (the memory-speed floor) and a plain copy.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/char_types.h"

namespace {

constexpr size_t kUnits = 8 << 20;  // 16 MB of text

const std::u16string &Text() {
  static const std::u16string text = [] {
    const std::u16string sample =
        u"The quick brown fox, 1234. \x0416\x0436\x0436 \x05D0\x05D1 \x0628\x0629 "
        u"\x0915\x093F \x4E2D\x6587 \x3042\x30A2 \xD83D\xDE00 caf\x00E9!\r\n";
    std::u16string t;
    t.reserve(kUnits + sample.size());
    while (t.size() < kUnits) t += sample;
    t.resize(kUnits);
    return t;
  }();
  return text;
}

void BM_CopyUnits(benchmark::State &state) {
  const std::u16string &text = Text();
  std::vector<uint16_t> out(text.size());
  for (auto _ : state) {
    for (size_t i = 0; i < text.size(); ++i) out[i] = text[i];
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size() * 2));
}

void BM_PlainTableLookUp(benchmark::State &state) {
  const std::u16string &text = Text();
  std::vector<uint16_t> table(0x10000);
  for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<uint16_t>(i * 7);
  std::vector<uint16_t> out(text.size());
  for (auto _ : state) {
    for (size_t i = 0; i < text.size(); ++i) out[i] = table[text[i]];
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size() * 2));
}

void BM_GetStringTypeW(benchmark::State &state) {
  const std::u16string &text = Text();
  std::vector<uint16_t> out(text.size());
  for (auto _ : state) {
    platform::GetStringTypeW(platform::CT_CTYPE1, text, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size() * 2));
}

BENCHMARK(BM_CopyUnits)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainTableLookUp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetStringTypeW)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's CPU time per iteration so that main can print the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> times;
  void ReportRuns(const std::vector<Run> &runs) override {
    for (const Run &run : runs) times[run.benchmark_name()] = run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  platform::BmpCharTypeTable(platform::CT_CTYPE1);  // build the tables outside the timing
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double copy = reporter.times["BM_CopyUnits"];
  const double lookup = reporter.times["BM_PlainTableLookUp"];
  const double query = reporter.times["BM_GetStringTypeW"];
  if (copy > 0 && lookup > 0 && query > 0)
    std::printf("GetStringTypeW: %.2f x the time of a plain table look-up, %.2f x a copy\n",
                query / lookup, query / copy);
  benchmark::Shutdown();
  return 0;
}
