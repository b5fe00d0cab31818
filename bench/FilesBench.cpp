#include "files/SpreadsheetFile.h"
#include "files/TextDataFile.h"
#include "files/WorkbookFile.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <filesystem>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <cstdint>
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

// The file BM_ReadTextDataFile reads: n samples, two a second from one
// evening on, so the date changes at midnight.
std::string WriteReadBenchFile(const std::string &dir, std::size_t n) {
  std::string path = dir + "/bench.txt";
  CSampleStore s;
  for (std::size_t i = 0; i < n; ++i)
    s.AppendAt(30.0 + static_cast<double>(i % 1000) / 10.0, 1796607902 + static_cast<CivilSeconds>(i / 2),
               TimeStyle::PaddedHour, "dBA", 0, 0.5);
  WriteTextDataFile(path, s);
  return path;
}

// A file mapped whole, for the floors below.
class CMappedFile {
public:
  explicit CMappedFile(const std::string &path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && ::fstat(fd, &st) == 0 && st.st_size > 0) {
      void *p = ::mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
      if (p != MAP_FAILED)
        m_bytes = {static_cast<const char *>(p), static_cast<std::size_t>(st.st_size)};
    }
    if (fd >= 0)
      ::close(fd);
  }
  ~CMappedFile() {
    if (!m_bytes.empty())
      ::munmap(const_cast<char *>(m_bytes.data()), m_bytes.size());
  }
  CMappedFile(const CMappedFile &) = delete;
  CMappedFile &operator=(const CMappedFile &) = delete;
  std::string_view Bytes() const { return m_bytes; }

private:
  std::string_view m_bytes;
};

// Calls f(line) for each line after the header, its CR LF left off.
template <class F> void ForEachSampleLine(std::string_view bytes, F f) {
  const char *p = bytes.data(), *end = p + bytes.size();
  const char *nl = static_cast<const char *>(std::memchr(p, '\n', bytes.size()));
  for (p = nl ? nl + 1 : end; p < end; p = nl + 1) {
    nl = static_cast<const char *>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    if (!nl)
      nl = end;
    f(std::string_view(p, static_cast<std::size_t>(nl - p - (nl > p && nl[-1] == '\r'))));
  }
}

// The level of "date,time, level, unit" read with from_chars; 0 when absent.
double FloorLevel(std::string_view l, std::size_t afterTime) {
  std::size_t at = afterTime;
  while (at < l.size() && l[at] == ' ')
    ++at;
  double d = 0;
  std::from_chars(l.data() + at, l.data() + l.size(), d);
  return d;
}

// The floor of any reader: the file mapped, lines found, the level of each
// read with from_chars and nothing kept.
void BM_ReadFloorLevelOnly(benchmark::State &state) {
  std::string dir = TempFolder();
  const std::string path = WriteReadBenchFile(dir, static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    CMappedFile file(path);
    double sum = 0;
    ForEachSampleLine(file.Bytes(), [&](std::string_view l) {
      const std::size_t a = l.find(','), b = a == l.npos ? a : l.find(',', a + 1);
      sum += b == l.npos ? 0 : FloorLevel(l, b + 1);
    });
    benchmark::DoNotOptimize(sum);
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ReadFloorLevelOnly)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Days from 01-01-1970 of the Gregorian calendar.
std::int64_t FloorDays(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400, yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

// Reads a number with from_chars; where the next one starts, past its separator.
const char *FloorInt(const char *p, const char *end, int &v) {
  return std::from_chars(p, end, v).ptr + 1;
}

// The floor of a reader that keeps the whole sample: date, time and level
// of each line with from_chars, the date turned into days only when its
// text changes. Nothing kept, nothing checked.
void BM_ReadFloorFullParse(benchmark::State &state) {
  std::string dir = TempFolder();
  const std::string path = WriteReadBenchFile(dir, static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    CMappedFile file(path);
    double dSum = 0;
    std::int64_t nSum = 0, nDay = 0;
    std::string_view lastDate;
    ForEachSampleLine(file.Bytes(), [&](std::string_view l) {
      const std::size_t a = l.find(','), b = a == l.npos ? a : l.find(',', a + 1);
      if (b == l.npos)
        return;
      const char *s = l.data();
      if (l.substr(0, a) != lastDate) {
        lastDate = l.substr(0, a);
        int d = 0, m = 0, y = 0;
        FloorInt(FloorInt(FloorInt(s, s + a, d), s + a, m), s + a, y);
        nDay = FloorDays(y, m, d);
      }
      int h = 0, mi = 0, se = 0;
      FloorInt(FloorInt(FloorInt(s + a + 1, s + b, h), s + b, mi), s + b, se);
      nSum += nDay * 86400 + h * 3600 + mi * 60 + se;
      dSum += FloorLevel(l, b + 1);
    });
    benchmark::DoNotOptimize(dSum);
    benchmark::DoNotOptimize(nSum);
  }
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ReadFloorFullParse)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Reading the same file into a store (bench/targets.tsv sets it against
// the floors by instruction count), and what the store then costs per sample.
void BM_ReadTextDataFile(benchmark::State &state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  std::string dir = TempFolder();
  const std::string path = WriteReadBenchFile(dir, n);
  CSampleStore store;
  for (auto _ : state) {
    CFileResult r = ReadTextDataFile(path, store);
    if (!r.Ok() || store.GetSize() != n)
      state.SkipWithError("read failed");
  }
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
