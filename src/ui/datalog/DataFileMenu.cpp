#include "datalog/DataFileMenu.h"

#include "forms/CommandIds.h"
#include "kit/CommandRouter.h"

CDataFileMenu::CDataFileMenu(CDataStores &stores, CPrompts &prompts, QWidget *pParent,
                             std::function<StatData()> liveStat, LocalClock clock)
    : m_dataLog([&stores, &prompts, clock] { return std::make_unique<CDataLogDlg>(stores, prompts, clock); }),
      m_commands(prompts, stores, m_dataLog, clock), m_pParent(pParent), m_liveStat(std::move(liveStat)) {}

void CDataFileMenu::RegisterCommands(CCommandRouter &commands) {
  commands.SetHandler(cmd::ID_OPEN, [this] { m_commands.OnOpen(m_pParent); });
  commands.SetHandler(cmd::ID_SAVE_AS, [this] { SaveLive(); });
  commands.SetHandler(cmd::ID_EXPORT_EXCEL, [this] {
    m_commands.OnExportExcel(m_pParent, m_liveStat ? m_liveStat() : StatData{});
  });
}

bool CDataFileMenu::SaveLive() {
  if (m_commands.OnSaveAs(m_pParent) != CDataFileCommands::Outcome::Done)
    return false;
  if (m_afterLiveSaved)
    m_afterLiveSaved();
  return true;
}
