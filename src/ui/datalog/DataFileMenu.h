#pragma once

#include "datalog/DataLogHolder.h"
#include "datalog/MainFileCommands.h"

#include <functional>

class CCommandRouter;

// The main window's data file commands and its one data logger window,
// bound to the menu: "Abrir", "Guardar como" and "Exportar para Excel".
// The download flow reaches the same window through DataLog().
class CDataFileMenu {
public:
  // `liveStat` reads the monitoring view's statistics block when the export
  // runs; `pParent` parents the dialogs and message boxes.
  CDataFileMenu(CDataStores &stores, CPrompts &prompts, QWidget *pParent, std::function<StatData()> liveStat,
                LocalClock clock = LocalTimeNow);

  void RegisterCommands(CCommandRouter &commands);
  CDataLogHolder &DataLog() { return m_dataLog; }
  // "Guardar como": true once the live store is in a file (false when the
  // user cancelled or was told why it failed).
  bool SaveLive();
  // Runs after "Guardar como" has written the live store to a file.
  void SetAfterLiveSaved(std::function<void()> fn) { m_afterLiveSaved = std::move(fn); }

private:
  CDataLogHolder m_dataLog;
  CMainFileCommands m_commands;
  QWidget *m_pParent;
  std::function<StatData()> m_liveStat;
  std::function<void()> m_afterLiveSaved;
};
