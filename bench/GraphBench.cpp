#include "graph/GraphicsBtn.h"
#include "kit/Prompts.h"
#include "records/SampleStore.h"

#include <QApplication>
#include <QPrinter>

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <memory>

namespace {
// A store of n samples with a level that moves like a real recording.
const CSampleStore &Store(std::size_t n) {
  static std::map<std::size_t, std::unique_ptr<CSampleStore>> stores;
  auto &s = stores[n];
  if (!s) {
    s = std::make_unique<CSampleStore>();
    s->Reserve(n);
    for (std::size_t k = 0; k < n; ++k)
      s->Emplace(60.0 + 25.0 * std::sin(k * 0.01) + static_cast<double>(k % 7), "07-12-2026,01:45:03", "dBA",
                 0, 0.1);
  }
  return *s;
}

CQtPrompts &Prompts() {
  static CQtPrompts p;
  return p;
}

// A whole drawing: the graph keeps its curve between draws and would
// otherwise only copy it, so each draw gets another line colour.
void DrawWhole(CGraphicsBtn &graph, const CSampleStore &store) {
  graph.m_lineColor ^= 1;
  graph.DrawGraph(store);
}

// The whole control redrawn: 40,000 samples in view.
void BM_DrawGraph40000Unzoomed(benchmark::State &state) {
  CGraphicsBtn graph(Prompts());
  graph.resize(1280, 600);
  graph.SetDefaultView();
  const CSampleStore &store = Store(40000);
  graph.DrawGraph(store); // the span grows to take every sample once
  for (auto _ : state)
    DrawWhole(graph, store);
  state.counters["span"] = graph.m_xSpan;
}
BENCHMARK(BM_DrawGraph40000Unzoomed)->Unit(benchmark::kMillisecond);

// Every sample in view, stores of growing length on the same control: the
// cost follows the control's width, not the number of samples.
void BM_DrawGraphUnzoomed(benchmark::State &state) {
  CGraphicsBtn graph(Prompts());
  graph.resize(1280, 600);
  graph.SetDefaultView();
  const CSampleStore &store = Store(static_cast<std::size_t>(state.range(0)));
  graph.DrawGraph(store);
  for (auto _ : state)
    DrawWhole(graph, store);
  state.counters["span"] = graph.m_xSpan;
}
BENCHMARK(BM_DrawGraphUnzoomed)->Arg(10000)->Arg(1000000)->Arg(4000000)->Unit(benchmark::kMillisecond);

// Zoomed to 100 visible samples in the middle of a long store: the cost
// must not depend on the store's length.
void BM_DrawGraphZoomed100(benchmark::State &state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  CGraphicsBtn graph(Prompts());
  graph.resize(1280, 600);
  graph.SetDefaultView();
  const CSampleStore &store = Store(n);
  graph.DrawGraph(store);
  graph.m_zoomed = 1.0;
  graph.m_xScale = 100.0 / graph.m_plotWidth;
  graph.m_xOffset = static_cast<double>(n / 2);
  for (auto _ : state)
    DrawWhole(graph, store);
}
BENCHMARK(BM_DrawGraphZoomed100)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// The fixed part of a redraw: frame, grid, axes and labels without a curve.
void BM_DrawGraphEmpty(benchmark::State &state) {
  CGraphicsBtn graph(Prompts());
  graph.resize(1280, 600);
  graph.SetDefaultView();
  CSampleStore store;
  graph.DrawGraph(store);
  for (auto _ : state)
    graph.DrawGraph(store);
}
BENCHMARK(BM_DrawGraphEmpty)->Unit(benchmark::kMicrosecond);
} // namespace

// Widgets need an application; the offscreen platform needs no display.
int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
