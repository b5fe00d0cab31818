#include "records/AcousticStats.h"
#include "records/RankSelection.h"
#include "records/SampleArray.h"
#include "records/SampleStore.h"
#include "records/StatData.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

// A full run: 40,000 live records appended with their statistics.
static void BM_AppendLiveRecordsWithStats(benchmark::State &state) {
  for (auto _ : state) {
    CSampleStore store;
    StatData stat;
    stat.Reset();
    for (int i = 0; i < 40000; ++i) {
      store.Emplace(40.0 + (i % 600) / 10.0, "07-12-2026,01:45:03", "dBA", 0, 0.1);
      stat.AddSample(CSampleArray(store), store.GetSize() - 1);
    }
    benchmark::DoNotOptimize(stat.dAverage);
  }
}
BENCHMARK(BM_AppendLiveRecordsWithStats)->Unit(benchmark::kMillisecond);

namespace {
std::vector<double> LongSeries() {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> tenths(300, 1300);
  std::vector<double> levels(1000000);
  for (double &d : levels)
    d = tenths(rng) / 10.0;
  return levels;
}
} // namespace

// L10, L50 and L90 of a long series.
static void BM_Percentiles1M(benchmark::State &state) {
  const std::vector<double> levels = LongSeries();
  const std::size_t ranks[] = {99999, 499999, 899999};
  double out[3];
  for (auto _ : state) {
    SelectDescendingRanks(levels, ranks, out);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_Percentiles1M)->Unit(benchmark::kMillisecond);

// Every figure of a long series: Leq, SEL and duration as well.
static void BM_AcousticStats1M(benchmark::State &state) {
  const std::vector<double> levels = LongSeries();
  for (auto _ : state) {
    AcousticStats s = ComputeAcousticStats(levels, 0.1);
    benchmark::DoNotOptimize(s.dL90);
  }
}
BENCHMARK(BM_AcousticStats1M)->Unit(benchmark::kMillisecond);
