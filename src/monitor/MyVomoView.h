#pragma once

#include "monitor/ChunkMailbox.h"
#include "monitor/MeterLink.h"
#include "monitor/MeterStatus.h"
#include "monitor/MonitorRun.h"
#include "protocol/LogParser.h"
#include "protocol/MeterState.h"
#include "protocol/ReceivePath.h"
#include "protocol/ReceiveSink.h"
#include "uikit/TimerSet.h"

#include <QByteArray>
#include <QWidget>

#include <ctime>
#include <functional>
#include <memory>
#include <optional>

class CCommandRouter;
class CDataFileMenu;
class CDataLogHolder;
class CGraphHost;
class CGraphicsBtn;
class CKeyRepeaters;
class CPrompts;
class CReadoutPanel;
class CRegistoFlow;
class CSampleTableModel;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QScrollBar;
class QTreeView;
struct CDataStores;

// The monitoring form of the main window: meter state, port, runs that
// sample the live level into the live store, the table and the statistics
// fields, and the graph.
class CMyVomoView : public QWidget, private IReceiveSink {
  Q_OBJECT
public:
  // Timer ids of the view.
  static constexpr int TIMER_SILENCE = 2;
  static constexpr int TIMER_SAMPLE = 3;
  static constexpr int TIMER_LOG_TIMEOUT = 4;
  static constexpr int TIMER_OPEN_PORT = 5;
  static constexpr int TIMER_DISCOVER = 6;
  static constexpr int kLogTimeoutMs = 250000;
  static constexpr int kReadoutWidth = 220; // the meter picture's strip at the left

  CMyVomoView(CDataStores &stores, CPrompts &prompts, std::unique_ptr<IMeterLink> link,
              QWidget *parent = nullptr);
  ~CMyVomoView() override;

  // The view's commands into the frame's router; the run greys the first
  // items of `dataLoggerMenu` by position.
  void RegisterCommands(CCommandRouter &commands);

  // Start values, rate box, table columns, first port discovery.
  void OnInitialUpdate();
  void OnTimer(int nId);
  CTimerSet &Timers() { return m_timers; }

  // Commands.
  void OnRun();
  void OnStop();
  void OnClear();
  void OnSetup();
  void OnShowGraph();
  void OnShowTable();
  void OnPortAuto();
  void OnPortManual();
  void OnRegisto();
  // A remote key of the readout (index 0 to 5): only while the meter is heard.
  void OnMeterKey(int nKey);
  // A device arrived (from the main frame's watcher).
  void OnDeviceArrived();

  // Starts a run at rate `nRateIndex` of the rate box, as Executar does.
  void StartRunAt(int nRateIndex);
  // Table, statistics fields, graph and rate box from the live store as it
  // now is (recovered samples), as when a run has just stopped.
  void ShowLiveStore();

  // Port selection.
  void DiscoverPort();
  bool OpenPort(int nPort);

  // Bytes received from the meter, on the UI thread.
  void OnChunk(const QByteArray &chunk);

  // State for the readout, the frame's command rules and tests.
  CMeterState &MeterState() { return m_state; }
  CReceivePath &ReceivePath() { return m_receivePath; }
  CGraphicsBtn &Graph() { return *m_pGraph; }
  CRegistoFlow &Registo() { return *m_pRegisto; }
  CDataLogHolder &DataLog();
  const CMeterState &MeterState() const { return m_state; }
  CMonitorRun &Run() { return m_run; }
  const StatData &Stat() const { return m_run.m_stat; }
  bool IsAutoPort() const { return m_bAutoPort; }
  int FoundPort() const { return m_nPort; }
  bool IsShowingTable() const { return m_bShowTable; }
  IMeterLink &Link() { return *m_pLink; }
  const ConnectionStatus &Connection() const { return m_connection; }

  // The strip at the left that holds the meter's readout; the readout panel
  // replaces the placeholder. The view keeps ownership.
  QWidget *Readout() const { return m_pReadout; }
  void SetReadout(QWidget *pReadout);
  // The rectangle the readout repaints when the meter falls silent.
  static QRect ReadoutRect() { return QRect(52, 107, 114, 193); }

