#include "records/SampleStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {
constexpr CivilSeconds kStart = 1796607902;

// A level the meter could have read: tenths from 30.0 to 129.9 dB.
double MeterLevel(std::size_t i) {
  return static_cast<double>(300 + (i * 7919) % 1000) / 10.0;
}

// n samples at one per second, with a gap of a minute every `nGapEvery`.
void FillFixedRate(CSampleStore &s, std::size_t n, std::size_t nGapEvery) {
  CivilSeconds t = kStart;
  for (std::size_t i = 0; i < n; ++i, ++t) {
    if (nGapEvery && i % nGapEvery == nGapEvery - 1)
      t += 60;
    s.AppendAt(MeterLevel(i), t, TimeStyle::PaddedHour, "dBA", 0, 1.0);
  }
}

// Indices spread over the store without a pattern the cache could follow.
std::vector<std::size_t> RandomIndices(std::size_t n) {
  std::vector<std::size_t> v(4096);
  std::uint64_t x = 88172645463325252ull;
  for (std::size_t &i : v) {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    i = static_cast<std::size_t>(x % n);
  }
  return v;
}
} // namespace

// A long fixed-rate run appended one sample at a time: what it costs per
// sample, and what the store holds per sample after it.
void BM_StoreFixedRate(benchmark::State &state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  double dBytes = 0, dSeconds = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    CSampleStore s;
    FillFixedRate(s, n, 0);
    dSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    dBytes = static_cast<double>(s.MemoryBytes());
    benchmark::DoNotOptimize(s.GetSize());
  }
  state.counters["bytes_per_sample"] = dBytes / static_cast<double>(n);
  state.counters["ns_per_append"] =
      dSeconds * 1e9 / (static_cast<double>(n) * static_cast<double>(state.iterations()));
}
BENCHMARK(BM_StoreFixedRate)->Arg(6000000)->Unit(benchmark::kMillisecond);

// Random reads of a 1,000,000-sample store with a gap every 10,000 samples.
template <class Read> void StoreRandomAccess(benchmark::State &state, Read read) {
  CSampleStore s;
  FillFixedRate(s, 1000000, 10000);
  const std::vector<std::size_t> at = RandomIndices(s.GetSize());
  double dSeconds = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    for (std::size_t i : at)
      read(s, i);
    dSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  state.counters["ns_per_read"] =
      dSeconds * 1e9 / (static_cast<double>(at.size()) * static_cast<double>(state.iterations()));
}
void BM_StoreLevelAt(benchmark::State &state) {
  StoreRandomAccess(state,
                    [](const CSampleStore &s, std::size_t i) { benchmark::DoNotOptimize(s.Level(i)); });
}
void BM_StoreSecondsAt(benchmark::State &state) {
  StoreRandomAccess(state,
                    [](const CSampleStore &s, std::size_t i) { benchmark::DoNotOptimize(s.Seconds(i)); });
}
void BM_StoreTimeAt(benchmark::State &state) {
  std::string out;
  StoreRandomAccess(state, [&](const CSampleStore &s, std::size_t i) {
    out.clear();
    s.AppendTime(out, i);
    benchmark::DoNotOptimize(out.data());
  });
}
BENCHMARK(BM_StoreLevelAt);
BENCHMARK(BM_StoreSecondsAt);
BENCHMARK(BM_StoreTimeAt);
