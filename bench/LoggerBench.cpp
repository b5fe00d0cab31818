// tarvik-logger: its CPU while sampling a real-time meter, and its memory
// over a million samples.
#include "logger/LoggerRun.h"
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

} // namespace
