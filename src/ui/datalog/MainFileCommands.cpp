#include "datalog/MainFileCommands.h"

#include "datalog/DataLogHolder.h"

CDataFileCommands::Outcome CMainFileCommands::OnSaveAs(QWidget *parent) {
  return m_files.SaveTextData(parent, m_stores.m_live);
}

CDataFileCommands::Outcome CMainFileCommands::OnOpen(QWidget *parent) {
  auto res = m_files.ReadTextData(parent, m_stores.m_log, [this] { m_dataLog.BeforeLogStoreChange(); });
  if (res == CDataFileCommands::Outcome::Done)
    m_dataLog.ShowAfresh();
  return res;
}

CDataFileCommands::Outcome CMainFileCommands::OnExportExcel(QWidget *parent, const StatData &stat) {
  return m_files.ExportSpreadsheet(parent, m_stores.m_live, stat, SheetVariant::MainWindow);
}
