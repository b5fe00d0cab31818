#include "files/SpreadsheetFile.h"
#include "files/TextDataFile.h"
#include "files/WorkbookFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <stdlib.h>
#include <unistd.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kSamples = 1000000;

void FillStore(CSampleStore &s, int nSamples = kSamples) {
  s.Reserve(static_cast<std::size_t>(nSamples));
  for (int i = 0; i < nSamples; ++i)
    s.Emplace(30.0 + (i % 1000) / 10.0, "07-12-2026,01:45:03", i % 2 ? "dBA" : "dBC", 0, 0.5);
}

std::string TempFolder() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "tarvik-bench-XXXXXX").string();
  return ::mkdtemp(tmpl.data());
}

void BM_WriteTextDataFile1M(benchmark::State &state) {
  CSampleStore s;
  FillStore(s);
  std::string dir = TempFolder();
  std::string path = dir + "/bench.txt";
  for (auto _ : state) {
    CFileResult r = WriteTextDataFile(path, s);
    if (!r.Ok())
      state.SkipWithError(r.strReason.c_str());
  }
  state.SetItemsProcessed(state.iterations() * kSamples);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_WriteTextDataFile1M)->Unit(benchmark::kMillisecond);

void BM_ReadTextDataFile1M(benchmark::State &state) {
  std::string dir = TempFolder();
  std::string path = dir + "/bench.txt";
  {
    CSampleStore s;
    FillStore(s);
    WriteTextDataFile(path, s);
  }
  CSampleStore store;
  for (auto _ : state) {
    CFileResult r = ReadTextDataFile(path, store);
    if (!r.Ok() || store.GetSize() != kSamples)
      state.SkipWithError("read failed");
  }
  state.SetItemsProcessed(state.iterations() * kSamples);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ReadTextDataFile1M)->Unit(benchmark::kMillisecond);

// The floor a reader can reach: the same file in the same pieces, lines
// found and each level read with from_chars, nothing kept.
double FloorSeconds(const std::string &path) {
  const auto t0 = std::chrono::steady_clock::now();
  std::FILE *f = std::fopen(path.c_str(), "rb");
  std::vector<char> buf(1 << 20);
  std::string carry;
  double sum = 0;
  auto line = [&](std::string_view l) {
    std::size_t a = l.find(','), b = a == l.npos ? a : l.find(',', a + 1),
                c = b == l.npos ? b : l.find(',', b + 1);
    if (c == l.npos)
      return;
    std::size_t at = b + 1;
    while (at < c && l[at] == ' ')
      ++at;
    double d = 0;
    std::from_chars(l.data() + at, l.data() + c, d);
    sum += d;
  };
  for (std::size_t n; (n = std::fread(buf.data(), 1, buf.size(), f)) > 0;) {
    std::string_view piece(buf.data(), n);
    std::size_t pos = 0;
    for (std::size_t nl = piece.find('\n'); nl != piece.npos; nl = piece.find('\n', pos)) {
      carry.append(piece.substr(pos, nl - pos));
      line(carry);
      carry.clear();
      pos = nl + 1;
    }
    carry.append(piece.substr(pos));
  }
  std::fclose(f);
  benchmark::DoNotOptimize(sum);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Reading a file of n samples into a store, against the floor measured in
// the same run; and what the store then costs per sample.
void BM_ReadTextDataFile(benchmark::State &state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  std::string dir = TempFolder();
  std::string path = dir + "/bench.txt";
  {
    CSampleStore s;
    for (std::size_t i = 0; i < n; ++i)
      s.AppendAt(30.0 + static_cast<double>(i % 1000) / 10.0, 1796607902 + static_cast<CivilSeconds>(i / 2),
                 TimeStyle::PaddedHour, "dBA", 0, 0.5);
    WriteTextDataFile(path, s);
  }
  CSampleStore store;
  double dRead = 0, dFloor = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    CFileResult r = ReadTextDataFile(path, store);
    dRead += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    if (!r.Ok() || store.GetSize() != n)
      state.SkipWithError("read failed");
    state.PauseTiming();
    dFloor += FloorSeconds(path);
    state.ResumeTiming();
  }
  state.counters["floor_ratio"] = dFloor > 0 ? dRead / dFloor : 0;
  state.counters["bytes_per_sample"] = static_cast<double>(store.MemoryBytes()) / static_cast<double>(n);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ReadTextDataFile)->Arg(1000000)->Unit(benchmark::kMillisecond);

