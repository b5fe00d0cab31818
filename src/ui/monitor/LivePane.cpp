#include "monitor/LivePane.h"

#include "forms/ControlIds.h"
#include "graph/GraphHost.h"
#include "graph/GraphicsBtn.h"
#include "kit/DialogBuilder.h"
#include "monitor/SampleTableModel.h"

#include <QTableView>

#include <initializer_list>

CLivePane::CLivePane(QWidget &form, const CDialogBuilder &b, CPrompts &prompts, const CSampleStore &live)
    : m_form(form), m_live(live) {
  const DlgControl *g = b.Template().Find(FormIds::kGraph);
  m_pGraph = new CGraphicsBtn(prompts, &form);
  m_pGraph->setObjectName(CtlName(FormIds::kGraph));
  m_pGraph->setAccessibleName(TemplateText(b.Template(), g->strAccessibleName));
  m_pGraph->setGeometry(b.ToPixels(g->x, g->y, g->cx, g->cy));

  const DlgControl *l = b.Template().Find(FormIds::kTable);
  m_pModel = new CSampleTableModel(live, &form);
  m_pList = MakeSampleTable(*m_pModel, &form);
  // A hidden table is not scrolled per sample; it is brought to its end when shown.
  QObject::connect(m_pModel, &CSampleTableModel::rowsAnnounced, &form, [this](int nRows) {
    if (m_bShowTable && nRows > 0)
      m_pList->scrollTo(m_pModel->index(nRows - 1, 0));
  });
  m_pList->setObjectName(CtlName(FormIds::kTable));
  m_pList->setAccessibleName(TemplateText(b.Template(), l->strAccessibleName));
  m_pList->setGeometry(b.ToPixels(l->x, l->y, l->cx, l->cy));
  m_pList->hide();
  // The host fills the read-outs, drives the scroll bars and wires "Anular Zoom".
  new CGraphHost(&form, *m_pGraph, CSampleArray(live));
}

std::array<QWidget *, 3> CLivePane::GraphWidgets() const {
  return {m_pGraph, DlgItem<QWidget>(&m_form, GraphIds::kVScroll),
          DlgItem<QWidget>(&m_form, GraphIds::kHScroll)};
}

void CLivePane::ShowTable() {
  if (m_bShowTable)
    return;
  m_pList->show();
  m_pModel->Flush();
  if (const int nRows = m_pModel->rowCount(QModelIndex()); nRows > 0)
    m_pList->scrollTo(m_pModel->index(nRows - 1, 0));
  for (QWidget *w : GraphWidgets())
    w->hide();
  m_bShowTable = true;
}

void CLivePane::ShowGraph() {
  if (!m_bShowTable)
    return;
  for (QWidget *w : GraphWidgets())
    w->show();
  m_pList->hide();
  m_bShowTable = false;
}

void CLivePane::Layout(const QRect &r, const QRect &g) {
  const int nBottom = g.bottom() + 1; // the frame's bottom edge, exclusive as in a window rectangle
  const int nPlotW = r.width() - g.left() - 42;
  const int nPlotH = r.height() - nBottom - 60;
  const auto [graph, vScroll, hScroll] = GraphWidgets();
  graph->setGeometry(g.left(), nBottom + 5, nPlotW, nPlotH);
  m_pList->setGeometry(g.left(), nBottom + 5, nPlotW, nPlotH);
  vScroll->setGeometry(r.width() - 42, nBottom + 5, 15, nPlotH);
  hScroll->setGeometry(g.left(), r.height() - 35, nPlotW, 15);
  for (QWidget *w : {graph, static_cast<QWidget *>(m_pList), vScroll, hScroll})
    w->raise();
}

void CLivePane::SetColumnWidths() {
  for (int i = 0; i < 4; ++i)
    m_pList->setColumnWidth(i, CSampleTableModel::kColumnWidths[i]);
}

void CLivePane::Redraw() {
  m_pGraph->DrawGraph(CSampleArray(m_live));
}

void CLivePane::SampleAppended() {
  m_pModel->SyncAppended(); // rowsAnnounced scrolls a shown table to its end
  Redraw();
}

void CLivePane::StoreReset(bool bResetScale) {
  m_pModel->Reset();
  if (bResetScale)
    m_pGraph->ResetScale();
  Redraw();
}

void CLivePane::SetLive(bool bLive) {
  if (bLive) {
    m_pGraph->m_xSpan = 20.0;
    m_pGraph->ResetScale();
  }
  m_pGraph->m_live = bLive;
}
