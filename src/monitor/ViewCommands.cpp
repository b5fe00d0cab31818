// The file, print and colour commands of the main window, which act on the
// live store and the view's graph.
#include "datalog/DataFileMenu.h"
#include "graph/DlgColorSet.h"
#include "graph/GraphicsBtn.h"
#include "monitor/MyVomoView.h"
#include "print/PrintCommands.h"
#include "uikit/CommandIds.h"
#include "uikit/CommandRouter.h"

void CMyVomoView::RegisterFileCommands(CCommandRouter &commands) {
  using namespace cmd;
  m_pFileMenu->RegisterCommands(commands); // "Abrir", "Guardar como", "Exportar para Excel"
  commands.SetHandler(ID_PRINT_GRAPH, [this] {
    PrintGraph(*m_pGraph, m_pGraph->Samples(), m_run.m_stat, PrintHost{m_prompts, this, m_now});
  });
  commands.SetHandler(ID_PRINT_TABLE, [this] {
    PrintTable(CSampleArray(m_stores.m_live), m_run.m_stat, PrintHost{m_prompts, this, m_now});
  });
  commands.SetHandler(ID_COLOR_SET, [this] { RunColorSettings(this, m_prompts, *m_pGraph); });
}
