#pragma once

#include <QCursor>
#include <QGuiApplication>

// The hourglass for the life of a scope.
class CWaitCursor {
public:
  CWaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
  ~CWaitCursor() { Restore(); }
  CWaitCursor(const CWaitCursor &) = delete;
  CWaitCursor &operator=(const CWaitCursor &) = delete;
  void Restore() {
    if (m_bOn)
      QGuiApplication::restoreOverrideCursor();
    m_bOn = false;
  }

private:
  bool m_bOn = true;
};
