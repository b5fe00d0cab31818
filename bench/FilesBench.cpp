#include "files/SpreadsheetFile.h"
#include "files/TextDataFile.h"
#include "files/WorkbookFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <stdlib.h>
#include <unistd.h>

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
