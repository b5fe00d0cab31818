#pragma once

#include <QCursor>
#include <QGuiApplication>

// The wait cursor for as long as a print job holds the window.
class CWaitCursor {
public:
  CWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  CWaitCursor(const CWaitCursor &) = delete;
  CWaitCursor &operator=(const CWaitCursor &) = delete;
};
