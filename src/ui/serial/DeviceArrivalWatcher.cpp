#include "serial/DeviceArrivalWatcher.h"

CDeviceArrivalWatcher::CDeviceArrivalWatcher(const QString &strDevDir, const QString &strSysfsRoot,
                                             int nRescanMs, int nSettleMs, QObject *pParent)
    : QObject(pParent), m_scanner(strSysfsRoot.toStdString()) {
  m_settle.setSingleShot(true);
  m_settle.setInterval(nSettleMs);
  connect(&m_settle, &QTimer::timeout, this, &CDeviceArrivalWatcher::Settled);
  m_rescan.setInterval(nRescanMs);
  connect(&m_rescan, &QTimer::timeout, this, &CDeviceArrivalWatcher::Rescan);
  m_rescan.start();
  m_devWatcher.addPath(strDevDir);
  // Nodes appear in a burst; wait for it to settle before looking.
  connect(&m_devWatcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_settle.start(); });
}

void CDeviceArrivalWatcher::Rescan() {
  if (m_scanner.Rescan()) {
    m_bPending = true;
    m_settle.start();
  }
}

void CDeviceArrivalWatcher::Settled() {
  if (m_scanner.Rescan())
    m_bPending = true;
  if (m_bPending) {
    m_bPending = false;
    emit deviceArrived();
  }
}
