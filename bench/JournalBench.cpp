#include "journal/JournalFormat.h"
#include "journal/OrphanJournals.h"
#include "journal/RecoveredRun.h"
#include "journal/RunJournal.h"
#include "records/SampleStore.h"
#include "records/StatData.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <stdlib.h>

namespace {

// A state folder on the same disk as the user's, removed afterwards.
struct BenchFolder {
  std::filesystem::path path;
  BenchFolder() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "tarvik-bench-XXXXXX").string();
    path = ::mkdtemp(tmpl.data());
  }
  ~BenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  std::string Folder() const { return (path / "tarvik").string(); }
};

} // namespace

// One sample of a 0.1 s run: written at once, flushed with fdatasync once a
// second of (simulated) run time, that is every tenth sample. A run of
// 40,000 samples; CPU time per sample, the kernel's share included.
static void BM_JournalSampleAt100ms(benchmark::State &state) {
  BenchFolder dir;
  CRunJournal::Clock::time_point now{};
  CRunJournal journal(dir.Folder(), [&now] { return now; });
  journal.OnRunStarted(0.1, 1796607903, "dBA");
  int i = 0;
  for (auto _ : state) {
    now += std::chrono::milliseconds(100);
    CFileResult r = journal.OnSample(40.0 + (i++ % 600) / 10.0, "07-12-2026,01:45:03", "dBA");
    if (!r.Ok())
      state.SkipWithError(r.strReason.c_str());
  }
  journal.OnRunEnded("");
  journal.Discard();
}
BENCHMARK(BM_JournalSampleAt100ms)->Iterations(40000)->Unit(benchmark::kMicrosecond);

// The start after a crash: find the journal of 40,000 samples, read and
// check it, and fill the live store with its statistics.
static void BM_RecoverJournal40000(benchmark::State &state) {
  BenchFolder dir;
  {
    CRunJournal journal(dir.Folder());
    journal.OnRunStarted(0.1, 1796607903, "dBA");
    for (int i = 0; i < 40000; ++i)
      journal.OnSample(40.0 + (i % 600) / 10.0, "07-12-2026,01:45:03", "dBA");
    journal.Keep();
  }
  for (auto _ : state) {
    std::vector<std::string> problems;
    std::vector<COrphanJournal> found = FindOrphanJournals(dir.Folder(), problems);
    CSampleStore live;
    StatData stat;
    if (found.size() != 1 || found[0].content.samples.size() != 40000) {
      state.SkipWithError("journal not recovered");
      break;
    }
    LoadRecoveredRun(found[0].content, live, stat);
    benchmark::DoNotOptimize(stat.dAverage);
  }
}
BENCHMARK(BM_RecoverJournal40000)->Unit(benchmark::kMillisecond);

namespace {

// 100 MB crafted to look like frames wherever a frame could begin: a length
// word of 512 every 4 bytes, then sample frames with plausible lengths and
// wrong CRCs. Parsing this took 3.6 s per MB when every candidate's CRC was
// checked without a bound.
std::string CraftedJournal() {
  constexpr std::size_t kSize = 100u << 20;
  std::string bytes;
  journal::AppendHeader(bytes, {0.1, 1796607903, "dBA", 1});
  bytes.reserve(kSize);
  while (bytes.size() < kSize / 2)
    bytes.append(std::string_view("\x00\x02\x00\x00", 4));
  std::string frame;
  journal::AppendSample(frame, 7, 50, std::string(64, '1'), std::string(64, 'd'));
  frame.back() ^= 0x5A;
  while (bytes.size() < kSize)
    bytes.append(frame);
  bytes.resize(kSize);
  return bytes;
}

} // namespace

// The start after a crash with a crafted 100 MB journal in the state folder:
// found, judged and refused (target: within 2 s).
static void BM_JournalRecover100MB(benchmark::State &state) {
  BenchFolder dir;
  std::filesystem::create_directories(dir.Folder());
  {
    const std::string bytes = CraftedJournal();
    std::FILE *f = std::fopen((dir.Folder() + "/run-1-0.journal").c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  for (auto _ : state) {
    std::vector<std::string> problems;
    std::vector<COrphanJournal> found = FindOrphanJournals(dir.Folder(), problems);
    if (found.size() != 1 || DecideOrphan(found[0].content) != EOrphanAction::SetAside) {
      state.SkipWithError("crafted journal not refused");
      break;
    }
  }
}
BENCHMARK(BM_JournalRecover100MB)->Unit(benchmark::kMillisecond);

// Parsing the same 100 MB in memory, past any size limit: linear time.
static void BM_JournalParseCrafted100MB(benchmark::State &state) {
  const std::string bytes = CraftedJournal();
  for (auto _ : state) {
    const journal::JournalContent c = journal::ParseJournal(bytes);
    if (!c.bHeader || !c.samples.empty()) {
      state.SkipWithError("crafted journal misread");
      break;
    }
    benchmark::DoNotOptimize(c.nLost);
  }
}
BENCHMARK(BM_JournalParseCrafted100MB)->Unit(benchmark::kMillisecond);
