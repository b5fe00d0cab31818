#pragma once

#include "datalog/DataLogDlg.h"

#include <functional>
#include <memory>

// The main window's one data logger window object (its m_pDataLogDlg),
// made on first use and re-created after every open or download.
class CDataLogHolder {
public:
  using Factory = std::function<std::unique_ptr<CDataLogDlg>()>;
  explicit CDataLogHolder(Factory factory) : m_factory(std::move(factory)) {}

  CDataLogDlg *Get() const { return m_pDataLogDlg.get(); }

  // Before the data-logger store is emptied or refilled.
  void BeforeLogStoreChange() {
    if (m_pDataLogDlg)
      m_pDataLogDlg->ClearSelectionBeforeStoreChange();
  }

  // Creates the object the first time, then the window afresh, and shows it
  // restored, in front and active: a new download or file is what the user
  // asked to see, even when the window was minimised or behind the main one.
  CDataLogDlg &ShowAfresh() {
    if (!m_pDataLogDlg)
      m_pDataLogDlg = m_factory();
    else
      m_pDataLogDlg->hide();
    m_pDataLogDlg->Create();
    m_pDataLogDlg->setWindowState(m_pDataLogDlg->windowState() &
                                  ~(Qt::WindowMinimized | Qt::WindowMaximized));
    m_pDataLogDlg->show();
    m_pDataLogDlg->raise();
    m_pDataLogDlg->activateWindow();
    return *m_pDataLogDlg;
  }

private:
  Factory m_factory;
  std::unique_ptr<CDataLogDlg> m_pDataLogDlg;
};