// "VmRSS" or "VmHWM" of this process in KB, from /proc/self/status.
long StatusKb(const char *field) {
  std::FILE *f = std::fopen("/proc/self/status", "r");
  if (!f)
    return -1;
  char line[256];
  long kb = -1;
  const std::size_t n = std::strlen(field);
  while (std::fgets(line, sizeof line, f))
    if (std::strncmp(line, field, n) == 0 && line[n] == ':')
      std::from_chars(line + n + 1 + std::strspn(line + n + 1, " \t"), line + std::strlen(line), kb);
  std::fclose(f);
  return kb;
}

// Opening a data file of 6,000,000 lines as the data logger window does: the
// store read whole beside the old one (a store as long), then put in its
// place. Peak memory of the data over the two stores' own bytes.
void BM_OpenTextDataFile6M(benchmark::State &state) {
  constexpr std::size_t n = 6000000;
  std::string dir = TempFolder();
  std::string path = dir + "/bench.txt";
  CSampleStore old; // as long and as tight as a store read from a file
  old.Reserve(n);
  for (std::size_t i = 0; i < n; ++i)
    old.AppendAt(30.0 + static_cast<double>(i % 1000) / 10.0, 1796607902 + static_cast<CivilSeconds>(i / 2),
                 TimeStyle::PaddedHour, "dBA", 0, 0.5);
  if (!WriteTextDataFile(path, old).Ok()) {
    state.SkipWithError("cannot write the file");
    return;
  }
  const std::size_t nOldBytes = old.MemoryBytes();
  double dPeakKb = 0, dBaseKb = 0, dNewBytes = 0;
  for (auto _ : state) {
    // the peak counter starts again from what is resident now
    std::FILE *clear = std::fopen("/proc/self/clear_refs", "w");
    if (!clear || std::fputs("5", clear) < 0) {
      state.SkipWithError("cannot reset the peak resident size");
      return;
    }
    std::fclose(clear);
    dBaseKb = static_cast<double>(StatusKb("VmRSS"));
    CTextDataContent content = ReadTextDataContent(path);
    if (!content.result.Ok() || content.samples.GetSize() != n) {
      state.SkipWithError("read failed");
      return;
    }
    dNewBytes = static_cast<double>(content.samples.MemoryBytes());
    MoveIntoStore(content, old);
    dPeakKb = static_cast<double>(StatusKb("VmHWM"));
  }
  const double dStores = static_cast<double>(nOldBytes) + dNewBytes;
  const double dPeakData = static_cast<double>(nOldBytes) + (dPeakKb - dBaseKb) * 1024.0;
  state.counters["stores_mb"] = dStores / 1e6;
  state.counters["peak_mb"] = dPeakData / 1e6;
  state.counters["peak_over_stores"] = dPeakData / dStores;
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_OpenTextDataFile6M)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_WriteSpreadsheetFile1M(benchmark::State &state) {
  CSampleStore s;
  FillStore(s);
  std::string dir = TempFolder();
  std::string path = dir + "/bench.xls";
  for (auto _ : state) {
    CFileResult r = WriteSpreadsheetFile(path, s, StatData{}, SheetVariant::DataLogger);
    if (!r.Ok())
      state.SkipWithError(r.strReason.c_str());
  }
  state.SetItemsProcessed(state.iterations() * kSamples);
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_WriteSpreadsheetFile1M)->Unit(benchmark::kMillisecond);

// The workbook of a long recording: statistics, 100,000 rows with
// date-time cells, the chart sheet, zipped.
void BM_WriteWorkbook100k(benchmark::State &state) {
  CSampleStore s;
  FillStore(s, 100000);
  StatData stat;
  stat.dSampleRate = 0.5;
  std::string dir = TempFolder();
  std::string path = dir + "/bench.xlsx";
  for (auto _ : state) {
    CFileResult r = WriteWorkbookFile(path, s, stat);
    if (!r.Ok())
      state.SkipWithError(r.strReason.c_str());
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_WriteWorkbook100k)->Unit(benchmark::kMillisecond);

} // namespace
