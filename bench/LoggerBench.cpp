// tarvik-logger: its CPU while sampling a real-time meter, and its memory
// over a million samples (its outputs alone, and the meter session that
// feeds them).
#include "logger/LoggerRun.h"
#include "session/MeterSession.h"
#include "sim/PtyMeter.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <stdlib.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

std::string TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "tarvik-bench-XXXXXX").string();
  return ::mkdtemp(tmpl.data());
}

long ResidentKb() {
  std::ifstream in("/proc/self/statm");
  long nPages = 0, nResident = 0;
  in >> nPages >> nResident;
  return nResident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// The logger program sampling every 0.1 s a meter that sends 4 frames a
// second, for 10 s: its CPU time (user + system) over the wall time.
void BM_LoggerCpuAtTenthSecond(benchmark::State &state) {
  double dShare = 0;
  for (auto _ : state) {
    CPtyMeter meter;
    meter.WithSim([](CMeterSim &s) { s.SetLevelSource(CLevelSource::Steps(40, 0.7, 80)); });
    meter.SetFrameInterval(std::chrono::milliseconds(250));
    if (!meter.Start()) {
      state.SkipWithError(meter.Error().c_str());
      return;
    }
    std::string dir = TempDir();
    std::vector<std::string> args = {TARVIK_LOGGER_BIN, "--device", meter.SlavePath(), "--rate",        "0.1",
                                     "--duration",      "10s",      "--output",        dir + "/cpu.txt"};
    std::vector<char *> argv;
    for (auto &a : args)
      argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    auto t0 = std::chrono::steady_clock::now();
    posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    int status = 0;
    rusage ru{};
    ::wait4(pid, &status, 0, &ru);
    double dWall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    double dCpu = double(ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) +
                  double(ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e6;
    dShare = dCpu / dWall;
    std::filesystem::remove_all(dir);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
      state.SkipWithError("the logger failed");
  }
  state.counters["cpu_percent"] = dShare * 100.0;
}
BENCHMARK(BM_LoggerCpuAtTenthSecond)->Iterations(1)->Unit(benchmark::kMillisecond);

// A million samples through the logger's outputs (file, summaries), in
// compressed time: 0.1 s apart, so the run crosses a midnight. The
// resident size may grow by at most 2 MB.
void BM_LoggerMemory1M(benchmark::State &state) {
  long nGrowthKb = 0;
  for (auto _ : state) {
    std::string dir = TempDir();
    CLoggerOptions o;
    o.dRate = 0.1;
    o.strOutput = dir + "/mem-%Y-%m-%d.txt";
    std::string err;
    CLoggerRun run(o, {[](std::string_view) {}, [&](std::string_view s) { err += s; }, false});
    auto t = std::chrono::system_clock::now();
    if (!run.Begin(t).Ok()) {
      state.SkipWithError("cannot open the output");
      return;
    }
    run.OnMeterFound("bench");
    // Warm up: the first samples size the buffers once.
    for (int i = 0; i < 1000; ++i, t += std::chrono::milliseconds(100))
      run.OnSample(t, 40.0 + (i % 800) * 0.1, true, true, false, false, 4);
    long nStart = ResidentKb();
    for (int i = 0; i < 1'000'000; ++i, t += std::chrono::milliseconds(100)) {
      run.OnSample(t, 40.0 + (i % 800) * 0.1, true, true, false, false, 4);
      if (i % 10 == 0)
        run.Poll(std::chrono::steady_clock::now());
    }
    nGrowthKb = ResidentKb() - nStart;
    benchmark::DoNotOptimize(run.Finish());
    std::filesystem::remove_all(dir);
  }
  state.counters["rss_growth_kb"] = static_cast<double>(nGrowthKb);
}
BENCHMARK(BM_LoggerMemory1M)->Iterations(1)->Unit(benchmark::kMillisecond);

// A link that is open and takes every write: the bench hands the frames over itself.
class COpenLink : public IMeterLink {
public:
  std::vector<int> FindBridgePorts() override { return {}; }
  OpenResult Open(int, ChunkHandler) override { return {true, {}}; }
  OpenResult OpenPath(const std::string &, ChunkHandler) override { return {true, {}}; }
  void Close() override {}
  bool Write(const std::uint8_t *, std::size_t) override { return true; }
  bool IsOpen() const override { return true; }
};

class CBenchClock : public ISessionClock {
public:
  std::chrono::milliseconds m_now{0};
  std::time_t m_tStart = std::time(nullptr);
  std::chrono::milliseconds Now() const override { return m_now; }
  std::time_t WallTime() const override { return m_tStart + m_now.count() / 1000; }
};

class CNoWake : public ISessionScheduler {
  void WakeAt(std::optional<std::chrono::milliseconds>) override {}
};

// The logger's whole path in compressed time: the simulated meter's frames
// (4 a second) through the session, its unattended 0.1 s run, and each
// sample into the logger's outputs, a million samples (about 28 hours).
// The resident size may grow by at most 2 MB.
void BM_LoggerSessionMemory1M(benchmark::State &state) {
  long nGrowthKb = 0;
  std::size_t nSamples = 0;
  for (auto _ : state) {
    std::string dir = TempDir();
    CLoggerOptions o;
    o.dRate = 0.1;
    o.strOutput = dir + "/session-%Y-%m-%d.txt";
    CLoggerRun run(o, {[](std::string_view) {}, [](std::string_view) {}, false});
    COpenLink link;
    CDataStores stores;
    CBenchClock clock;
    CNoWake wake;
    CMeterSession session({link, stores, clock, wake, [](const std::uint8_t *, std::size_t) {}});
    struct CToRun : ISessionObserver {
      CLoggerRun &run;
      const CMeterReading &st;
      const CBenchClock &clock;
      std::size_t n = 0;
      CToRun(CLoggerRun &r, const CMeterReading &s, const CBenchClock &c) : run(r), st(s), clock(c) {}
      void OnSampleTaken(const SSample &) override {
        ++n;
        run.OnSample(std::chrono::system_clock::from_time_t(clock.m_tStart) + clock.m_now, st.m_dLevel,
                     st.m_bWeightA, st.m_bFast, st.m_bMax, st.m_bMin, st.m_nRange);
      }
    } toRun(run, session.Reading(), clock);
    session.AddObserver(toRun);
    if (!run.Begin(std::chrono::system_clock::now()).Ok()) {
      state.SkipWithError("cannot open the output");
      return;
    }
    session.ChooseDevice("/dev/bench");
    SRunOptions unattended;
    unattended.bKeepSamples = false;
    unattended.bEndWithMeter = false;
    session.StartRun(0.1, unattended);
    CMeterSim sim;
    sim.SetLevelSource(CLevelSource::Steps(40, 0.7, 80));
    auto step = [&] {
      clock.m_now += std::chrono::milliseconds(50);
      if (clock.m_now.count() % 250 == 0) {
        const std::vector<std::uint8_t> frame = sim.NextFrame();
        session.OnChunk(frame.data(), frame.size());
      }
      if (clock.m_now.count() % 1000 == 0)
        sim.AdvanceSeconds(1);
      session.Advance(clock.m_now);
    };
    while (toRun.n < 1000) // warm up: buffers sized once
      step();
    const long nStart = ResidentKb();
    while (toRun.n < 1'001'000)
      step();
    nGrowthKb = ResidentKb() - nStart;
    nSamples = toRun.n;
    session.RemoveObserver(toRun);
    benchmark::DoNotOptimize(run.Finish());
    std::filesystem::remove_all(dir);
  }
  state.counters["rss_growth_kb"] = static_cast<double>(nGrowthKb);
  state.counters["samples"] = static_cast<double>(nSamples);
}
BENCHMARK(BM_LoggerSessionMemory1M)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
