#pragma once

#include "monitor/RTSetup.h"
#include "session/MeterSession.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class CCommandRouter;
class CGraphicsBtn;
class CLivePane;
class CPrompts;
class CReadoutPanel;
class QComboBox;

// The monitoring form of the main window. It builds the form, forwards the
// user's commands to the meter session and paints what the session
// reports: the readout, the statistics and the live graph or table.
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
  // Table, statistics, graph and rate box from the live store as it now is
  // (recovered samples), as when a run has just stopped.
  void ShowLiveStore();

  CMeterSession &Session() { return m_session; }
  CGraphicsBtn &Graph();
  bool IsShowingTable() const;
  // The meter's readout, in the strip at the left.
  QWidget *Readout() const;

  // The two modal dialogs, which tests answer without showing them.
  void SetSetupDialog(std::function<std::optional<SetupChoice>(int nSamples)> run) {
    m_runSetup = std::move(run);
  }
  void SetPortDialog(std::function<std::optional<int>(int nPreset)> ask) { m_askPort = std::move(ask); }
  // "Guardar como" of the live store, true once it is in a file.
  void SetSaveLive(std::function<bool()> save) { m_saveLive = std::move(save); }

signals:
  // A command's enabled or checked state may have changed.
  void commandStateChanged();
  // The first live frame has been decoded (the screenshot waits for it).
  void firstFrameDecoded();
  // The readout was repainted from the meter state.
  void readoutRefresh();
  // The run stopped, whatever the reason, and the view shows its end.
  void runStopped();
  // The user chose a port by hand, or automatic selection.
  void portChosenByHand(int nPort);
  void autoPortChosen();

protected:
  void resizeEvent(QResizeEvent *event) override;

private:
  // What the session reports.
  void OnFrameDecoded(const CMeterReading &state) override;
  void OnMeterHeard() override;
  void OnMeterSilent() override;
  void OnRunStarted(const SRunStart &start) override;
  void OnSampleTaken(const SSample &sample) override;
  void OnRunEnded(ERunEnd) override;
  void OnLiveCleared() override;

  void BuildForm();
  void LayoutControls();
  void RefreshReadout();
  void ShowStatistics();

  CMeterSession &m_session;
  CPrompts &m_prompts;
  bool m_bFirstFrameSeen = false;
  CReadoutPanel *m_pReadout = nullptr;
  std::unique_ptr<CLivePane> m_pPane;
  QComboBox *m_pRate = nullptr;

  std::function<std::optional<SetupChoice>(int)> m_runSetup;
  std::function<std::optional<int>(int)> m_askPort;
  std::function<bool()> m_saveLive;
  static constexpr int kNoiseBoxX = 580;            // dialog units: the "Ruído" box's column of the form
  std::vector<std::pair<QWidget *, QRect>> m_noise; // its controls at their template places
};
