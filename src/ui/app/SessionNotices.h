#pragma once

#include "monitor/MeterStatus.h"
#include "session/SessionObserver.h"

class CMainFrame;
class CMeterSession;
class CPrompts;

// What the user is told about the meter session beside the monitoring
// form: the status bar's connection pane, why a run or a download ended,
// and the messages for a port that cannot be opened and a failed download.
class CSessionNotices : private ISessionObserver {
public:
  CSessionNotices(CMeterSession &session, CMainFrame &frame, CPrompts &prompts);
  ~CSessionNotices() override;
  CSessionNotices(const CSessionNotices &) = delete;
  CSessionNotices &operator=(const CSessionNotices &) = delete;

  const ConnectionStatus &Connection() const { return m_connection; }

private:
  void OnConnectionChanged(const SConnection &conn) override;
  void OnRunStarted(const SRunStart &) override;
  void OnRunEnded(ERunEnd eReason) override;
  void OnDownloadEnded(EDownloadEnd eReason) override;

  CMeterSession &m_session;
  CMainFrame &m_frame;
  CPrompts &m_prompts;
  ConnectionStatus m_connection;
};
