#pragma once

#include "meter/KeyRepeat.h"
#include "meter/LogParser.h"
#include "meter/ReceivePath.h"
#include "meter/ReceiveSink.h"
#include "session/MeterSession.h"
#include "session/MonitorRun.h"

#include <list>
#include <vector>

// The session's state and rules; MeterSession.cpp holds the inputs and the
// run, SessionPort.cpp the port selection and keys, SessionDownload.cpp
// the download flow.
class CMeterSession::CImpl : private IReceiveSink {
public:
  explicit CImpl(Env env);
  ~CImpl() override;

  template <class F> void Notify(F f) {
    const std::vector<ISessionObserver *> observers = m_observers; // one may leave while told
    for (ISessionObserver *o : observers)
      f(*o);
  }
  Ms Now() const { return m_env.clock.Now(); }
  // The session's time as the receive path, sampling and keys date things.
  SteadyTime Steady() const { return SteadyTime(std::chrono::duration_cast<SteadyTime::duration>(Now())); }
  void Fire(int nId, Ms now);
  void Reschedule();

  // Runs.
  void SampleTick();
  // Sampling ticks skipped since the last one (the thread was held up).
  std::size_t MissedTicks();
  // Where every run ends: a run still going ends for `eReason`, its timer
  // stops and observers are told.
  void EndRun(ERunEnd eReason);
  void SilenceCheck();

  // Port selection and remote keys.
  void DiscoverPort();
  bool OpenPort(int nPort, const std::string &strPath);
  void SetConnection(ELinkState eState, std::string strReason = {});
  void PortLost();
  // The port believed open is gone (its device went away): let it go.
  void NoticeLostPort();
  // The port is not open: try again after the retry period, if there is one.
  void RetryLater();
  struct KeyEntry {
    int nTimerId;
    CKeyRepeat repeat;
  };
  bool StartKey(int nKey);
  void FireKey(int nId);
  // Writes the key's code if due; false when its repetition has ended (and is removed).
  bool SendKey(std::list<KeyEntry>::iterator it);
  void KeysOnFrame();
  void StopKeys();

  // Downloads.
  EDownloadStart Download();
  void RequestTick();
  void ShowProgress();
  void AbandonDownload(EDownloadEnd eReason);
  void FinishDownload();

  // What the receive path reports.
  void OnHoldSignal() override;
  void OnDownloadEnded() override;
  void OnDownloadProgress(int nUpper, int nStep, int nPos) override;
  void OnReadoutRefresh() override;
  void OnDownloadText(const std::string &strText) override;

  Env m_env;
  std::vector<ISessionObserver *> m_observers;
  CReceivePath m_path; // the reading, the line timing and the download progress
  const CMeterReading &m_reading;
  CLogDecodeState m_logDecode;
  CMonitorRun m_run;
  Ms m_samplePeriod{0};
  Ms m_nextSampleDue{0}; // when the tick about to fire was due
  CDeadlines m_timers;
  std::optional<Ms> m_lastWake;
  bool m_bWakeSet = false;

  // Port selection.
  SConnection m_conn;
  bool m_bAutoPort = true;
  bool m_bChosenByHand = false; // TIMER_OPEN_PORT's port is the user's: it comes back with its device
  int m_nPort = 0;
  bool m_bDiscovering = false;
  bool m_bRediscover = false;
  int m_nOpenPort = 0;       // what TIMER_OPEN_PORT opens
  std::string m_strOpenPath; // the same, for a device chosen by its path
  bool m_bPortOpen = false;  // opened and not yet found lost
  bool m_bPortLost = false;  // the open port went away since it was opened
  Ms m_retry{0};             // see SetRetryPeriod

  // Remote-key repetitions, each on its own timer.
  std::list<KeyEntry> m_keys;
  int m_nNextKeyTimer = TIMER_KEY_FIRST;

  // The download flow.
  EDownloadPhase m_phase = EDownloadPhase::Idle;
  int m_nRequests = 0;
  EDownloadEnd m_eEnding = EDownloadEnd::Complete; // the reason of the end being decoded
};
