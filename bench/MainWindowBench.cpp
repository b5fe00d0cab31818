// Main window: one sampling tick of a long run, and the way from start to
// the first decoded reading of the simulated meter.
#include "app/AppOptions.h"
#include "app/MainFrame.h"
#include "app/TarvikApp.h"
#include "monitor/MyVomoView.h"
#include "sim/PtyMeter.h"
#include "support/FakeMeterLink.h"
#include "support/ScriptedPrompts.h"
#include "uikit/CommandRouter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

// A tick with 40,000 samples in the store: record, table row scrolled into
// view, graph redrawn, fields written. A 0.1 s run needs it well under 100 ms.
void BM_SamplingTick40000(benchmark::State &state) {
  CDataStores stores;
  CScriptedPrompts prompts;
  CMainFrame frame(stores, prompts);
  auto *view = new CMyVomoView(stores, prompts, std::make_unique<CFakeMeterLink>());
  frame.setCentralWidget(view);
  view->RegisterCommands(frame.Commands());
  frame.resize(1280, 800);
  frame.show();
  view->OnInitialUpdate();
  view->OnChunk(QByteArray("\xa5\x0d", 2));
  view->Run().m_nSampleLimit = 1 << 30;
  view->OnRun();
  for (int i = 0; i < 39999; ++i)
    stores.m_live.Emplace(50.0 + (i % 300) / 10.0, "08-12-2026,04:00:00", "dBA", 0, 0.1);
  view->OnTimer(CMyVomoView::TIMER_SAMPLE); // the table catches up once
  QCoreApplication::processEvents();
  for (auto _ : state) {
    view->MeterState().m_bDataReceived = true;
    view->OnTimer(CMyVomoView::TIMER_SAMPLE);
  }
  state.counters["samples"] = static_cast<double>(stores.m_live.GetSize());
}
BENCHMARK(BM_SamplingTick40000)->Unit(benchmark::kMillisecond);

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
