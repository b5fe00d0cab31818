#include "graph/GraphicsBtn.h"
#include "kit/Prompts.h"
#include "records/SampleStore.h"

#include <QApplication>
#include <QPainter>
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
    DrawWhole(graph, store); // an unchanged graph would repaint nothing
}
BENCHMARK(BM_DrawGraphEmpty)->Unit(benchmark::kMicrosecond);

// Counts the paint events a widget gets: a repaint that was never processed
// would measure nothing.
class CPaintCounter : public QObject {
public:
  int m_nPaints = 0;

protected:
  bool eventFilter(QObject *, QEvent *e) override {
    m_nPaints += e->type() == QEvent::Paint;
    return false;
  }
};

void CountPaints(benchmark::State &state, const CPaintCounter &counter) {
  if (counter.m_nPaints < static_cast<int>(state.iterations()))
    state.SkipWithError("an iteration painted nothing");
  state.counters["paints"] = counter.m_nPaints;
}

// What Qt itself costs to repaint a widget of the graph's size ten times a
// second: a plain widget that copies a whole image of its size.
class CImageWidget : public QWidget {
public:
  CImageWidget() : m_image(1280, 600, QImage::Format_RGB32) { m_image.fill(Qt::darkCyan); }

protected:
  void paintEvent(QPaintEvent *) override {
    QPainter p(this);
    p.drawImage(0, 0, m_image);
  }

private:
  QImage m_image;
};

void BM_QtImageRepaintFloor(benchmark::State &state) {
  CImageWidget w;
  w.resize(1280, 600);
  w.show();
  QCoreApplication::processEvents();
  CPaintCounter counter;
  w.installEventFilter(&counter);
  for (auto _ : state) {
    w.update();
    QCoreApplication::processEvents();
  }
  CountPaints(state, counter);
}
BENCHMARK(BM_QtImageRepaintFloor)->Unit(benchmark::kMicrosecond);

// A sample of a running 0.1 s run as the monitoring view takes it: appended
// to the live store, the graph drawn and the paint processed. The store
// starts at 10,000 samples, so the range widens now and then as in a run.
void BM_RunSampleRepaint(benchmark::State &state) {
  CGraphicsBtn graph(Prompts());
  graph.resize(1280, 600);
  graph.SetDefaultView();
  graph.m_live = true;
  CSampleStore store;
  std::size_t n = 0;
  auto append = [&] {
    store.Emplace(60.0 + 25.0 * std::sin(static_cast<double>(n) * 0.01) + static_cast<double>(n % 7),
                  "09-12-2026,06:00:00", "dBA", 0, 0.1);
    ++n;
  };
  for (int i = 0; i < 10000; ++i)
    append();
  graph.show();
  graph.DrawGraph(store);
  QCoreApplication::processEvents();
  CPaintCounter counter;
  graph.installEventFilter(&counter);
  for (auto _ : state) {
    append();
    graph.DrawGraph(store);
    QCoreApplication::processEvents();
  }
  CountPaints(state, counter);
  state.counters["span"] = graph.m_xSpan;
}
BENCHMARK(BM_RunSampleRepaint)->Unit(benchmark::kMicrosecond);
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
