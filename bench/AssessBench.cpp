#include "assess/NoiseAssessor.h"
#include "assess/SeriesAssessment.h"
#include "records/SampleStore.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {
constexpr CivilSeconds kStart = 1796688000; // a local midnight on the clock face

// Samples 0.1 s apart (ten to a second of the clock), with a loud burst of
// two seconds every minute: the threshold is crossed about once a minute.
double LevelAt(std::size_t i, std::mt19937 &rng) {
  std::uniform_int_distribution<int> tenths(450, 700);
  return i % 600 < 20 ? 90.0 + static_cast<double>(i % 7) / 10.0 : tenths(rng) / 10.0;
}

AssessSettings BenchSettings() {
  AssessSettings s;
  s.nPeriodSec = 900;
  s.dThreshold = 85;
  return s;
}
} // namespace

// A whole series: 15-minute periods, events, Lden and LEX,8h.
static void BM_AssessSeries(benchmark::State &state) {
  const std::size_t n = static_cast<std::size_t>(state.range(0));
  CSampleStore store;
  store.Reserve(n);
  store.BeginBulkAppend();
  std::mt19937 rng(7);
  for (std::size_t i = 0; i < n; ++i)
    store.AppendAt(LevelAt(i, rng), kStart + static_cast<CivilSeconds>(i / 10), TimeStyle::PaddedHour, "dBA",
                   0, 0.1);
  store.EndBulkAppend();
  for (auto _ : state) {
    const SeriesAssessment a = AssessSeries(CSampleArray(store), BenchSettings());
    benchmark::DoNotOptimize(a.events.size());
  }
}
BENCHMARK(BM_AssessSeries)->Arg(6000000)->Unit(benchmark::kMillisecond);

// One live sample through the incremental form.
static void BM_AssessLiveSample(benchmark::State &state) {
  CNoiseAssessor a(BenchSettings());
  std::mt19937 rng(7);
  std::size_t i = 0;
  for (auto _ : state) {
    const CNoiseAssessor::Change c = a.Add(LevelAt(i, rng), kStart + static_cast<CivilSeconds>(i / 10), 0.1);
    benchmark::DoNotOptimize(c);
    ++i;
  }
}
BENCHMARK(BM_AssessLiveSample);
