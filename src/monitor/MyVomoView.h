#pragma once

#include "session/MeterSession.h"

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class CCommandRouter;
class CGraphHost;
class CGraphicsBtn;
class CPrompts;
class CReadoutPanel;
class CSampleTableModel;
class QComboBox;
class QLineEdit;
class QTreeView;

// The monitoring form of the main window. It builds the form, forwards the
// user's commands to the meter session and paints what the session
// reports: the readout, the live table, the statistics fields and the graph.
class CMyVomoView : public QWidget, private ISessionObserver {
  Q_OBJECT
public:
  static constexpr int kReadoutWidth = 220; // the meter picture's strip at the left

  CMyVomoView(CMeterSession &session, CPrompts &prompts, QWidget *parent = nullptr);
  ~CMyVomoView() override;

  // The view's commands into the frame's router.
  void RegisterCommands(CCommandRouter &commands);
  // Start values, rate box, table columns; the session's first port search.
  void OnInitialUpdate();

  // Commands.
  void OnRun();
  void OnStop();
  void OnClear();
  void OnSetup();
  void OnShowGraph();
  void OnShowTable();
  void OnPortAuto();
  void OnPortManual();
  // A remote key of the readout (index 0 to 5): only while the meter is heard.
  void OnMeterKey(int nKey);
  // Starts a run at rate `nRateIndex` of the rate box, as Executar does.
  void StartRunAt(int nRateIndex);
  // Table, statistics fields, graph and rate box from the live store as it
  // now is (recovered samples), as when a run has just stopped.
  void ShowLiveStore();

  CMeterSession &Session() { return m_session; }
  CGraphicsBtn &Graph() { return *m_pGraph; }
  bool IsShowingTable() const { return m_bShowTable; }

  // The strip at the left that holds the meter's readout; the readout panel
  // replaces the placeholder. The view keeps ownership.
  QWidget *Readout() const { return m_pReadout; }
  void SetReadout(QWidget *pReadout);
  // The rectangle the readout repaints when the meter falls silent.
  static QRect ReadoutRect() { return QRect(52, 107, 114, 193); }

  // The two modal dialogs, which tests answer without showing them.
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
  // The readout was repainted from the meter state.
  void readoutRefresh();
  // The live store's run: begun (on an empty store), one sample taken (the
  // store's last record), ended; the store emptied; the store saved to a file.
  void runStarted();
  void sampleTaken();
  // The run stopped, whatever the reason (the user, the limit, HOLD, silence).
  void runStopped();
  void liveCleared();
  void liveSaved();

protected:
  void resizeEvent(QResizeEvent *event) override;

private:
  // What the session reports.
  void OnFrameDecoded(const CMeterState &state) override;
  void OnMeterHeard() override;
  void OnMeterSilent() override;
  void OnRunStarted(const SRunStart &start) override;
  void OnSampleTaken(const SSample &sample) override;
  void OnRunEnded(ERunEnd) override;
  void OnLiveCleared() override;

  void BuildForm();
  void ApplyColours();
  void LayoutControls();
  std::array<QWidget *, 3> GraphWidgets() const; // the graph and its scroll bars
  void RefreshReadout();
  void ShowStatistics();
  void RedrawGraph();

  CMeterSession &m_session;
  CPrompts &m_prompts;
  CCommandRouter *m_pCommands = nullptr;
  bool m_bShowTable = false;
  bool m_bFirstFrameSeen = false;

  QWidget *m_pReadout = nullptr;
  CReadoutPanel *m_pReadoutPanel = nullptr;
  CGraphicsBtn *m_pGraph = nullptr;
  CGraphHost *m_pGraphHost = nullptr;
  QTreeView *m_pList = nullptr;
  CSampleTableModel *m_pModel = nullptr;
  QComboBox *m_pRate = nullptr;

  std::function<std::optional<SetupChoice>(int)> m_runSetup;
  std::function<std::optional<int>(int)> m_askPort;
};
