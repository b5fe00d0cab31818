#pragma once

#include <QObject>

#include <csignal>
#include <vector>

class QSocketNotifier;

// SIGTERM, SIGHUP and SIGINT (a shutdown, a logout, Ctrl+C) as a Qt signal
// on the UI thread. The handler only writes the signal's number into a
// pipe; everything else happens in the event loop. One instance at a time;
// the previous handlers come back when it goes.
class CQuitSignals : public QObject {
  Q_OBJECT
public:
  explicit CQuitSignals(QObject *parent = nullptr);
  ~CQuitSignals() override;

signals:
  void quitRequested(int nSignal);

private:
  void OnReadable();

  int m_fds[2] = {-1, -1};
  QSocketNotifier *m_pNotifier = nullptr;
  std::vector<std::pair<int, struct sigaction>> m_old;
};
