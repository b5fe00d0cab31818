// Main window: one sampling tick of a long run, and the way from start to
// the first decoded reading of the simulated meter.
#include "app/AppOptions.h"
#include "app/MainFrame.h"
#include "app/TarvikApp.h"
#include "kit/CommandRouter.h"
#include "monitor/MyVomoView.h"
#include "sim/PtyMeter.h"
#include "support/FakeMeterLink.h"
#include "support/FakeSessionClock.h"
#include "support/ScriptedPrompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

// A main window in a run whose live store already holds `nStored` samples,
// with the graph or the table shown. Each tick records, updates the
// statistics and read-outs, the table and the graph.
class CRunningWindow {
public:
  CRunningWindow(std::size_t nStored, bool bTable)
      : m_app(AppOptions{}, m_prompts, std::make_unique<CFakeMeterLink>(), m_clock), m_stores(m_app.Stores()),
        m_session(m_app.Session()), m_pView(&m_app.View()) {
    m_app.Frame().resize(1280, 800);
    m_app.Frame().show();
    m_pView->OnInitialUpdate();
    const std::uint8_t start[] = {0xa5, 0x0d};
    m_session.OnChunk(start, sizeof start);
    m_session.SetSampleLimit(1 << 30);
    m_pView->OnRun();
    if (bTable)
      m_pView->OnShowTable();
    m_stores.m_live.Reserve(nStored + 100000);
    for (std::size_t i = 0; i + 1 < nStored; ++i)
      m_stores.m_live.Emplace(50.0 + static_cast<double>(i % 300) / 10.0, "08-12-2026,04:00:00", "dBA", 0,
                              0.1);
    // the graph and the table catch up, and a shown table makes its one-off
    // first layout, before anything is timed
    for (int i = 0; i < 5; ++i) {
      Tick();
      QCoreApplication::processEvents();
    }
  }
  // The clock moves to the next sampling tick, a reading just decoded.
  void Tick() {
    m_clock.m_now = *m_session.Timers().Due(CMeterSession::TIMER_SAMPLE);
    CLineTiming &st = m_session.Timing();
    st.m_tLastRecv = m_clock.m_wall;
    ++st.m_nFramesDecoded;
    st.m_tLastFrame = SteadyTime(std::chrono::duration_cast<SteadyTime::duration>(m_clock.m_now));
    m_session.Advance(m_clock.m_now);
  }
  std::size_t Count() const { return m_stores.m_live.GetSize(); }
  void ShowTable() { m_pView->OnShowTable(); }
  void ShowGraph() {
    m_pView->OnShowGraph();
    QCoreApplication::processEvents();
  }

private:
  CFakeSessionClock m_clock;
  CScriptedPrompts m_prompts;
  CTarvikApp m_app;
  CDataStores &m_stores;
  CMeterSession &m_session;
  CMyVomoView *m_pView;
};

// One tick of a long run, with the graph or the table shown. A 0.1 s run
// needs it well under 100 ms, and the same with 1,000 or 1,000,000 samples.
void TickOfALongRun(benchmark::State &state, bool bTable) {
  CRunningWindow w(static_cast<std::size_t>(state.range(0)), bTable);
  const std::size_t nBefore = w.Count();
  for (auto _ : state) {
    w.Tick();
    QCoreApplication::processEvents();
  }
  // every tick must have recorded its sample, or it measured a skipped tick
  // (the run's own timer may add a few more while events are processed)
  if (w.Count() - nBefore < static_cast<std::size_t>(state.iterations()))
    state.SkipWithError("a tick recorded no sample");
  state.counters["samples"] = static_cast<double>(w.Count());
}
void BM_SampleTick(benchmark::State &state) {
  TickOfALongRun(state, false);
}
void BM_SampleTickTable(benchmark::State &state) {
  TickOfALongRun(state, true);
}
BENCHMARK(BM_SampleTick)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SampleTickTable)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The first tick after a switch from the graph to Tabela: the switch and the
// table's first layout of every row it holds, as the user waits for it.
void BM_TableFirstTick(benchmark::State &state) {
  CRunningWindow w(static_cast<std::size_t>(state.range(0)), false);
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    w.ShowTable();
    w.Tick();
    QCoreApplication::processEvents();
    state.SetIterationTime(static_cast<double>(t.nsecsElapsed()) / 1e9);
    w.ShowGraph();
  }
}
BENCHMARK(BM_TableFirstTick)->Arg(1000000)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

// `tarvik --simulate` from construction to the first decoded frame: 100 ms
// to discovery, 200 ms to opening, then two frames (one is decoded when the
// next arrives) at the simulator's 250 ms frame interval.
void BM_StartToFirstFrame(benchmark::State &state) {
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    CScriptedPrompts prompts;
    AppOptions options;
    options.bSimulate = true;
    CTarvikApp app(options, prompts);
    std::string strError;
    if (!app.Start(strError)) {
      state.SkipWithError(strError.c_str());
      return;
    }
    bool bDecoded = false;
    QObject::connect(&app.View(), &CMyVomoView::firstFrameDecoded, [&] { bDecoded = true; });
    app.Show();
    if (!QTest::qWaitFor([&] { return bDecoded; }, 10000)) {
      state.SkipWithError("no frame decoded within 10 s");
      return;
    }
    state.SetIterationTime(static_cast<double>(t.nsecsElapsed()) / 1e9);
  }
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
