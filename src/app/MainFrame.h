#pragma once

#include "uikit/CommandRouter.h"

#include <QMainWindow>
#include <QUrl>

#include <functional>

class CPrompts;
class QLabel;
class QMenu;
class QToolBar;
struct CDataStores;

// The main window: menu bar, toolbar and status bar around the monitoring
// view, the close question, help and the about box.
class CMainFrame : public QMainWindow {
  Q_OBJECT
public:
  CMainFrame(CDataStores &stores, CPrompts &prompts, QWidget *parent = nullptr);

  CCommandRouter &Commands() { return m_commands; }
  QToolBar *ToolBar() const { return m_pToolBar; }
  // The second top-level menu, whose first items a run greys.
  QMenu *DataLoggerMenu() const { return m_pDataLoggerMenu; }

  // Where "Conteúdo" opens the help file; tests replace the desktop's opener.
  void SetUrlOpener(std::function<bool(const QUrl &)> open) { m_openUrl = std::move(open); }

  // The operating system reported a new device: only arrivals reach the view.
  void OnDeviceArrived() { emit deviceArrived(); }

signals:
  void deviceArrived();
  // The frame has accepted its close: the program ends, whatever other
  // top-level window (the data logger window) is still open.
  void closed();

protected:
  void closeEvent(QCloseEvent *event) override;

private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void OnHelp();
  void OnAbout();

  CDataStores &m_stores;
  CPrompts &m_prompts;
  CCommandRouter m_commands;
  QToolBar *m_pToolBar = nullptr;
  QMenu *m_pDataLoggerMenu = nullptr;
  std::function<bool(const QUrl &)> m_openUrl;
};
