#include "meter/HexText.h"
#include "meter/LogParser.h"
#include "meter/ReceivePath.h"
#include "sim/MeterSim.h"
#include "sim/SimWire.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

struct CNullSink : IReceiveSink {
  void OnHoldSignal() override {}
  void OnDownloadEnded() override {}
  void OnDownloadProgress(int, int, int) override {}
  void OnReadoutRefresh() override {}
  void OnDownloadText(const std::string &) override {}
};

// A minute and a half of a meter's stream: wandering levels, ticking
// seconds and a key press now and then.
std::vector<uint8_t> LiveStream() {
  CMeterSim sim;
  sim.SetLevelSource(CLevelSource::Steps(35.0, 0.9, 97));
  std::vector<uint8_t> out;
  const uint8_t keys[] = {0x77, 0x11, 0x88, 0x99, 0x55};
  for (int i = 0; i < 1000; ++i) {
    if (i % 50 == 25)
      sim.OnBytesReceived(&keys[i / 50 % 5], 1);
    std::vector<uint8_t> f = sim.NextFrame();
    out.insert(out.end(), f.begin(), f.end());
    if (i % 10 == 9)
      sim.AdvanceSeconds(1);
  }
  return out;
}

void BM_ReceiveLiveChunks(benchmark::State &state) {
  std::vector<uint8_t> stream = LiveStream();
  // chunk sizes 1..20 in a scrambled order
  std::vector<std::size_t> sizes;
  for (std::size_t i = 0; i < 20; ++i)
    sizes.push_back((i * 7) % 20 + 1);
  CNullSink sink;
  CReceivePath path(sink, [] { return std::time_t(1796644800); });
  unsigned decoded = 0;
  for (auto _ : state) {
    unsigned before = path.Timing().m_nFramesDecoded;
    std::size_t k = 0;
    for (std::size_t at = 0; at < stream.size(); ++k) {
      std::size_t n = std::min(sizes[k % sizes.size()], stream.size() - at);
      path.OnChunk(stream.data() + at, n);
      at += n;
    }
    decoded = path.Timing().m_nFramesDecoded - before;
    benchmark::DoNotOptimize(path.Reading().m_dLevel);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
  state.counters["frames_decoded_per_pass"] = decoded; // of 1000
}
BENCHMARK(BM_ReceiveLiveChunks)->Unit(benchmark::kMicrosecond);

// Whole 20-byte reads, as the port delivers a burst.
void BM_ReceiveLiveFrames(benchmark::State &state) {
  std::vector<uint8_t> stream = LiveStream();
  CNullSink sink;
  CReceivePath path(sink, [] { return std::time_t(1796644800); });
  for (auto _ : state) {
    for (std::size_t at = 0; at < stream.size(); at += 20)
      path.OnChunk(stream.data() + at, 20);
    benchmark::DoNotOptimize(path.Reading().m_dLevel);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stream.size()));
}
BENCHMARK(BM_ReceiveLiveFrames)->Unit(benchmark::kMicrosecond);

// From the chunk that brings a frame's last byte to the decoded state, the
// frames cut into chunks of 1 to 20 bytes in turn.
void BM_LastByteToDecodedState(benchmark::State &state) {
  struct CTimingSink : CNullSink {
    std::chrono::steady_clock::time_point m_tDecoded;
    void OnReadoutRefresh() override { m_tDecoded = std::chrono::steady_clock::now(); }
  } sink;
  std::vector<uint8_t> stream = LiveStream();
  CReceivePath path(sink, [] { return std::time_t(1796644800); });
  std::size_t nFrame = 0, nSize = 0;
  for (auto _ : state) {
    const uint8_t *f = stream.data() + nFrame * 20;
    nFrame = (nFrame + 1) % (stream.size() / 20);
    const std::size_t nChunk = ++nSize % 20 + 1;
    std::size_t at = 0;
    for (; at + nChunk < 20; at += nChunk)
      path.OnChunk(f + at, nChunk);
    const unsigned nBefore = path.Timing().m_nFramesDecoded;
    const auto t0 = std::chrono::steady_clock::now();
    path.OnChunk(f + at, 20 - at);
    if (path.Timing().m_nFramesDecoded != nBefore + 1) {
      state.SkipWithError("the frame was not decoded with its last byte");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(sink.m_tDecoded - t0).count());
  }
}
BENCHMARK(BM_LastByteToDecodedState)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The largest download the length word allows: 16 recordings filling it.
std::string LargestDownloadText(std::size_t &nLevels) {
  std::vector<CSimRecording> recs(16);
  std::size_t total = (sim::kMaxPayload - 2 - 16 * 9) / 2;
  nLevels = total;
  for (std::size_t r = 0; r < recs.size(); ++r) {
    recs[r].m_nYear = 2026;
    recs[r].m_nMonth = 12;
    recs[r].m_nDay = 1 + static_cast<int>(r);
    recs[r].m_nHour = 8 + static_cast<int>(r % 12);
    recs[r].m_nInterval = 1 + static_cast<int>(r % 5);
    std::size_t n = total / 16 + (r < total % 16 ? 1 : 0);
    for (std::size_t i = 0; i < n; ++i)
      recs[r].m_levels.push_back(40.0 + static_cast<double>((i * 37) % 600) / 10.0);
  }
  std::vector<uint8_t> dl = sim::BuildDownload(recs);
  std::string text;
  AppendHex(text, dl.data() + 3, dl.size() - 4); // after the header, through 0xDD
  return text;
}

void BM_ParseLogData(benchmark::State &state) {
  std::size_t nLevels = 0;
  std::string text = LargestDownloadText(nLevels);
  CNullSink sink;
  for (auto _ : state) {
    CSampleStore store;
    CLogDecodeState dec;
    ParseLogData(text, dec, store, sink);
    if (store.GetSize() != nLevels)
      state.SkipWithError("wrong number of samples");
    benchmark::DoNotOptimize(store.GetSize());
  }
  state.counters["levels"] = static_cast<double>(nLevels);
}
BENCHMARK(BM_ParseLogData)->Unit(benchmark::kMillisecond);

} // namespace
