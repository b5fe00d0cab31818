#pragma once

#include "kit/CommandRouter.h"
#include "monitor/MeterStatus.h"

#include <QMainWindow>

#include <string>

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

  // Where "Conteúdo" looks for the manual: the program's folder and the
  // user's locale name; tests point it elsewhere.
  void SetManualSearch(std::string strExeDir, std::string strLocaleName) {
    m_strExeDir = std::move(strExeDir);
    m_strLocaleName = std::move(strLocaleName);
  }

  // The status bar: the connection pane, and why a run or a download ended.
  void ShowConnection(const ConnectionStatus &status);
  void ShowRunEnded(ERunEnd reason);
  void ShowDownloadEnded(EDownloadEnd reason);
  QLabel *ConnectionPane() const { return m_pConnection; }

  // The operating system reported a new device: only arrivals reach the view.
  void OnDeviceArrived() { emit deviceArrived(); }

  // Closes as "Sair" does, without the close question: the program is told
  // to end (a signal, a logout) and the samples are kept elsewhere.
  void CloseWithoutAsking();

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
  QLabel *m_pConnection = nullptr;
  std::string m_strExeDir;
  std::string m_strLocaleName;
  std::function<bool(const QUrl &)> m_openUrl;
  bool m_bAsk = true;
};
