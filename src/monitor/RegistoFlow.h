#pragma once

#include "monitor/LogState.h"
#include "uikit/TimerSet.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

class CPrompts;
class CSampleStore;
class QWidget;
struct CMeterState;

// The "Registo" command: empties the data-logger store, asks the meter for
// its memory until the download header arrives, shows the progress pop-up
// while the download comes in, and then opens the data logger window on
// what arrived. Everything runs on the UI thread; the request is paced by a
// timer so the window stays responsive and the silence check and the
// download watchdog can end a download that never starts.
class CRegistoFlow : public QObject {
  Q_OBJECT
public:
  static constexpr int TIMER_LOG_REQUEST = 1; // this flow's own timer
  static constexpr int kRequestMs = 100;

  struct Hooks {
    // Bytes to the meter; false when nothing went out.
    std::function<bool(const std::uint8_t *, std::size_t)> write;
    // The open data logger window lets go of its selection and redraws,
    // before the records it points at are destroyed.
    std::function<void()> releaseLoggerSelection;
    // Opens the data logger window on the store, or re-creates an open one.
    std::function<void()> showDataLogger;
    // The receive path enters download mode; recordings are numbered from 0 again.
    std::function<void()> beginDownload;
  };

  // `viewTimers` holds the view's download watchdog (`nTimeoutId`).
  CRegistoFlow(CMeterState &state, CSampleStore &logStore, CPrompts &prompts, CTimerSet &viewTimers,
               int nTimeoutId, int nTimeoutMs, Hooks hooks, QWidget *pParent);
  ~CRegistoFlow() override;

  // The command itself.
  void OnRegisto();
  // The download has ended (normal end, empty log, silence or watchdog).
  void OnDownloadEnded();
  // Progress from the receive path: announced size and bytes so far.
  void OnProgress(int nRange, int nPos);
  void OnTimer(int nId);

  enum class Phase { Idle, Requesting, Receiving };
  Phase CurrentPhase() const { return m_phase; }
  CLogState &Dialog() { return *m_pDialog; }
  int RequestsWritten() const { return m_nRequests; }

signals:
  // The data logger window has been opened on the new store contents.
  void finished();

private:
  void WriteRequest();
  void ShowProgress();
  void Finish();

  CMeterState &m_state;
  CSampleStore &m_logStore;
  CPrompts &m_prompts;
  CTimerSet &m_viewTimers;
  const int m_nTimeoutId;
  const int m_nTimeoutMs;
  Hooks m_hooks;
  QWidget *m_pParent;
  CTimerSet m_timers;
  std::unique_ptr<CLogState> m_pDialog; // no parent window, as the meter software has it
  Phase m_phase = Phase::Idle;
  int m_nRequests = 0;
};
