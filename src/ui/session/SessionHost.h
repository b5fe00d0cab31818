#pragma once

#include "session/ChunkQueue.h"
#include "session/MeterSession.h"

#include <QObject>
#include <QTimer>

#include <memory>

class QSocketNotifier;

// Runs a meter session on the UI thread: the reader thread's chunks arrive
// through a chunk queue whose eventfd a socket notifier watches, and a
// single-shot QTimer calls Advance when the session's next deadline is due.
class CSessionHost : public QObject, private ISessionScheduler {
public:
  CSessionHost(CDataStores &stores, std::unique_ptr<IMeterLink> link, ISessionClock &clock,
               QObject *parent = nullptr);
  ~CSessionHost() override;

  CMeterSession &Session() { return *m_pSession; }
  IMeterLink &Link() { return *m_pLink; }
  // Delivers the chunks that have arrived (the notifier does it too).
  void DrainChunks();
  // Fires whatever is due by the clock (the wake timer does it too).
  void AdvanceNow();

private:
  void WakeAt(std::optional<std::chrono::milliseconds> due) override;

  ISessionClock &m_clock;
  std::unique_ptr<IMeterLink> m_pLink;
  CChunkQueue m_queue;
  std::unique_ptr<QSocketNotifier> m_pNotifier;
  QTimer m_wake;
  std::unique_ptr<CMeterSession> m_pSession; // first to go: it closes the port
};
