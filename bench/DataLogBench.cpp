#include "datalog/DataLogDlg.h"
#include "files/TextDataFile.h"
#include "forms/CommandIds.h"
#include "graph/GraphicsBtn.h"
#include "kit/Prompts.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QTimer>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>

namespace {

// Dialogs are never shown here: every prompt answers "cancel".
class CSilentPrompts : public CPrompts {
public:
  int MessageBox(QWidget *, const QString &, const QString &, Buttons, Icon) override { return 1; }
  std::optional<QString> GetOpenFileName(QWidget *, const QString &, const QString &) override {
    return std::nullopt;
  }
  std::optional<QString> GetSaveFileName(QWidget *, const QString &, const QString &) override {
    return std::nullopt;
  }
  std::optional<QColor> ChooseColor(QWidget *, const QColor &) override { return std::nullopt; }
  std::unique_ptr<QPrinter> SelectPrinter(QWidget *) override { return nullptr; }
};

// Prompts that answer the open dialog with one path; messages are dismissed.
class COpenPrompts : public CSilentPrompts {
public:
  explicit COpenPrompts(std::string strPath) : m_strPath(std::move(strPath)) {}
  std::optional<QString> GetOpenFileName(QWidget *, const QString &, const QString &) override {
    return QString::fromStdString(m_strPath);
  }

private:
  std::string m_strPath;
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

// "Importar" of a 6,000,000-line data file in the data logger window, from
// the menu command to the recordings listed and the graph drawn. A timer
// on the window's thread asks to run every 5 ms; the longest wait between
// two of its runs (and around the command) is how long the window stopped
// answering.
void BM_ImportLongestStall6M(benchmark::State &state) {
  App();
  constexpr std::size_t n = 6000000;
  std::string tmpl = (std::filesystem::temp_directory_path() / "tarvik-bench-XXXXXX").string();
  const std::string dir = ::mkdtemp(tmpl.data());
  const std::string path = dir + "/big.txt";
  {
    CSampleStore file;
    file.Reserve(n);
    for (std::size_t i = 0; i < n; ++i)
      file.AppendAt(30.0 + static_cast<double>(i % 1000) / 10.0,
                    1796607902 + static_cast<CivilSeconds>(i / 2), TimeStyle::PaddedHour, "dBA",
                    static_cast<int>(i / 1000000), 0.5);
    if (!WriteTextDataFile(path, file).Ok()) {
      state.SkipWithError("cannot write the file");
      return;
    }
  }
  double dLongestMs = 0;
  for (auto _ : state) {
    CDataStores stores;
    COpenPrompts prompts(path);
    CDataLogDlg dlg(stores, prompts);
    dlg.Create();
    dlg.show();
    QElapsedTimer clock;
    clock.start();
    qint64 nLast = 0, nLongest = 0;
    QTimer tick;
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [&] {
      const qint64 now = clock.nsecsElapsed();
      nLongest = std::max(nLongest, now - nLast);
      nLast = now;
    });
    tick.start();
    dlg.Action(datalog::ID_IMPORT)->trigger();
    nLongest = std::max(nLongest, clock.nsecsElapsed() - nLast);
    if (stores.m_log.GetSize() != n)
      state.SkipWithError("the file was not read whole");
    dLongestMs = std::max(dLongestMs, static_cast<double>(nLongest) / 1e6);
  }
  state.counters["longest_stall_ms"] = dLongestMs;
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ImportLongestStall6M)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
