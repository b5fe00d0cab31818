// The file, print and colour commands of the main window, which act on the
// live store and the view's graph.
#include "app/CommandIds.h"
#include "app/CommandRouter.h"
#include "datalog/DataLogHolder.h"
#include "datalog/MainFileCommands.h"
#include "graph/DlgColorSet.h"
#include "graph/GraphicsBtn.h"
#include "monitor/MyVomoView.h"
#include "print/PrintCommands.h"

void CMyVomoView::RegisterFileCommands(CCommandRouter &commands) {
  using namespace cmd;
  // Saving, exporting and printing an empty store do nothing, silently.
  commands.SetHandler(ID_SAVE_AS, [this] { m_pFiles->OnSaveAs(this); });
  commands.SetHandler(ID_OPEN, [this] {
    m_pFiles->OnOpen(this);
    emit commandStateChanged();
  });
  commands.SetHandler(ID_EXPORT_EXCEL, [this] { m_pFiles->OnExportExcel(this, m_run.m_stat); });
  commands.SetHandler(ID_PRINT_GRAPH, [this] {
    PrintGraph(*m_pGraph, m_pGraph->Samples(), m_run.m_stat, PrintHost{m_prompts, this, m_now});
  });
  commands.SetHandler(ID_PRINT_TABLE, [this] {
    PrintTable(CSampleArray(m_stores.m_live), m_run.m_stat, PrintHost{m_prompts, this, m_now});
  });
  commands.SetHandler(ID_COLOR_SET, [this] { RunColorSettings(this, m_prompts, *m_pGraph); });
}
