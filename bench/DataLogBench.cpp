#include "datalog/DataLogDlg.h"
#include "graph/GraphicsBtn.h"
#include "uikit/Prompts.h"

#include <QApplication>
#include <QPrinter>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <stdlib.h>

namespace {

// Dialogs are never shown here: every prompt answers "cancel".
class CSilentPrompts : public CPrompts {
public:
  int MessageBox(QWidget *, const QString &, const QString &, Buttons, Icon) override { return 1; }
  std::optional<QString> GetOpenFileName(QWidget *, const QString &) override { return std::nullopt; }
  std::optional<QString> GetSaveFileName(QWidget *, const QString &, const QString &) override {
    return std::nullopt;
  }
  std::optional<QColor> ChooseColor(QWidget *, const QColor &) override { return std::nullopt; }
  std::unique_ptr<QPrinter> SelectPrinter(QWidget *) override { return nullptr; }
};

QApplication &App() {
  static int argc = 1;
  static char name[] = "tarvik_bench";
  static char *argv[] = {name, nullptr};
  static QApplication *app = [] {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    return new QApplication(argc, argv);
  }();
  return *app;
}

// One click on a recording of nSamples samples: selection, statistics,
// read-outs, rate box and the graph drawn.
void SelectRecording(benchmark::State &state, int nSamples) {
  App();
  CDataStores stores;
  stores.m_log.Emplace(50.0, "07-12-2026,1:00:00", "dBA", 1, 1);
  for (int i = 0; i < nSamples; ++i)
    stores.m_log.Emplace(40.0 + (i * 7 % 600) / 10.0, "07-12-2026,2:00:00", "dBA", 2, 1);
  CSilentPrompts prompts;
  CDataLogDlg dlg(stores, prompts);
  dlg.Create();
  dlg.show();
  for (auto _ : state) {
    dlg.SelectRow(1);
    if (dlg.Selection().GetSize() != static_cast<std::size_t>(nSamples))
      state.SkipWithError("wrong selection");
  }
}
void BM_SelectRecording100k(benchmark::State &state) {
  SelectRecording(state, 100000);
}
BENCHMARK(BM_SelectRecording100k)->Unit(benchmark::kMillisecond);
void BM_SelectRecording1M(benchmark::State &state) {
  SelectRecording(state, 1000000);
}
BENCHMARK(BM_SelectRecording1M)->Unit(benchmark::kMillisecond);

} // namespace
