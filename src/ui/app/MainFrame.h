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
  // Why a run ended stays in a field of its own until the next run starts.
  void ShowConnection(const ConnectionStatus &status);
  void ShowRunEnded(ERunEnd reason);
  void ShowRunStarted();
  void ShowDownloadEnded(EDownloadEnd reason);
  QLabel *ConnectionPane() const { return m_pConnection; }
  QLabel *RunEndPane() const { return m_pRunEnd; }

  // The operating system reported a new device: only arrivals reach the view.
  void OnDeviceArrived() { emit deviceArrived(); }

  // "Guardar como" of the live store, offered by the close question; true
  // once the samples are in a file.
  void SetSaveLive(std::function<bool()> save) { m_saveLive = std::move(save); }

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
  // The close question while a store holds samples: true to close.
  bool AskClose();

  CDataStores &m_stores;
  CPrompts &m_prompts;
  CCommandRouter m_commands;
  QToolBar *m_pToolBar = nullptr;
  QLabel *m_pConnection = nullptr;
  QLabel *m_pRunEnd = nullptr;
  std::string m_strExeDir;
  std::string m_strLocaleName;
  std::function<bool()> m_saveLive;
  bool m_bAsk = true;
};
