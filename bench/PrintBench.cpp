#include "graph/GraphMath.h"
#include "print/GraphPageLayout.h"
#include "print/TableLayout.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A full live run: 40000 samples, the default limit of a monitoring run.
const CSampleStore &Run() {
  static const CSampleStore *store = [] {
    auto *s = new CSampleStore;
    for (int k = 0; k < 40000; ++k)
      s->Emplace(40.0 + k % 50, "07-12-2026,01:45:03", "dBA", 0, 0.1);
    return s;
  }();
  return *store;
}

void BM_LayoutTable40000(benchmark::State &state) {
  const TableGeometry g = MakeTableGeometry(4760, 6736, 96); // A4 at 600 dpi
  for (auto _ : state) {
    auto pages = LayoutTable(g, CSampleArray(Run()), StatData{}, {});
    benchmark::DoNotOptimize(pages.data());
  }
}
BENCHMARK(BM_LayoutTable40000)->Unit(benchmark::kMillisecond);

void BM_LayoutGraphPage40000(benchmark::State &state) {
  CGraphState s;
  SetDefaultView(s, 890, 330);
  GrowXRange(s, Run().GetSize(), [] {});
  GraphPageGeometry g;
  MakeGraphPageGeometry(4760, 6736, 96, s, g);
  const TimeAxisLabels labels = ComputeTimeLabels(s, CSampleArray(Run()));
  for (auto _ : state) {
    PageImage page = LayoutGraphPage(g, s, CSampleArray(Run()), StatData{}, labels, {},
                                     [](const std::string &t) { return static_cast<int>(t.size()) * 40; });
    benchmark::DoNotOptimize(page.ops.data());
  }
}
BENCHMARK(BM_LayoutGraphPage40000)->Unit(benchmark::kMillisecond);

} // namespace
