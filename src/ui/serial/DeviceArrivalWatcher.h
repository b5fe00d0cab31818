#pragma once

#include "serial/ArrivalScanner.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Reports device arrivals for port discovery (message 0x404 of the view).
// A change in the /dev folder only triggers a rescan, because a container's
// /dev never gains nodes; the sysfs tty list is also rescanned every
// rescan interval. Arrivals seen within the settle time make one signal.
class CDeviceArrivalWatcher : public QObject {
  Q_OBJECT
public:
  static constexpr int kRescanMs = 2000;
  static constexpr int kSettleMs = 250;

  explicit CDeviceArrivalWatcher(const QString &strDevDir = QStringLiteral("/dev"),
                                 const QString &strSysfsRoot = QStringLiteral("/sys"),
                                 int nRescanMs = kRescanMs, int nSettleMs = kSettleMs,
                                 QObject *pParent = nullptr);

signals:
  void deviceArrived();

private:
  void Rescan();
  void Settled();

  CArrivalScanner m_scanner;
  QFileSystemWatcher m_devWatcher;
  QTimer m_rescan;
  QTimer m_settle;
  bool m_bPending = false;
};
