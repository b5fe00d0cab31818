#pragma once

#include "datalog/DataFileCommands.h"

class CDataLogHolder;

// The main window's three file commands: "Guardar como" (32786) writes the
// live store, "Abrir" (32790) reads a file into the data-logger store and
// shows the data logger window afresh, "Exportar para Excel" (32785)
// exports the live store with the main window's statistics.
class CMainFileCommands {
public:
  CMainFileCommands(CPrompts &prompts, CDataStores &stores, CDataLogHolder &dataLog,
                    LocalClock clock = LocalTimeNow)
      : m_files(prompts, std::move(clock)), m_stores(stores), m_dataLog(dataLog) {}

  CDataFileCommands::Outcome OnSaveAs(QWidget *parent);
  CDataFileCommands::Outcome OnOpen(QWidget *parent);
  CDataFileCommands::Outcome OnExportExcel(QWidget *parent, const StatData &stat);

private:
  CDataFileCommands m_files;
  CDataStores &m_stores;
  CDataLogHolder &m_dataLog;
};
