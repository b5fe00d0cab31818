#include "files/SpreadsheetFile.h"
#include "files/TextDataFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <stdlib.h>
#include <unistd.h>

namespace {

constexpr int kSamples = 1000000;

void FillStore(CSampleStore &s) {
  s.Reserve(kSamples);
  for (int i = 0; i < kSamples; ++i)
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

} // namespace