  // Injection points: the clock (local time of samples and silence) and
  // the two modal dialogs, which tests answer without showing them.
  void SetClock(std::function<std::time_t()> now) { m_now = std::move(now); }
  // The monotonic clock that times a stalled download.
  void SetSteadyClock(std::function<SteadyTime()> now) { m_steadyNow = std::move(now); }
  struct SetupChoice {
    int nSamples = 0;
    int nRateIndex = 0;
  };
  void SetSetupDialog(std::function<std::optional<SetupChoice>(int nSamples)> run) {
    m_runSetup = std::move(run);
  }
  void SetPortDialog(std::function<std::optional<int>(int nPreset)> ask) { m_askPort = std::move(ask); }

signals:
  // A command's enabled or checked state may have changed.
  void commandStateChanged();
  // The first live frame has been decoded (the screenshot waits for it).
  void firstFrameDecoded();
  // A download has ended: the progress dialog closes.
  void downloadEnded();
  // The readout must be repainted from the meter state: a frame was decoded,
  // the meter was heard again or fell silent.
  void readoutRefresh();
  // What the status bar tells: the port and the meter, why a run ended by
  // itself, how a download ended.
  void connectionChanged(const ConnectionStatus &status);
  void runEnded(RunEndReason reason);
  void downloadFinished(DownloadEndReason reason);
  // The live store's run: begun (on an empty store), one sample taken (the
  // store's last record), ended; the store emptied; the store saved to a file.
  void runStarted();
  void sampleTaken();
  // The run stopped, whatever the reason (the user, the limit, HOLD, silence).
  void runStopped();
  void liveCleared();
  void liveSaved();
  // A download had no byte of its own for 10 s while the meter was heard,
  // and was ended keeping what arrived.
  void downloadStalled();

protected:
  void resizeEvent(QResizeEvent *event) override;

private:
  // What the receive path reports, on the UI thread.
  void OnHoldSignal() override;
  void OnDownloadEnded() override;
  void OnDownloadProgress(int nUpper, int nStep, int nPos) override;
  void OnReadoutRefresh() override;
  void OnDownloadText(const std::string &strText) override;

  void BuildForm();
  void RegisterFileCommands(CCommandRouter &commands);
  void ApplyColours();
  void LayoutControls();
  void SetRunControls(bool bRunning);
  void StartRun();
  void ClearLiveData();
  void ShowSample(const CMonitorRun::Tick &tick);
  void ShowNoise();
  void SilenceCheck();
  void AbandonDownload(DownloadEndReason reason);
  void EndDownloadKeepingWhatArrived();
  // Brings the connection pane up to date; `port` sets what the link alone cannot tell.
  void NoteConnection(std::optional<ConnectionStatus::Port> port = {}, const std::string &strDevice = {});
  void RedrawGraph();
  void ResetGraphScale();
  QLineEdit *Field(int nId) const;
  std::time_t Now() const { return m_now(); }

  CDataStores &m_stores;
  CPrompts &m_prompts;
  std::unique_ptr<IMeterLink> m_pLink;
  CChunkMailbox m_mailbox;    // the reader thread's chunks, delivered on this thread
  CReceivePath m_receivePath; // owns the meter state
  CMeterState &m_state;
  CLogDecodeState m_logDecode;
  CMonitorRun m_run;
  CTimerSet m_timers;
  CCommandRouter *m_pCommands = nullptr;

  bool m_bShowTable = false;
  bool m_bAutoPort = true;
  int m_nPort = 0;
  bool m_bDiscovering = false;
  bool m_bRediscover = false;
  int m_nOpenPort = 0; // the port TIMER_OPEN_PORT opens
  bool m_bFirstFrameSeen = false;
  bool m_bAbandoning = false; // a failed download is being ended
  ConnectionStatus m_connection;

  QWidget *m_pReadout = nullptr;
  CReadoutPanel *m_pReadoutPanel = nullptr;
  CGraphicsBtn *m_pGraph = nullptr;
  CGraphHost *m_pGraphHost = nullptr;
  std::unique_ptr<CDataFileMenu> m_pFileMenu; // file commands and the data logger window
  std::unique_ptr<CRegistoFlow> m_pRegisto;
  CKeyRepeaters *m_pKeys = nullptr;
  QTreeView *m_pList = nullptr;
  CSampleTableModel *m_pModel = nullptr;
  QScrollBar *m_pVScroll = nullptr;
  QScrollBar *m_pHScroll = nullptr;
  QComboBox *m_pRate = nullptr;
  QGroupBox *m_pGraphBox = nullptr;
  QGroupBox *m_pCursorBox = nullptr;

  std::function<std::time_t()> m_now;
  std::function<SteadyTime()> m_steadyNow = [] { return std::chrono::steady_clock::now(); };
  std::function<std::optional<SetupChoice>(int)> m_runSetup;
  std::function<std::optional<int>(int)> m_askPort;
};
