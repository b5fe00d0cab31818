#include "records/SampleStore.h"
#include "records/StatData.h"

#include <benchmark/benchmark.h>

// A full run: 40,000 live records appended with their statistics.
static void BM_AppendLiveRecordsWithStats(benchmark::State &state) {
  for (auto _ : state) {
    CSampleStore store;
    StatData stat;
    stat.Reset();
    for (int i = 0; i < 40000; ++i) {
      store.Emplace(40.0 + (i % 600) / 10.0, "07-12-2026,01:45:03", "dBA", 0, 0.1);
      stat.AddSample(store[0], store[store.GetSize() - 1], store.GetSize());
    }
    benchmark::DoNotOptimize(stat.dAverage);
  }
}
BENCHMARK(BM_AppendLiveRecordsWithStats)->Unit(benchmark::kMillisecond);
