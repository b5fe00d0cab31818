#include "journal/OrphanJournals.h"
#include "journal/RecoveredRun.h"
#include "journal/RunJournal.h"
#include "records/SampleStore.h"
#include "records/StatData.h"

#include <benchmark/benchmark.h>

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
  journal.OnRunEnded();
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
